// Templates with a fixed clock: Monday, 3 March 2025, 14:05:09 as a German Windows writes it.
#include "core/documents/templates.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <regex>
#include <tuple>
#include <vector>

#include "core/documents/output_documents.h"
#include "core/documents/template_clock.h"
#include "core/text/encoding.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class FixedClock : public TemplateClock {
public:
  std::string LongDate() override { return "Mo, 3. M\xe4r 2025"; }
  std::string ShortDate() override { return "03/03/2025"; }
  std::string Time() override { return "14:05:09"; }
};

class TemplatesTest : public ::testing::Test {
protected:
  std::optional<std::string> FileName(const std::string& templateText, const char* separator) {
    WriteBytes(workDir + kFileNameTemplate, templateText);
    return ExpandFileNameTemplate(workDir, fields, clock, separator);
  }
  std::string Description(const std::string& templateText, const std::string& name) {
    WriteBytes(workDir + kDescriptionTemplate, templateText);
    WriteDescriptionFile(workDir, outDir, name, fields, clock);
    return ReadBytes(outDir + Cp1252ToUtf8(name) + ".txt");
  }

  test::TempDir dir;
  const std::string workDir = dir.path().string() + "/";
  const std::string outDir = dir.file("out") + "/";
  TemplateFields fields{"Meier", "Der Fall", "SWF/NDR", "", "A$1$B", "$1$"};
  FixedClock clock;
};

TEST_F(TemplatesTest, MarkersExpandSlotsDatesAndTimesInPlace) {
  for (auto [text, expanded] : std::vector<std::pair<std::string, std::string>>{
           {"Autor: $0$\r\nTitel: $01$", "Autor: Meier\r\nTitel: Der Fall"},
           {"[$D$] [$d$] [$T$] [$t$]", "[Mo, 3. M\xe4r 2025] [03/03/2025] [14:05:09] [14:05:09]"},
           // Only the byte after the opening "$" decides; unknown ones and "$$" give nothing.
           // A value is inserted literally, markers in it included.
           {"$Datum$ $time$ $4 Inhalt$|a$x$b$$c", "Mo, 3. M\xe4r 2025 14:05:09 A$1$B|abc"},
           {";$0$ - $1$", ";$0$ - $1$"},
           {" ;$0$", " ;Meier"},
           {"<$3$><$11$><$12$><$13$>", "<><><><>"},
           // Behind an empty value the scan resumes one byte further on, so the next "$" is
           // skipped; behind a value it resumes right after it.
           {"$11$$D$", "$D$"},
           {"$11$$D$ und $0$", "$D0$"},
           {"$5$", "$1$"},
           // An unclosed "$" is kept and ends the expansion.
           {"Autor $0$ kostet 5$", "Autor Meier kostet 5$"}}) {
    ExpandMarkers(text, fields, clock);
    EXPECT_EQ(text, expanded);
  }
  fields[0] = "a$0$"; // refers to itself: the expansion must come to an end
  std::string text = "$0$";
  ExpandMarkers(text, fields, clock);
  EXPECT_LT(text.size(), kTemplateBufferSize);
}

TEST(TemplateFieldsTest, SnapshotTakesTheTwelveSlotsFromFormAndRecord) {
  TagForm form;
  form.v2Title = "T";
  form.v2Year = "Y";
  form.v2Album = "Al";
  form.v2Artist = "typed artist"; // the slot holds the record's author, not the field
  WindowMembers m;
  std::tie(m.recAutor, m.recProduktion, m.recInhaltsangabe, m.recRegie, m.recMitwirkende,
           m.recLaenge, m.recGenre, m.partDesignation) =
      std::tuple("A", "P", "I", "R", "M", "L", "G", "2v3");
  EXPECT_EQ(SnapshotTemplateFields(form, m),
            (TemplateFields{"A", "T", "P", "Y", "I", "R", "M", "L", "Al", "G", "2v3", ""}));
}

