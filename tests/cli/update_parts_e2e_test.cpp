// A whole play in one go from end to end: one search on the first part against the stand-in
// service, one "update-parts", and every part written with its own designation and audio.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "form/audio_test_files.h"
#include "lookup/standin_process.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class UpdatePartsE2eTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(standin.port, 0) << standin.firstLine;
    fs::create_directory(dir.path() / "out");
    WriteBytes(dir.file("Tonfeld.ini"), "[WWW]\nURL-HOERDAT=" + standin.BaseUrl() +
                                            "\nSCRIPT-HOERDAT=hoerdat.php\n[DIRECTORIES]\n"
                                            "OUTPUTDIR=" +
                                            dir.file("out/") + "\n[SETTINGS]\nUPLOADINFO=1\n");
    for (int number : {1, 2, 3})
      WriteBytes(dir.file(Name(number)), Audio(number));
    WriteBytes(dir.file(other), MpegAudio(3000));
  }
  static std::string Name(int number) {
    return "Jürgen Müller - Spur im Moor, Die " + std::to_string(number) + "v3 - NDX, 75.mp3";
  }
  static std::string Audio(int number) {
    return MpegAudio(10000 + 1000 * static_cast<std::size_t>(number));
  }
  TempDir dir;
  StandinProcess standin;
  const std::string other = "Anna Berger - Garten, Der 1v2 - RBX, 98.mp3";
};

TEST_F(UpdatePartsE2eTest, OneSearchOneCommandThreeTaggedParts) {
  const CliRun run = RunCli(dir.path(), {dir.file(Name(1)), "search", "1", "update-parts"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Velmora: 3 Teile geschrieben.\n");
  std::string expected;
  for (int number : {1, 2, 3})
    expected += "{\"part\": " + std::to_string(number) + ", \"source\": \"" +
                dir.file(Name(number)) + "\", \"target\": \"" + dir.file("out/" + Name(number)) +
                "\", \"ok\": true}\n";
  const std::string upload = "{\"clipboard\": \"Uploadinfo: Jürgen Müller - Spur im Moor, Die "
                             "1v3 - NDX, 75\\nUploadinfo: Jürgen Müller - Spur im Moor, Die 2v3 - "
                             "NDX, 75\\nUploadinfo: Jürgen Müller - Spur im Moor, Die 3v3 - NDX, "
                             "75\"}\n";
  EXPECT_EQ(run.out, upload + expected);

  const std::string firstTag = TagOf(ReadBytes(dir.file("out/" + Name(1))));
  for (int number : {1, 2, 3}) {
    SCOPED_TRACE(number);
    const std::string bytes = ReadBytes(dir.file("out/" + Name(number)));
    const std::string tag = TagOf(bytes);
    EXPECT_EQ(FrameBody(tag, "TRCK").substr(1), std::to_string(number));
    EXPECT_EQ(FrameBody(tag, "TIT2").substr(1),
              "Die Spur im Moor " + std::to_string(number) + "v3");
    for (const char* same : {"TPE1", "TALB", "COMM", "TCOP", "TYER", "TCOM"})
      EXPECT_EQ(FrameBody(tag, same), FrameBody(firstTag, same)) << same;
    EXPECT_EQ(bytes.substr(tag.size(), bytes.size() - tag.size() - 128), Audio(number));
    EXPECT_EQ(ReadBytes(dir.file(Name(number))), Audio(number)); // the sources stay
  }
  EXPECT_FALSE(FrameBody(firstTag, "COMM").empty());
  EXPECT_EQ(ReadBytes(dir.file(other)), MpegAudio(3000));
  EXPECT_FALSE(fs::exists(dir.file("out/" + other)));
}

} // namespace
} // namespace velmora::test
