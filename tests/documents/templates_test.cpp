// Templates with a fixed clock: Monday, 3 March 2025, 14:05:09 as a German Windows writes it.
#include "core/documents/templates.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <regex>
#include <tuple>
#include <vector>

#include "core/documents/output_documents.h"
#include "core/documents/template_clock.h"
#include "core/text/encoding.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class FixedClock : public TemplateClock {
public:
  std::string LongDate() override { return "Mo, 3. Mär 2025"; }
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
    return ReadBytes(outDir + name + ".txt");
  }

  TempDir dir;
  const std::string workDir = dir.path().string() + "/", outDir = dir.file("out") + "/";
  TemplateFields fields{"Meier", "Der Fall", "SWF/NDR", "", "A$1$B", "$1$"};
  FixedClock clock;
};

TEST_F(TemplatesTest, MarkersExpandSlotsDatesAndTimesInPlace) {
  for (auto [text, expanded] : std::vector<std::pair<std::string, std::string>>{
           {"Autor: $0$\r\nTitel: $01$", "Autor: Meier\r\nTitel: Der Fall"},
           {"[$D$] [$d$] [$T$] [$t$]", "[Mo, 3. Mär 2025] [03/03/2025] [14:05:09] [14:05:09]"},
           // Only the byte after the opening "$" decides; unknown ones and "$$" give nothing.
           // A value is inserted literally, markers in it included.
           {"$Datum$ $time$ $4 Inhalt$|a$x$b$$c", "Mo, 3. Mär 2025 14:05:09 A$1$B|abc"},
           {";$0$ - $1$", ";$0$ - $1$"},
           {" ;$0$", " ;Meier"},
           {"<$3$><$11$><$12$><$13$>", "<><><><>"},
           // Behind an empty value the scan resumes one byte further on, so the next "$" is
           // skipped; behind a value it resumes right after it.
           {"$11$$D$", "$D$"},
           {"$11$$D$ und $0$", "$D0$"},
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

TEST_F(TemplatesTest, FileNameTemplate) {
  EXPECT_EQ(FileName("# Vorschlag\r\n  $0$ - $1$ ($T$)  \r\n", ""), "Meier - Der Fall (14:05:09)");
  EXPECT_EQ(FileName("  #x\n$0$", ""), "#x\nMeier"); // comments go before the trimming
  EXPECT_EQ(FileName("$0$ ($2$)", " + "), "Meier (SWF + NDR)");
  EXPECT_EQ(FileName("$2$/1999", ""), "SWFNDR1999");
  EXPECT_EQ(FileName("Hörspiel Čapek", ""), "Hörspiel Čapek");
  EXPECT_EQ(FileName("H\xf6rspiel", ""), "Hörspiel"); // carried over from Windows
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
  fields[0] = "für";
  EXPECT_EQ(Description("$0$", "Müller"), "f\xc3\xbcr"); // an older file is replaced
}

TEST(SystemTemplateClockTest, PicturesOfTheLocaleClock) {
  TemplateClock& clock = SystemTemplateClock();
  const std::string now = clock.LongDate() + " " + clock.ShortDate() + " " + clock.Time();
  EXPECT_TRUE(std::regex_match(now, std::regex("[^ ]+, [1-9][0-9]?\\. [^ ]+ [0-9]{4} "
                                               "[0-3][0-9]/[01][0-9]/[0-9]{4} "
                                               "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
      << now;
}

// A fresh machine has no German locale, often no locale at all: the names stay German there.
TEST(SystemTemplateClockTest, GermanNamesWithoutAUsableLocale) {
  const auto longDate = [](int year, int month, int day, int weekday) {
    std::tm time{};
    std::tie(time.tm_year, time.tm_mon, time.tm_mday, time.tm_wday) =
        std::tuple(year - 1900, month - 1, day, weekday);
    return LongDateText(time);
  };
  const char* const names[] = {"LC_ALL", "LC_TIME", "LANG"};
  std::optional<std::string> saved[3];
  for (std::size_t i = 0; i < 3; ++i)
    if (const char* old = std::getenv(names[i])) saved[i] = old;
  // LC_ALL, LC_TIME and LANG; nullptr unsets one.
  for (const auto& locale : std::vector<std::array<const char*, 3>>{
           {nullptr, nullptr, nullptr},
           {"C", nullptr, "en_US.UTF-8"},
           {nullptr, "POSIX", nullptr},
           {"", "", "C.UTF-8"},
           {nullptr, nullptr, "de_DE.UTF-8-nicht-installiert"}}) {
    for (std::size_t i = 0; i < 3; ++i)
      locale[i] ? ::setenv(names[i], locale[i], 1) : ::unsetenv(names[i]);
    EXPECT_EQ(longDate(2026, 12, 6, 0) + "|" + longDate(2025, 3, 3, 1) + "|" +
                  longDate(999, 10, 31, 6),
              "So, 6. Dez 2026|Mo, 3. Mär 2025|Sa, 31. Okt 0999")
        << (locale[0] ? locale[0] : "-") << "|" << (locale[1] ? locale[1] : "-");
  }
  for (std::size_t i = 0; i < 3; ++i)
    saved[i] ? ::setenv(names[i], saved[i]->c_str(), 1) : ::unsetenv(names[i]);
}

} // namespace
} // namespace velmora::test
