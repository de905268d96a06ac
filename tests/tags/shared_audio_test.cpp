// Copies that share the audio's blocks with the source: the padding that puts the audio at the
// same offset within a block, the bytes of such a copy, and — on an XFS image with reflink where
// this machine lets the test mount one — almost no new space and a source that stays as it was
// when the copy is written to.
#include <cstdlib>
#include <filesystem>
#include <sys/statvfs.h>

#include "core/io/block_clone.h"
#include "tags/writer_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

TEST(SharingPaddingTest, PutsTheAudioAtTheSourcesOffsetWithinABlock) {
  for (const std::uint64_t block : {512u, 4096u, 65536u})
    for (const std::size_t frames : {0u, 1u, 300u, 4095u, 70000u})
      for (const std::uint64_t audioOffset : {0u, 10u, 2000u, 4096u, 123457u})
        for (const long requested : {0L, 1024L, -5L}) {
          const long padding = SharingPadding(frames, requested, audioOffset, block);
          const auto base = static_cast<std::uint64_t>(std::max(requested, 0L));
          EXPECT_EQ((10 + frames + static_cast<std::uint64_t>(padding)) % block,
                    audioOffset % block);
          EXPECT_GE(static_cast<std::uint64_t>(padding), base);
          EXPECT_LT(static_cast<std::uint64_t>(padding), base + block);
        }
  // A tag at the size field's limit cannot grow: the padding that fits.
  EXPECT_EQ(SharingPadding(kMaxId3v2Size - 100, 1024, 7, 4096), 100);
}

// An XFS file system with reflink in an image file, mounted for the test's lifetime; not there
// when this machine does not let the test make or mount one.
class XfsImage {
public:
  explicit XfsImage(const TempDir& dir) : image_(dir.file("xfs.img")), mount_(dir.file("mnt")) {
    fs::create_directory(mount_);
    const std::string make = "truncate -s 320M '" + image_ + "' && mkfs.xfs -q -m reflink=1 '" +
                             image_ + "' && mount -o loop '" + image_ + "' '" + mount_ + "'";
    mounted_ = geteuid() == 0 && std::system((make + " 2>/dev/null").c_str()) == 0;
  }
  ~XfsImage() {
    if (mounted_) std::system(("umount '" + mount_ + "'").c_str());
  }
  bool mounted() const { return mounted_; }
  std::string file(const std::string& name) const { return mount_ + "/" + name; }
  std::uint64_t FreeBytes() const {
    sync();
    struct statvfs status {};
    statvfs(mount_.c_str(), &status);
    return std::uint64_t{status.f_bfree} * status.f_frsize;
  }

private:
  std::string image_, mount_;
  bool mounted_ = false;
};

class SharedAudioTest : public WriterTest {
protected:
  // The copy of in to target with the padding that lets it share the audio.
  TaggedFileWrite SharingPlan(const std::string& from, const std::string& target) const {
    TaggedFileWrite write = Plan(target, 2000);
    write.sourcePath = from;
    write.inPlace = from == target;
    const std::string frames = tag.substr(10);
    write.padding = SharingPadding(frames.size(), 1024, 2000, *FileSystemBlockSize(from));
    write.tag = WithId3v2Header(frames, write.padding);
    write.id3v1 = Id3v1Record{'T', 'A', 'G', 'x'};
    return write;
  }
  std::string Expected(const TaggedFileWrite& write) const {
    return write.tag + std::string(static_cast<std::size_t>(write.padding), '\0') + audio +
           std::string(write.id3v1->begin(), write.id3v1->end());
  }
};

// Where the file system cannot clone (the test's own folder, say) the same bytes are copied.
TEST_F(SharedAudioTest, TheCopyHoldsTagPaddingAudioAndRecordOnEveryFileSystem) {
  const TaggedFileWrite write = SharingPlan(in, out);
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(out) == Expected(write));
}

TEST_F(SharedAudioTest, OnXfsTheCopySharesTheAudioAndStaysItsOwnFile) {
  XfsImage xfs(dir);
  if (!xfs.mounted()) GTEST_SKIP() << "no XFS image can be mounted here (needs root and loop)";
  const std::string original = xfs.file("source.mp3"), copy = xfs.file("copy.mp3");
  const std::string bigAudio = MpegAudio(32 << 20);
  WriteBytes(original, WithId3v2Header(std::string(1990, 'o'), 0) + bigAudio);
  TaggedFileWrite write = SharingPlan(original, copy);
  const std::uint64_t before = xfs.FreeBytes();
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_LT(before - xfs.FreeBytes(), (32u << 20) / 100); // under 1 % of the audio is new
  const std::string copied = ReadBytes(copy);
  EXPECT_TRUE(copied.substr(copied.size() - 128 - bigAudio.size(), bigAudio.size()) == bigAudio);
  // Writing the copy gives it blocks of its own; the source keeps its audio.
  WriteBytes(copy, std::string(copied.size(), 'z'));
  EXPECT_TRUE(ReadBytes(original).substr(2000) == bigAudio);
  // The in-place whole rewrite shares the audio with its temporary file the same way.
  write = SharingPlan(original, original);
  const std::uint64_t beforeInPlace = xfs.FreeBytes();
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_LT(beforeInPlace - xfs.FreeBytes(), (32u << 20) / 100);
  const std::string rewritten = ReadBytes(original);
  EXPECT_TRUE(rewritten.substr(rewritten.size() - 128 - bigAudio.size(), bigAudio.size()) ==
              bigAudio);
}

} // namespace
} // namespace velmora::test
