#include "core/text/string_helpers.h"

#include <climits>
#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(StringHelpersTest, TrimTextRemovesOnlyTheSixAsciiWhiteSpaces) {
  for (auto [text, trimmed] : {std::pair<std::string, std::string>{"  Titel \r\n", "Titel"},
                               {"\t\t", ""},
                               {"\v\fa b\tc\f\v", "a b\tc"},
                               {"Titel\xa0", "Titel\xa0"},
                               {"\x85x\x85", "\x85x\x85"}}) {
    TrimText(text);
    EXPECT_EQ(text, trimmed);
  }
}

TEST(StringHelpersTest, ReplaceAllWorksLeftToRightAndRefusesOverlongTexts) {
  const std::size_t limit = kTextWorkBufferSize;
  struct Row {
    std::string text, find, replacement;
    int result;
    std::string after;
  };
  for (Row row : std::vector<Row>{
           {"a<br />b<br />", "<br />", "\r\n", 2, "a\r\nb\r\n"},
           {"aaa", "aa", "b", 1, "ba"},
           {"/a/", "/", "//", 2, "//a//"}, // the inserted text is not searched again
           {"abc", "abcd", "z", 0, "abc"},
           {"abc", "", "y", -2, "abc"},
           {std::string(limit + 1, 'x'), "x", "y", -1, std::string(limit + 1, 'x')},
           {std::string(limit, 'x'), "x", "yy", -3, std::string(limit, 'x')},
           {std::string(limit / 2, 'x'), "x", "yy", int(limit / 2), std::string(limit, 'y')}}) {
    EXPECT_EQ(ReplaceAll(row.text, row.find, row.replacement), row.result) << row.find;
    EXPECT_EQ(row.text, row.after);
  }
}

TEST(StringHelpersTest, FindMarkerLooksOnlyInsideTheWindowAndTheText) {
  struct Row {
    std::string text, marker;
    int start, count, begin, end;
  };
  for (const Row& row : std::vector<Row>{
           {"x$jahr$y", "$jahr$", 0, 8, 1, 7},
           {"x$jahr$y", "$jahr$", 2, 6, 14, 14},
           {"x$jahr$y", "$jahr$", 0, 2, 1, 7}, // only the first byte must lie in the window
           {"x$jahr$y", "$jahr$", 3, -2, 9, 9},
           {"$ja $jahr$ $jahr$", "$jahr$", 0, 17, 4, 10},
           {"ab$ja", "$jahr$", 0, 1000, 1006, 1006},
           {"abc", "$", INT_MAX - 2, 10, INT_MAX, INT_MAX}}) {
    EXPECT_EQ(FindMarker(row.text, row.marker, row.start, row.count), row.begin) << row.text;
    EXPECT_EQ(FindMarkerEnd(row.text, row.marker, row.start, row.count), row.end) << row.text;
  }
}

TEST(StringHelpersTest, OccurrencesEndingTheTextAreNotCounted) {
  EXPECT_EQ(CountOccurrences("a$end$", "$end$"), 0);
  EXPECT_EQ(CountOccurrences("a$end$ ", "$end$"), 1);
  EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
  EXPECT_EQ(CountOccurrences("abc", ""), 0);
  const std::string text = "$titel1$ a $titel1$ b $titel1$";
  ASSERT_EQ(CountOccurrences(text, "$titel1$"), 2);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 1), 11u);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 2), std::nullopt);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", -1), std::nullopt);
}

TEST(StringHelpersTest, MoveArticleToFrontKnowsEighteenEndings) {
  auto moved = [](std::string title) {
    MoveArticleToFront(title);
    return title;
  };
  for (std::string article : {"Der", "Die", "Das", "Ein", "Eine", "The", "Le", "La", "Les", "Las",
                              "Los", "Gli", "Uno", "Une", "Una", "Unas", "Unos", "Un"})
    EXPECT_EQ(moved("Garten, " + article), article + " Garten");
  const std::string tooLong = std::string(kTextWorkBufferSize - 3, 'x') + ", Der";
  for (const std::string& title :
       {std::string("Garten, der"), std::string("Garten,Der"), std::string("Garten, Der "),
        std::string("Garten, Dera"), std::string(""), tooLong})
    EXPECT_EQ(moved(title), title);
}

} // namespace
} // namespace velmora
