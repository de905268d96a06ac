#include "core/documents/templates.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <regex>

#include "documents/fixed_clock.h"

namespace velmora {
namespace {

class ExpandMarkersTest : public ::testing::Test {
protected:
  std::string Expand(std::string text) {
    ExpandMarkers(text, fields, clock);
    return text;
  }
  TemplateFields fields{"Meier", "Der Fall"};
  test::FixedClock clock;
};

TEST_F(ExpandMarkersTest, SlotsDatesAndTimesReplaceTheirMarkers) {
  EXPECT_EQ(Expand("Autor: $0$\r\nTitel: $1$"), "Autor: Meier\r\nTitel: Der Fall");
  EXPECT_EQ(Expand("[$D$] [$d$] [$T$] [$t$]"), "[Mo, 3. M\xe4r 2025] [03/03/2025] [14:05:09] "
                                               "[14:05:09]");
  // Only the byte after the opening "$" decides.
  EXPECT_EQ(Expand("$Datum$ $time$ $Titel$ $4 Inhalt$|"), "Mo, 3. M\xe4r 2025 14:05:09 14:05:09 |");
  EXPECT_EQ(Expand("$01$"), "Der Fall");
  EXPECT_EQ(Expand("a$x$b$$c$ $d"), "abcd"); // unknown selectors and "$$" give nothing
}

TEST_F(ExpandMarkersTest, EmptyTextAndSemicolonTemplatesStayAsTheyAre) {
  EXPECT_EQ(Expand(""), "");
  EXPECT_EQ(Expand(";$0$ - $1$"), ";$0$ - $1$");
  EXPECT_EQ(Expand(" ;$0$"), " ;Meier");
}

TEST_F(ExpandMarkersTest, EmptySlotsAndSlotsAboveElevenVanish) {
  EXPECT_EQ(Expand("<$5$>"), "<>");
  EXPECT_EQ(Expand("<$11$>"), "<>");
  fields[11] = "never shown";
  EXPECT_EQ(Expand("<$12$><$99999999999999999999$>"), "<><>");
}

TEST_F(ExpandMarkersTest, ScanResumesOneByteAfterTheMarker) {
  // After an empty value the next opening "$" is skipped; its closing "$" opens a marker that
  // runs to the next "$" of the text.
  EXPECT_EQ(Expand("$11$$D$"), "$D$");
  EXPECT_EQ(Expand("$11$$D$ und $0$"), "$D0$");
  // A non-empty value lets the scan reach the next marker.
  EXPECT_EQ(Expand("$D$$T$"), "Mo, 3. M\xe4r 202514:05:09");
}

TEST_F(ExpandMarkersTest, DollarInsideASlotValueStartsAMarkerFromItsSecondByteOn) {
  fields[2] = "A$1$B";
  EXPECT_EQ(Expand("$2$!"), "ADer FallB!");
  fields[2] = "$1$";
  EXPECT_EQ(Expand("$2$"), "$1$"); // its first byte is passed over, the rest is unclosed
}

TEST_F(ExpandMarkersTest, UnclosedMarkerIsKeptAndEndsTheExpansion) {
  EXPECT_EQ(Expand("Autor $0$ kostet 5$"), "Autor Meier kostet 5$");
  EXPECT_EQ(Expand("$0$ und $1"), "Meier und $1");
  EXPECT_EQ(Expand("$"), "$");
}

TEST_F(ExpandMarkersTest, SelfReferringSlotValueComesToAnEnd) {
  fields[0] = "a$0$";
  const std::string expanded = Expand("$0$");
  EXPECT_LT(expanded.size(), kTemplateBufferSize);
  EXPECT_EQ(expanded.substr(0, 4), "aaaa");
}

TEST(StripCommentLinesTest, LinesStartingWithHashVanishWithTheirLineEnd) {
  std::string text = "#Kommentar\nAutor: $0$\r\n#zweiter\r\n\nTitel # bleibt\n  #bleibt\n#ende";
  StripCommentLines(text);
  EXPECT_EQ(text, "Autor: $0$\r\n\nTitel # bleibt\n  #bleibt\n");

  std::string onlyComments = "#a\n#b";
  StripCommentLines(onlyComments);
  EXPECT_EQ(onlyComments, "");
  std::string longLine(5000, 'x'); // longer than the old line buffer: kept whole
  StripCommentLines(longLine);
  EXPECT_EQ(longLine.size(), 5000u);
}

TEST(SnapshotTemplateFieldsTest, SlotsTakeTheirValuesInOrder) {
  TagForm form;
  form.v2Title = "Titel";
  form.v2Year = "1987";
  form.v2Album = "Album";
  form.v2Artist = "not used";
  WindowMembers members;
  members.recAutor = "Autor";
  members.recProduktion = "SWF/NDR";
  members.recInhaltsangabe = "Inhalt";
  members.recRegie = "Regie";
  members.recMitwirkende = "Mitwirkende";
  members.recLaenge = "55";
  members.recGenre = "Krimi";
  members.partDesignation = "2v3";
  const TemplateFields fields = SnapshotTemplateFields(form, members);
  EXPECT_EQ(fields, (TemplateFields{"Autor", "Titel", "SWF/NDR", "1987", "Inhalt", "Regie",
                                    "Mitwirkende", "55", "Album", "Krimi", "2v3", ""}));
}

// Sets LC_ALL for one test and restores it afterwards.
class ScopedLcAll {
public:
  explicit ScopedLcAll(const char* value) {
    if (const char* old = std::getenv("LC_ALL")) previous_ = old;
    setenv("LC_ALL", value, 1);
  }
  ~ScopedLcAll() {
    if (previous_)
      setenv("LC_ALL", previous_->c_str(), 1);
    else
      unsetenv("LC_ALL");
  }

private:
  std::optional<std::string> previous_;
};

TEST(SystemTemplateClockTest, PicturesOfTheLocaleClock) {
  const ScopedLcAll locale("C");
  TemplateClock& clock = SystemTemplateClock();
  EXPECT_TRUE(std::regex_match(clock.LongDate(),
                               std::regex("(Sun|Mon|Tue|Wed|Thu|Fri|Sat), [1-9][0-9]?\\. "
                                          "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                          "[0-9]{4}")))
      << clock.LongDate();
  EXPECT_TRUE(std::regex_match(clock.ShortDate(), std::regex("[0-3][0-9]/[01][0-9]/[0-9]{4}")))
      << clock.ShortDate();
  EXPECT_TRUE(std::regex_match(clock.Time(), std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
      << clock.Time();
}

TEST(SystemTemplateClockTest, UnknownLocaleFallsBackToEnglishNames) {
  const ScopedLcAll locale("xx_NOWHERE.UTF-8");
  EXPECT_TRUE(std::regex_search(SystemTemplateClock().LongDate(), std::regex("^[A-Z][a-z]{2}, ")));
}

} // namespace
} // namespace velmora
