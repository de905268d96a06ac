#include "core/tags/tagged_file_writer.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "tags/file_test_helpers.h"

namespace velmora {
namespace {

using test::AudioBytes;
using test::OldTag;
using test::ReadBytes;
using test::RecordingProgress;
using test::TempDir;
using test::WriteBytes;

Id3v1Record RecordOf(char fill) {
  Id3v1Record record{};
  record.fill(static_cast<unsigned char>(fill));
  record[0] = 'T';
  record[1] = 'A';
  record[2] = 'G';
  return record;
}

std::string BytesOf(const Id3v1Record& record) {
  return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

class TaggedFileWriterTest : public ::testing::Test {
protected:
  TempDir dir;
  const std::string newTag = "ID3" + std::string(297, 'n');
  RecordingProgress progress;
};

TEST_F(TaggedFileWriterTest, NewNameHoldsTagPaddingAndTheAudioBehindTheOldTag) {
  const std::string audio = AudioBytes(1000000);
  const std::string source = OldTag(2000) + audio;
  WriteBytes(dir.file("in.mp3"), source);

  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 2000, newTag, 500, progress),
            WriteOutcome::Ok);

  const std::string written = ReadBytes(dir.file("out.mp3"));
  ASSERT_EQ(written.size(), newTag.size() + 500 + audio.size());
  EXPECT_EQ(written.substr(0, newTag.size()), newTag);
  EXPECT_EQ(written.substr(newTag.size(), 500), std::string(500, '\0'));
  EXPECT_TRUE(written.substr(newTag.size() + 500) == audio);
  EXPECT_TRUE(ReadBytes(dir.file("in.mp3")) == source);

  ASSERT_EQ(WriteId3v1Record(dir.file("out.mp3"), RecordOf('a')), 0);
  const std::string tagged = ReadBytes(dir.file("out.mp3"));
  ASSERT_EQ(tagged.size(), newTag.size() + 500 + audio.size() + kId3v1RecordSize);
  EXPECT_EQ(tagged.substr(tagged.size() - kId3v1RecordSize), BytesOf(RecordOf('a')));
}

TEST_F(TaggedFileWriterTest, WholeFileIsCopiedWithoutOldTagAndNegativePaddingCountsAsNone) {
  const std::string audio = "\xff\xfb" + AudioBytes(40000);
  WriteBytes(dir.file("in.mp2"), audio);
  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp2"), dir.file("in.mp2"), 0, newTag, -7, progress),
            WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(dir.file("out.mp2")) == newTag + audio);
}

TEST_F(TaggedFileWriterTest, ExistingOtherTargetIsReplacedWhole) {
  WriteBytes(dir.file("in.mp3"), OldTag(100) + "audio");
  WriteBytes(dir.file("out.mp3"), std::string(100000, 'x'));
  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 100, newTag, 0, progress),
            WriteOutcome::Ok);
  EXPECT_EQ(ReadBytes(dir.file("out.mp3")), newTag + "audio");
}

TEST_F(TaggedFileWriterTest, SourceId3v1RecordTravelsWithTheAudioAndIsReplacedNotAppended) {
  const std::string source = OldTag(50) + AudioBytes(3000) + BytesOf(RecordOf('o'));
  WriteBytes(dir.file("in.mp3"), source);
  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 50, newTag, 10, progress),
            WriteOutcome::Ok);
  const auto size = std::filesystem::file_size(dir.file("out.mp3"));
  EXPECT_EQ(size, newTag.size() + 10 + 3000 + kId3v1RecordSize);

  // Writing the record twice grows the file not at all: the record at the end is replaced.
  ASSERT_EQ(WriteId3v1Record(dir.file("out.mp3"), RecordOf('a')), 0);
  ASSERT_EQ(WriteId3v1Record(dir.file("out.mp3"), RecordOf('b')), 0);
  const std::string written = ReadBytes(dir.file("out.mp3"));
  EXPECT_EQ(written.size(), size);
  EXPECT_EQ(written.substr(written.size() - kId3v1RecordSize), BytesOf(RecordOf('b')));
  EXPECT_TRUE(written.substr(newTag.size() + 10, 3000) == source.substr(50, 3000));
}

TEST_F(TaggedFileWriterTest, Id3v1RecordIsAppendedOnceToFilesWithoutOne) {
  WriteBytes(dir.file("short.mp3"), "TAG but short"); // fewer than 128 bytes: always appended
  ASSERT_EQ(WriteId3v1Record(dir.file("short.mp3"), RecordOf('a')), 0);
  EXPECT_EQ(ReadBytes(dir.file("short.mp3")), "TAG but short" + BytesOf(RecordOf('a')));

  const std::string audio = AudioBytes(500); // 128 bytes at the end, but no "TAG"
  WriteBytes(dir.file("plain.mp3"), audio);
  ASSERT_EQ(WriteId3v1Record(dir.file("plain.mp3"), RecordOf('a')), 0);
  ASSERT_EQ(WriteId3v1Record(dir.file("plain.mp3"), RecordOf('b')), 0);
  EXPECT_EQ(ReadBytes(dir.file("plain.mp3")), audio + BytesOf(RecordOf('b')));

  EXPECT_EQ(WriteId3v1Record(dir.file("missing.mp3"), RecordOf('a')), -1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mp3")));
  EXPECT_EQ(WriteId3v1Record(dir.path().string(), RecordOf('a')), -1); // a directory
}

TEST_F(TaggedFileWriterTest, ProgressMovesPerBlockAndEndsBelowHundredWithAnOldTag) {
  const std::size_t audioLength = 10 * kCopyStep + 100;
  WriteBytes(dir.file("in.mp3"), OldTag(4096) + AudioBytes(audioLength));
  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 4096, newTag, 0, progress),
            WriteOutcome::Ok);

  EXPECT_EQ(progress.pumps, 11); // one per block of 16384 bytes, the last one short
  ASSERT_EQ(progress.positions.size(), 12u);
  EXPECT_EQ(progress.positions.front(), 0);
  const double length = 4096.0 + audioLength;
  for (std::size_t block = 1; block <= 10; ++block)
    EXPECT_EQ(progress.positions[block], static_cast<int>(block * kCopyStep * 100.0 / length));
  EXPECT_EQ(progress.positions.back(), 97); // the 4096 skipped bytes are never copied
  EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
}

TEST_F(TaggedFileWriterTest, ProgressReachesHundredWithoutAnOldTag) {
  WriteBytes(dir.file("in.mp3"), AudioBytes(3 * kCopyStep));
  ASSERT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 0, newTag, 0, progress),
            WriteOutcome::Ok);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 33, 66, 100}));
}

TEST_F(TaggedFileWriterTest, QuitRequestEndsTheCopyAndRemovesThePartialFile) {
  const std::string source = OldTag(1000) + AudioBytes(8 * kCopyStep);
  WriteBytes(dir.file("in.mp3"), source);
  progress.quitAt = 3;
  EXPECT_EQ(WriteTaggedFile(dir.file("out.mp3"), dir.file("in.mp3"), 1000, newTag, 0, progress),
            WriteOutcome::Aborted);
  EXPECT_EQ(progress.pumps, 3);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.mp3")));
  EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
  EXPECT_TRUE(ReadBytes(dir.file("in.mp3")) == source);
}

} // namespace
} // namespace velmora
