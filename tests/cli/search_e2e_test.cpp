// The Hördat search from end to end: velmora-cli against the stand-in service on a free
// loopback port, the form checked with "show", and a whole play written by one "update-parts"
// after one search on its first part.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "core/model/messages.h"
#include "lookup/standin_process.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using messages::kVelmora;

class SearchE2eTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(standin.port, 0) << standin.firstLine; }
  // Runs velmora-cli on the file name (untagged audio unless it is there), the settings pointing
  // at url and holding the further lines of settings.
  CliRun Run(const std::string& name, std::vector<std::string> args) {
    WriteBytes(dir.file("Tonfeld.ini"),
               "[WWW]\nURL-HOERDAT=" + url + "\nSCRIPT-HOERDAT=hoerdat.php\n" + settings);
    if (!fs::exists(dir.file(name))) WriteBytes(dir.file(name), MpegAudio(20000));
    args.insert(args.begin(), dir.file(name));
    return RunCli(dir.path(), args);
  }
  // Runs with "ARGS show"; expects the exit code, err and the fields shown: field, value, ….
  void Check(const std::string& name, std::vector<std::string> args, int exitCode,
             const std::string& err, const std::vector<std::string>& shown) {
    args.push_back("show");
    const CliRun run = Run(name, args);
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.err, err);
    EXPECT_TRUE(exitCode == 0 || run.out.empty()); // a failed action ends the chain before show
    for (std::size_t i = 0; i + 1 < shown.size(); i += 2)
      EXPECT_NE(run.out.find("\"" + shown[i] + "\": \"" + shown[i + 1] + "\""), std::string::npos)
          << shown[i] << '\n'
          << run.out;
  }
  static std::string Spur(int part) {
    return "Jürgen Müller - Spur im Moor, Die " + std::to_string(part) + "v3 - NDX, 75.mp3";
  }
  const std::string garten = "Anna Berger - Garten, Der 1v2 - RBX, 98.mp3";
  TempDir dir;
  StandinProcess standin;
  const std::string url = standin.BaseUrl();
  std::string settings;
};

// Several hits: ROW applies the picked one; without ROW the hits are the result, one JSON line,
// and nothing is applied; a ROW beyond them is a failure.
TEST_F(SearchE2eTest, SeveralHitsArePrintedOrThePickedRowIsApplied) {
  // The answer's UTF-8 and line breaks reach the JSON.
  Check(Spur(2), {"search", "1"}, 0, "",
        {"v2Title", "Die Spur im Moor 2v3", "v2Comment",
         "Eine zweite Leiche.\\r\\nPieper gerät in Verdacht."});
  const CliRun run = Run(Spur(2), {"search"});
  EXPECT_EQ(std::to_string(run.exitCode) + run.err, "0");
  EXPECT_TRUE(run.out.starts_with("{\"hits\": [{\"row\": 0, \"author\": \"M\303\274ller, "
                                  "J\303\274rgen\", \"title\": \""))
      << run.out;
  EXPECT_TRUE(run.out.ends_with("}]}\n") && std::count(run.out.begin(), run.out.end(), '\n') == 1)
      << run.out;
  const CliRun beyond = Run(Spur(2), {"search", "7"});
  EXPECT_EQ(beyond.exitCode, 1);
  EXPECT_NE(beyond.err.find("eine Zeile 7 gibt es nicht"), std::string::npos) << beyond.err;
}

// A search that applies no record says why and ends the chain: the actions after it (here an
// update and show) do not run, so no file is written without its record. Without the libcurl
// module a search says the start-up message of the network.
TEST_F(SearchE2eTest, NoNetworkAndARefusedConnectionAreReportedAndEndTheChain) {
  setenv("VELMORA_CURL_MODULE", dir.file("fehlt.so").c_str(), 1);
  Check(garten, {"search"}, 1, MessageLine(kVelmora, messages::SocketInitFailed()), {});
  unsetenv("VELMORA_CURL_MODULE");
  standin.Stop();
  Check(garten, {"search", "update", "neu.mp3"}, 1,
        MessageLine(kVelmora, messages::NoAnswerFrom(
                                  url + "hoerdat.php?a=Berger&b=Garten%2c%20Der&c=RBX&d=1998",
                                  HttpFailure::Refused)),
        {});
  EXPECT_FALSE(fs::exists(dir.file("neu.mp3")));
}

// One search on the first part, one update-parts: a JSON line per part, the upload lines on the
// clipboard, each part under its own name in the output folder.
TEST_F(SearchE2eTest, OneSearchOneUpdatePartsCommandThreeTaggedParts) {
  settings = "[DIRECTORIES]\nOUTPUTDIR=" + dir.file("out/") + "\n[SETTINGS]\nUPLOADINFO=1\n";
  fs::create_directory(dir.file("out"));
  for (int part : {1, 2, 3})
    WriteBytes(dir.file(Spur(part)), MpegAudio(10000));
  const CliRun run = Run(Spur(1), {"search", "1", "update-parts"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, MessageLine(kVelmora, messages::PartsWritten(3, 3, {})));
  std::string uploads, results;
  for (int part : {1, 2, 3}) {
    const std::string name = Spur(part);
    uploads += (part == 1 ? "Uploadinfo: " : "\\nUploadinfo: ") + name.substr(0, name.size() - 4);
    results += "{\"part\": " + std::to_string(part) + ", \"source\": \"" + dir.file(name) +
               "\", \"target\": \"" + dir.file("out/" + name) + "\", \"ok\": true}\n";
  }
  EXPECT_EQ(run.out, "{\"clipboard\": \"" + uploads + "\"}\n" + results);
}

} // namespace
} // namespace velmora::test
