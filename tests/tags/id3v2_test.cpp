// Velmora's own ID3v2.3 tags, and tags as other programs write them, built byte by byte after the
// ID3v2.2.0, 2.3.0 and 2.4.0 standards.
#include "core/tags/id3v2.h"

#include <gtest/gtest.h>

#include "core/tags/genres.h"
#include "core/tags/id3v2_tag_area.h"
#include "support/id3v2_fixtures.h"

namespace velmora::test {
namespace {

Id3v2FrameTexts EmptyTextsWithSpeech() {
  Id3v2FrameTexts texts;
  texts[5] = FormatTconText(kSpeechGenre);
  return texts;
}

// The bytes an update replaces at the start of file.
std::size_t TagArea(const std::string& file) {
  return MeasureId3v2TagArea([&file](std::uint64_t offset, std::size_t count) {
    return offset < file.size() ? file.substr(offset, count) : std::string();
  });
}

TEST(Id3v2ComposeTest, AllEmptyTagMatchesTheGoldenBytesSizesAreSyncsafeAndPaddingFits) {
  const std::string tag = ComposeId3v2Tag(EmptyTextsWithSpeech(), 1024);
  auto empty = [](const char* id) { return id + "\0\0\0\x01\0\0\0"s; }; // encoding byte only
  EXPECT_EQ(tag, "ID3\3\0\0\0\0\x09\x14"s + empty("TRCK") + empty("TIT2") + empty("TPE1") +
                     empty("TALB") + empty("TYER") + "TCON\0\0\0\x0c\0\0\0(101)Speech"s +
                     "COMM\0\0\0\x05\0\0\0ger\0"s + empty("TCOM") + empty("TOPE") + empty("TCOP") +
                     "WXXX\0\0\0\x02\0\0\0\0"s + "TENC\0\0\0\x01\x40\0\0"s);
  EXPECT_EQ(tag.size() - 10, 148u);
  EXPECT_EQ(MeasureId3v2Tag(tag), 1182u);
  EXPECT_EQ(ComposeId3v2Tag(EmptyTextsWithSpeech(), -5),
            ComposeId3v2Tag(EmptyTextsWithSpeech(), 0));
  // A padding beyond what the 28-bit size field holds is cut, never wrapped.
  const std::size_t frames = tag.size() - 10;
  for (const long requested : {300000000L, static_cast<long>(kMaxId3v2Size), 1L << 40}) {
    const long padding = FittingPadding(frames, requested);
    EXPECT_EQ(frames + static_cast<std::size_t>(padding), kMaxId3v2Size) << requested;
    EXPECT_EQ(MeasureId3v2Tag(ComposeId3v2Tag(EmptyTextsWithSpeech(), padding)),
              kMaxId3v2Size + 10);
  }
  // A frame size of v2.3 is a plain 32-bit number: 70001 = 0x011171.
  const std::string big = ComposeId3v2Tag({"", std::string(70000, 'T')}, 0);
  EXPECT_EQ(big.substr(big.find("TIT2"), 12), "TIT2\0\1\x11\x71\0\0\0T"s);
  EXPECT_EQ(FittingPadding(kMaxId3v2Size, 1024), 0);
  EXPECT_EQ(MeasureId3v2Tag("ID3\x03\x00\x00\x01\x00\x00\x00"s), 2097152u + 10);
  EXPECT_EQ(MeasureId3v2Tag("id3\x03\x00\x00\x00\x00\x01\x00"s), 0u);
}

// A text ISO-8859-1 holds keeps its bytes; any other, Windows-1252's own characters included, is
// UTF-16 behind a byte-order mark; a URL that ISO-8859-1 cannot hold is percent-encoded. Read back
// as spelled.
TEST(Id3v2ComposeTest, EachTextInTheEncodingThatHoldsIt) {
  Id3v2FrameTexts texts = EmptyTextsWithSpeech();
  texts[1] = "Grüße";
  texts[2] = "Čapek";
  texts[6] = "„A“";
  texts[10] = "http://ä.example/Č";
  const std::string tag = ComposeId3v2Tag(texts, 0);
  EXPECT_NE(tag.find("TIT2\0\0\0\x06\0\0\0Gr\xfc\xdf"
                     "e"s),
            std::string::npos);
  EXPECT_NE(tag.find("TPE1\0\0\0\x0d\0\0\1\xff\xfe\x0c\1a\0p\0e\0k\0"s), std::string::npos);
  EXPECT_NE(tag.find("COMM\0\0\0\x10\0\0\1ger\xff\xfe\0\0\xff\xfe\x1e\x20"
                     "A\0\x1c\x20"s),
            std::string::npos);
  EXPECT_NE(tag.find("WXXX\0\0\0\x1e\0\0\0\0http://%C3%A4.example/%C4%8C"s), std::string::npos);
  std::string read;
  for (const Id3v2Frame& frame : ParseId3v2Frames(tag))
    read += frame.text.empty() ? "" : frame.id + "=" + frame.text + "|";
  EXPECT_EQ(read, "TIT2=Grüße|TPE1=Čapek|COMM=„A“|WXXX=http://%C3%A4.example/%C4%8C|");
}

TEST(Id3v2ReaderTest, ReadsTheConventionsOfOtherWriters) {
  const std::string picture = "\0image/jpeg\0\x03\0"s + std::string(70000, '\xd8');
  // Each tag with the frames read from it, "ID=text|" for each.
  for (const auto& [tag, frames] : std::vector<std::pair<std::string, std::string>>{
           {Tag(4, 0,
                F24("TIT2", "\x03" + std::string(200, 'L')) + F24("TPE1", "\3Bj\xc3\xb6rn\0"s), 50),
            "TIT2=" + std::string(200, 'L') + "|TPE1=Björn|"},
           {Tag(3, 0,
                F23("TIT2", "\x01\xff\xfeH\0\xf6\0r\0\0\0"s) +
                    F23("TPE1", "\x01\xfe\xff\0H\0\xf6\0r\0\0"s) +
                    F23("TALB", "\x02\0\xc4\x20\xac\x01\x41"s) +
                    F23("TCOM", "\x03H\xc3\xb6r \xe2\x82\xac"s) +
                    F23("TOPE", "\1\xff\xfex\0\0\1"s) +
                    F23("TCOP", "\0\x84Nacht\x93 \x96 \x80\x81"s)),
            // Encoding 0 as Windows programs and earlier versions write it: Windows-1252.
            "TIT2=Hör|TPE1=Hör|TALB=Ä€Ł|TCOM=Hör €|TOPE=xĀ|TCOP=„Nacht“ – €\u0081|"},
           {Tag(3, 0,
                F23("COMM", "\0engabc\0Text"s) + F23("WXXX", "\0Home\0http://a.b/"s) +
                    F23("COMM", "\1deu\xff\xfe\0\0\xff\xfeI\0n\0"s) + F23("COMM", "\0de"s) +
                    F23("COMM", "\0deuNoEnd"s)),
            "WXXX=http://a.b/|COMM=In|"}, // the first comment without a description
           {Tag(2, 0,
                F22("TT2", "\0T"s) + F22("PIC", std::string(300, 'p')) + F22("TP1", "\0P"s) +
                    F22("TAL", "\1\xff\xfeZ\0"s) + F22("TYE", "\0Y"s) + F22("TRK", "\0N"s) +
                    F22("COM", "\0eng\0K"s) + F22("TCM", "\0C"s) + F22("TOA", "\0O"s) +
                    F22("TCR", "\0R"s) + F22("WXX", "\0\0U"s) + F22("TEN", "\0E"s),
                100),
            "TIT2=T|TPE1=P|TALB=Z|TYER=Y|TRCK=N|COMM=K|TCOM=C|TOPE=O|TCOP=R|WXXX=U|TENC=E|"},
           {Tag(3, 0x40, "\0\0\0\x06\0\0\0\0\0\0"s + F23("TIT2", "\0T"s)), "TIT2=T|"},
           {Tag(3, 0x40, "\x7f\xff\xff\xff"s + F23("TIT2", "\0T"s)), ""},
           {Tag(3, '\x80',
                Unsynchronised(F23("TIT2", "\0\xff\xe0\xffy\xff"s) + F23("TPE1", "\0\xff\xff"s))),
            "TIT2=ÿàÿyÿ|TPE1=ÿÿ|"},
           {Tag(3, 0,
                F23("TIT2", "\0Vorher"s) + F23("APIC", picture) + F23("TPE1", "\0Nachher"s) +
                    F23("TRCK", "") + F23("XYZW", "") + F23("TALB", "\0Nie"s),
                1024),
            "TIT2=Vorher|TPE1=Nachher|TALB=Nie|"}, // empty frames are skipped
           {Tag(3, 0, "TIT2\xff\xff\xff\xff\0\0\0Titel"s), "TIT2=Titel|"}, // frame past the end
           {"ID3\x03\0\0\x7f\x7f\x7f\x7f"s + F23("TPE1", "\0Autor"s) + "TIT2\0\0\0\x06\0\0\0Ti"s,
            "TPE1=Autor|TIT2=Ti|"},
           {Tag(3, 0, F23("TPE1", "\0Autor"s)) + F23("TIT2", "\0Audio"s), "TPE1=Autor|"}}) {
    std::string read;
    for (const Id3v2Frame& frame : ParseId3v2Frames(tag))
      read += frame.id + "=" + frame.text + "|";
    EXPECT_EQ(read, frames);
    // Every truncation is safe: each prefix is a buffer of its own, so ASan sees any overread.
    for (std::size_t length = 0; length < tag.size() && length < 300; ++length)
      ParseId3v2Frames(std::string(tag, 0, length));
  }
}

// Only what really is a tag counts in the bytes an update replaces (the quirks of other writers:
// tests/form/update_command_test).
TEST(Id3v2ReaderTest, MeasuresOnlyTags) {
  const std::string tag = Tag(3, 0, F23("TIT2", "\0T"s));
  // "ID3" in the audio with a size byte of 0x80 or more, or a version of 0xFF, is audio.
  EXPECT_EQ(TagArea(tag + "ID3\3\0\0\0\0\x80\0 audio"s), tag.size());
  EXPECT_EQ(TagArea(tag + "ID3\xff\0\0\0\0\0\0 audio"s), tag.size());
  // A footer flag without a footer, and a footer on a version 2.3 tag, add nothing.
  const std::string flagged = Tag(4, 0x10, F24("TIT2", "\3T"s));
  EXPECT_EQ(TagArea(flagged + "\xff\xfb audio"), flagged.size());
  EXPECT_EQ(TagArea(tag + "3DI\4\0\x10\0\0\0\0"s), tag.size());
  EXPECT_EQ(TagArea("\xff\xfb audio"), 0u);
}

} // namespace
} // namespace velmora::test
