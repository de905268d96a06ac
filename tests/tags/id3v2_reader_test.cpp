// Tags as other programs write them, built byte by byte after the ID3v2.2.0, 2.3.0 and 2.4.0
// standards.
#include <gtest/gtest.h>

#include "core/tags/id3v2.h"

namespace velmora {
namespace {

using namespace std::string_literals;

std::string BigEndian(std::uint32_t value, int bytes, int bitsPerByte = 8) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i)
    out += static_cast<char>((value >> (i * bitsPerByte)) & ((1u << bitsPerByte) - 1));
  return out;
}

std::string Frame22(const std::string& id, const std::string& body) {
  return id + BigEndian(static_cast<std::uint32_t>(body.size()), 3) + body;
}
std::string Frame23(const std::string& id, const std::string& body, char formatFlags = 0) {
  return id + BigEndian(static_cast<std::uint32_t>(body.size()), 4) + '\0' + formatFlags + body;
}
std::string Frame24(const std::string& id, const std::string& body, char formatFlags = 0) {
  return id + BigEndian(static_cast<std::uint32_t>(body.size()), 4, 7) + '\0' + formatFlags + body;
}
std::string Tag(char version, char flags, const std::string& frames, std::size_t padding = 0) {
  return "ID3"s + version + '\0' + flags +
         BigEndian(static_cast<std::uint32_t>(frames.size() + padding), 4, 7) + frames +
         std::string(padding, '\0');
}
std::string Unsynchronised(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    out += c;
    if (c == '\xff') out += '\0';
  }
  return out;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;
Pairs Parse(const std::string& tag) {
  Pairs pairs;
  for (const Id3v2Frame& frame : ParseId3v2Frames(tag))
    pairs.emplace_back(frame.id, frame.text);
  return pairs;
}

TEST(Id3v2ReaderTest, Version24SizesAreSyncsafe) {
  const std::string longTitle(200, 'L'); // body 201 bytes: syncsafe 00 00 01 49
  const std::string frames = Frame24("TIT2", "\x03" + longTitle) +
                             Frame24("TPE1", "\x03"
                                             "Bj\xc3\xb6rn\0"s) +
                             Frame24("TALB", "\x00"
                                             "Album"s);
  ASSERT_EQ(frames.substr(4, 4), "\0\0\x01\x49"s);
  EXPECT_EQ(Parse(Tag(4, 0, frames, 50)),
            (Pairs{{"TIT2", longTitle}, {"TPE1", "Bj\xf6rn"}, {"TALB", "Album"}}));
}

TEST(Id3v2ReaderTest, TextEncodingsAreDecodedToWindows1252) {
  const std::string frames =
      Frame23("TIT2", "\x01\xff\xfeH\0\xf6\0r\0\0\0"s) +                  // UTF-16 LE with BOM
      Frame23("TPE1", "\x01\xfe\xff\0H\0\xf6\0r\0\0"s) +                  // UTF-16 BE with BOM
      Frame23("TALB", "\x02\0\xc4\x20\xac\x01\x41"s) +                    // UTF-16BE: Ä € Ł
      Frame23("TCOM", "\x03H\xc3\xb6rspiel \xe2\x80\x93 \xe2\x82\xac"s) + // UTF-8
      Frame23("TOPE", "\x01\xff\xfe"
                      "a\0\0\x01"s) + // 00 00 across a character pair
      Frame23("TCOP", "\x00\xa9 WDR\0junk"s);
  EXPECT_EQ(Parse(Tag(3, 0, frames)), (Pairs{{"TIT2", "H\xf6r"},
                                             {"TPE1", "H\xf6r"},
                                             {"TALB", "\xc4\x80?"},
                                             {"TCOM", "H\xf6rspiel \x96 \x80"},
                                             {"TOPE", "a?"},
                                             {"TCOP", "\xa9 WDR"}}));
}

TEST(Id3v2ReaderTest, CommentAndUrlDescriptionsAreSkippedToTheirTerminator) {
  const std::string frames = Frame23("COMM", "\x00"
                                             "engabc\0Text"s) +
                             Frame23("WXXX", "\x00"
                                             "Homepage\0http://a.b/"s) +
                             Frame23("COMM", "\x01"
                                             "deu\xff\xfe"
                                             "a\0\0\0\xff\xfeI\0n\0"s) +
                             Frame23("WXXX", "\x01\xff\xfex\0\0\0http://c.d/\0"s) +
                             Frame23("COMM", "\x00"
                                             "de"s) +
                             Frame23("COMM", "\x00"
                                             "deuNoTerminator"s);
  EXPECT_EQ(Parse(Tag(3, 0, frames)), (Pairs{{"COMM", "Text"},
                                             {"WXXX", "http://a.b/"},
                                             {"COMM", "In"},
                                             {"WXXX", "http://c.d/"},
                                             {"COMM", ""},
                                             {"COMM", ""}}));
}

