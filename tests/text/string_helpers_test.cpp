#include "core/text/string_helpers.h"

#include <climits>
#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string Trimmed(std::string text) {
  TrimText(text);
  return text;
}

TEST(TrimTextTest, RemovesTheSixWhiteSpaceBytesAtBothEndsOnly) {
  EXPECT_EQ(Trimmed("  Titel \r\n"), "Titel");
  EXPECT_EQ(Trimmed("\t\t"), "");
  EXPECT_EQ(Trimmed(""), "");
  EXPECT_EQ(Trimmed("\v\fa b\tc\f\v"), "a b\tc");
  EXPECT_EQ(Trimmed("Titel\xa0"), "Titel\xa0");
  EXPECT_EQ(Trimmed("\x85x\x85"), "\x85x\x85");
  EXPECT_EQ(Trimmed("x"), "x");
}

TEST(ReplaceAllTest, ReplacesLeftToRightWithoutOverlapOrRescan) {
  std::string text = "a<br />b<br />";
  EXPECT_EQ(ReplaceAll(text, "<br />", "\r\n"), 2);
  EXPECT_EQ(text, "a\r\nb\r\n");

  text = "aaa";
  EXPECT_EQ(ReplaceAll(text, "aa", "b"), 1);
  EXPECT_EQ(text, "ba");

  text = "/a/";
  EXPECT_EQ(ReplaceAll(text, "/", "//"), 2); // the inserted text is not searched again
  EXPECT_EQ(text, "//a//");

  text = "abc";
  EXPECT_EQ(ReplaceAll(text, "x", "y"), 0);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(ReplaceAll(text, "b", ""), 1);
  EXPECT_EQ(text, "ac");
  EXPECT_EQ(ReplaceAll(text, "abcd", "z"), 0); // find longer than the rest of the text
}

TEST(ReplaceAllTest, RefusesTooLongTextsEmptyFindAndOverlongResults) {
  std::string text(kTextWorkBufferSize + 1, 'x');
  EXPECT_EQ(ReplaceAll(text, "x", "y"), -1);
  EXPECT_EQ(text, std::string(kTextWorkBufferSize + 1, 'x'));

  text = "abc";
  EXPECT_EQ(ReplaceAll(text, "", "y"), -2);
  EXPECT_EQ(text, "abc");

  text = std::string(kTextWorkBufferSize, 'x'); // exactly the limit is accepted
  EXPECT_EQ(ReplaceAll(text, "x", "y"), static_cast<int>(kTextWorkBufferSize));
  EXPECT_EQ(text, std::string(kTextWorkBufferSize, 'y'));

  text = std::string(kTextWorkBufferSize, 'x');
  EXPECT_EQ(ReplaceAll(text, "x", "yy"), -3);
  EXPECT_EQ(text, std::string(kTextWorkBufferSize, 'x'));

  text = std::string(kTextWorkBufferSize / 2, 'x');
  EXPECT_EQ(ReplaceAll(text, "x", "yy"), static_cast<int>(kTextWorkBufferSize / 2));
  EXPECT_EQ(text.size(), kTextWorkBufferSize);
}

TEST(FindMarkerTest, FindsInTheWindowAndReportsTheWindowEndOtherwise) {
  EXPECT_EQ(FindMarker("x$jahr$y", "$jahr$", 0, 8), 1);
  EXPECT_EQ(FindMarkerEnd("x$jahr$y", "$jahr$", 0, 8), 7);
  EXPECT_EQ(FindMarker("x$jahr$y", "$jahr$", 2, 6), 14);
  EXPECT_EQ(FindMarkerEnd("x$jahr$y", "$jahr$", 2, 6), 14);
  // Only the first byte must lie inside the window.
  EXPECT_EQ(FindMarker("x$jahr$y", "$jahr$", 0, 2), 1);
  EXPECT_EQ(FindMarker("x$jahr$y", "$jahr$", 0, 1), 7);
  // A negative count does not move the window's end before its start.
  EXPECT_EQ(FindMarker("x$jahr$y", "$jahr$", 3, -2), 3 + 6);
  // The first of several occurrences wins; a partial match is passed over.
  EXPECT_EQ(FindMarker("$ja $jahr$ $jahr$", "$jahr$", 0, 17), 4);
}

