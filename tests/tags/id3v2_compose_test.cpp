#include "core/tags/id3v2.h"

#include <gtest/gtest.h>

#include "core/tags/genres.h"

namespace velmora {
namespace {

using namespace std::string_literals;

Id3v2FrameTexts EmptyTextsWithSpeech() {
  Id3v2FrameTexts texts;
  texts[5] = FormatTconText(kSpeechGenre);
  return texts;
}

TEST(ComposeId3v2TagTest, AllEmptyTagMatchesTheGoldenBytes) {
  const std::string tag = ComposeId3v2Tag(EmptyTextsWithSpeech(), 1024);
  const std::string expected = "ID3\x03\x00\x00\x00\x00\x09\x14"s
                               "TRCK\0\0\0\x01\0\0\0"s
                               "TIT2\0\0\0\x01\0\0\0"s
                               "TPE1\0\0\0\x01\0\0\0"s
                               "TALB\0\0\0\x01\0\0\0"s
                               "TYER\0\0\0\x01\0\0\0"s
                               "TCON\0\0\0\x0c\0\0\0(101)Speech"s
                               "COMM\0\0\0\x05\0\0\0ger\0"s
                               "TCOM\0\0\0\x01\0\0\0"s
                               "TOPE\0\0\0\x01\0\0\0"s
                               "TCOP\0\0\0\x01\0\0\0"s
                               "WXXX\0\0\0\x02\0\0\0\0"s
                               "TENC\0\0\0\x01\x40\0\0"s;
  EXPECT_EQ(tag, expected);
  EXPECT_EQ(tag.size() - 10, 148u);
  EXPECT_EQ(MeasureId3v2Tag(tag), 1182u);
}

TEST(ComposeId3v2TagTest, TextsAreWrittenWholeWithTheirSizes) {
  Id3v2FrameTexts texts = EmptyTextsWithSpeech();
  texts[1] = std::string(70000, 'T');         // beyond the old 9999-byte scratch buffer
  texts[6] = "Teil 1\r\nTeil 2 \xe4\xf6\xfc"; // comment with line break and umlauts
  texts[10] = "http://example.org/";
  const std::string tag = ComposeId3v2Tag(texts, 0);
  const std::size_t title = 10 + 11;
  EXPECT_EQ(tag.substr(title, 10), "TIT2\x00\x01\x11\x71\0\0"s); // 70001 = 0x011171
  EXPECT_EQ(tag.substr(title + 10, 2), "\0T"s);
  const std::size_t comment = tag.find("COMM");
  EXPECT_EQ(tag.substr(comment, 33), "COMM\0\0\0\x17\0\0\0ger\0Teil 1\r\nTeil 2 \xe4\xf6\xfc"s);
  const std::size_t url = tag.find("WXXX");
  EXPECT_EQ(tag.substr(url, 31), "WXXX\0\0\0\x15\0\0\0\0http://example.org/"s);
  EXPECT_EQ(MeasureId3v2Tag(tag), tag.size()); // padding 0: the size counts the frames only
}

TEST(ComposeId3v2TagTest, NegativePaddingCountsAsZero) {
  const std::string withoutPadding = ComposeId3v2Tag(EmptyTextsWithSpeech(), 0);
  EXPECT_EQ(ComposeId3v2Tag(EmptyTextsWithSpeech(), -5), withoutPadding);
  EXPECT_EQ(MeasureId3v2Tag(ComposeId3v2Tag(EmptyTextsWithSpeech(), 1)), 159u);
}

TEST(SyncsafeTest, EncodesSevenBitsPerByte) {
  EXPECT_EQ(EncodeSyncsafe(16383), (std::array<unsigned char, 4>{0x00, 0x00, 0x7F, 0x7F}));
  EXPECT_EQ(EncodeSyncsafe(16384), (std::array<unsigned char, 4>{0x00, 0x01, 0x00, 0x00}));
  EXPECT_EQ(EncodeSyncsafe(268435455), (std::array<unsigned char, 4>{0x7F, 0x7F, 0x7F, 0x7F}));
  EXPECT_EQ(EncodeSyncsafe(1172), (std::array<unsigned char, 4>{0x00, 0x00, 0x09, 0x14}));
}

TEST(MeasureId3v2TagTest, ReadsTheSyncsafeSizeOfAnId3Header) {
  EXPECT_EQ(MeasureId3v2Tag("ID3\x03\x00\x00\x01\x00\x00\x00"s), 2097152u + 10);
  EXPECT_EQ(MeasureId3v2Tag("ID3\x02\x01\xff\x00\x00\x7f\x7f"s), 16383u + 10);
  EXPECT_EQ(MeasureId3v2Tag("ID3\x04\x00\x00\x00\x00\x00\x00"s), 10u);
  EXPECT_EQ(MeasureId3v2Tag("ID3"), 10u); // missing bytes count as zeros
  EXPECT_EQ(MeasureId3v2Tag("\xff\xfb\x90\x00\x00\x00\x00\x00\x00\x00"s), 0u);
  EXPECT_EQ(MeasureId3v2Tag("id3\x03\x00\x00\x00\x00\x01\x00"s), 0u);
  EXPECT_EQ(MeasureId3v2Tag(""), 0u);
}

TEST(Id3v2RoundTripTest, ParsingTheOwnTagGivesBackEveryTextByteForByte) {
  Id3v2FrameTexts texts;
  for (std::size_t i = 0; i < kWrittenFrameCount; ++i)
    texts[i] = "Text " + std::to_string(i);
  texts[1] = "Der Garten \x84"
             "2v3\x93 \x80\x81\x8d\xff";
  texts[6] = "Inhalt:\r\n" + std::string(20000, 'x');
  texts[5] = FormatTconText(40);
  for (long padding : {0L, 1024L}) {
    const std::string tag = ComposeId3v2Tag(texts, padding);
    const std::string file = tag + std::string(static_cast<std::size_t>(padding), '\0');
    const auto frames = ParseId3v2Frames(file.substr(0, MeasureId3v2Tag(file)));
    const char* ids[] = {"TRCK", "TIT2", "TPE1", "TALB", "TYER", "COMM",
                         "TCOM", "TOPE", "TCOP", "WXXX", "TENC"};
    const std::size_t slots[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}; // TCON is not read
    ASSERT_EQ(frames.size(), 11u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].id, ids[i]);
      EXPECT_EQ(frames[i].text, texts[slots[i]]) << ids[i];
    }
  }
}

TEST(Id3v2RoundTripTest, EmptyTextsComeBackEmpty) {
  const std::string tag = ComposeId3v2Tag(EmptyTextsWithSpeech(), 1024);
  const auto frames = ParseId3v2Frames(tag + std::string(1024, '\0'));
  ASSERT_EQ(frames.size(), 11u);
  for (const Id3v2Frame& frame : frames)
    EXPECT_EQ(frame.text, "") << frame.id;
}

} // namespace
} // namespace velmora
