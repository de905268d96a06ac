// Velmora's own ID3v2.3 tags, and tags as other programs write them, built byte by byte after the
// ID3v2.2.0, 2.3.0 and 2.4.0 standards.
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

TEST(Id3v2ComposeTest, AllEmptyTagMatchesTheGoldenBytes) {
  const std::string tag = ComposeId3v2Tag(EmptyTextsWithSpeech(), 1024);
  EXPECT_EQ(tag, "ID3\x03\x00\x00\x00\x00\x09\x14"
                 "TRCK\0\0\0\x01\0\0\0"
                 "TIT2\0\0\0\x01\0\0\0"
                 "TPE1\0\0\0\x01\0\0\0"
                 "TALB\0\0\0\x01\0\0\0"
                 "TYER\0\0\0\x01\0\0\0"
                 "TCON\0\0\0\x0c\0\0\0(101)Speech"
                 "COMM\0\0\0\x05\0\0\0ger\0"
                 "TCOM\0\0\0\x01\0\0\0"
                 "TOPE\0\0\0\x01\0\0\0"
                 "TCOP\0\0\0\x01\0\0\0"
                 "WXXX\0\0\0\x02\0\0\0\0"
                 "TENC\0\0\0\x01\x40\0\0"s);
  EXPECT_EQ(tag.size() - 10, 148u);
  EXPECT_EQ(MeasureId3v2Tag(tag), 1182u);
  EXPECT_EQ(ComposeId3v2Tag(EmptyTextsWithSpeech(), -5),
            ComposeId3v2Tag(EmptyTextsWithSpeech(), 0));
}

TEST(Id3v2ComposeTest, SyncsafeSizes) {
  using Bytes = std::array<unsigned char, 4>;
  EXPECT_EQ(EncodeSyncsafe(16383), (Bytes{0x00, 0x00, 0x7F, 0x7F}));
  EXPECT_EQ(EncodeSyncsafe(16384), (Bytes{0x00, 0x01, 0x00, 0x00}));
  EXPECT_EQ(EncodeSyncsafe(268435455), (Bytes{0x7F, 0x7F, 0x7F, 0x7F}));
  EXPECT_EQ(MeasureId3v2Tag("ID3\x03\x00\x00\x01\x00\x00\x00"s), 2097152u + 10);
  EXPECT_EQ(MeasureId3v2Tag("ID3"), 10u); // missing bytes count as zeros
  EXPECT_EQ(MeasureId3v2Tag("id3\x03\x00\x00\x00\x00\x01\x00"s), 0u);
}

TEST(Id3v2ComposeTest, ParsingTheOwnTagGivesBackEveryTextByteForByte) {
  Id3v2FrameTexts texts;
  for (std::size_t i = 0; i < kWrittenFrameCount; ++i)
    texts[i] = "Text " + std::to_string(i);
  texts[1] = std::string(70000, 'T'); // beyond the old 9999-byte scratch buffer
  texts[6] = "Teil 1\r\nTeil 2 \x84\xe4\x93 \x80\x81\x8d\xff";
  const std::string tag = ComposeId3v2Tag(texts, 0);
  EXPECT_EQ(tag.substr(tag.find("TIT2"), 12), "TIT2\0\1\x11\x71\0\0\0T"s); // 70001 = 0x011171
  EXPECT_NE(tag.find("COMM\0\0\0\x1c\0\0\0ger\0Teil 1\r\n"s), std::string::npos);
  EXPECT_NE(tag.find("WXXX\0\0\0\x09\0\0\0\0Text 10"s), std::string::npos);
  for (const Id3v2FrameTexts& sample : {texts, EmptyTextsWithSpeech()}) {
    const auto frames = ParseId3v2Frames(ComposeId3v2Tag(sample, 1024) + std::string(1024, '\0'));
    const std::size_t slots[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}; // TCON is not read
    ASSERT_EQ(frames.size(), 11u);
    for (std::size_t i = 0; i < frames.size(); ++i)
      EXPECT_EQ(frames[i].text, sample[slots[i]]) << frames[i].id;
  }
}

std::string BigEndian(std::size_t value, int bytes, int bitsPerByte = 8) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i)
    out += static_cast<char>((value >> (i * bitsPerByte)) & ((1u << bitsPerByte) - 1));
  return out;
}
std::string Frame22(const std::string& id, const std::string& body) {
  return id + BigEndian(body.size(), 3) + body;
}
std::string Frame23(const std::string& id, const std::string& body, char formatFlags = 0) {
  return id + BigEndian(body.size(), 4) + '\0' + formatFlags + body;
}
std::string Frame24(const std::string& id, const std::string& body, char formatFlags = 0) {
  return id + BigEndian(body.size(), 4, 7) + '\0' + formatFlags + body;
}
std::string Tag(char version, char flags, const std::string& frames, std::size_t padding = 0) {
  return "ID3"s + version + '\0' + flags + BigEndian(frames.size() + padding, 4, 7) + frames +
         std::string(padding, '\0');
}
std::string Unsynchronised(const std::string& bytes) {
  std::string out;
  for (char c : bytes)
    out += c == '\xff' ? "\xff\0"s : std::string(1, c);
  return out;
}