TEST(FindMarkerTest, NeverLooksBeyondTheText) {
  // A window that reaches past the end, and a marker cut off by the end, find nothing.
  EXPECT_EQ(FindMarker("ab$ja", "$jahr$", 0, 1000), 1000 + 6);
  EXPECT_EQ(FindMarkerEnd("ab$ja", "$jahr$", 0, 1000), 1006);
  EXPECT_EQ(FindMarker("", "$", 0, 10), 11);
  EXPECT_EQ(FindMarker("abc", "", 0, 3), 3);
  EXPECT_EQ(FindMarker("$x", "$", -5, 10), 0);
  EXPECT_EQ(FindMarker("abc", "$", INT_MAX - 2, 10), INT_MAX);
}

TEST(CountOccurrencesTest, SkipsTheLastPositionAndCountsOverlaps) {
  EXPECT_EQ(CountOccurrences("a$end$", "$end$"), 0);
  EXPECT_EQ(CountOccurrences("a$end$ ", "$end$"), 1);
  EXPECT_EQ(CountOccurrences("$end$", "$end$"), 0);
  EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2); // positions 0 and 1; 2 ends the text
  EXPECT_EQ(CountOccurrences("", "x"), 0);
  EXPECT_EQ(CountOccurrences("abc", ""), 0);
}

TEST(FindNthOccurrenceTest, CountsAsCountOccurrencesCounts) {
  const std::string text = "$titel1$ a $titel1$ b $titel1$";
  ASSERT_EQ(CountOccurrences(text, "$titel1$"), 2);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 0), 0u);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 1), 11u);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 2), std::nullopt);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", -1), std::nullopt);
  EXPECT_EQ(FindNthOccurrence("aaaa", "aa", 1), 1u);
}

std::string WithArticleInFront(std::string title) {
  MoveArticleToFront(title);
  return title;
}

TEST(MoveArticleToFrontTest, MovesEachOfTheEighteenEndings) {
  EXPECT_EQ(WithArticleInFront("Garten, Der"), "Der Garten");
  EXPECT_EQ(WithArticleInFront("Rose, Una"), "Una Rose");
  EXPECT_EQ(WithArticleInFront("Nacht, Eine"), "Eine Nacht");
  EXPECT_EQ(WithArticleInFront("Chat, Un"), "Un Chat");
  EXPECT_EQ(WithArticleInFront("Hombres, Unos"), "Unos Hombres");
  EXPECT_EQ(WithArticleInFront(", Der"), "Der ");
  for (std::string article : {"Der", "Die", "Das", "Ein", "Eine", "The", "Le", "La", "Les", "Las",
                              "Los", "Gli", "Uno", "Une", "Una", "Unas", "Unos", "Un"}) {
    EXPECT_EQ(WithArticleInFront("X, " + article), article + " X");
  }
}

TEST(MoveArticleToFrontTest, LeavesOtherTitlesAlone) {
  for (std::string title :
       {"Garten, der", "Garten,Der", "Garten, Der ", "Der", "Der Garten", "", "Garten, Dera"}) {
    EXPECT_EQ(WithArticleInFront(title), title);
  }
  std::string huge(kTextWorkBufferSize + 2 - 5, 'x');
  huge += ", Der";
  EXPECT_EQ(WithArticleInFront(huge), huge);
  std::string fits(kTextWorkBufferSize + 1 - 5, 'x');
  EXPECT_EQ(WithArticleInFront(fits + ", Der").size(), kTextWorkBufferSize);
}

TEST(ParseLeadingIntTest, ReadsAsAtoiReads) {
  EXPECT_EQ(ParseLeadingInt("1024"), 1024);
  EXPECT_EQ(ParseLeadingInt("  \t-17x"), -17);
  EXPECT_EQ(ParseLeadingInt("+5"), 5);
  EXPECT_EQ(ParseLeadingInt("abc"), 0);
  EXPECT_EQ(ParseLeadingInt("- 5"), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), INT_MIN);
}

} // namespace
} // namespace velmora
