#include <gtest/gtest.h>

#include <filesystem>

#include "core/form/file_list.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

TEST(FileListTest, ScanListsMpegNamesInAscendingOrder) {
  TempDir dir;
  for (const char* name : {"c.txt", "b.MP2", "a.mp3", "M\xc3\xbcller.Mp3", "d.mp", "e.mp34",
                           "f.mpeg", "g.mp3.bak", ".mp3"})
    WriteBytes(dir.file(name), "x");
  std::filesystem::create_directory(dir.path() / "sub.mpx");

  EXPECT_EQ(
      ScanInputDir(dir.path().string() + "/"),
      (std::vector<std::string>{".mp3", "M\xc3\xbcller.Mp3", "a.mp3", "b.MP2", "d.mp", "sub.mpx"}));
}

TEST(FileListTest, UnreadableDirectoryGivesAnEmptyList) {
  TempDir dir;
  EXPECT_TRUE(ScanInputDir(dir.file("fehlt")).empty());
}

TEST(FileListTest, OnlyMp3FilesAreDropped) {
  EXPECT_TRUE(IsDroppableAudioPath("/x/y.mp3"));
  EXPECT_TRUE(IsDroppableAudioPath("/x/y.Mp3"));
  EXPECT_TRUE(IsDroppableAudioPath(".MP3"));
  EXPECT_FALSE(IsDroppableAudioPath("/x/y.mp2"));
  EXPECT_FALSE(IsDroppableAudioPath("/x/y.wav"));
  EXPECT_FALSE(IsDroppableAudioPath("mp3"));
}

} // namespace
} // namespace velmora::test
