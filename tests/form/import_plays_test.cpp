// The page import of today's layout through the window's logic: the values in the form, the
// choice among the plays of a day, and the tag the update writes from them.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text/encoding.h"
#include "form/form_test_support.h"
#include "support/hoerdat_pages.h"

namespace velmora::test {
namespace {

class ImportPlaysTest : public LogicTest {
protected:
  void SetUp() override {
    WriteSettings("[PREFIXES]\nKOMPONIST=Regie:\nURSPRUENGLICHER_KUENSTLER=Mit:\n");
    StartUp();
    WriteBytes(source, MpegAudio(4000));
    logic.LoadSelectedFile(source);
  }
  void PutOnClipboard(const std::string& utf8Text, std::optional<std::string> utf8Html = {}) {
    platform.clipboard = {ClipboardText::Status::Ok, Utf8ToCp1252(utf8Text)};
    if (utf8Html) platform.clipboardHtml = Utf8ToCp1252(*utf8Html);
  }
  std::string Shown(FormField field) { return Cp1252ToUtf8(Control(field)); }

  const std::string source = dir.file("Marta Quell - Glocke von Arnsfeld, Die 2v3 - RBX, 14.mp3");
};

TEST_F(ImportPlaysTest, OnePlayFillsTheFormAndTheUpdateWritesIt) {
  PutOnClipboard("kein Text, den Velmora liest", kGlockeHtml); // the browser's HTML beside it
  logic.ImportHoerdatPage();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.choiceRequests.empty());
  EXPECT_EQ(Shown(FormField::v2Title), "Die Glocke von Arnsfeld");
  EXPECT_EQ(Shown(FormField::v2Copyright), "RBX 2014");
  EXPECT_EQ(Shown(FormField::v2Year), "2014");
  EXPECT_EQ(Shown(FormField::v2Composer), "Regie: Ida Sommer");
  EXPECT_EQ(Shown(FormField::v2OrigArtist),
            "Mit: Erzählerin Petra Lind, Küster Hans Ober – „Gast“");
  EXPECT_EQ(Shown(FormField::v2Comment),
            "Ein Dorf, eine Glocke, die nicht läutet. Als der Küster verschwindet, sucht seine "
            "Tochter nach ihm.\r\nIm Turm findet sie einen Brief.");
  const std::vector<std::pair<std::string, std::string>> records = {
      {members.recAutor, "Marta Quell, Bernd Quell"},
      {members.recProduktion, "RBX"},
      {members.recLaenge, "ca. 52 min."},
      {members.recHspTyp, "Originalhörspiel dt."},
      {members.recGenre, "Krimi"},
      {members.recRegie, "Ida Sommer"},
      {members.recBearbeitung, "Ida Sommer"},
      {members.recInhaltsangabe, Cp1252ToUtf8(form.v2Comment)}};
  for (const auto& [value, expected] : records)
    EXPECT_EQ(Cp1252ToUtf8(value), expected);

  platform.saveAnswer = dir.file("neu.mp3");
  ASSERT_TRUE(logic.OnAktualisieren());
  const std::string tag = TagOf(ReadBytes(dir.file("neu.mp3")));
  EXPECT_EQ(FrameBody(tag, "TIT2"), std::string(1, '\0') + "Die Glocke von Arnsfeld");
  EXPECT_EQ(FrameBody(tag, "TPE1"), std::string(1, '\0') + "Marta Quell, Bernd Quell");
  EXPECT_EQ(FrameBody(tag, "TYER"), std::string(1, '\0') + "2014");
  EXPECT_EQ(FrameBody(tag, "TCOM"), std::string(1, '\0') + "Regie: Ida Sommer");
}

TEST_F(ImportPlaysTest, ADayPageOffersItsPlaysAndAppliesTheChosenOne) {
  PutOnClipboard(kDayText);
  platform.chosenRow = -1; // cancelled: nothing changes
  platform.Type(FormField::v2Title, "getippt");
  logic.ImportHoerdatPage();
  ASSERT_EQ(platform.choiceRequests.size(), 1U);
  const std::vector<ResultRow>& rows = platform.choiceRequests[0];
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(Cp1252ToUtf8(rows[1].title + "|" + rows[1].author + "|" + rows[1].station + "|" +
                         rows[1].year + "|" + rows[1].length + "|" + rows[1].kind),
            "Der Leuchtturm|Jan Ohlsen|Radio Bremen|1975|ca. 45 min.|Hörspielbearbeitung");
  EXPECT_EQ(Shown(FormField::v2Title), "getippt");
  EXPECT_TRUE(members.recAutor.empty());
  // The loaded file is part 2; no play names part 2, so none is preselected.
  EXPECT_EQ(platform.preselections, std::vector<int>{-1});

  platform.chosenRow = 2;
  logic.ImportHoerdatPage();
  EXPECT_EQ(Shown(FormField::v2Title), "Funkstille");
  EXPECT_EQ(Shown(FormField::v2Copyright), "DLF/DLR 2019");
  EXPECT_EQ(Cp1252ToUtf8(members.recLaenge), "38 min.");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ImportPlaysTest, ThePlayOfTheLoadedPartIsPreselected) {
  // Three parts of one play on a day page; the loaded file is part 2.
  std::string day = "Hördat\n";
  for (int part : {1, 2, 3})
    day += "Die Glocke\nSendetermine: WDR 5 - Sonntag Teil " + std::to_string(part) +
           "/3\nAutor(en): Marta Quell\n";
  PutOnClipboard(day);
  logic.ImportHoerdatPage();
  EXPECT_EQ(platform.preselections, std::vector<int>{1});
}

TEST_F(ImportPlaysTest, APageWithoutAPlaySaysSoAndKeepsWhatWasTyped) {
  PutOnClipboard("Hördat - Startseite\nSortierung: Sendedatum\nNeuigkeiten", "<p>nichts</p>");
  platform.Type(FormField::v2Title, "getippt");
  logic.ImportHoerdatPage();
  EXPECT_EQ(platform.MessageTexts(),
            Texts{Utf8ToCp1252("Die Zwischenablage enthält keinen Hördat-Eintrag.")});
  EXPECT_EQ(platform.Captions(), Texts{"Fehler"});
  EXPECT_EQ(Shown(FormField::v2Title), "getippt");
}

} // namespace
} // namespace velmora::test
