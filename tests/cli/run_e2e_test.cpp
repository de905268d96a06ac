// A run over a collection from end to end: velmora-cli against the stand-in service, its state
// and cache in temporary folders. Lookup is paced and cached, choose and review change nothing
// on disk, apply-in-place writes and undo gives every byte back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "cli_runner.h"
#include "form/audio_test_files.h"
#include "lookup/standin_process.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class RunE2eTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(standin.port, 0) << standin.firstLine;
    setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    fs::create_directories(dir.path() / "in");
    fs::create_directories(dir.path() / "out");
    WriteBytes(dir.file("Tonfeld.ini"), "[DIRECTORIES]\nOUTPUTDIR=" + dir.file("out/") +
                                            "\n[WWW]\nURL-HOERDAT=" + standin.BaseUrl() +
                                            "\nSCRIPT-HOERDAT=hoerdat.php\nHOERDAT_PAUSE_MS=300\n");
    for (const char* name : {"Anna Berger - Garten, Der - RBX, 98.mp3",
                             "Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3",
                             "Jürgen Müller - Spur im Moor, Die 3v3 - NDX, 75.mp3",
                             "Anna Berger - Unbekannt - RBX, 98.mp3"})
      WriteBytes(dir.file(std::string("in/") + name), MpegAudio(30000));
  }
  void TearDown() override {
    unsetenv("XDG_CACHE_HOME");
    unsetenv("XDG_STATE_HOME");
  }
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), "in");
    return RunCli(dir.path(), args);
  }
  TempDir dir;
  StandinProcess standin;
};

TEST_F(RunE2eTest, LookupChooseReviewWriteInPlaceAndUndo) {
  const std::string lookedUp =
      "{\"id\": 1, \"hits\": 1, \"chosen\": 0, \"why\": \"ein Treffer\"}\n"
      "{\"id\": 2, \"hits\": 0, \"chosen\": null, \"why\": \"kein Treffer bei H\303\266rdat: "
      "einzeln suchen oder \303\274berspringen\"}\n"
      "{\"id\": 3, \"hits\": 3, \"chosen\": 1, \"why\": \"3 Treffer, alle dasselbe "
      "H\303\266rspiel: "
      "der Eintrag seines ersten Teils\"}\n";
  const auto start = std::chrono::steady_clock::now();
  CliRun run = Run({"lookup"});
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(600));
  EXPECT_EQ(run.out, lookedUp) << run.err;

  // A new state asks the cache, not the service.
  standin.Stop();
  setenv("XDG_STATE_HOME", dir.file("state2").c_str(), 1);
  EXPECT_EQ(Run({"lookup"}).out, lookedUp);
  EXPECT_EQ(Run({"choose", "2", "0"}).exitCode, 1);
  EXPECT_EQ(Run({"choose", "2", "none"}).exitCode, 0);

  const std::string before = ReadBytes(dir.file("in/Anna Berger - Garten, Der - RBX, 98.mp3"));
  run = Run({"review"});
  EXPECT_NE(run.out.find("{\"id\": 1, \"file\": \"Anna Berger - Garten, Der - RBX, 98.mp3\", "
                         "\"target\": \"" +
                         dir.file("out/")),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"v2Title\": [\"\", \"Die Spur im Moor 3v3\"]"), std::string::npos)
      << run.out;
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));

  run = Run({"apply-in-place"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.out.ends_with("{\"written\": 3, \"failed\": 0}\n")) << run.out;
  const std::string written = ReadBytes(dir.file("in/Anna Berger - Garten, Der - RBX, 98.mp3"));
  EXPECT_EQ(FrameBody(TagOf(written), "TIT2"), std::string("\0Der Garten", 11));
  run = Run({"undo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
  EXPECT_TRUE(ReadBytes(dir.file("in/Anna Berger - Garten, Der - RBX, 98.mp3")) == before);
  EXPECT_EQ(Run({"undo"}).exitCode, 0);
}

} // namespace
} // namespace velmora::test