TEST_F(TemplatesTest, FileNameTemplate) {
  EXPECT_EQ(FileName("# Vorschlag\r\n  $0$ - $1$ ($T$)  \r\n", ""), "Meier - Der Fall (14:05:09)");
  EXPECT_EQ(FileName("  #x\n$0$", ""), "#x\nMeier"); // comments go before the trimming
  EXPECT_EQ(FileName("$0$ ($2$)", " + "), "Meier (SWF + NDR)");
  EXPECT_EQ(FileName("$2$/1999", ""), "SWFNDR1999");
  EXPECT_EQ(FileName("H\xc3\xb6rspiel", ""), "H\xf6rspiel");
  EXPECT_EQ(FileName("H\xf6rspiel", ""), "H\xf6rspiel"); // carried over from Windows
  // Values never lead out of the output folder nor break a line, whatever the separator.
  fields[0] = "../../tmp/X";
  fields[1] = "Der\nFall\x7f";
  EXPECT_EQ(FileName("$0$ - $1$", "/"), ".._.._tmp_X - Der_Fall_");
  fields[0] = "..";
  EXPECT_EQ(FileName("$0$", ""), "_");
  EXPECT_EQ(UploadInfoText("Zwei\r\nZeilen"), "Uploadinfo: Zwei  Zeilen");
  fs::remove(workDir + kFileNameTemplate);
  EXPECT_EQ(ExpandFileNameTemplate(workDir, fields, clock, "-"), std::nullopt);
}

TEST_F(TemplatesTest, DescriptionFileIsWrittenBesideTheAudioFileAsUtf8) {
  fs::create_directory(outDir);
  // Trimmed first, so an indented comment line at the start goes as well.
  EXPECT_EQ(Description("\r\n  #x\nAutor: $0$\r\n#weg\nTitel: $1$\r\n\r\n", "Fall"),
            "Autor: Meier\r\nTitel: Der Fall");
  WriteBytes(outDir + "M\xc3\xbcller.txt", std::string(5000, 'x'));
  fields[0] = "f\xfcr";
  EXPECT_EQ(Description("$0$", "M\xfcller"), "f\xc3\xbcr"); // an older file is replaced
  EXPECT_EQ(UploadInfoText("Meier - Der Fall"), "Uploadinfo: Meier - Der Fall");
}

TEST(SystemTemplateClockTest, PicturesOfTheLocaleClock) {
  TemplateClock& clock = SystemTemplateClock();
  const std::string now = clock.LongDate() + " " + clock.ShortDate() + " " + clock.Time();
  EXPECT_TRUE(std::regex_match(now, std::regex("[^ ]+, [1-9][0-9]?\\. [^ ]+ [0-9]{4} "
                                               "[0-3][0-9]/[01][0-9]/[0-9]{4} "
                                               "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
      << now;
}

// Sets the three locale variables for the test's scope; nullptr unsets one.
class LocaleEnvironment {
public:
  LocaleEnvironment(const char* lcAll, const char* lcTime, const char* lang) {
    Set("LC_ALL", lcAll);
    Set("LC_TIME", lcTime);
    Set("LANG", lang);
  }
  ~LocaleEnvironment() {
    for (auto& [name, value] : saved_)
      value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  LocaleEnvironment(const LocaleEnvironment&) = delete;
  LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

std::tm Day(int year, int month, int day, int weekday) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_wday = weekday;
  return time;
}

// A fresh machine has no German locale, often no locale at all: the names stay German there.
TEST(SystemTemplateClockTest, GermanNamesWithoutAUsableLocale) {
  struct Case {
    const char *lcAll, *lcTime, *lang;
  };
  for (const Case& c :
       {Case{nullptr, nullptr, nullptr}, Case{"C", nullptr, "en_US.UTF-8"},
        Case{nullptr, "POSIX", nullptr}, Case{"", "", "C.UTF-8"},
        Case{nullptr, nullptr, "de_DE.UTF-8-nicht-installiert"}, Case{"xx_YY", nullptr, nullptr}}) {
    const LocaleEnvironment environment(c.lcAll, c.lcTime, c.lang);
    SCOPED_TRACE(std::string(c.lcAll ? c.lcAll : "-") + "/" + (c.lcTime ? c.lcTime : "-") + "/" +
                 (c.lang ? c.lang : "-"));
    EXPECT_EQ(LongDateText(Day(2026, 12, 6, 0)), "So, 6. Dez 2026");
    EXPECT_EQ(LongDateText(Day(2025, 3, 3, 1)), "Mo, 3. M\xe4r 2025");
    EXPECT_EQ(LongDateText(Day(999, 10, 31, 6)), "Sa, 31. Okt 0999");
  }
}

} // namespace
} // namespace velmora
