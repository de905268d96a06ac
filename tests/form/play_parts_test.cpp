#include <gtest/gtest.h>

#include "core/form/play_parts.h"

namespace velmora {
namespace {

std::vector<std::string> PathsOf(const std::vector<PlayPart>& parts) {
  std::vector<std::string> paths;
  for (const PlayPart& part : parts)
    paths.push_back(part.path + "=" + part.partDesignation + "/" + std::to_string(part.partNumber));
  return paths;
}

TEST(PlayPartsTest, SameAuthorTitleStationAndCountInPartOrder) {
  const std::vector<std::string> listed = {
      "/d/Marta Quell - Die Glocke 3v3 - RBX, 14.mp3",
      "/d/Marta Quell - Die Glocke 1v3 - RBX, 14.mp3",
      "/d/Marta Quell - Die Glocke 2v4 - RBX, 14.mp3",   // another count
      "/d/Marta Quell - Die Glocke 2v3 - WDR, 14.mp3",   // another station
      "/d/Marta Quell - Die Glocken 2v3 - RBX, 14.mp3",  // another title
      "/d/Otto Quell - Die Glocke 2v3 - RBX, 14.mp3",    // same last name: the same author
      "/d/Marta Quell - Die Glocke - RBX, 14.mp3",       // no designation
      "/d/x/Marta Quell - Die Glocke 3v3 - RBX, 14.mp3", // the third part again, in another folder
      "/d/Marta Quell - Die Glocke 2v3 - RBX, 99.mp3",   // the year does not matter
  };
  EXPECT_EQ(PathsOf(FindPlayParts("/d/Marta Quell - Die Glocke 2v3 - RBX, 99.mp3", listed, "")),
            (std::vector<std::string>{"/d/Marta Quell - Die Glocke 1v3 - RBX, 14.mp3=1v3/1",
                                      "/d/Marta Quell - Die Glocke 2v3 - RBX, 99.mp3=2v3/2",
                                      "/d/Marta Quell - Die Glocke 3v3 - RBX, 14.mp3=3v3/3"}));
  // The loaded file keeps its number when another file names the same part; it needs no entry.
  EXPECT_EQ(PathsOf(FindPlayParts("/e/Otto Quell - Die Glocke 2v3 - RBX, 14.mp3",
                                  {"/d/Marta Quell - Die Glocke 2v3 - WDR, 14.mp3"}, "")),
            std::vector<std::string>{"/e/Otto Quell - Die Glocke 2v3 - RBX, 14.mp3=2v3/2"});
  EXPECT_TRUE(FindPlayParts("/d/Marta Quell - Die Glocke - RBX, 14.mp3", listed, "").empty());
  // A separator that stands for "/" between stations is read as the loading reads it.
  EXPECT_EQ(
      FindPlayParts("/d/A B - T 1v2 - DLF+DLR, 19.mp3", {"/d/A B - T 2v2 - DLF+DLR, 19.mp3"}, "+")
          .size(),
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
} // namespace velmora
