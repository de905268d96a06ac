// The page import of today's layout through the window's logic: the values in the form and the
// members, and the choice among the plays of a day.
#include <gtest/gtest.h>

#include "form/form_test_support.h"
#include "support/hoerdat_pages.h"

namespace velmora::test {
namespace {

class ImportPlaysTest : public LogicTest {
protected:
  void SetUp() override {
    WriteSettings("[PREFIXES]\nKOMPONIST=Regie:\nURSPRUENGLICHER_KUENSTLER=Mit:\n");
    StartUp();
    LoadFile("Marta Quell - Glocke von Arnsfeld, Die 2v3 - RBX, 14.mp3");
  }
  void PutOnClipboard(const std::string& text, std::optional<std::string> html = {}) {
    platform.clipboard = {ClipboardText::Status::Ok, text};
    if (html) platform.clipboardHtml = *html;
  }
  std::string Shown(FormField field) { return Control(field); }
};

// The page's values reach the fields and the record members as a search's would (the reader's
// own tests check the values themselves).
TEST_F(ImportPlaysTest, OnePlayFromTheClipboardsHtmlFillsFieldsAndMembers) {
  PutOnClipboard("kein Text, den Velmora liest", kGlockeHtml); // the browser's HTML beside it
  logic.ImportHoerdatPage();
  EXPECT_TRUE(platform.messages.empty() && platform.choiceRequests.empty());
  EXPECT_EQ(Shown(FormField::v2Title) + "|" + Shown(FormField::v2Copyright) + "|" +
                Shown(FormField::v2Year) + "|" + Shown(FormField::v2Composer),
            "Die Glocke von Arnsfeld|RBX 2014|2014|Regie: Ida Sommer");
  EXPECT_TRUE(Shown(FormField::v2OrigArtist).starts_with("Mit: Erzählerin Petra Lind, "));
  EXPECT_EQ(members.recInhaltsangabe, form.v2Comment);
  EXPECT_EQ(members.recAutor + "|" + members.recProduktion + "|" + members.recLaenge + "|" +
                members.recHspTyp + "|" + members.recGenre + "|" + members.recRegie + "|" +
                members.recBearbeitung,
            "Marta Quell, Bernd Quell|RBX|ca. 52 min.|Originalhörspiel dt.|Krimi|Ida Sommer|"
            "Ida Sommer");
}

// The chosen play applied: tests/cli (import-page ROW).
TEST_F(ImportPlaysTest, ADayPageOffersItsPlaysAndACancelledChoiceChangesNothing) {
  PutOnClipboard(kDayText);
  platform.chosenRow = -1; // cancelled: nothing changes
  platform.Type(FormField::v2Title, "getippt");
  logic.ImportHoerdatPage();
  // The rows' columns and details: tests/app (lookup_test) and tests/cli (import-page).
  ASSERT_EQ(platform.choiceRequests.size(), 1U);
  EXPECT_EQ(platform.choiceRequests[0].size(), 3U);
  EXPECT_EQ(Shown(FormField::v2Title), "getippt");
  EXPECT_TRUE(members.recAutor.empty());
  // The loaded file is the second part; no play names it, so none is preselected.
  EXPECT_EQ(platform.preselections, std::vector<int>{-1});
  EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace velmora::test
