#include <gtest/gtest.h>

#include "cli_runner.h"
#include "core/io/file_status.h"
#include "core/model/messages.h"
#include "support/hoerdat_pages.h"
#include "support/id3v2_fixtures.h"
#include "support/system_python.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using messages::kError;

class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(dir.file("Tonfeld.ini"), "[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
    WriteBytes(dir.file("FileNameVorlage.txt"), "# Name des Files\n$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "Autor: $0$\nTitel: $1$ ($3$)\n");
    WriteBytes(source, sourceBytes);
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir.path(), args); }

  TempDir dir;
  const std::string oldTag = Id3v2Tag({"", "Der Fall", "Meier"}, 300), audio = MpegAudio(70000);
  const std::string source = dir.file("Hans Meier - Der Fall 1v2 - RBX, 87.mp3");
  const std::string sourceBytes = oldTag + audio;
};

// A name that is not UTF-8 (a Latin-1 byte) loads and is printed with U+FFFD: valid JSON.
TEST_F(CliTest, ANameThatIsNotUtf8PrintsValidJson) {
  const std::string latin1 = dir.file("M\xfcller - Garten.mp3");
  WriteBytes(latin1, sourceBytes);
  const CliRun run = Run({latin1, "show"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  WriteBytes(dir.file("show.json"), run.out);
  EXPECT_EQ(Python("import json, sys\nfor line in open(sys.argv[1], encoding='utf-8'):\n"
                   "    json.loads(line)\n",
                   dir.file("show.json")),
            "");
  EXPECT_NE(run.out.find("M\uFFFDller - Garten.mp3"), std::string::npos) << run.out;
}

// Set, genre, update and show in one run: the form as JSON Lines, the written tag in
// ISO-8859-1, the description file and the upload line.
TEST_F(CliTest, SetGenreShowAndUpdate) {
  const std::string target = dir.file("neu.mp3");
  const CliRun run = Run({source, "set", "v2Title", "Der gro\303\237e Fall", "set", "v2Year",
                          "1987", "genre", "12", "set", "v1Title", "Kurz", "set", "v2Comment",
                          "Stra\303\237e \"1\"\nzwei", "update", target, "show"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // JSON Lines, as Python's json module reads them: the clipboard, then the form.
  WriteBytes(dir.file("out.json"), run.out);
  EXPECT_EQ(Python("import json, sys\nfor line in open(sys.argv[1]):\n"
                   "    assert isinstance(json.loads(line), dict)\n",
                   dir.file("out.json")),
            "");
  // The fields in exchange order, which begins with the album.
  EXPECT_TRUE(run.out.starts_with("{\"clipboard\": \"Uploadinfo: Meier - Der gro\303\237e Fall\"}\n"
                                  "{\"v2Album\": \"\", \"inputFile\": \"" +
                                  source + "\", "))
      << run.out;
  for (const std::string& part :
       Texts{"\"maskYear\": \"1987\", ", "\"v2Genre\": 12, ", "\"partDesignation\": \"1v2\", ",
             "\"v2Comment\": \"Stra\303\237e \\\"1\\\"\\nzwei\"",
             "\"oldTagLength\": " + std::to_string(oldTag.size()) + ", ", "\"pictures\": [], ",
             "\"recGenre\": \"\"}\n"})
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  // The file's bytes and the description: tests/form (update_command_test).
  EXPECT_EQ(FrameTexts(TagOf(ReadBytes(target)), {"TIT2", "TCON"}),
            "|Der gro\337e Fall|(012)Other");
  EXPECT_TRUE(fs::exists(dir.file("Meier - Der gro\303\237e Fall.txt")));
}

TEST_F(CliTest, FailureBoxesGiveExitStatusOne) {
  const std::string wave = dir.file("wave.mp3");
  WriteBytes(wave, "RIFF....WAVE");
  const CliRun notMpeg = Run({wave}), noTarget = Run({source, "update", dir.file("fehlt/x.mp3")});
  // A refused year shows a box of another caption, but the update writes nothing: a failure too.
  const CliRun longYear = Run({source, "set", "v2Year", "1234567", "update"});
  EXPECT_EQ((std::vector{notMpeg.exitCode, noTarget.exitCode, longYear.exitCode}),
            (std::vector{1, 1, 1}));
  EXPECT_EQ(notMpeg.err, MessageLine(kError, messages::NotMpegFile(wave)));
  EXPECT_TRUE(noTarget.err.starts_with(
      MessageLine(messages::kWarning, messages::CannotOpenTemporaryFile())));
  EXPECT_EQ(longYear.err, MessageLine(messages::kVelmora, messages::YearTooLong()));
}

TEST_F(CliTest, UsageErrorsGiveExitStatusTwoAndAMissingFileOne) {
  for (const Texts& args : {Texts{}, Texts{source, "bogus"}, Texts{source, "set", "keinFeld", "x"},
                            Texts{source, "genre", "126"}, Texts{source, source, "update"}}) {
    const CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
    // One line that says what is wrong, one with the hint.
    EXPECT_TRUE(run.err.starts_with("velmora-cli: ")) << run.err;
    EXPECT_TRUE(run.err.ends_with("\nTry 'velmora-cli --help'.\n")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_NE(Run({source, source}).err.find("one FILE at a time"), std::string::npos);
  EXPECT_EQ(ReadBytes(source), sourceBytes); // nothing ran
  const CliRun help = Run({"--help"}), version = Run({"-V"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
  EXPECT_EQ(std::to_string(version.exitCode) + version.out, "0velmora-cli 1.0.0\n");
  EXPECT_EQ(Run({"--version"}).out, version.out);
  // A file that cannot be loaded ends the run with its message before any action.
  const CliRun missing = Run({dir.file("fehlt.mp3"), "show", "update", dir.file("x.mp3")});
  EXPECT_EQ(std::to_string(missing.exitCode) + missing.out + missing.err,
            "1" + MessageLine(kError, messages::CannotOpenFile(dir.file("fehlt.mp3"))));
  EXPECT_FALSE(fs::exists(dir.file("x.mp3")));
}

// The page import from a file: today's pages as HTML or text (a day's plays are offered as hits,
// ROW imports one and the update writes it); a folder, a device, a huge file or a missing one
// ends with its message and status 1, and nothing hangs or aborts.
TEST_F(CliTest, ImportPageReadsOnlyASmallRegularFile) {
  const std::string html = dir.file("glocke.html"), day = dir.file("tag.txt");
  WriteBytes(html, test::kGlockeHtml);
  WriteBytes(day, test::kDayText);
  const CliRun one = Run({source, "import-page", html, "show"});
  EXPECT_EQ(one.exitCode, 0) << one.err;
  // The page is read as UTF-8.
  EXPECT_NE(one.out.find("\"recHspTyp\": \"Originalh\303\266rspiel dt.\""), std::string::npos)
      << one.out;
  const CliRun hits = Run({source, "import-page", day});
  EXPECT_EQ(hits.exitCode, 0) << hits.err;
  EXPECT_TRUE(
      hits.out.starts_with("{\"hits\": [{\"row\": 0, \"author\": \"Marta Quell\", "
                           "\"title\": \"Die Glocke von Arnsfeld (1. Teil)\", "
                           "\"station\": \"RBX\", \"year\": \"2014\", \"part\": \"Teil 1/3\"}"))
      << hits.out;
  EXPECT_EQ(std::count(hits.out.begin(), hits.out.end(), '\n'), 1);
  const std::string target = dir.file("leuchtturm.mp3");
  EXPECT_EQ(Run({source, "import-page", day, "1", "update", target}).exitCode, 0);
  EXPECT_EQ(FrameTexts(TagOf(ReadBytes(target)), {"TIT2", "TPE1"}), "|Der Leuchtturm|Jan Ohlsen");

  const std::string huge = dir.file("huge.html");
  WriteBytes(huge, "");
  fs::resize_file(huge, 11u << 20);
  const std::string folder = dir.path().string(), missing = dir.file("fehlt.html");
  for (const auto& [path, message] : std::vector<std::pair<std::string, std::string>>{
           {folder, messages::PageIsNoFile(folder)},
           {"/dev/zero", messages::PageIsNoFile("/dev/zero")},
           {huge, messages::PageTooLarge(huge, 10)},
           {missing, messages::PageCannotBeRead(missing)}}) {
    const CliRun failed = Run({source, "import-page", path});
    EXPECT_EQ(std::to_string(failed.exitCode) + failed.err, "1" + MessageLine(kError, message));
  }
}

TEST_F(CliTest, KeptCoverAndLyricsAreReadByAnIndependentReader) {
  WriteBytes(dir.file("Tonfeld.ini"), "[SETTINGS]\nKEEP_OTHER_FRAMES=1\n");
  const std::string jpeg = "\xff\xd8\xff\xe0"s + std::string(69996, 'j');
  const std::string v24 = dir.file("v24.mp3"), written = dir.file("neu.mp3");
  // A UTF-8 description ("Hülle"), which version 2.3 cannot hold.
  WriteBytes(v24, Tag(4, 0,
                      F24("TIT2", "\3Der Fall"s) +
                          F24("APIC", "\3image/jpeg\0\3H\xc3\xbclle\0"s + jpeg) +
                          F24("USLT", "\0gerd\0Erste Zeile"s)) +
                      audio);

  const CliRun run = Run({v24, "show", "update", written});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const std::string part : {"\"pictures\"", "\"image/jpeg\"", "70000"})
    EXPECT_NE(run.out.find(part), std::string::npos) << part << run.out;
  // What an independent reader (python3-mutagen) finds: the tag's version, then a line per frame
  // with its key and the length of its data or its text.
  const std::string frames =
      Python("import sys\nfrom mutagen.id3 import ID3\ntags = ID3(sys.argv[1], translate=False)\n"
             "print(tags.version)\nfor key in sorted(tags.keys()):\n"
             "    print(key, len(tags[key].data) if hasattr(tags[key], 'data') else tags[key])\n",
             written);
  for (const std::string line :
       {"(2, 3, 0)\n", "APIC:H\xc3\xbclle 70000\n", "TIT2 Der Fall\n", "USLT:d:ger Erste Zeile\n"})
    EXPECT_NE(frames.find(line), std::string::npos) << line << frames;
}

// TAG_IN_PLACE=1: a title written into the file itself rewrites only its tag area (same inode,
// audio where it was, readable by the reference reader); one that outgrows the area is rewritten
// whole. What killed updates left beside the file goes at the load.
TEST_F(CliTest, TagInPlaceKeepsTheAudioWhereItWas) {
  WriteBytes(dir.file("Tonfeld.ini"), "[SETTINGS]\nTAG_IN_PLACE=1\nAUTO_ID3V1_TAGGING=1\n");
  WriteBytes(dir.file("temp$$$-4242-0"), "a killed update's copy");
  WriteBytes(source + ".velmora-journal", "VELMORA-JOURNAL 1\ncut short");
  const auto inode = StatusOfPath(source)->identity.inode;
  const CliRun run = Run({source, "set", "v2Title", "Neu", "update", source});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string bytes = ReadBytes(source);
  EXPECT_EQ(StatusOfPath(source)->identity.inode, inode);
  EXPECT_EQ(bytes.substr(oldTag.size(), audio.size()), audio);
  EXPECT_EQ(bytes.size(), sourceBytes.size() + 128);
  EXPECT_EQ(
      Python("import sys\nfrom mutagen.id3 import ID3\nprint(ID3(sys.argv[1])['TIT2'])\n", source),
      "Neu\n");
  EXPECT_EQ(TemporaryFilesIn(dir.path()), Texts{});
  EXPECT_FALSE(fs::exists(source + ".velmora-journal"));
  ASSERT_EQ(Run({source, "set", "v2Comment", std::string(2000, 'c'), "update", source}).exitCode,
            0);
  bytes = ReadBytes(source);
  EXPECT_NE(StatusOfPath(source)->identity.inode, inode);
  EXPECT_EQ(bytes.substr(bytes.size() - 128 - audio.size(), audio.size()), audio);
}

} // namespace
} // namespace velmora::test
