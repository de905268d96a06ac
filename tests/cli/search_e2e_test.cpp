// The Hördat search from end to end: velmora-cli against the stand-in service on a free
// loopback port, the form checked with "show", and the found values written by "update".
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "form/audio_test_files.h"
#include "lookup/loopback_http.h"
#include "lookup/standin_process.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class SearchE2eTest : public ::testing::Test {
protected:
  void SetUp() override {
    standin = std::make_unique<StandinProcess>();
    ASSERT_TRUE(standin->Running()) << standin->firstLine();
    PointSettingsAt(standin->BaseUrl());
    fs::create_directory(dir.path() / "in");
  }
  void PointSettingsAt(const std::string& baseUrl) {
    WriteBytes(dir.file("Tonfeld.ini"),
               "[WWW]\nURL-HOERDAT=" + baseUrl + "\nSCRIPT-HOERDAT=hoerdat.php\n");
  }
  // An untagged audio file in the input directory.
  std::string AudioFile(const std::string& name) {
    const std::string path = dir.file("in/" + name);
    WriteBytes(path, MpegAudio(20000));
    return path;
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir.path(), args); }
  static void ExpectShown(const CliRun& run, const std::string& field, const std::string& value) {
    EXPECT_NE(run.out.find("\"" + field + "\": \"" + value + "\""), std::string::npos)
        << field << " should be " << value << "\n"
        << run.out;
  }

  TempDir dir;
  std::unique_ptr<StandinProcess> standin;
};

TEST_F(SearchE2eTest, OneRecordFillsTheForm) {
  const std::string file = AudioFile("Anna Berger - Garten, Der 1v2 - RBX, 98.mp3");
  const CliRun run = Run({file, "search", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectShown(run, "maskTitle", "Garten, Der");
  ExpectShown(run, "v2Title", "Der Garten 1v2");
  ExpectShown(run, "recTitel1", "Der Garten");
  ExpectShown(run, "v2Artist", "Berger,Anna");
  ExpectShown(run, "v2Year", "1998");
  ExpectShown(run, "v2Copyright", "RBX 1998");
  ExpectShown(run, "v2Composer", " Hans Bauer");
  ExpectShown(run, "v2Album", "Krimi");
  ExpectShown(run, "v2Comment",
              "Im Garten der Villa Lindqvist liegt ein Toter.\\r\\nKommissarin Roth sucht den "
              "Gärtner.");
  ExpectShown(run, "v2OrigArtist",
              " Kommissarin Roth: Anna Berger, Gärtner: Otto Klee, "
              "Villenbesitzer: Paul Dornbusch, Nachbarin: Hedwig Sauer");
}

TEST_F(SearchE2eTest, TheChoiceAppliesThePickedRow) {
  const std::string file = AudioFile("Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3");
  const CliRun run = Run({file, "search", "1", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ExpectShown(run, "v2Title", "Die Spur im Moor 2v3");
  ExpectShown(run, "recLaenge", "58");
  ExpectShown(run, "v2Comment", "Eine zweite Leiche.\\r\\nPieper gerät in Verdacht.");
  ExpectShown(run, "v1Title", ""); // emptied before the chosen record was applied
}

TEST_F(SearchE2eTest, CancellingTheChoiceKeepsTheForm) {
  const std::string file = AudioFile("Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3");
  const CliRun run = Run({file, "set", "v2Title", "Eigener Titel", "search", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectShown(run, "v2Title", "Eigener Titel"); // taken by the search, not replaced
  ExpectShown(run, "recLaenge", "");
}

TEST_F(SearchE2eTest, NoHitShowsTheDatabaseMessageAndEmptiesTheRecordFields) {
  const std::string file = AudioFile("Anna Berger - Garten, Der - RBX, 98.mp3");
  const CliRun run =
      Run({file, "set", "v2Title", "Vorher", "set", "maskAuthor", "Niemand", "search", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Velmora: Kein Datensatz gefunden.\n");
  ExpectShown(run, "maskAuthor", "Niemand");
  ExpectShown(run, "v2Title", "");
}

TEST_F(SearchE2eTest, TooManyHitsShowTheDatabaseMessage) {
  const std::string file = AudioFile("Anna Berger - Garten, Der - RBX, 98.mp3");
  const CliRun run = Run({file, "set", "maskAuthor", "", "set", "maskTitle", "%", "set",
                          "maskStation", "", "set", "maskYear", "19", "search", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            "Velmora: Mehr als 20 Datensätze gefunden. Bitte schränken Sie die Suche ein.\n");
  ExpectShown(run, "maskTitle", "%");
  ExpectShown(run, "v2Year", "");
}

TEST_F(SearchE2eTest, ARefusedConnectionIsReported) {
  PointSettingsAt("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
  const std::string file = AudioFile("Anna Berger - Garten, Der - RBX, 98.mp3");
  const CliRun run = Run({file, "set", "v2Title", "Vorher", "search", "show"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Velmora: Connection to Server Failed\n");
  ExpectShown(run, "v2Title", "Vorher");
  ExpectShown(run, "v2Url", "--");
}

TEST_F(SearchE2eTest, UpdateWritesTheFoundValuesIntoTheFile) {
  const std::string file = AudioFile("Anna Berger - Garten, Der 1v2 - RBX, 98.mp3");
  fs::create_directory(dir.path() / "out");
  const std::string target = dir.file("out/gefunden.mp3");
  const CliRun run = Run({file, "search", "update", target});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string bytes = ReadBytes(target);
  const std::string tag = bytes.substr(0, MeasureId3v2Tag(bytes));
  EXPECT_EQ(FrameBody(tag, "TIT2").substr(1), "Der Garten 1v2");
  EXPECT_EQ(FrameBody(tag, "TYER").substr(1), "1998");
  EXPECT_EQ(FrameBody(tag, "TCOP").substr(1), "RBX 1998");
  EXPECT_EQ(FrameBody(tag, "TALB").substr(1), "Krimi");
  EXPECT_EQ(FrameBody(tag, "TCOM").substr(1), " Hans Bauer");
  // The audio follows unchanged, then the ID3v1 record.
  const std::string audio = MpegAudio(20000);
  ASSERT_GE(bytes.size(), tag.size() + audio.size() + 128);
  EXPECT_TRUE(bytes.substr(bytes.size() - 128 - audio.size(), audio.size()) == audio);
  EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");
}

} // namespace
} // namespace velmora::test
