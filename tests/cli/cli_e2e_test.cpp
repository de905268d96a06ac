#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "form/audio_test_files.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// A work directory as the window finds it at start: settings and both templates, and one audio
// file with the author Meier and the title Der Fall in its old tag.
class CliTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(dir.file("Tonfeld.ini"), "[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
    WriteBytes(dir.file("FileNameVorlage.txt"), "# Name des Files\n$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "Autor: $0$\nTitel: $1$ ($3$)\n");
    Id3v2FrameTexts texts{};
    texts[1] = "Der Fall";
    texts[2] = "Meier";
    oldTag = Id3v2Tag(texts, 300);
    audio = MpegAudio(70000);
    fs::create_directory(dir.path() / "in");
    source = dir.file("in/Hans Meier - Der Fall 1v2 - RBX, 87.mp3");
    WriteBytes(source, oldTag + audio);
  }

  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir.path(), args); }
  static std::string Tag(const std::string& bytes) {
    return bytes.substr(0, MeasureId3v2Tag(bytes));
  }
  static std::string FrameText(const std::string& bytes, std::string_view id) {
    return FrameBody(Tag(bytes), id).substr(1); // without the encoding byte
  }

  TempDir dir;
  std::string oldTag, audio, source;
};

TEST_F(CliTest, ShowPrintsTheLoadedFileAsJson) {
  const CliRun run = Run({source, "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  for (const char* line :
       {"  \"maskAuthor\": \"Meier\",", "  \"maskTitle\": \"Der Fall\",",
        "  \"maskStation\": \"RBX\",", "  \"maskYear\": \"1987\",", "  \"v1Track\": \"1\",",
        "  \"v2Title\": \"Der Fall\",", "  \"v2Artist\": \"Meier\",", "  \"recAutor\": \"Meier\",",
        "  \"v2Genre\": 101,", "  \"partDesignation\": \"1v2\","})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_NE(run.out.find("  \"oldTagLength\": " + std::to_string(oldTag.size()) + ","),
            std::string::npos);
  EXPECT_NE(run.out.find("  \"inputFile\": \"" + source + "\","), std::string::npos);
  EXPECT_NE(run.out.find("  \"inputDir\": \"" + dir.path().string() + "/in/\","),
            std::string::npos);
  EXPECT_EQ(run.out.front(), '{');
  EXPECT_TRUE(run.out.ends_with("\"\n}\n"));
}

TEST_F(CliTest, UmlautsArePrintedInUtf8) {
  const std::string path = dir.file("in/Karl Müller - Rückkehr.mp3");
  WriteBytes(path, MpegAudio(100));
  const CliRun run = Run({path, "set", "v2Comment", "Straße \"1\"\nzwei", "copy-v1", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"maskAuthor\": \"Müller\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"maskTitle\": \"Rückkehr\""), std::string::npos);
  EXPECT_NE(run.out.find("\"v2Comment\": \"Straße \\\"1\\\"\\nzwei\""), std::string::npos);
}

TEST_F(CliTest, SetGenreAndUpdateRoundTrip) {
  fs::create_directory(dir.path() / "out");
  const std::string target = dir.file("out/neu.mp3");
  const CliRun run = Run({source, "set", "v2Title", "Der große Fall", "set", "v2Year", "1987",
                          "genre", "12", "set", "v1Title", "Kurz", "update", target});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Uploadinfo: Meier - Der gro\xc3\x9f"
                     "e Fall\n");

  const std::string bytes = ReadBytes(target);
  EXPECT_EQ(FrameText(bytes, "TIT2"), "Der gro\xdf"
                                      "e Fall");
  EXPECT_EQ(FrameText(bytes, "TPE1"), "Meier");
  EXPECT_EQ(FrameText(bytes, "TYER"), "1987");
  EXPECT_EQ(FrameText(bytes, "TCON"), "(012)Other");
  const std::size_t tagSize = Tag(bytes).size();
  EXPECT_EQ(bytes.substr(tagSize, audio.size()), audio);
  ASSERT_EQ(bytes.size(), tagSize + audio.size() + 128);
  EXPECT_EQ(ReadId3v1Record(bytes)->title, "Kurz");
  EXPECT_EQ(ReadBytes(source), oldTag + audio);

  // The settings remember the output directory; the description file lies there.
  EXPECT_NE(ReadBytes(dir.file("Tonfeld.ini")).find("OutputDir=" + dir.path().string() + "/out/"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir.file("out/Meier - Der gro\xc3\x9f"
                               "e Fall.txt")),
            "Autor: Meier\nTitel: Der gro\xc3\x9f"
            "e Fall (1987)");
}

