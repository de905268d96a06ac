#include <gtest/gtest.h>

#include "cli_runner.h"
#include "form/audio_test_files.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// A work directory as the window finds it at start: settings, both templates, and one audio
// file with the author Meier and the title Der Fall in its old tag.
class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(dir.file("Tonfeld.ini"), "[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
    WriteBytes(dir.file("FileNameVorlage.txt"), "# Name des Files\n$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "Autor: $0$\nTitel: $1$ ($3$)\n");
    fs::create_directory(dir.path() / "in");
    WriteBytes(source, sourceBytes);
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir.path(), args); }

  TempDir dir;
  const std::string oldTag = Id3v2Tag({"", "Der Fall", "Meier"}, 300), audio = MpegAudio(70000);
  const std::string source = dir.file("in/Hans Meier - Der Fall 1v2 - RBX, 87.mp3");
  const std::string sourceBytes = oldTag + audio;
};

TEST_F(CliTest, ShowPrintsTheLoadedFileAsJsonInUtf8) {
  const CliRun run = Run({source, "set", "v2Comment",
                          "Stra\xc3\x9f"
                          "e \"1\"\nzwei",
                          "copy-v1", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  for (const std::string& line :
       Texts{"{\n", "\n  \"maskAuthor\": \"Meier\",\n", "\"maskTitle\": \"Der Fall\",",
             "\"maskStation\": \"RBX\",", "\"maskYear\": \"1987\",", "\"recAutor\": \"Meier\",",
             "\"v2Genre\": 101,", "\"partDesignation\": \"1v2\",",
             "\"v2Comment\": \"Stra\xc3\x9f"
             "e \\\"1\\\"\\nzwei\"",
             "\"oldTagLength\": " + std::to_string(oldTag.size()) + ",",
             "\"inputFile\": \"" + source + "\",", "\"inputDir\": \"" + dir.file("in/") + "\","})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_TRUE(run.out.ends_with("\"\n}\n"));
}

TEST_F(CliTest, SetGenreAndUpdateRoundTripWithDescriptionAndUploadLine) {
  fs::create_directory(dir.path() / "out");
  const std::string target = dir.file("out/neu.mp3");
  const CliRun run = Run({source, "set", "v2Title",
                          "Der gro\xc3\x9f"
                          "e Fall",
                          "set", "v2Track", "3", "set", "v2Year", "1987", "genre", "12", "set",
                          "v1Title", "Kurz", "update", target});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Uploadinfo: Meier - Der gro\xc3\x9f"
                     "e Fall\n");
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  // Read back through the core's readers.
  const std::string bytes = ReadBytes(target), tag = TagOf(bytes);
  Texts frames;
  for (const Id3v2Frame& frame : ParseId3v2Frames(tag))
    frames.push_back(frame.id + "=" + frame.text);
  EXPECT_EQ(frames, (Texts{"TRCK=3", "TIT2=Der gro\337e Fall", "TPE1=Meier", "TALB=", "TYER=1987",
                           "COMM=", "TCOM=", "TOPE=", "TCOP=", "WXXX=", "TENC="}));
  EXPECT_EQ(FrameBody(tag, "TCON"), std::string("\0(012)Other", 11));
  EXPECT_EQ(bytes.substr(tag.size(), audio.size() + 3), audio + "TAG");
  EXPECT_EQ(ReadId3v1Record(bytes)->title, "Kurz");
  // The settings remember the output directory; the description file lies there.
  EXPECT_NE(ReadBytes(dir.file("Tonfeld.ini")).find("OutputDir=" + dir.file("out/")),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir.file("out/Meier - Der gro\xc3\x9f"
                               "e Fall.txt")),
            "Autor: Meier\nTitel: Der gro\xc3\x9f"
            "e Fall (1987)");
}

TEST_F(CliTest, UpdateOverTheFileItself) {
  ASSERT_EQ(Run({source, "set", "v2Comment", "erster Lauf", "update", source}).exitCode, 0);
  // The second run loads the tag that the first one wrote.
  const CliRun second = Run({source, "show", "update", source});
  EXPECT_NE(second.out.find("\"v2Comment\": \"erster Lauf\""), std::string::npos);
  const std::string bytes = ReadBytes(source), tag = TagOf(bytes);
  EXPECT_EQ(FrameBody(tag, "COMM"), std::string("\0ger\0erster Lauf", 16));
  EXPECT_EQ(bytes.size(), tag.size() + audio.size() + kId3v1RecordSize);
  EXPECT_EQ(bytes.substr(tag.size(), audio.size() + 3), audio + "TAG");
}

TEST_F(CliTest, FailureBoxesGiveExitStatusOne) {
  WriteBytes(dir.file("in/wave.mp3"), "RIFF....WAVE");
  EXPECT_EQ(Run({dir.file("in/wave.mp3")}).err,
            "Fehler: Das File \"" + dir.file("in/wave.mp3") + "\" ist kein mp2/mp3-File!\n");
  const CliRun run = Run({source, "update", dir.file("fehlt/x.mp3")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.starts_with("Warnung: Kann tempor\xc3\xa4res File nicht \xc3\xb6"
                                  "ffnen! \nOperation fehlgeschlagen\n"))
      << run.err;
  // A box of another caption is no failure.
  EXPECT_EQ(Run({source, "set", "v2Year", "1234567", "update"}).exitCode, 0);
  EXPECT_FALSE(fs::exists(dir.file("Meier - Der Fall.mp3")));
}

TEST_F(CliTest, UsageErrorsGiveExitStatusTwo) {
  for (const Texts& args : std::vector<Texts>{{},
                                              {source, "bogus"},
                                              {source, "set", "v2Title"},
                                              {source, "set", "keinFeld", "x"},
                                              {source, "genre", "126"},
                                              {source, "import-page", dir.file("fehlt.html")}}) {
    const CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
    EXPECT_NE(run.err.find("Usage: velmora-cli FILE [ACTION]"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(ReadBytes(source), sourceBytes); // nothing ran
  const CliRun help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
}

} // namespace
} // namespace velmora::test
