// Failures of the writer: each one is reported, removes what it had begun to write and leaves the
// loaded file byte for byte as it was.
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "core/tags/tagged_file_writer.h"
#include "tags/file_test_helpers.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::AudioBytes;
using test::OldTag;
using test::ReadBytes;
using test::RecordingProgress;
using test::RunInChild;
using test::TempDir;
using test::WriteBytes;

constexpr int kNoPrivilegeDrop = 99;

class WriterFaultTest : public ::testing::Test {
protected:
  void SetUp() override {
    source = OldTag(2000) + AudioBytes(1 << 20);
    WriteBytes(dir.file("in.mp3"), source);
  }
  bool SourceUnchanged() const { return ReadBytes(dir.file("in.mp3")) == source; }
  WriteOutcome Write(const std::string& target, std::uint64_t oldTagLength = 2000) {
    return WriteTaggedFile(target, dir.file("in.mp3"), oldTagLength, tag, 100, progress);
  }

  TempDir dir;
  std::string source;
  const std::string tag = "ID3" + std::string(500, 't');
  RecordingProgress progress;
};

// Runs the write in a child whose files may grow to at most limit bytes; the exit code is the
// outcome. Without SIGXFSZ ignored the child would die of the signal instead.
int OutcomeUnderSizeLimit(rlim_t limit, const std::function<WriteOutcome()>& write) {
  return RunInChild([&] {
    const rlimit fileSize{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 98;
    return static_cast<int>(write());
  });
}

TEST_F(WriterFaultTest, FullDiskFailsTheWriteAndRemovesThePartialTarget) {
  const int outcome = OutcomeUnderSizeLimit(256 * 1024, [&] { return Write(dir.file("out.mp3")); });
  EXPECT_EQ(outcome, static_cast<int>(WriteOutcome::WriteFailed));
  EXPECT_FALSE(fs::exists(dir.file("out.mp3")));
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterFaultTest, FullDiskOnTheTemporaryRouteRemovesTheTemporaryFile) {
  const std::string temporary = TemporaryPathFor(dir.file("in.mp3"));
  const int outcome = OutcomeUnderSizeLimit(1000, [&] { return Write(temporary); });
  EXPECT_EQ(outcome, static_cast<int>(WriteOutcome::WriteFailed));
  EXPECT_FALSE(fs::exists(temporary));
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterFaultTest, Id3v1RecordThatDoesNotFitLeavesTheFileAsItWas) {
  const std::string content = AudioBytes(4000);
  WriteBytes(dir.file("out.mp3"), content);
  const int result = RunInChild([&] {
    const rlimit fileSize{4000 + 60, 4000 + 60}; // half a record fits
    if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 98;
    return WriteId3v1Record(dir.file("out.mp3"), Id3v1Record{'T', 'A', 'G'});
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(ReadBytes(dir.file("out.mp3")) == content);
}

TEST_F(WriterFaultTest, TargetThatCannotBeCreatedWritesNothing) {
  EXPECT_EQ(Write(dir.file("no-such-dir/out.mp3")), WriteOutcome::CannotCreateTarget);
  EXPECT_EQ(Write(dir.file("in.mp3/out.mp3")), WriteOutcome::CannotCreateTarget);
  EXPECT_TRUE(progress.visibility.empty());
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterFaultTest, UnwritableDirectoryGivesCannotCreateTarget) {
  fs::create_directory(dir.file("locked"));
  WriteBytes(dir.file("locked/old.mp3"), "old");
  // The child may run as an unprivileged user; it must still reach the source.
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read |
                                  fs::perms::others_exec | fs::perms::group_read |
                                  fs::perms::group_exec);
  fs::permissions(dir.file("in.mp3"), fs::perms::others_read, fs::perm_options::add);
  fs::permissions(dir.file("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                          fs::perms::others_read | fs::perms::others_exec);

  const int outcome = RunInChild([&] {
    if (!test::DropRootPrivileges()) return kNoPrivilegeDrop;
    const WriteOutcome target = Write(dir.file("locked/out.mp3"));
    const WriteOutcome temporary = Write(dir.file("locked/temp$$$"));
    return target == temporary ? static_cast<int>(target) : 97;
  });
  if (outcome == kNoPrivilegeDrop) GTEST_SKIP() << "cannot run as an unprivileged user";
  EXPECT_EQ(outcome, static_cast<int>(WriteOutcome::CannotCreateTarget));
  EXPECT_EQ(fs::directory_iterator(dir.file("locked"))->path().filename(), "old.mp3");
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterFaultTest, RemovedSourceIsReportedBeforeAnythingIsCreated) {
  fs::remove(dir.file("in.mp3"));
  EXPECT_EQ(Write(dir.file("out.mp3")), WriteOutcome::CannotOpenSource);
  EXPECT_EQ(Write(TemporaryPathFor(dir.file("in.mp3"))), WriteOutcome::CannotOpenSource);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(WriterFaultTest, DamagedTagLengthIsRefusedBeforeAnythingIsWritten) {
  WriteBytes(dir.file("out.mp3"), "an existing target");
  EXPECT_EQ(Write(dir.file("out.mp3"), source.size() + 1), WriteOutcome::DamagedTag);
  EXPECT_EQ(ReadBytes(dir.file("out.mp3")), "an existing target");
  // A tag that takes the whole file is not damaged: it just leaves no audio.
  EXPECT_EQ(Write(dir.file("out.mp3"), source.size()), WriteOutcome::Ok);
  EXPECT_EQ(fs::file_size(dir.file("out.mp3")), tag.size() + 100);
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterFaultTest, LoadedFileUnderAnotherSpellingIsNeverTruncated) {
  fs::create_directory(dir.file("sub"));
  fs::create_symlink(dir.file("in.mp3"), dir.file("link.mp3"));
  fs::create_hard_link(dir.file("in.mp3"), dir.file("hard.mp3"));
  for (const std::string& spelling : {dir.file("sub/../in.mp3"), dir.file("link.mp3"),
                                      dir.file("hard.mp3"), dir.file("./in.mp3")}) {
    EXPECT_TRUE(IsSameFile(spelling, dir.file("in.mp3"))) << spelling;
    EXPECT_EQ(Write(spelling), WriteOutcome::CannotCreateTarget) << spelling;
    EXPECT_TRUE(SourceUnchanged()) << spelling;
  }
  EXPECT_TRUE(fs::is_symlink(dir.file("link.mp3")));
}

TEST_F(WriterFaultTest, LoadedFileNamedLikeTheTemporaryFileIsNeverRemoved) {
  fs::rename(dir.file("in.mp3"), dir.file("temp$$$"));
  const std::string loaded = dir.file("temp$$$");
  ASSERT_EQ(TemporaryPathFor(loaded), fs::canonical(loaded).string());
  EXPECT_EQ(WriteTaggedFile(TemporaryPathFor(loaded), loaded, 2000, tag, 0, progress),
            WriteOutcome::CannotCreateTarget);
  EXPECT_FALSE(ReplaceWithTemporary(TemporaryPathFor(loaded), loaded));
  EXPECT_TRUE(ReadBytes(loaded) == source);
}

} // namespace
} // namespace velmora