TEST_F(CliTest, UpdateOverTheFileItself) {
  const CliRun first = Run({source, "set", "v2Comment", "erster Lauf", "update", source});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const CliRun second = Run({source, "show", "update", source});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  // The second run loaded the tag that the first one wrote.
  EXPECT_NE(second.out.find("\"v2Comment\": \"erster Lauf\""), std::string::npos);

  const std::string bytes = ReadBytes(source);
  const std::size_t tagSize = Tag(bytes).size();
  EXPECT_EQ(FrameText(bytes, "COMM"), std::string("ger\0erster Lauf", 15));
  EXPECT_EQ(bytes.size(), tagSize + audio.size() + 128);
  EXPECT_EQ(bytes.substr(tagSize, audio.size()), audio);
  EXPECT_FALSE(fs::exists(dir.path() / "in" / "temp$$$"));
}

TEST_F(CliTest, UpdateWithoutTargetTakesTheProposal) {
  const CliRun run = Run({source, "update"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Uploadinfo: Meier - Der Fall\n");
  EXPECT_TRUE(fs::exists(dir.path() / "Meier - Der Fall.mp3"));
  EXPECT_EQ(ReadBytes(dir.file("Meier - Der Fall.txt")), "Autor: Meier\nTitel: Der Fall ()");
}

TEST_F(CliTest, ButtonsWorkOnTheForm) {
  const CliRun run =
      Run({source, "set", "v2Title", "verworfen", "filename", "show", "clear-mask", "show"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto second = run.out.find('{', 1);
  ASSERT_NE(second, std::string::npos);
  const std::string afterFilename = run.out.substr(0, second);
  const std::string afterClear = run.out.substr(second);
  EXPECT_NE(afterFilename.find("\"v2Title\": \"Hans Meier - Der Fall 1v2 - RBX, 87\""),
            std::string::npos);
  EXPECT_NE(afterFilename.find("\"maskAuthor\": \"Meier\""), std::string::npos);
  EXPECT_NE(afterClear.find("\"maskAuthor\": \"\""), std::string::npos);
  EXPECT_NE(afterClear.find("\"v2Genre\": 101"), std::string::npos);

  const CliRun typed = Run({source, "genre", "Hörspiel", "show"});
  EXPECT_NE(typed.out.find("\"v2Genre\": null"), std::string::npos);
}

TEST_F(CliTest, FailureBoxesGiveExitStatusOne) {
  const std::string wave = dir.file("in/wave.mp3");
  WriteBytes(wave, "RIFF....WAVE");
  CliRun run = Run({wave});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Fehler: Das File \"" + wave + "\" ist kein mp2/mp3-File!\n");

  run = Run({source, "update", dir.file("fehlt/x.mp3")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.find("Warnung: Kann tempor\xc3\xa4res File nicht \xc3\xb6"
                         "ffnen! \nOperation fehlgeschlagen\n"),
            0u)
      << run.err;

  // A box of another caption is no failure.
  run = Run({source, "set", "v2Year", "1234567", "update"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "Velmora: Bitte geben Sie nicht mehr als 6 Zeichen ein.\n");
  EXPECT_FALSE(fs::exists(dir.path() / "Meier - Der Fall.mp3"));
}

TEST_F(CliTest, UsageErrorsGiveExitStatusTwo) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {source, "bogus"},
      {source, "set", "v2Title"},
      {source, "set", "keinFeld", "x"},
      {source, "genre", "126"},
      {source, "genre"},
      {source, "import-page", dir.file("fehlt.html")},
  };
  for (const auto& args : wrong) {
    const CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
    EXPECT_NE(run.err.find("Usage: velmora-cli FILE [ACTION]"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  // Nothing ran: no file was written.
  EXPECT_EQ(ReadBytes(source), oldTag + audio);

  const CliRun help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: velmora-cli FILE [ACTION]"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
}

} // namespace
} // namespace velmora::test
