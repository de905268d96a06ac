#include "core/tags/file_copy.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include "tags/file_test_helpers.h"

namespace velmora {
namespace {

using test::AudioBytes;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class BlockCopierTest : public ::testing::TestWithParam<BlockCopier::Method> {
protected:
  // Copies source from offset into a target that already holds prefix, block by block.
  std::string Copy(const std::string& source, off_t offset, const std::string& prefix,
                   int extraFlags = 0) {
    WriteBytes(dir.file("in"), source);
    WriteBytes(dir.file("out"), prefix);
    UniqueFd in = OpenFile(dir.file("in"), O_RDONLY);
    UniqueFd out = OpenFile(dir.file("out"), O_WRONLY | extraFlags);
    EXPECT_EQ(::lseek(in.get(), offset, SEEK_SET), offset);
    EXPECT_EQ(::lseek(out.get(), 0, SEEK_END), static_cast<off_t>(prefix.size()));
    BlockCopier copier(in.get(), out.get(), GetParam());
    long long moved;
    while ((moved = copier.CopyBlock()) > 0)
      blocks.push_back(moved);
    EXPECT_EQ(moved, 0);
    EXPECT_TRUE(out.Close());
    return ReadBytes(dir.file("out"));
  }

  TempDir dir;
  std::vector<long long> blocks;
};

TEST_P(BlockCopierTest, CopiesTheRestOfTheInputWhateverTheOffsets) {
  const std::string source = AudioBytes(3 * BlockCopier::kBlockSize + 777);
  const std::string copied = Copy(source, 1001, std::string(3003, 'p'));
  EXPECT_TRUE(copied == std::string(3003, 'p') + source.substr(1001));
  for (const long long block : blocks)
    EXPECT_LE(block, static_cast<long long>(BlockCopier::kBlockSize));
}

TEST_P(BlockCopierTest, InputAtItsEndGivesNothing) {
  EXPECT_EQ(Copy("abc", 3, "x"), "x");
  EXPECT_TRUE(blocks.empty());
  EXPECT_EQ(Copy("", 0, ""), "");
}

TEST_P(BlockCopierTest, TargetThatTakesNoSpliceIsWrittenAllTheSame) {
  const std::string source = AudioBytes(BlockCopier::kBlockSize + 5);
  EXPECT_TRUE(Copy(source, 0, "head", O_APPEND) == "head" + source);
}

TEST_P(BlockCopierTest, FailedWriteIsReported) {
  WriteBytes(dir.file("in"), AudioBytes(2 * BlockCopier::kBlockSize));
  const int result = test::RunInChild([&] {
    IgnoreFileSizeSignal();
    const rlimit fileSize{100000, 100000};
    if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 98;
    UniqueFd in = OpenFile(dir.file("in"), O_RDONLY);
    UniqueFd out = OpenFile(dir.file("out"), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    BlockCopier copier(in.get(), out.get(), GetParam());
    long long moved;
    while ((moved = copier.CopyBlock()) > 0) {
    }
    return moved == -1 ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
}

INSTANTIATE_TEST_SUITE_P(BothMethods, BlockCopierTest,
                         ::testing::Values(BlockCopier::Method::Splice,
                                           BlockCopier::Method::ReadWrite));

} // namespace
} // namespace velmora
