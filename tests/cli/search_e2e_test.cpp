// The Hördat search from end to end: velmora-cli against the stand-in service on a free
// loopback port, the form checked with "show", and the found values written by "update".
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "form/audio_test_files.h"
#include "lookup/standin_process.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

class SearchE2eTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(standin.port, 0) << standin.firstLine; }
  // Runs velmora-cli with "ARGS show" on an untagged audio file, the settings pointing at
  // baseUrl; expects err and the fields shown: field, value, ….
  void Check(const std::string& baseUrl, const std::string& name, std::vector<std::string> args,
             const std::string& err, const std::vector<std::string>& shown, int exitCode = 0) {
    WriteBytes(dir.file("Tonfeld.ini"),
               "[WWW]\nURL-HOERDAT=" + baseUrl + "\nSCRIPT-HOERDAT=hoerdat.php\n");
    WriteBytes(dir.file(name), MpegAudio(20000));
    args.insert(args.begin(), dir.file(name));
    args.push_back("show");
    const CliRun run = RunCli(dir.path(), args);
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.err, err);
    for (std::size_t i = 0; i + 1 < shown.size(); i += 2)
      EXPECT_NE(run.out.find("\"" + shown[i] + "\": \"" + shown[i + 1] + "\""), std::string::npos)
          << shown[i] << "\n"
          << run.out;
  }
  const std::string garten = "Anna Berger - Garten, Der 1v2 - RBX, 98.mp3";
  TempDir dir;
  StandinProcess standin;
};

TEST_F(SearchE2eTest, OneRecordFillsTheFormAndUpdateWritesIt) {
  const std::string target = dir.file("gefunden.mp3");
  Check(
      standin.BaseUrl(), garten, {"search", "update", target}, "",
      {"maskTitle", "Garten, Der", "v2Title", "Der Garten 1v2", "v2Artist", "Berger,Anna",
       "v2Copyright", "RBX 1998", "v2Composer", " Hans Bauer", "v2Comment",
       "Im Garten der Villa Lindqvist liegt ein Toter.\\r\\nKommissarin Roth sucht den Gärtner."});
  const std::string bytes = ReadBytes(target), tag = TagOf(bytes), audio = MpegAudio(20000);
  for (const auto& [id, text] : {std::pair{"TIT2", "Der Garten 1v2"},
                                 {"TYER", "1998"},
                                 {"TCOP", "RBX 1998"},
                                 {"TALB", "Krimi"},
                                 {"TCOM", " Hans Bauer"}})
    EXPECT_EQ(FrameBody(tag, id).substr(1), text) << id;
  // The audio follows unchanged, then the ID3v1 record.
  ASSERT_GE(bytes.size(), tag.size() + audio.size() + 128);
  EXPECT_TRUE(bytes.substr(bytes.size() - 128 - audio.size(), audio.size()) == audio);
  EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG");
}

TEST_F(SearchE2eTest, TheChoiceAppliesThePickedRowAfterEmptyingTheId3v1Fields) {
  Check(standin.BaseUrl(), "Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3", {"search", "1"},
        "",
        {"v2Title", "Die Spur im Moor 2v3", "recLaenge", "58", "v1Title", "", "v2Comment",
         "Eine zweite Leiche.\\r\\nPieper gerät in Verdacht."});
}

// Several hits without ROW: the hits are the result, one JSON line, and nothing is applied.
TEST_F(SearchE2eTest, SeveralHitsWithoutARowArePrintedAsOneLine) {
  const std::string name = "Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3";
  WriteBytes(dir.file("Tonfeld.ini"),
             "[WWW]\nURL-HOERDAT=" + standin.BaseUrl() + "\nSCRIPT-HOERDAT=hoerdat.php\n");
  WriteBytes(dir.file(name), MpegAudio(2000));
  const CliRun run = RunCli(dir.path(), {dir.file(name), "search"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("{\"hits\": [{\"row\": 0, \"author\": \"M\303\274ller, "
                                  "J\303\274rgen\", \"title\": \""))
      << run.out;
  EXPECT_NE(run.out.find("{\"row\": 2, "), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("}]}\n")) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
  const CliRun beyond = RunCli(dir.path(), {dir.file(name), "search", "7"});
  EXPECT_EQ(beyond.exitCode, 1);
  EXPECT_NE(beyond.err.find("eine Zeile 7 gibt es nicht"), std::string::npos) << beyond.err;
}

// Without the libcurl module a search says the start-up message of the network and changes
// nothing; every run without a search never needs it.
TEST_F(SearchE2eTest, WithoutTheNetworkModuleTheSearchSaysSo) {
  setenv("VELMORA_CURL_MODULE", dir.file("fehlt.so").c_str(), 1);
  Check(standin.BaseUrl(), garten, {"set", "v2Title", "Vorher", "search"},
        "Velmora: Fehler beim Initialisieren der Windows-Sockets.\n", {"v2Title", "Vorher"}, 1);
  unsetenv("VELMORA_CURL_MODULE");
}

// Searches that apply no record keep the form as it was.
TEST_F(SearchE2eTest, NoHitTooManyHitsAndARefusedConnectionAreReported) {
  Check(standin.BaseUrl(), garten,
        {"set", "v2Title", "Vorher", "set", "maskAuthor", "Niemand", "search"},
        "Velmora: Kein Datensatz gefunden.\n", {"maskAuthor", "Niemand", "v2Title", "Vorher"}, 1);
  Check(standin.BaseUrl(), garten,
        {"set", "maskAuthor", "", "set", "maskTitle", "%", "set", "maskStation", "", "set",
         "maskYear", "19", "search"},
        "Velmora: Mehr als 20 Datensätze gefunden. Bitte schränken Sie die Suche ein.\n",
        {"maskTitle", "%", "v2Year", ""}, 1);
  const std::string refused = standin.BaseUrl();
  standin.Stop();
  Check(refused, garten, {"set", "v2Title", "Vorher", "search"},
        "Velmora: Connection to Server Failed\nKeine Antwort von " + refused +
            "hoerdat.php?a=Berger&b=Garten%2c%20Der&c=RBX&d=1998 (die Verbindung wurde "
            "abgelehnt). Bitte URL-HOERDAT und SCRIPT-HOERDAT in \"Tonfeld.ini\" und die "
            "Netzverbindung pr\303\274fen.\n",
        {"v2Title", "Vorher", "v2Url", ""}, 1); // no default URL from an empty record
}

} // namespace
} // namespace velmora::test
