#include <climits>
#include <gtest/gtest.h>

#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

TEST(EncodingTest, EveryByteSurvivesTheRoundTripAndTextsConvertBothWays) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    bytes += static_cast<char>(b);
  EXPECT_EQ(Utf8ToNearestCp1252(Cp1252ToUtf8(bytes)), bytes);
  // The five bytes Windows-1252 leaves undefined map to the C1 controls of the same number.
  const std::string cp1252 = "H\xf6rspiel \x84Nacht\x93 \x96 5 \x80\x9f\x81\x8d\x8f\x90\x9d";
  const std::string utf8 = "Hörspiel „Nacht“ – 5 €Ÿ\u0081\u008d\u008f\u0090\u009d";
  EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
  // Bytes that are not UTF-8 are shown as U+FFFD, or read as Windows-1252 where files may come
  // from Windows.
  for (std::string bad : {"Gr\xfc\xdf", "\xc3", "a\xc0\xafz" /* overlong */,
                          "\xed\xa0\x80" /* surrogate */, "\xf4\x90\x80\x80" /* > U+10FFFF */}) {
    EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_TRUE(IsValidUtf8(ValidUtf8(bad)));
  }
  EXPECT_EQ(ValidUtf8("Gr\xfc\xdf \xc3"), "Gr\uFFFD\uFFFD \uFFFD");
  EXPECT_EQ(Utf8OrCp1252("Gr\xfc\xdf"), "Grüß");
  EXPECT_EQ(Utf8OrCp1252("Čapek"), "Čapek");
}

TEST(EncodingTest, Utf16AndLatin1FormsOfFrameTexts) {
  EXPECT_EQ(Utf16ToUtf8(std::string("H\0\xf6\0r\0\xac\x20", 8), false), "Hör€");
  EXPECT_EQ(Utf16ToUtf8(std::string("\0H\0\xf6\0r\x01\x0c", 8), true), "HörČ");
  // A surrogate pair is one character; an unpaired one is U+FFFD; an odd byte at the end goes.
  EXPECT_EQ(Utf16ToUtf8(std::string("\x3d\xd8\x00\xdex\0\x00\xdcz", 9), false), "😀x\uFFFD");
  EXPECT_EQ(Utf8ToUtf16WithBom("Č😀"), std::string("\xff\xfe\x0c\x01\x3d\xd8\x00\xde", 8));
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16WithBom("Łódź 😀").substr(2), false), "Łódź 😀");
  // Latin-1 only where Windows-1252 reads the same byte back: not its own characters.
  EXPECT_EQ(Utf8ToLatin1("Grüße ÿ\u0081"), "Gr\xfc\xdf"
                                           "e \xff\x81");
  for (const char* wide : {"„Nacht“", "Teil 1 – 2", "’", "…", "€", "Čapek", "\u0080", "\xff"})
    EXPECT_EQ(Utf8ToLatin1(wide), std::nullopt) << wide;
  // Cuts count characters and never split one.
  EXPECT_EQ(FirstCharacters("äöü", 2), "äö");
  EXPECT_EQ(CountCharacters("Čapek 😀"), 7U);
  EXPECT_EQ(SmallLetters("ÄÖÜ ČAPEK Łódź ŸŒ ΩЖЁ x\xff"), "äöü čapek łódź ÿœ ωжё x\uFFFD");
}

TEST(EncodingTest, TextsOfTheWebTakeTheNearestForm) {
  // Windows-1252's own characters stay; hyphens, spaces, invisible marks and Central European
  // letters take their nearest form; the rest is "?".
  EXPECT_EQ(Utf8ToNearestCp1252("„Łódź“ – ‐ − a\u2009b\u200bc ŠŒ ő ı 日"),
            std::string("\x84L\xf3") + "dz\x93 \x96 - - a bc \x8a\x8c o i ?");
  EXPECT_EQ(Utf8ToNearestCp1252("Karel Čapek, Stanisław, Mrożek, Țară ǔ"),
            "Karel Capek, Stanislaw, Mrozek, Tara u");
  EXPECT_EQ(Utf8ToNearestCp1252("\xff kein UTF-8"), "\xff kein UTF-8");
  // A web text keeps its letters; only spaces, invisible marks and hyphens are made plain.
  EXPECT_EQ(WebText("Stanisław\u00a0Lem\u2009\u2011 „Č“\u00ad \xff"), "Stanisław Lem - „Č“ \uFFFD");
}

