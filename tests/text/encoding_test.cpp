#include "core/text/encoding.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    bytes += static_cast<char>(b);
  return bytes;
}

TEST(EncodingTest, EveryByteSurvivesTheRoundTripThroughUtf8) {
  const std::string bytes = AllBytes();
  const std::string utf8 = Cp1252ToUtf8(bytes);
  EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(EncodingTest, GermanTextAndTheHighControlsMapToTheirCodePoints) {
  EXPECT_EQ(Cp1252ToUtf8("H\xf6rspiel \xfc\xdf"), "Hörspiel üß");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(Cp1252ToUtf8("\x84\x93"), "„“");
  EXPECT_EQ(Cp1252ToUtf8("\x9f"), "Ÿ");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8d\x8f\x90\x9d"), "\u0081\u008d\u008f\u0090\u009d");
  EXPECT_EQ(Utf8ToCp1252("Hörspiel „Der Garten“ – 5 €"), "H\xf6rspiel \x84"
                                                         "Der Garten\x93 \x96 5 \x80");
}

TEST(EncodingTest, CharactersOutsideWindows1252BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("Łódź"), "?\xf3"
                                  "d?");
  EXPECT_EQ(Utf8ToCp1252("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\u0080"), "?"); // a C1 control that Windows-1252 spends on the euro
  EXPECT_EQ(CodePointToCp1252(0x20AC), '\x80');
  EXPECT_EQ(CodePointToCp1252(0x0100), '?');
}

TEST(EncodingTest, InvalidUtf8IsTakenAsWindows1252Unchanged) {
  for (std::string bad : {std::string("Gr\xfc\xdf"
                                      "e"),
                          std::string("\xc3"),
                          std::string("a\xc0\xafz"),       // overlong '/'
                          std::string("\xed\xa0\x80"),     // surrogate
                          std::string("\xf4\x90\x80\x80"), // beyond U+10FFFF
                          std::string("\xe2\x82")}) {
    EXPECT_EQ(Utf8ToCp1252(bad), bad);
  }
}

TEST(EncodingTest, Utf16InBothByteOrders) {
  EXPECT_EQ(Utf16ToCp1252(std::string("H\0\xf6\0r\0", 6), false), "H\xf6r");
  EXPECT_EQ(Utf16ToCp1252(std::string("\0H\0\xf6\0r", 6), true), "H\xf6r");
  EXPECT_EQ(Utf16ToCp1252(std::string("\xac\x20", 2), false), "\x80");
  // A surrogate pair is one character outside Windows-1252; unpaired halves and an odd byte go.
  EXPECT_EQ(Utf16ToCp1252(std::string("\x3d\xd8\x00\xdex\0", 6), false), "?x");
  EXPECT_EQ(Utf16ToCp1252(std::string("\x3d\xd8x\0\x00\xdc", 6), false), "x");
  EXPECT_EQ(Utf16ToCp1252(std::string("a\0b", 3), false), "a");
  EXPECT_EQ(Utf16ToCp1252("", true), "");
}

} // namespace
} // namespace velmora
