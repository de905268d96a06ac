#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/form/play_parts.h"
#include "core/model/messages.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

// One line a play, "author|title|station|year|count: 1=A1 3=A3 -2 !D3": the parts by number and
// label, the missing numbers, the strays; then "outside M" for names outside the habit.
std::vector<std::string> Summaries(const PlayGrouping& grouping,
                                   const std::map<std::string, std::string>& labels) {
  std::vector<std::string> lines;
  for (const Play& play : grouping.plays) {
    std::string line = play.author + "|" + play.title + "|" + play.station + "|" + play.year + "|" +
                       std::to_string(play.partCount) + ":";
    for (const PlayPart& part : play.parts)
      line += " " + std::to_string(part.partNumber) + "=" + labels.at(part.path);
    for (int missing : play.missing)
      line += " -" + std::to_string(missing);
    for (const StrayFile& stray : play.strays)
      line += " !" + labels.at(stray.path);
    lines.push_back(line);
  }
  for (const StrayFile& stray : grouping.outside)
    lines.push_back("outside " + labels.at(stray.path));
  return lines;
}

class PlayGroupingTest : public ::testing::Test {
protected:
  PlayGroupingTest() {
    std::filesystem::create_directory(dir.path() / "sub");
    for (const auto& [label, name] : kFiles) {
      paths.push_back(dir.file(name));
      labels[paths.back()] = label;
      if (label != "L2") WriteBytes(paths.back(), label);
    }
    // Part 2 is a symbolic link to part 1's file, listed before it.
    std::filesystem::create_symlink(paths[1], paths[0]);
  }
  static constexpr std::pair<std::string_view, std::string_view> kFiles[] = {
      {"L2", "Anna Berger - Stille Garten 2v3 - RBX, 01.mp3"},
      {"A1", "Anna Berger - Stille Garten 1v3 - RBX, 01.mp3"},
      {"A3", "Anna Berger - Stille Garten 3v3 - RBX, 01.mp3"},
      {"D3", "sub/Anna Berger - Stille Garten 3v3 - RBX, 01.mp3"},
      {"Y2", "Anna Berger - Stille Garten 2v3 - RBX, 02.mp3"},
      {"H1", "Hans Berger - Stille Garten 1v3 - RBX, 01.mp3"},
      {"A4", "Anna Berger - Stille Garten 4v3 - RBX, 01.mp3"},
      {"O", "Otto Lenz - Das Haus - WDR, 1999.mp3"},
      {"O2", "sub/Otto Lenz - Das Haus - WDR, 1999.mp2"},
      {"M", "Mitschnitt vom Sonntag.mp3"},
  };
  TempDir dir;
  std::vector<std::string> paths;
  std::map<std::string, std::string> labels;
};

TEST_F(PlayGroupingTest, PlaysByWholeAuthorTitleStationYearAndCountWithTheirGapsAndStrays) {
  const PlayGrouping grouping = GroupPlays(paths, "");
  EXPECT_EQ(Summaries(grouping, labels),
            (std::vector<std::string>{
                "Anna Berger|Stille Garten|RBX|2001|3: 1=A1 3=A3 -2 !D3 !A4 !L2",
                "Anna Berger|Stille Garten|RBX|2002|3: 2=Y2 -1 -3",
                "Hans Berger|Stille Garten|RBX|2001|3: 1=H1 -2 -3",
                "Otto Lenz|Das Haus|WDR|1999|0: 0=O !O2",
                "outside M",
            }));
  std::vector<std::string> whys;
  for (const StrayFile& stray : grouping.plays[0].strays)
    whys.push_back(stray.why);
  EXPECT_EQ(whys, (std::vector<std::string>{messages::SecondFileForPart(3, paths[2]),
                                            messages::PartBeyondCount("4v3"),
                                            messages::LinkToOtherPart(paths[1])}));
  EXPECT_EQ(grouping.outside[0].why, messages::NameOutsideHabit());
}

TEST_F(PlayGroupingTest, TheLoadedFilesPlayWithTheLoadedFileAsItsPart) {
  const auto play = FindPlayOf(paths[3], paths, "");
  ASSERT_TRUE(play);
  EXPECT_EQ(Summaries({{*play}, {}}, labels),
            std::vector<std::string>{"Anna Berger|Stille Garten|RBX|2001|3: 1=A1 3=D3 -2 !A3 "
                                     "!A4 !L2"});
  EXPECT_FALSE(FindPlayOf(paths[7], paths, "")); // a play in one file has no other parts
  // A separator that stands for "/" between stations is read as the loading reads it.
  EXPECT_EQ(
      FindPlayOf("/d/A B - T 1v2 - DLF+DLR, 19.mp3", {"/d/A B - T 2v2 - DLF+DLR, 19.mp3"}, "+")
          ->parts.size(),
      2U);
}

TEST(PlayPartsTest, TitleTakesTheOtherPartsDesignation) {
  struct Case {
    const char *title, *loaded, *part, *expected;
  };
  for (const Case& c : {
           Case{"Die Glocke 1v3", "1v3", "2v3", "Die Glocke 2v3"},
           Case{"Die Glocke (1v3) von 1v3", "1v3", "3v3", "Die Glocke (1v3) von 3v3"},
           Case{"Die Glocke 11v3", "1v3", "2v3", "Die Glocke 11v3 2v3"}, // not a whole word
           Case{"Die Glocke", "1v3", "2v3", "Die Glocke 2v3"},
           Case{"", "1v3", "2v3", ""}, // an empty ID3v1 title stays empty
           Case{"Die Glocke 1v3", "", "2v3", "Die Glocke 1v3"},
       })
    EXPECT_EQ(PartTitle(c.title, c.loaded, c.part), c.expected) << c.title;
}

} // namespace
} // namespace velmora::test
