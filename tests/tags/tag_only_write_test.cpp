// The update in place that rewrites only the tag area: exact bytes of the area, the audio not
// moved, the same file (inode, links), the ID3v1 record at the end, and the whole rewrite when
// the new tag does not fit.
#include "core/tags/tag_only_write.h"

#include <filesystem>

#include "core/io/locked_file.h"
#include "core/io/write_journal.h"
#include "tags/writer_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class TagOnlyTest : public WriterTest {
protected:
  TaggedFileWrite InPlace(std::string newTag, std::uint64_t oldTagLength = 2000) const {
    TaggedFileWrite write = Plan(in, oldTagLength, 100, std::move(newTag));
    write.tagOnly = true;
    write.id3v1 = record;
    return write;
  }
  const Id3v1Record record{'T', 'A', 'G', 'n', 'e', 'u'};
  const std::string recordBytes{record.begin(), record.end()};
};

TEST_F(TagOnlyTest, OverwritesOnlyTheTagAreaAndTheRecord) {
  fs::create_hard_link(in, dir.file("hard.mp3"));
  const auto before = fs::status(in);
  const ino_t inode = StatusOfPath(in)->identity.inode;
  const WrittenFile written = WriteTaggedFile(InPlace(tag), progress);
  ASSERT_EQ(written.outcome, WriteOutcome::Ok);
  EXPECT_TRUE(written.tagOnly);
  EXPECT_EQ(written.tagArea, 2000u);
  // The frames, declared as long as the old area, zeros up to its end; audio where it was.
  const std::string area = WithId3v2Header(std::string(490, 't'), 1500) + std::string(1500, '\0');
  EXPECT_TRUE(ReadBytes(in) == area + audio + recordBytes);
  EXPECT_EQ(StatusOfPath(in)->identity.inode, inode);
  EXPECT_EQ(fs::hard_link_count(in), 2u);
  EXPECT_EQ(before.permissions(), fs::status(in).permissions());
  EXPECT_TRUE(progress.visibility.empty()); // no copy, no progress bar
  // Again: the record is replaced, not appended; the area stays 2000 bytes.
  const std::string other = WithId3v2Header(std::string(1990, 'u'), 0);
  ASSERT_EQ(Write(InPlace(other)), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(dir.file("hard.mp3")) == other + audio + recordBytes);
  EXPECT_EQ(Names(), (std::vector<std::string>{"hard.mp3", "in.mp3"}));
}

TEST_F(TagOnlyTest, ATagThatDoesNotFitIsRewrittenWhole) {
  const std::string large = WithId3v2Header(std::string(2500, 'l'), 100);
  const WrittenFile written = WriteTaggedFile(InPlace(large), progress);
  ASSERT_EQ(written.outcome, WriteOutcome::Ok);
  EXPECT_FALSE(written.tagOnly);
  EXPECT_EQ(written.tagArea, large.size() + 100);
  EXPECT_TRUE(ReadBytes(in) == large + std::string(100, '\0') + audio + recordBytes);
  // Without an old tag there is no area to write into either.
  WriteBytes(in, audio);
  EXPECT_FALSE(WriteTaggedFile(InPlace(tag, 0), progress).tagOnly);
  EXPECT_TRUE(ReadBytes(in) == tag + std::string(100, '\0') + audio + recordBytes);
}

TEST_F(TagOnlyTest, FailuresLeaveTheFileAsItWas) {
  // The appended record passes the file-size limit: the tag area is put back.
  EXPECT_EQ(RunInChild([&] { return int(Write(InPlace(tag))); }, source.size() + 10),
            int(WriteOutcome::WriteFailed));
  EXPECT_TRUE(SourceUnchanged());
  // A tag another program changed since it was measured, and a file that another update holds.
  EXPECT_EQ(Write(InPlace(tag, 2100)), WriteOutcome::SourceChanged);
  {
    const LockedFile other = LockedFile::Acquire(in);
    EXPECT_EQ(Write(InPlace(tag)), WriteOutcome::Busy);
  }
  // No folder to put the journal into (root may write anywhere): nothing is written.
  if (geteuid() != 0) {
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Write(InPlace(tag)), WriteOutcome::CannotCreateTarget);
    fs::permissions(dir.path(), fs::perms::owner_all);
  }
  EXPECT_TRUE(SourceUnchanged());
  EXPECT_EQ(Names(), std::vector<std::string>{"in.mp3"});
}

} // namespace
} // namespace velmora::test