TEST(StringHelpersTest, TrimTextAndReplaceAll) {
  // Trimming removes only the six ASCII white spaces.
  std::string plain = "  Titel \r\n", high = "\v\f\xa0 a\tb\x85\t";
  TrimText(plain);
  TrimText(high);
  EXPECT_EQ(plain + "|" + high, "Titel|\xa0 a\tb\x85");
  // Replacing works from left to right and refuses overlong texts.
  const std::size_t limit = kTextWorkBufferSize;
  for (auto [text, find, replacement, result, after] :
       std::vector<std::tuple<std::string, std::string, std::string, int, std::string>>{
           {"aaa", "aa", "b", 1, "ba"},
           {"/a/", "/", "//", 2, "//a//"}, // the inserted text is not searched again
           {"abc", "", "y", -2, "abc"},
           {std::string(limit + 1, 'x'), "x", "y", -1, std::string(limit + 1, 'x')},
           {std::string(limit, 'x'), "x", "yy", -3, std::string(limit, 'x')},
           {std::string(limit / 2, 'x'), "x", "yy", int(limit / 2), std::string(limit, 'y')}}) {
    EXPECT_EQ(ReplaceAll(text, find, replacement), result) << find;
    EXPECT_EQ(text, after);
  }
}

TEST(StringHelpersTest, FindMarkerLooksOnlyInsideTheWindowAndCountsSkipTheEnd) {
  // Only the first byte must lie in the window.
  const std::tuple<std::string, std::string, int, int, int, int> rows[] = {
      {"x$jahr$y", "$jahr$", 0, 8, 1, 7},
      {"x$jahr$y", "$jahr$", 2, 6, 14, 14},
      {"x$jahr$y", "$jahr$", 0, 2, 1, 7},
      {"ab$ja", "$jahr$", 0, 1000, 1006, 1006},
      {"abc", "$", INT_MAX - 2, 10, INT_MAX, INT_MAX}};
  for (const auto& [text, marker, start, count, begin, end] : rows) {
    EXPECT_EQ(FindMarker(text, marker, start, count), begin) << text;
    EXPECT_EQ(FindMarkerEnd(text, marker, start, count), end) << text;
  }
  // An occurrence that ends the text is not counted.
  EXPECT_EQ(CountOccurrences("a$end$", "$end$"), 0);
  EXPECT_EQ(CountOccurrences("a$end$ ", "$end$"), 1);
  EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
  EXPECT_EQ(CountOccurrences("abc", ""), 0);
  const std::string text = "$titel1$ a $titel1$ b $titel1$";
  ASSERT_EQ(CountOccurrences(text, "$titel1$"), 2);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 1), 11u);
  EXPECT_EQ(FindNthOccurrence(text, "$titel1$", 2), std::nullopt);
}

TEST(StringHelpersTest, MoveArticleToFrontOnlyForAWholeArticleAtTheEnd) {
  auto moved = [](std::string title) {
    MoveArticleToFront(title);
    return title;
  };
  // Articles of several languages, "Un" and its longer forms among them.
  for (std::string article : {"Der", "Eine", "The", "Gli", "Un", "Unas"})
    EXPECT_EQ(moved("Garten, " + article), article + " Garten");
  const std::string tooLong = std::string(kTextWorkBufferSize - 3, 'x') + ", Der";
  for (const std::string& title :
       {std::string("Garten, der"), std::string("Garten,Der"), std::string("Garten, Der "),
        std::string("Garten, Dera"), std::string(""), tooLong})
    EXPECT_EQ(moved(title), title);
}

} // namespace
} // namespace velmora
