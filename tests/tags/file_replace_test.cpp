// The in-place update: write into the temporary file beside the loaded file, then replace it.
#include <filesystem>
#include <gtest/gtest.h>

#include "core/tags/tagged_file_writer.h"
#include "tags/file_test_helpers.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::AudioBytes;
using test::OldTag;
using test::ReadBytes;
using test::RecordingProgress;
using test::TempDir;
using test::WriteBytes;

class FileReplaceTest : public ::testing::Test {
protected:
  // One update over the file itself, as the update command runs it.
  bool UpdateInPlace(const std::string& loaded, std::uint64_t oldTagLength, const std::string& tag,
                     long padding) {
    const std::string temporary = TemporaryPathFor(loaded);
    return WriteTaggedFile(temporary, loaded, oldTagLength, tag, padding, progress) ==
               WriteOutcome::Ok &&
           ReplaceWithTemporary(temporary, loaded);
  }

  TempDir dir;
  RecordingProgress progress;
  const std::string audio = AudioBytes(300000);
};

TEST_F(FileReplaceTest, TwoUpdatesInARowSkipExactlyTheTagWrittenBefore) {
  const std::string loaded = dir.file("in.mp3");
  WriteBytes(loaded, OldTag(777) + audio);
  fs::permissions(loaded, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  const std::string first = "ID3" + std::string(200, '1');
  ASSERT_TRUE(UpdateInPlace(loaded, 777, first, 300));
  EXPECT_TRUE(ReadBytes(loaded) == first + std::string(300, '\0') + audio);

  const std::string second = "ID3" + std::string(50, '2');
  ASSERT_TRUE(UpdateInPlace(loaded, first.size() + 300, second, 0));
  EXPECT_TRUE(ReadBytes(loaded) == second + audio);

  EXPECT_EQ(fs::status(loaded).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(fs::exists(dir.file("temp$$$")));
}

TEST_F(FileReplaceTest, StaleTemporaryFileOrLinkIsReplacedNeverWrittenThrough) {
  const std::string loaded = dir.file("in.mp3");
  WriteBytes(loaded, audio);
  WriteBytes(dir.file("victim"), "must stay");
  fs::create_symlink(dir.file("victim"), dir.file("temp$$$"));
  ASSERT_TRUE(UpdateInPlace(loaded, 0, "NEW", 0));
  EXPECT_EQ(ReadBytes(dir.file("victim")), "must stay");
  EXPECT_TRUE(ReadBytes(loaded) == "NEW" + audio);

  WriteBytes(dir.file("temp$$$"), std::string(1 << 20, 'x')); // left by an earlier failure
  ASSERT_TRUE(UpdateInPlace(loaded, 3, "AGAIN", 0));
  EXPECT_TRUE(ReadBytes(loaded) == "AGAIN" + audio);
}

TEST_F(FileReplaceTest, LoadedFileReachedThroughALinkStaysALink) {
  fs::create_directory(dir.file("real"));
  fs::create_directory(dir.file("list"));
  const std::string real = dir.file("real/play.mp3");
  WriteBytes(real, OldTag(64) + audio);
  const std::string link = dir.file("list/play.mp3");
  fs::create_symlink("../real/play.mp3", link);

  EXPECT_TRUE(IsSameFile(link, real));
  EXPECT_EQ(TemporaryPathFor(link), fs::canonical(dir.path()).string() + "/real/temp$$$");
  ASSERT_TRUE(UpdateInPlace(link, 64, "TAG2", 0));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "../real/play.mp3");
  EXPECT_TRUE(ReadBytes(real) == "TAG2" + audio);
  EXPECT_TRUE(fs::is_empty(dir.file("list")) == false);
}

TEST_F(FileReplaceTest, RelativeSpellingReachesTheSameFile) {
  fs::create_directory(dir.file("sub"));
  const std::string loaded = dir.file("in.mp3");
  WriteBytes(loaded, OldTag(10) + audio);
  const std::string spelled = dir.file("sub/../in.mp3");
  EXPECT_TRUE(IsSameFile(spelled, loaded));
  ASSERT_TRUE(UpdateInPlace(spelled, 10, "T", 0));
  EXPECT_TRUE(ReadBytes(loaded) == "T" + audio);
}

TEST_F(FileReplaceTest, FailedReplacementRemovesTheTemporaryFileAndKeepsTheSource) {
  const std::string loaded = dir.file("in.mp3");
  WriteBytes(loaded, audio);
  // The loaded file vanished after the write: nothing to replace.
  const std::string temporary = TemporaryPathFor(loaded);
  ASSERT_EQ(WriteTaggedFile(temporary, loaded, 0, "T", 0, progress), WriteOutcome::Ok);
  fs::rename(loaded, dir.file("moved.mp3"));
  EXPECT_FALSE(ReplaceWithTemporary(temporary, loaded));
  EXPECT_FALSE(fs::exists(temporary));
  EXPECT_FALSE(fs::exists(loaded));
  EXPECT_TRUE(ReadBytes(dir.file("moved.mp3")) == audio);

  // No temporary file at all: the loaded file stays.
  EXPECT_FALSE(ReplaceWithTemporary(dir.file("temp$$$"), dir.file("moved.mp3")));
  EXPECT_TRUE(ReadBytes(dir.file("moved.mp3")) == audio);
}

TEST_F(FileReplaceTest, IdentityComparesFilesNotNames) {
  WriteBytes(dir.file("a"), "same bytes");
  WriteBytes(dir.file("b"), "same bytes");
  EXPECT_FALSE(IsSameFile(dir.file("a"), dir.file("b")));
  EXPECT_TRUE(IsSameFile(dir.file("a"), dir.file("a")));
  EXPECT_FALSE(IsSameFile(dir.file("a"), dir.file("missing")));
  EXPECT_FALSE(IsSameFile(dir.file("missing"), dir.file("missing")));
}

} // namespace
} // namespace velmora
