// Tags that other readers got right and Velmora got wrong, built byte by byte; each is read by
// Velmora and by mutagen (python3-mutagen), the reference reader, and both must agree.
#include <gtest/gtest.h>
#include <map>

#include "core/tags/id3v2.h"
#include "support/id3v2_fixtures.h"
#include "support/system_python.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

// What mutagen reads: title, artist, the comment without a description, the year, the picture.
std::string MutagenReads(const std::string& path) {
  return Python(
      "import sys\nfrom mutagen.id3 import ID3\nt = ID3(sys.argv[1])\n"
      "def text(k):\n  f = t.getall(k)\n  return '/'.join(str(v) for v in f[0].text) if f else ''\n"
      "c = [f.text[0] for f in t.getall('COMM') if f.desc == '']\np = t.getall('APIC')\n"
      "print('TIT2=%s|TPE1=%s|COMM=%s|YEAR=%s|APIC=%d' % (text('TIT2'), text('TPE1'),"
      " c[0] if c else '', text('TDRC')[:4], len(p[0].data) if p else 0), end='')\n",
      path);
}

std::string VelmoraReads(const Id3v2Contents& contents) {
  std::map<std::string, std::string> texts;
  for (const Id3v2Frame& frame : contents.frames)
    texts[frame.id] = frame.text;
  const std::size_t picture = contents.pictures.empty() ? 0 : contents.pictures[0].data.size();
  return "TIT2=" + texts["TIT2"] + "|TPE1=" + texts["TPE1"] + "|COMM=" + texts["COMM"] +
         "|YEAR=" + texts["TYER"] + "|APIC=" + std::to_string(picture);
}

// A picture body whose data hold `at` at the offset where the syncsafe reading of its plain size
// 300 (00 00 01 2c, syncsafe 172) ends.
std::string PictureWith(const std::string& at) {
  std::string body = "\0image/png\0\x03\0"s + std::string(286, 'p');
  return body.replace(172, at.size(), at);
}

TEST(MutagenReadingTest, VelmoraReadsWhatTheReferenceReaderReads) {
  const std::string behindPicture = F24Plain("TIT2", "\0Der Fall"s) + F24Plain("TPE1", "\0Meier"s);
  const std::string comment = "\0ger\0"s + std::string(195, 'k'); // 200: 00 00 00 c8, syncsafe 72
  const std::string itunes = "\0engiTunNORM\0 00000A2B 00000A2B"s;
  // Compressed with zlib: "\0Gepackt", 8 bytes.
  const std::string packed =
      "\0\0\0\x08\x78\x9c\x63\x70\x4f\x2d\x48\x4c\xce\x2e\x01\x00\x0a\x7e\x02\xc0"s;
  const std::pair<std::string, std::string> cases[] = {
      {"size lands on a zero byte",
       Tag(4, 0, F24Plain("APIC", PictureWith("\0"s)) + behindPicture, 64)},
      {"size lands on a frame ID inside the picture",
       Tag(4, 0, F24Plain("APIC", PictureWith("TIT2\0\0\0\x05\0\0\0Falsch"s)) + behindPicture)},
      {"size lands on digits inside a comment",
       Tag(4, 0,
           F24Plain("COMM", comment.substr(0, 72) + "1945" + comment.substr(76)) + behindPicture)},
      {"TDRC", Tag(4, 0, F24("TIT2", "\0T"s) + F24("TDRC", "\0"s + "1987-05-01"))},
      {"two comments", Tag(3, 0, F23("COMM", itunes) + F23("COMM", "\0ger\0Echt"s))},
      {"compressed title", Tag(3, 0, "TIT2\0\0\0\x14\0\x80"s + packed + F23("TPE1", "\0M"s))},
      {"empty frame first", Tag(3, 0, F23("WOAS", "") + F23("TIT2", "\0Titel"s), 16)},
      {"two artists", Tag(3, 0, F23("TPE1", "\0Anna"s) + F23("TPE1", "\0Hans"s))},
  };
  TempDir dir;
  for (const auto& [name, tag] : cases) {
    SCOPED_TRACE(name);
    const std::string path = dir.file("t.mp3");
    WriteBytes(path, tag + "\xff\xfb\x90\x00"s + std::string(400, '\0'));
    const Id3v2Contents contents = ReadId3v2Contents(tag);
    EXPECT_EQ(VelmoraReads(contents), MutagenReads(path));
    EXPECT_TRUE(contents.unreadable.empty());
  }
  // The picture is carried whole into the new tag, not as fragments.
  const Id3v2Contents first = ReadId3v2Contents(std::get<1>(cases[1]));
  EXPECT_NE(first.otherFrames.bytes.find(PictureWith("TIT2\0\0\0\x05\0\0\0Falsch"s)),
            std::string::npos);
  EXPECT_TRUE(first.otherFrames.leftOut.empty());
  // A described comment is no comment of the form: it is carried as a frame of its own.
  EXPECT_EQ(ReadId3v2Contents(std::get<1>(cases[4])).otherFrames.bytes, F23("COMM", itunes));
  // Data that do not decompress are skipped and named.
  const Id3v2Contents broken = ReadId3v2Contents(Tag(3, 0, "TIT2\0\0\0\x06\0\x80\0\0\0\x08zz"s));
  EXPECT_EQ(broken.unreadable, std::vector<std::string>{"TIT2"});
}

// The tag Velmora writes: a text ISO-8859-1 cannot hold (Windows-1252's own „ “ – ’ … € too) is
// UTF-16 with a byte-order mark, and the reference reader reads it exactly.
TEST(MutagenReadingTest, TheReferenceReaderReadsTheWrittenTextsAsSpelled) {
  TempDir dir;
  const std::string path = dir.file("t.mp3");
  WriteBytes(path, ComposeId3v2Tag({"", "Teil 1 – „Aussaat“", "Karel Čapek", "", "1959",
                                    "(101)Speech", "’Molche’ … 5 € 😀 Grüße"},
                                   0) +
                       "\xff\xfb\x90\x00"s + std::string(400, '\0'));
  EXPECT_EQ(MutagenReads(path), "TIT2=Teil 1 – „Aussaat“|TPE1=Karel Čapek|"
                                "COMM=’Molche’ … 5 € 😀 Grüße|YEAR=1959|APIC=0");
}

} // namespace
} // namespace velmora::test
