// What the core asks the file system by name: a wrong answer here lets an update write over the
// loaded file or remove a file that is not its own. The folder list: tests/form/file_names_test.
#include "core/io/file_status.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "core/io/file_io.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// A folder with a file, a hard link and a symbolic link to it, another file, a subfolder and a
// dangling link.
class FileStatusTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(dir.file("a.mp3"), "audio");
    WriteBytes(dir.file("other"), "audio");
    fs::create_hard_link(dir.file("a.mp3"), dir.file("hard"));
    fs::create_symlink(dir.file("a.mp3"), dir.file("soft"));
    fs::create_symlink(dir.file("missing"), dir.file("dangling"));
    fs::create_directory(dir.file("sub"));
  }
  TempDir dir;
};

TEST_F(FileStatusTest, NamesTheSameFileByIdentityAndExistenceFollowsLinks) {
  struct Case {
    const char *a, *b;
    bool same;
  };
  for (const Case& c : {Case{"a.mp3", "hard", true}, Case{"a.mp3", "soft", true},
                        Case{"a.mp3", "other", false}, Case{"sub", "sub/.", true},
                        Case{"missing", "missing", false}, Case{"dangling", "missing", false}})
    EXPECT_EQ(IsSameFile(dir.file(c.a), dir.file(c.b)), c.same) << c.a << " " << c.b;
  for (const char* name : {"a.mp3", "soft", "sub"})
    EXPECT_TRUE(FileExists(dir.file(name))) << name;
  EXPECT_FALSE(FileExists(dir.file("dangling")) || FileExists(dir.file("missing")));
  const auto status = StatusOfPath(dir.file("soft"));
  ASSERT_TRUE(status);
  EXPECT_EQ(status->size, 5u);
  EXPECT_EQ(status->links, 2u);
}

TEST_F(FileStatusTest, RemovesOnlyTheFileStillWritten) {
  const FileIdentity written = StatusOfPath(dir.file("other"))->identity;
  // Replaced meanwhile by another file under the same name: that one stays.
  WriteBytes(dir.file("new"), "theirs");
  fs::rename(dir.file("new"), dir.file("other"));
  RemoveIfStill(dir.file("other"), written);
  EXPECT_EQ(ReadBytes(dir.file("other")), "theirs");
  // Through a link, the file it points to goes and the link stays.
  RemoveIfStill(dir.file("soft"), StatusOfPath(dir.file("a.mp3"))->identity);
  EXPECT_FALSE(fs::exists(dir.file("a.mp3")));
  EXPECT_TRUE(fs::is_symlink(dir.file("soft")));
}

} // namespace
} // namespace velmora::test
