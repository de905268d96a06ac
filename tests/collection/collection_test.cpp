#include "collection/collection_fixture.h"
#include "core/model/messages.h"

namespace velmora::test {
namespace {

// "id author|title|station|year|count present/missing files tagged" a play.
std::string Summary(const CollectionPlay& entry) {
  const Play& play = entry.play;
  std::string line = std::to_string(entry.id) + " " + play.author + "|" + play.title + "|" +
                     play.station + "|" + play.year + "|" + std::to_string(play.partCount) + " ";
  for (const PlayPart& part : play.parts)
    line += std::to_string(part.partNumber) + "=" + part.path + " ";
  for (int missing : play.missing)
    line += "-" + std::to_string(missing) + " ";
  return line + (entry.tagged ? "tagged" : "untagged");
}

TEST_F(CollectionTest, PlaysWithTheirPartsGapsAndTaggedStateStraysWithTheirReasons) {
  const Collection collection = ReadFixture(dir.path().string());
  std::vector<std::string> plays;
  for (const CollectionPlay& play : collection.plays)
    plays.push_back(Summary(play));
  EXPECT_EQ(plays, (std::vector<std::string>{
                       "1 Anna Berger|Stille Garten|RBX|2001|3 "
                       "1=Anna Berger - Stille Garten 1v3 - RBX, 01.mp3 "
                       "3=sub/Anna Berger - Stille Garten 3v3 - RBX, 01.mp3 -2 tagged",
                       "2 Otto Lenz|Das Haus|WDR|1999|0 0=Otto Lenz - Das Haus - WDR, 1999.mp3 "
                       "untagged",
                       "3 Zoë Ärger|\"Über\" <alles> & mehr|RBX|2005|2 1=" + kQuotedTitleFile +
                           " -2 untagged",
                   }));
  ASSERT_EQ(collection.strays.size(), 2U);
  EXPECT_EQ(collection.strays[0].file + "|" + collection.strays[0].why,
            "Kim Ost - Kein - RBX, 05.mp3|" +
                messages::NotMpegFile("Kim Ost - Kein - RBX, 05.mp3"));
  EXPECT_EQ(collection.strays[1].why, messages::NameOutsideHabit());
  EXPECT_EQ(collection.strays[1].playId, 0);
}

TEST_F(CollectionTest, ReadingTellsItsProgressAndEndsWhenAsked) {
  CountingProgress all;
  ASSERT_TRUE(ReadCollection(dir.path().string() + "/", "", all));
  EXPECT_EQ(all.lastRead + 1, all.lastFound); // the last call before the last file's reading
  EXPECT_EQ(all.lastFound, 6U);
  for (const std::size_t stopAt : {std::size_t{1}, std::size_t{3}, all.calls}) {
    CountingProgress stopped(stopAt);
    EXPECT_FALSE(ReadCollection(dir.path().string(), "", stopped)) << stopAt;
    EXPECT_EQ(stopped.calls, stopAt);
  }
  EXPECT_TRUE(ReadFixture(dir.file("missing")).plays.empty());
}

TEST_F(CollectionTest, TheFilterFindsEveryWordWithoutRegardToCase) {
  const Collection collection = ReadFixture(dir.path().string());
  const auto matches = [&](const std::string& filter) {
    std::string ids;
    for (const CollectionPlay& play : collection.plays)
      if (PlayMatches(play, filter)) ids += std::to_string(play.id);
    return ids;
  };
  EXPECT_EQ(matches(""), "123");
  EXPECT_EQ(matches("  garten   berger "), "1");
  EXPECT_EQ(matches("ÄRGER über"), "3");
  EXPECT_EQ(matches("sub/ 2001"), "1"); // a folder of the files, the year
  EXPECT_EQ(matches("rbx lenz"), "");
}

} // namespace
} // namespace velmora::test
