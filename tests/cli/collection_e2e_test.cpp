#include "cli_runner.h"
#include "collection/collection_fixture.h"
#include "core/model/messages.h"
#include "support/system_python.h"

namespace velmora::test {
namespace {

TEST_F(CollectionTest, PlaysAsJsonLinesWithStableIdsThenTheStrays) {
  const CliRun run = RunCli(dir.path(), {".", "plays"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(RunCli(dir.path(), {dir.path().string() + "/", "plays"}).out, run.out);
  WriteBytes(dir.file("plays.json"), run.out);
  EXPECT_EQ(Python("import json, sys\nfor line in open(sys.argv[1], encoding='utf-8'):\n"
                   "    json.loads(line)\n",
                   dir.file("plays.json")),
            "");
  EXPECT_TRUE(run.out.starts_with(
      "{\"id\": 1, \"author\": \"Anna Berger\", \"title\": \"Stille Garten\", \"station\": "
      "\"RBX\", \"year\": \"2001\", \"parts\": 3, \"present\": [1, 3], \"missing\": [2], "
      "\"files\": [\"Anna Berger - Stille Garten 1v3 - RBX, 01.mp3\", \"sub/Anna Berger - Stille "
      "Garten 3v3 - RBX, 01.mp3\"], \"tagged\": true}\n"
      "{\"id\": 2, \"author\": \"Otto Lenz\", \"title\": \"Das Haus\", \"station\": \"WDR\", "
      "\"year\": \"1999\", \"parts\": null, \"present\": [], \"missing\": [], \"files\": "
      "[\"Otto Lenz - Das Haus - WDR, 1999.mp3\"], \"tagged\": false}\n"))
      << run.out;
  EXPECT_TRUE(run.out.ends_with("{\"file\": \"Mitschnitt vom Sonntag.mp3\", \"play\": null, "
                                "\"why\": \"" +
                                messages::NameOutsideHabit() + "\"}\n"));
}

TEST_F(CollectionTest, TheCatalogueIsWrittenAndNamedOrRefused) {
  const CliRun written = RunCli(dir.path(), {".", "catalogue", "k.csv"});
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "{\"catalogue\": \"k.csv\", \"plays\": 3}\n");
  EXPECT_TRUE(ReadBytes(dir.file("k.csv"))
                  .starts_with("\xEF\xBB\xBF"
                               "Autor,Titel"));

  const CliRun refused = RunCli(dir.path(), {".", "catalogue", "k.mp3"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, MessageLine(messages::kError, messages::UnknownCatalogueFormat("k.mp3")));
  for (const std::vector<std::string>& usage : {std::vector<std::string>{"."},
                                                {".", "catalogue"},
                                                {".", "show"},
                                                {"Otto Lenz - Das Haus - WDR, 1999.mp3", "plays"}})
    EXPECT_EQ(RunCli(dir.path(), usage).exitCode, 2) << usage.back();
}

} // namespace
} // namespace velmora::test
