// The Hördat search from end to end: velmora-cli against the stand-in service on a free
// loopback port, the form checked with "show", the found values written by "update", and a whole
// play written by one "update-parts" after one search on its first part.
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
    // A failed action ends the chain before show.
    if (exitCode != 0) {
      EXPECT_EQ(run.out, "");
    }
    for (std::size_t i = 0; i + 1 < shown.size(); i += 2)
      EXPECT_NE(run.out.find("\"" + shown[i] + "\": \"" + shown[i + 1] + "\""), std::string::npos)
          << shown[i] << "\n"
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

TEST_F(SearchE2eTest, OneRecordFillsTheFormAndUpdateWritesIt) {
  const std::string target = dir.file("gefunden.mp3");
  Check(
      garten, {"search", "update", target}, 0, "",
      {"maskTitle", "Garten, Der", "v2Title", "Der Garten 1v2", "v2Artist", "Berger,Anna",
       "v2Copyright", "RBX 1998", "v2Composer", " Hans Bauer", "v2Comment",
       "Im Garten der Villa Lindqvist liegt ein Toter.\\r\\nKommissarin Roth sucht den Gärtner."});
  EXPECT_EQ(FrameTexts(TagOf(ReadBytes(target)), {"TIT2", "TYER", "TCOP", "TALB", "TCOM"}),
            "|Der Garten 1v2|1998|RBX 1998|Krimi| Hans Bauer");
}

// Several hits: ROW applies the picked one after emptying the ID3v1 fields; without ROW the hits
// are the result, one JSON line, and nothing is applied; a ROW beyond them is a failure.
TEST_F(SearchE2eTest, SeveralHitsArePrintedOrThePickedRowIsApplied) {
  Check(Spur(2), {"search", "1"}, 0, "",
        {"v2Title", "Die Spur im Moor 2v3", "recLaenge", "58", "v1Title", "", "v2Comment",
         "Eine zweite Leiche.\\r\\nPieper gerät in Verdacht."});
  const CliRun run = Run(Spur(2), {"search"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("{\"hits\": [{\"row\": 0, \"author\": \"M\303\274ller, "
                                  "J\303\274rgen\", \"title\": \""))
      << run.out;
  EXPECT_NE(run.out.find("{\"row\": 2, "), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("}]}\n")) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
  const CliRun beyond = Run(Spur(2), {"search", "7"});
  EXPECT_EQ(beyond.exitCode, 1);
  EXPECT_NE(beyond.err.find("eine Zeile 7 gibt es nicht"), std::string::npos) << beyond.err;
}

// Searches that apply no record keep the form as it was. Without the libcurl module a search says
// the start-up message of the network; every run without a search never needs it.
// A search that applies no record says why and ends the chain: the actions after it (here an
// update and show) do not run, so no file is written without its record.
TEST_F(SearchE2eTest, NoHitTooManyHitsNoNetworkAndARefusedConnectionAreReported) {
  Check(garten, {"set", "maskAuthor", "Niemand", "search"}, 1,
        "Velmora: Kein Datensatz gefunden.\n", {});
  Check(garten,
        {"set", "maskAuthor", "", "set", "maskTitle", "%", "set", "maskStation", "", "set",
         "maskYear", "19", "search"},
        1, "Velmora: Mehr als 20 Datensätze gefunden. Bitte schränken Sie die Suche ein.\n", {});
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

// Every part is written to the output folder with its own designation, number and audio; the
// sources and the file of another play stay.
TEST_F(SearchE2eTest, OneSearchOneUpdatePartsCommandThreeTaggedParts) {
  settings = "[DIRECTORIES]\nOUTPUTDIR=" + dir.file("out/") + "\n[SETTINGS]\nUPLOADINFO=1\n";
  fs::create_directory(dir.file("out"));
  const auto audio = [](int part) { return MpegAudio(10000 + 1000 * std::size_t(part)); };
  for (int part : {1, 2, 3})
    WriteBytes(dir.file(Spur(part)), audio(part));
  WriteBytes(dir.file(garten), MpegAudio(3000));
  const CliRun run = Run(Spur(1), {"search", "1", "update-parts"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, MessageLine(kVelmora, messages::PartsWritten(3, 3, {})));
  std::string uploads, results;
  for (int part : {1, 2, 3}) {
    uploads += (part == 1 ? "Uploadinfo: " : "\\nUploadinfo: ") +
               Spur(part).substr(0, Spur(part).size() - 4);
    results += "{\"part\": " + std::to_string(part) + ", \"source\": \"" + dir.file(Spur(part)) +
               "\", \"target\": \"" + dir.file("out/" + Spur(part)) + "\", \"ok\": true}\n";
  }
  EXPECT_EQ(run.out, "{\"clipboard\": \"" + uploads + "\"}\n" + results);

  const std::string firstTag = TagOf(ReadBytes(dir.file("out/" + Spur(1))));
  EXPECT_FALSE(FrameBody(firstTag, "COMM").empty());
  for (int part : {1, 2, 3}) {
    SCOPED_TRACE(part);
    const std::string bytes = ReadBytes(dir.file("out/" + Spur(part))), tag = TagOf(bytes);
    const std::string n = std::to_string(part);
    EXPECT_EQ(FrameTexts(tag, {"TRCK", "TIT2"}), "|" + n + "|Die Spur im Moor " + n + "v3");
    for (const char* same : {"TPE1", "TALB", "COMM", "TCOP", "TYER", "TCOM"})
      EXPECT_EQ(FrameBody(tag, same), FrameBody(firstTag, same)) << same;
    EXPECT_EQ(bytes.substr(tag.size(), bytes.size() - tag.size() - 128), audio(part));
    EXPECT_EQ(ReadBytes(dir.file(Spur(part))), audio(part)); // the sources stay
  }
  EXPECT_EQ(ReadBytes(dir.file(garten)), MpegAudio(3000));
  EXPECT_FALSE(fs::exists(dir.file("out/" + garten)));
}

} // namespace
} // namespace velmora::test
