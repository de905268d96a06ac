// Names outside Windows-1252 from a page and from a file name to the written file: the tag as
// spelled (read back by mutagen, python3-mutagen, the reference reader), ID3v1 in the nearest
// form, the file and description names as spelled.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/tags/id3v1.h"
#include "form/form_test_support.h"
#include "support/system_python.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Each frame as mutagen reads it: "ID:encoding:text|" (encoding 0 ISO-8859-1, 1 UTF-16).
std::string MutagenFrames(const std::string& path) {
  return Python("import sys\nfrom mutagen.id3 import ID3\nt = ID3(sys.argv[1])\n"
                "for k in ['TIT2', 'TPE1', 'TALB', 'COMM::ger', 'TOPE']:\n"
                "  f = t[k]\n  print('%s:%d:%s' % (k, f.encoding, f.text[0]), end='|')\n",
                path);
}

class UnicodeNamesTest : public LogicTest {
protected:
  void SetUp() override {
    fs::create_directory(dir.path() / "out");
    WriteBytes(dir.file("FileNameVorlage.txt"), "$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "$0$: $1$");
    WriteSettings("[SETTINGS]\nGEN_TXT_FILE=1\nAUTO_ID3V1_COPY=1\nWAFRANYOFL=1\nUPLOADINFO=1\n");
    StartUp();
  }
};

constexpr const char* kCapekPage = "Der Krieg mit den Molchen\n"
                                   "Sendetermine: WDR 5 - Sonntag, 2. Jun 2019 07:04\n"
                                   "Autor(en): Karel Čapek\n"
                                   "Produktion: WDR 1959, ca. 60 Min. - Originalhörspiel dt.\n"
                                   "Inhaltsangabe: „Und dann“ – ein Molch.\n"
                                   "Mitwirkende:\nErzähler Stanisław Nowak\n"
                                   "Übersetzung: Eliška Glaserová\n";

TEST_F(UnicodeNamesTest, APageNamingKarelCapekIsWrittenAsSpelled) {
  LoadFile("Capek - Krieg.mp3", MpegAudio(2000));
  platform.clipboard = {ClipboardText::Status::Ok, kCapekPage};
  logic.ImportHoerdatPage();
  platform.Type(FormField::v2Album, "Teil 1 – „Aussaat“");
  EXPECT_EQ(members.recAutor + "|" + Control(FormField::v2Title),
            "Karel Čapek|Der Krieg mit den Molchen");
  platform.saveAnswer = dir.file("out/Karel Čapek - Der Krieg mit den Molchen.mp3");
  logic.OnAktualisieren();

  const std::string written = *platform.saveAnswer;
  EXPECT_EQ(platform.saveRequests.at(0).proposedName,
            "Karel Čapek - Der Krieg mit den Molchen.mp3");
  EXPECT_EQ(ReadBytes(dir.file("out/Karel Čapek - Der Krieg mit den Molchen.txt")),
            "Karel Čapek: Der Krieg mit den Molchen");
  EXPECT_EQ(platform.clipboardWrites.back(), "Uploadinfo: Karel Čapek - Der Krieg mit den Molchen");
  // A title in Latin letters has today's bytes; the rest is UTF-16 that mutagen reads exactly.
  const std::string bytes = ReadBytes(written);
  EXPECT_EQ(FrameBody(TagOf(bytes), "TIT2"), std::string("\0Der Krieg mit den Molchen", 26));
  EXPECT_EQ(FrameBody(TagOf(bytes), "TPE1"),
            std::string("\1\xff\xfeK\0a\0r\0e\0l\0 \0\x0c\1", 17) + std::string("a\0p\0e\0k\0", 8));
  EXPECT_EQ(MutagenFrames(written),
            "TIT2:0:Der Krieg mit den Molchen|TPE1:1:Karel Čapek|TALB:1:Teil 1 – „Aussaat“|"
            "COMM::ger:1:" +
                form.v2Comment + "|TOPE:1:" + form.v2OrigArtist + "|");
  // The cast ends at the next label.
  EXPECT_TRUE(form.v2OrigArtist.ends_with("Erzähler Stanisław Nowak")) << form.v2OrigArtist;
  // ID3v1 holds Windows-1252 only: the nearest forms; the form keeps the letters.
  const auto v1 = ReadId3v1Record(bytes);
  EXPECT_EQ(v1->artist + "|" + v1->album, "Karel Capek|Teil 1 – „Aussaat“");
  EXPECT_EQ(bytes.substr(bytes.size() - 95, 11), "Karel Capek");
  EXPECT_EQ(form.v1Artist, "Karel Čapek");
}

TEST_F(UnicodeNamesTest, AFileNameOutsideWindows1252LoadsAsSpelled) {
  const std::string path = LoadFile("Stanisław Lem - Solaris 1v2 - WDR, 05.mp3");
  EXPECT_EQ((Texts{form.inputFile, form.maskAuthor, form.maskTitle, form.maskYear, form.v2Track}),
            (Texts{path, "Lem", "Solaris", "2005", "1"}));
  logic.OnFilename();
  EXPECT_EQ(Control(FormField::v2Title), "Stanisław Lem - Solaris 1v2 - WDR, 05");
  // A name that is not UTF-8 loads; it is shown with U+FFFD, its bytes kept for the file.
  const std::string latin1 = LoadFile("M\xfcller - Garten.mp3");
  EXPECT_EQ((Texts{form.inputFile, form.maskTitle, members.inputFilePath}),
            (Texts{dir.file("M\uFFFDller - Garten.mp3"), "Garten", latin1}));
}

} // namespace
} // namespace velmora::test