TEST(Id3v2ReaderTest, Version22FramesAreMappedToTheirVersion23Ids) {
  const std::string frames = Frame22("TT2", "\x00Titel"s) +
                             Frame22("TP1", "\x00"
                                            "Autor"s) +
                             Frame22("PIC", std::string(300, 'p')) + Frame22("TCO", "\0(101)"s) +
                             Frame22("TAL", "\x01\xff\xfe"
                                            "A\0"s) +
                             Frame22("TYE", "\x00"
                                            "1999"s) +
                             Frame22("TRK", "\x00"
                                            "3/7"s) +
                             Frame22("COM", "\x00"
                                            "eng\0K"s) +
                             Frame22("TCM", "\0C"s) + Frame22("TOA", "\0O"s) +
                             Frame22("TCR", "\0R"s) + Frame22("WXX", "\0\0U"s) +
                             Frame22("TEN", "\0E"s);
  EXPECT_EQ(Parse(Tag(2, 0, frames, 100)), (Pairs{{"TIT2", "Titel"},
                                                  {"TPE1", "Autor"},
                                                  {"TALB", "A"},
                                                  {"TYER", "1999"},
                                                  {"TRCK", "3/7"},
                                                  {"COMM", "K"},
                                                  {"TCOM", "C"},
                                                  {"TOPE", "O"},
                                                  {"TCOP", "R"},
                                                  {"WXXX", "U"},
                                                  {"TENC", "E"}}));
  // Version 2.2 with its compression flag set asks readers to ignore the tag.
  EXPECT_TRUE(Parse(Tag(2, 0x40, frames)).empty());
}

TEST(Id3v2ReaderTest, ExtendedHeaderIsSkipped) {
  const std::string frames = Frame23("TIT2", "\0Titel"s);
  // Version 2.3: the size excludes its own four bytes; with CRC it is 10.
  EXPECT_EQ(Parse(Tag(3, 0x40, "\0\0\0\x06\0\0\0\0\0\0"s + frames)), (Pairs{{"TIT2", "Titel"}}));
  EXPECT_EQ(Parse(Tag(3, 0x40, "\0\0\0\x0a\x80\0\0\0\0\0\x12\x34\x56\x78"s + frames)),
            (Pairs{{"TIT2", "Titel"}}));
  // Version 2.4: syncsafe size that counts the whole extended header.
  const std::string frames4 = Frame24("TIT2", "\0Titel"s);
  EXPECT_EQ(Parse(Tag(4, 0x40, "\0\0\0\x06\x01\0"s + frames4)), (Pairs{{"TIT2", "Titel"}}));
  // An extended header larger than the tag leaves nothing to read, and no crash.
  EXPECT_TRUE(Parse(Tag(3, 0x40, "\x7f\xff\xff\xff"s + frames)).empty());
  EXPECT_TRUE(Parse(Tag(4, 0x40, "\0\0"s)).empty());
}

TEST(Id3v2ReaderTest, UnsynchronisationIsUndone) {
  const std::string title = "\xff\xe0\xff\0x\xff"s;
  const std::string frames =
      Frame23("TIT2", "\0"s + title.substr(0, 3) + "y\xff") + Frame23("TPE1", "\0\xff\xff"s);
  ASSERT_NE(Unsynchronised(frames).size(), frames.size());
  EXPECT_EQ(Parse(Tag(3, '\x80', Unsynchronised(frames))),
            (Pairs{{"TIT2", "\xff\xe0\xffy\xff"}, {"TPE1", "\xff\xff"}}));
  // Version 2.4 unsynchronises frame by frame; the frame size counts the stored bytes.
  const std::string stored = Unsynchronised("\0\xff\xe0z"s);
  const std::string frames4 = Frame24("TIT2", stored, 0x02) + Frame24("TALB", "\0\xff\0a"s);
  EXPECT_EQ(Parse(Tag(4, 0, frames4)), (Pairs{{"TIT2", "\xff\xe0z"}, {"TALB", "\xff"}}));
  EXPECT_EQ(Parse(Tag(4, '\x80', Frame24("TALB", "\0\xff\0a"s))), (Pairs{{"TALB", "\xff"
                                                                                  "a"}}));
}

