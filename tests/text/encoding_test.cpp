#include "core/text/encoding.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(EncodingTest, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    bytes += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
}

TEST(EncodingTest, ConvertsBothWays) {
  const std::pair<std::string, std::string> rows[] = {
      // {Windows-1252, UTF-8}; the five undefined bytes map to the C1 controls.
      {"H\xf6rspiel \x84"
       "Der Garten\x93 \x96 5 \x80\x9f",
       "Hörspiel „Der Garten“ – 5 €Ÿ"},
      {"\x81\x8d\x8f\x90\x9d", "\u0081\u008d\u008f\u0090\u009d"}};
  for (const auto& [cp1252, utf8] : rows) {
    EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
  }
  // Characters outside Windows-1252 (U+0080 included: its byte is the euro) become "?".
  EXPECT_EQ(Utf8ToCp1252("Łódź a😀b \u0080"), "?\xf3"
                                             "d? a?b ?");
}

TEST(EncodingTest, InvalidUtf8IsTakenAsWindows1252Unchanged) {
  for (std::string bad : {"Gr\xfc\xdf"
                          "e",
                          "\xc3", "a\xc0\xafz" /* overlong */, "\xed\xa0\x80" /* surrogate */,
                          "\xf4\x90\x80\x80" /* beyond U+10FFFF */}) {
    EXPECT_EQ(Utf8ToCp1252(bad), bad);
  }
}

TEST(EncodingTest, Utf16InBothByteOrders) {
  EXPECT_EQ(Utf16ToCp1252(std::string("H\0\xf6\0r\0\xac\x20", 8), false), "H\xf6r\x80");
  EXPECT_EQ(Utf16ToCp1252(std::string("\0H\0\xf6\0r", 6), true), "H\xf6r");
  // A surrogate pair is one character outside Windows-1252; unpaired halves and an odd byte go.
  EXPECT_EQ(Utf16ToCp1252(std::string("\x3d\xd8\x00\xdex\0\x3d\xd8y\0\x00\xdcz", 11), false),
            "?xy");
}

} // namespace
} // namespace velmora
