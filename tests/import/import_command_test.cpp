// The clipboard import in the window's logic: the clipboard's failures and the refreshed form.
#include <gtest/gtest.h>

#include "core/form/velmora_logic.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

class ImportCommandTest : public ::testing::Test {
protected:
  test::FakePlatform platform;
  VelmoraLogic logic{platform, nullptr};
};

TEST_F(ImportCommandTest, ClipboardFailuresAreReportedAndChangeNothing) {
  logic.form().v2Title = "bleibt";
  platform.Type(FormField::v2Title, "getippt");
  const std::pair<ClipboardText::Status, std::string> cases[] = {
      {ClipboardText::Status::CannotOpen, "Clipboard kann nicht ge\xf6"
                                          "ffnet werden!"},
      {ClipboardText::Status::Empty, "ClipBoard ist leer oder enth\xe4lt ung\xfcltige Daten!"},
  };
  for (const auto& [status, text] : cases) {
    platform.messages.clear();
    platform.clipboard = {status, "<font class=ti>Fall, Der</font>........"};
    logic.ImportHoerdatPage();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, text);
    EXPECT_EQ(platform.messages[0].caption, "Fehler");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(logic.form().v2Title, "bleibt");
    EXPECT_EQ(platform.ControlText(FormField::v2Title), "getippt");
  }
}

TEST_F(ImportCommandTest, FillsTheFormAndShowsItReplacingTypedText) {
  platform.Type(FormField::v2Comment, "getippt");
  platform.clipboard = {ClipboardText::Status::Ok,
                        "<font class=ti>Fall, Der</font><i>Produktion:</i> WDR 1975.<i>........"};
  logic.ImportHoerdatPage();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.ControlText(FormField::v2Title), "Der Fall");
  EXPECT_EQ(platform.ControlText(FormField::v2Year), "1975");
  EXPECT_EQ(platform.ControlText(FormField::v2Comment), "");
}

TEST_F(ImportCommandTest, TheClipboardTextEndsAtItsFirstZeroByte) {
  platform.clipboard = {ClipboardText::Status::Ok,
                        std::string("<font class=ti>Fall, Der</font>.\0.......", 40)};
  logic.ImportHoerdatPage();
  EXPECT_EQ(logic.form().v2Title, "");
}

} // namespace
} // namespace velmora
