// Updates in place killed at random moments: whatever the moment, after the repair that the next
// load runs the file is its old or its new self with the audio intact, and nothing is left beside
// it.
#include <csignal>
#include <filesystem>
#include <random>
#include <set>

#include "core/io/readable_file.h"
#include "core/io/write_journal.h"
#include "core/tags/id3v2_tag_area.h"
#include "tags/writer_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class InterruptedWriteTest : public WriterTest {
protected:
  // Writes the file in place with tags[0], tags[1], tags[0], … until killed, each write starting
  // from the tag area the one before left.
  [[noreturn]] void WriteForever(const std::vector<std::string>& tags, bool tagOnly) {
    const auto file = ReadableFile::Open(in);
    std::uint64_t area = MeasureId3v2TagArea(
        [&](std::uint64_t offset, std::size_t count) { return *file->Range(offset, count); });
    for (std::size_t round = 0;; ++round) {
      TaggedFileWrite write = Plan(in, area, 100, tags[round % 2]);
      write.tagOnly = tagOnly;
      write.id3v1 = Id3v1Record{'T', 'A', 'G', static_cast<unsigned char>('0' + round % 2)};
      const WrittenFile written = WriteTaggedFile(write, progress);
      if (written.outcome != WriteOutcome::Ok) _exit(1);
      area = written.tagArea;
    }
  }
  int repairedJournals = 0, removedTemporaries = 0; // what the kills left to put right
  // The file after writing tags[0] and after writing tags[1], made by the writer itself.
  std::set<std::string> Versions(const std::vector<std::string>& tags, bool tagOnly) {
    std::set<std::string> versions;
    std::uint64_t area = 2000;
    for (std::size_t round = 0; round < 3; ++round) {
      TaggedFileWrite write = Plan(in, area, 100, tags[round % 2]);
      write.tagOnly = tagOnly;
      write.id3v1 = Id3v1Record{'T', 'A', 'G', static_cast<unsigned char>('0' + round % 2)};
      area = WriteTaggedFile(write, progress).tagArea;
      versions.insert(ReadBytes(in));
    }
    return versions;
  }
  // Kills the writing child after a random pause, then repairs as a load does.
  void KillAndRepair(const std::vector<std::string>& tags, bool tagOnly, std::mt19937& random) {
    const pid_t child = fork();
    if (child == 0) WriteForever(tags, tagOnly);
    usleep(std::uniform_int_distribution<useconds_t>(200, 20000)(random));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself";
    const bool journal = fs::exists(in + ".velmora-journal");
    const bool temporary = !TemporaryFilesIn(dir.path()).empty();
    repairedJournals += journal;
    removedTemporaries += temporary;
    RepairInterruptedWrite(in);
    RemoveAbandonedTemporaryFiles(dir.path().string(), kTemporaryFileName);
  }
  void KillManyTimes(const std::vector<std::string>& tags, bool tagOnly,
                     const std::vector<std::string>& names) {
    const std::set<std::string> versions = Versions(tags, tagOnly);
    ASSERT_EQ(versions.size(), 2u);
    std::mt19937 random(20261207);
    for (int kill = 0; kill < 25; ++kill) {
      KillAndRepair(tags, tagOnly, random);
      ASSERT_TRUE(versions.contains(ReadBytes(in))) << "torn after kill " << kill;
      ASSERT_EQ(Names(), names) << "left behind after kill " << kill;
    }
    // Some kills must have come in the middle of a write, or the test proved nothing.
    EXPECT_GT(repairedJournals + removedTemporaries, 0);
  }
};

TEST_F(InterruptedWriteTest, TagOnlyWritesAreOldOrNew) {
  KillManyTimes({tag, WithId3v2Header(std::string(1500, 'u'), 0)}, true, {"in.mp3"});
}

TEST_F(InterruptedWriteTest, WholeRewritesAreOldOrNew) {
  KillManyTimes({tag, WithId3v2Header(std::string(3000, 'u'), 100)}, false, {"in.mp3"});
}

// The copy back into a hard-linked file is journaled: a kill in its middle is finished from the
// temporary file at the next load.
TEST_F(InterruptedWriteTest, HardLinkedWholeRewritesAreOldOrNew) {
  fs::create_hard_link(in, dir.file("hard.mp3"));
  KillManyTimes({tag, WithId3v2Header(std::string(3000, 'u'), 100)}, false, {"hard.mp3", "in.mp3"});
  EXPECT_TRUE(fs::equivalent(in, dir.file("hard.mp3")));
}

} // namespace
} // namespace velmora::test