TEST(Id3v2ReaderTest, ReadsTheConventionsOfOtherWriters) {
  const std::string picture = "\0image/jpeg\0\x03\0"s + std::string(70000, '\xd8');
  struct Row {
    const char* what;
    std::string tag, frames; // frames: "ID=text|" for each frame read
  };
  for (const Row& row : std::vector<Row>{
           {"v2.4 syncsafe frame sizes",
            Tag(4, 0,
                Frame24("TIT2", "\x03" + std::string(200, 'L')) +
                    Frame24("TPE1", "\3Bj\xc3\xb6rn\0"s),
                50),
            "TIT2=" + std::string(200, 'L') + "|TPE1=Bj\xf6rn|"},
           {"encodings",
            Tag(3, 0,
                Frame23("TIT2", "\x01\xff\xfeH\0\xf6\0r\0\0\0"s) +
                    Frame23("TPE1", "\x01\xfe\xff\0H\0\xf6\0r\0\0"s) +
                    Frame23("TALB", "\x02\0\xc4\x20\xac\x01\x41"s) +
                    Frame23("TCOM", "\x03H\xc3\xb6r \xe2\x82\xac"s) +
                    Frame23("TOPE", "\1\xff\xfex\0\0\1"s)),
            "TIT2=H\xf6r|TPE1=H\xf6r|TALB=\xc4\x80?|TCOM=H\xf6r \x80|TOPE=x?|"},
           {"descriptions skipped",
            Tag(3, 0,
                Frame23("COMM", "\0engabc\0Text"s) + Frame23("WXXX", "\x00Home\0http://a.b/"s) +
                    Frame23("COMM", "\1deu\xff\xfex\0\0\0\xff\xfeI\0n\0"s) +
                    Frame23("COMM", "\0de"s) + Frame23("COMM", "\0deuNoEnd"s)),
            "COMM=Text|WXXX=http://a.b/|COMM=In|COMM=|COMM=|"},
           {"v2.2",
            Tag(2, 0,
                Frame22("TT2", "\0T"s) + Frame22("PIC", std::string(300, 'p')) +
                    Frame22("TP1", "\0P"s) + Frame22("TAL", "\1\xff\xfeZ\0"s) +
                    Frame22("TYE", "\0Y"s) +
                    Frame22("TRK", "\0"
                                   "3/7"s) +
                    Frame22("COM", "\0eng\0K"s) + Frame22("TCM", "\0C"s) + Frame22("TOA", "\0O"s) +
                    Frame22("TCR", "\0R"s) + Frame22("WXX", "\0\0U"s) + Frame22("TEN", "\0E"s),
                100),
            "TIT2=T|TPE1=P|TALB=Z|TYER=Y|TRCK=3/7|COMM=K|TCOM=C|TOPE=O|TCOP=R|WXXX=U|TENC=E|"},
           {"v2.2 compressed", Tag(2, 0x40, Frame22("TT2", "\0T"s)), ""},
           {"v2.3 extended header",
            Tag(3, 0x40, "\0\0\0\x06\0\0\0\0\0\0"s + Frame23("TIT2", "\0T"s)), "TIT2=T|"},
           {"v2.4 extended header", Tag(4, 0x40, "\0\0\0\x06\x01\0"s + Frame24("TIT2", "\0T"s)),
            "TIT2=T|"},
           {"oversized extended header",
            Tag(3, 0x40, "\x7f\xff\xff\xff"s + Frame23("TIT2", "\0T"s)), ""},
           {"unsynchronised tag",
            Tag(3, '\x80',
                Unsynchronised(Frame23("TIT2", "\0\xff\xe0\xffy\xff"s) +
                               Frame23("TPE1", "\0\xff\xff"s))),
            "TIT2=\xff\xe0\xffy\xff|TPE1=\xff\xff|"},
           {"v2.4 unsynchronised frame",
            Tag(4, 0,
                Frame24("TIT2", Unsynchronised("\0\xff\xe0z"s), 0x02) +
                    Frame24("TALB", "\0\xff\0a"s)),
            "TIT2=\xff\xe0z|TALB=\xff|"},
           {"unknown frames skipped whole, padding ends the walk",
            Tag(3, 0,
                Frame23("TIT2", "\0Vorher"s) + Frame23("APIC", picture) +
                    Frame23("TPE1", "\0Nachher"s) + Frame23("TRCK", "") + Frame23("XYZW", "") +
                    Frame23("TALB", "\0Nie"s),
                1024),
            "TIT2=Vorher|TPE1=Nachher|TRCK=|"},
           {"v2.4 format flags",
            Tag(4, 0,
                Frame24("TIT2", "\x07\0\0\0\x05\0Titel"s, '\x41') +
                    Frame24("TPE1", "\0\0\0\x05xxxxx"s, '\x09')),
            "TIT2=Titel|"},
           {"frame size past the end", Tag(3, 0, "TIT2\xff\xff\xff\xff\0\0\0Titel"s),
            "TIT2=Titel|"},
           {"tag size past the end",
            "ID3\x03\0\0\x7f\x7f\x7f\x7f"s + Frame23("TPE1", "\0Autor"s) +
                "TIT2\0\0\0\x06\0\0\0Ti"s,
            "TPE1=Autor|TIT2=Ti|"},
           {"audio behind the tag",
            Tag(3, 0, Frame23("TPE1", "\0Autor"s)) + Frame23("TIT2", "\0Audio"s), "TPE1=Autor|"},
           {"unknown version", Tag(5, 0, Frame23("TIT2", "\0T"s)), ""}}) {
    std::string read;
    for (const Id3v2Frame& frame : ParseId3v2Frames(row.tag))
      read += frame.id + "=" + frame.text + "|";
    EXPECT_EQ(read, row.frames) << row.what;
    // Every truncation is safe: each prefix is a buffer of its own, so ASan sees any overread.
    for (std::size_t length = 0; length < row.tag.size() && length < 300; ++length)
      ParseId3v2Frames(std::string(row.tag, 0, length));
  }
}

} // namespace
} // namespace velmora
