// The import of a Hördat web page: the fields cut out of it, and the clipboard command.
#include <gtest/gtest.h>

#include "core/form/apply_page.h"
#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

// Enough bytes behind every end fragment for the field to be taken.
const std::string kTail = "\r\n</td></tr></table></body></html>";

// Imports page into a form whose every target holds "-"; the targets after the import:
// author, title, comment, cast, original artist, composer, length, copyright, year, station.
std::string Import(const std::string& page, const std::string& prefix = "") {
  TagForm form;
  WindowMembers members;
  members.settings.prefixOrigArtist = members.settings.prefixKomponist = prefix;
  std::string* targets[] = {&members.recAutor,       &form.v2Title,      &form.v2Comment,
                            &members.recMitwirkende, &form.v2OrigArtist, &form.v2Composer,
                            &members.recLaenge,      &form.v2Copyright,  &form.v2Year,
                            &members.recProduktion};
  for (std::string* target : targets)
    *target = "-";
  ApplyHoerdatPage(ReadHoerdatPage(page), form, members);
  std::string result;
  for (const std::string* target : targets)
    result += *target + "|";
  return result + form.v2Artist; // the author goes only into the record member
}

TEST(HoerdatPage, ReadsAllSevenFields) {
  EXPECT_EQ(
      Import("<html><font class=ti>Fall, Der</font><br><font class=au> Meier, Hans </font>\r\n"
             "<font class=ab>Erste Zeile.<br />Zweite Zeile.</font>\r\n"
             "<font class=mi>Mit: </font> <font class=ab>Anna<br />\r\nOtto</font>\r\n"
             "<i>Regie:</i> Hans Bauer<br><i>Länge:</i> 54<br>"
             "<i>Produktion:</i> WDR 1975.<i>Erstsendung</i>" +
                 kTail,
             "Mit:"),
      "Meier, Hans|Der Fall|Erste Zeile.\r\nZweite Zeile.|Anna, Otto|Mit: Anna, "
      "Otto|Mit: Hans Bauer|54 min.|WDR 1975|1975|WDR|");
}

TEST(HoerdatPage, EachFieldOnItsOwn) {
  const std::string none = "-|-|-|-|-|-|-|-|-|-|";
  const std::pair<std::string, std::string> rows[] = {
      // Without synopsis the comment takes the cast (the synopsis fragment ends the cast's start);
      // an empty prefix leaves a leading blank.
      {"<font class=mi>Mit: </font> <font class=ab>Anna<br />\r\nOtto</font><i>Regie:</i>Ute<" +
           kTail,
       "-|-|Anna\r\n\r\nOtto|Anna, Otto| Anna, Otto| Ute|-|-|-|-|"},
      {"<i>Länge:</i>  <br>" + kTail, "-|-|-|-|-|-||-|-|-|"},
      {"<i>Produktion:</i> Radio Bremen<i>" + kTail, "-|-|-|-|-|-|-|Radio Bremen||Radio|"},
      {"<i>Produktion:</i> ...!<i>" + kTail, "-|-|-|-|-|-|-||||"},
      // A field needs more bytes behind its end than the end is long ("</font>": seven).
      {"<font class=au>Neu</font>1234567", none},
      {"<font class=au>Neu</font>12345678", "Neu|-|-|-|-|-|-|-|-|-|"},
  };
  for (const auto& [page, expected] : rows)
    EXPECT_EQ(Import(page), expected) << page.substr(0, 60);
}

TEST(ImportCommand, ReportsTheClipboardsFailuresOrFillsAndShowsTheForm) {
  const std::string page = "<font class=ti>Fall, Der</font><i>Produktion:</i> WDR 1975.<i>........";
  using Status = ClipboardText::Status;
  // The clipboard, the message (always an error), the title shown and the form's title. The
  // controls are taken into the form first, so what was typed stays where the page sets nothing.
  const std::tuple<ClipboardText, std::string, std::string> rows[] = {
      {{Status::CannotOpen, page}, messages::ClipboardCannotOpen(), "getippt|getippt"},
      {{Status::Ok, page}, "", "Der Fall|Der Fall"},
      // The clipboard's text ends at its first zero byte: no field is taken, and that is said.
      {{Status::Ok, std::string("<font class=ti>Fall, Der</font>.\0.......", 40)},
       messages::NoHoerdatEntryOnClipboard(),
       "getippt|getippt"},
  };
  for (const auto& [clipboard, message, titles] : rows) {
    test::FakePlatform platform;
    VelmoraLogic logic{platform, nullptr};
    platform.Type(FormField::v2Title, "getippt");
    platform.Type(FormField::v2EncodedBy, "ich");
    platform.Type(FormField::v2Album, "Album");
    platform.Type(FormField::v2Track, "7");
    logic.state().form.v2Title = "bleibt";
    platform.clipboard = clipboard;
    logic.ImportHoerdatPage();
    const auto& shown = platform.messages;
    EXPECT_EQ(shown.empty() ? "" : shown[0].text + " (" + shown[0].caption + ")",
              message.empty() ? "" : message + " (" + messages::kError + ")");
    EXPECT_EQ(platform.ControlText(FormField::v2Title) + "|" + logic.form().v2Title, titles);
    EXPECT_EQ(logic.form().v2EncodedBy + "|" + logic.form().v2Track + "|" + logic.form().v2Album,
              "ich|7|Album");
  }
}

} // namespace
} // namespace velmora