TEST(Id3v2ReaderTest, UnknownFramesAreSkippedWholeAndPaddingEndsTheWalk) {
  const std::string picture = "\0image/jpeg\0\x03\0"s + std::string(70000, '\xd8');
  const std::string frames = Frame23("TIT2", "\0Vorher"s) + Frame23("APIC", picture) +
                             Frame23("TPE1", "\0Nachher"s) + Frame23("TIT2", "\0Zweiter"s) +
                             Frame23("TRCK", "") + Frame23("XYZW", "") + Frame23("TALB", "\0Nie"s);
  EXPECT_EQ(Parse(Tag(3, 0, frames, 1024)),
            (Pairs{{"TIT2", "Vorher"}, {"TPE1", "Nachher"}, {"TIT2", "Zweiter"}, {"TRCK", ""}}));
  const std::string frames4 = Frame24("APIC", picture) + Frame24("TPE1", "\0Nachher"s);
  EXPECT_EQ(Parse(Tag(4, 0, frames4)), (Pairs{{"TPE1", "Nachher"}}));
}

TEST(Id3v2ReaderTest, FormatFlagsAreHonoured) {
  // 2.3: a compressed or encrypted frame cannot be read as text; a group byte is skipped.
  const std::string frames3 = Frame23("TIT2", "\0\0\0\x10xxxx"s, '\x80') +
                              Frame23("TPE1", "\x01\0Geheim"s, '\x40') +
                              Frame23("TALB", "\x07\0Album"s, '\x20');
  EXPECT_EQ(Parse(Tag(3, 0, frames3)), (Pairs{{"TALB", "Album"}}));
  // 2.4: group byte and data length indicator are skipped; compression leaves the frame out.
  const std::string frames4 = Frame24("TIT2", "\x07\0\0\0\x05\0Titel"s, '\x41') +
                              Frame24("TPE1", "\0\0\0\x05xxxxx"s, '\x09');
  EXPECT_EQ(Parse(Tag(4, 0, frames4)), (Pairs{{"TIT2", "Titel"}}));
}

TEST(Id3v2ReaderTest, NeverReadsBeyondTheTag) {
  // Frame sizes that point past the end are read up to the end only.
  std::string frames = Frame23("TIT2", "\0Titel"s);
  frames.replace(4, 4, "\xff\xff\xff\xff"s);
  EXPECT_EQ(Parse(Tag(3, 0, frames)), (Pairs{{"TIT2", "Titel"}}));
  // A tag size that points past the bytes given: the walk ends with the bytes.
  std::string truncated = Tag(3, 0, Frame23("TPE1", "\0Autor"s) + Frame23("TIT2", "\0Titel"s));
  truncated.replace(6, 4, "\x7f\x7f\x7f\x7f"s);
  EXPECT_EQ(Parse(truncated.substr(0, truncated.size() - 3)),
            (Pairs{{"TPE1", "Autor"}, {"TIT2", "Ti"}}));
  // Bytes behind the declared tag size (the audio) are not taken for frames.
  const std::string tag = Tag(3, 0, Frame23("TPE1", "\0Autor"s));
  EXPECT_EQ(Parse(tag + Frame23("TIT2", "\0Audio"s)), (Pairs{{"TPE1", "Autor"}}));
}

TEST(Id3v2ReaderTest, EveryPrefixOfForeignTagsParsesSafely) {
  const std::string samples[] = {
      Tag(3, '\xc0',
          Unsynchronised("\0\0\0\x06\0\0\0\0\0\0"s + Frame23("COMM", "\x01"
                                                                     "deu\xff\xfe\0\0x\0"s))),
      Tag(4, '\xc0', "\0\0\0\x06\x01\0"s + Frame24("WXXX", "\x02\0a\0\0u"s, '\x43')),
      Tag(2, 0,
          Frame22("COM", "\x01"
                         "eng\xff\xfe"
                         "a"s) +
              Frame22("TT2", "\x03\xc3"s))};
  for (const std::string& sample : samples) {
    for (std::size_t length = 0; length <= sample.size(); ++length) {
      const std::string prefix = sample.substr(0, length); // exact size: ASan sees any overread
      EXPECT_NO_THROW(ParseId3v2Frames(prefix));
    }
  }
}

TEST(Id3v2ReaderTest, OtherDataYieldsNoFrames) {
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("ID3\x03\0\0\0\0"s).empty());
  EXPECT_TRUE(Parse("\xff\xfb\x90\0"s + std::string(100, 'x')).empty());
  EXPECT_TRUE(Parse(Tag(5, 0, Frame23("TIT2", "\0Titel"s))).empty()); // unknown major version
}

} // namespace
} // namespace velmora
