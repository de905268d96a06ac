// Writing tag, padding and audio into files. Every failure must be reported, remove what it had
// begun to write and leave the loaded file and an existing target byte for byte as they were.
#include "core/tags/tagged_file_writer.h"

#include <fcntl.h>
#include <filesystem>

#include "core/io/file_copy.h"
#include "core/io/locked_file.h"
#include "tags/writer_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

TEST_F(WriterTest, NewFileHoldsTagPaddingAudioAndOneId3v1Record) {
  WriteBytes(out, std::string(2 << 20, 'x')); // an older, longer file is replaced whole
  TaggedFileWrite write = Plan(out, 2000, 100);
  Id3v1Record record{'T', 'A', 'G', 'a'};
  write.id3v1 = record;
  const WrittenFile written = WriteTaggedFile(write, progress);
  ASSERT_EQ(written.outcome, WriteOutcome::Ok);
  EXPECT_EQ(written.tagArea, 600u);
  const std::string recordBytes(record.begin(), record.end());
  EXPECT_TRUE(ReadBytes(out) == tag + std::string(100, '\0') + audio + recordBytes);
  EXPECT_TRUE(SourceUnchanged());
  // Without an old tag the whole file is copied, its ID3v1 record replaced; negative padding is
  // none.
  WriteBytes(in, audio + recordBytes);
  record[3] = 'b';
  write = Plan(out, 0, -7);
  write.id3v1 = record;
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(out) == tag + audio + std::string(record.begin(), record.end()));
  EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{});
}

TEST_F(WriterTest, ProgressEndsBelowHundredWithAnOldTagAndQuitAborts) {
  WriteBytes(in, WithId3v2Header(std::string(4086, 'o'), 0) + MpegAudio(10 * kCopyStep + 98));
  ASSERT_EQ(Write(out, 4096, 0), WriteOutcome::Ok);
  // copied * 100 / (4096 + audio): the skipped old tag is never copied.
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 9, 19, 29, 39, 48, 58, 68, 78, 87, 97, 97}));
  EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
  WriteBytes(out, "the old target");
  RecordingProgress quitting; // a quit request aborts and leaves the old target
  quitting.quitAt = 3;
  EXPECT_EQ(WriteTaggedFile(Plan(out, 4096, 0), quitting).outcome, WriteOutcome::Aborted);
  EXPECT_EQ(quitting.pumps, 3);
  EXPECT_EQ(ReadBytes(out), "the old target");
  EXPECT_EQ(quitting.visibility, (std::vector<bool>{true, false}));
  EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{});
}

// A full disk or a file-size limit: an existing target keeps its content, a new one is not
// created, the loaded file is untouched, and no temporary file stays.
TEST_F(WriterTest, FullDiskLeavesEveryFileAsItWas) {
  WriteBytes(out, "the user's old file");
  for (const std::string& target : {out, dir.file("new.mp3"), in}) {
    TaggedFileWrite write = Plan(target);
    write.id3v1 = Id3v1Record{'T', 'A', 'G'};
    EXPECT_EQ(RunInChild([&] { return int(Write(write)); }, 256 * 1024),
              int(WriteOutcome::WriteFailed));
    // Only the record does not fit: the whole write fails all the same.
    EXPECT_EQ(RunInChild([&] { return int(Write(write)); }, source.size() - 1400),
              int(WriteOutcome::WriteFailed));
  }
  EXPECT_EQ(ReadBytes(out), "the user's old file");
  EXPECT_FALSE(fs::exists(dir.file("new.mp3")));
  EXPECT_TRUE(SourceUnchanged());
  EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{});
}

TEST_F(WriterTest, RefusedWritesTouchNothing) {
  EXPECT_EQ(Write(dir.file("no-such-dir/out.mp3")), WriteOutcome::CannotCreateTarget);
  WriteBytes(out, "an existing target");
  EXPECT_EQ(Write(out, source.size() + 1), WriteOutcome::DamagedTag);
  // Another program gave the loaded file another tag since it was measured.
  EXPECT_EQ(Write(out, 1000), WriteOutcome::SourceChanged);
  fs::create_directory(dir.file("sub"));
  EXPECT_EQ(Write(dir.file("sub")), WriteOutcome::NotReplaced);
  EXPECT_EQ(ReadBytes(out), "an existing target");
  EXPECT_TRUE(SourceUnchanged());
  fs::remove(in);
  EXPECT_EQ(Write(dir.file("new.mp3")), WriteOutcome::CannotOpenSource);
  EXPECT_EQ(Names(), (std::vector<std::string>{"out.mp3", "sub"}));
  // A tag may take the whole file; a loaded file named like a temporary file is left alone.
  const std::string loaded = dir.file("temp$$$-1-1");
  WriteBytes(loaded, WithId3v2Header(std::string(90, 'o'), 0));
  TaggedFileWrite write = Plan(out, 100, 0);
  write.sourcePath = loaded;
  EXPECT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_EQ(ReadBytes(out), tag);
  EXPECT_EQ(ReadBytes(loaded).size(), 100u);
}

// An update in place reaches the file through symbolic links and under every name of a hard link.
TEST_F(WriterTest, InPlaceUpdatesKeepModeAndLinks) {
  fs::permissions(in, fs::perms(0640));
  fs::create_hard_link(in, dir.file("hard.mp3"));
  fs::create_directory(dir.file("list"));
  fs::create_symlink("../in.mp3", dir.file("list/in.mp3"));
  WriteBytes(dir.file("victim"), "must stay");
  // Somebody else's file of that name: neither followed nor removed.
  fs::create_symlink(dir.file("victim"), dir.file("temp$$$"));
  const std::string first = WithId3v2Header("FIRST", 0), second = WithId3v2Header("T2", 0);
  TaggedFileWrite write = Plan(dir.file("list/../list/in.mp3"), 2000, 0, first);
  write.inPlace = true;
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(in) == first + audio);
  write = Plan(dir.file("hard.mp3"), first.size(), 0, second);
  write.inPlace = true;
  ASSERT_EQ(Write(write), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(in) == second + audio);
  EXPECT_TRUE(fs::equivalent(in, dir.file("hard.mp3")));
  EXPECT_EQ(fs::read_symlink(dir.file("list/in.mp3")), "../in.mp3");
  EXPECT_EQ(fs::status(in).permissions(), fs::perms(0640));
  EXPECT_EQ(ReadBytes(dir.file("victim")), "must stay");
  EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{"temp$$$"});
  // Another update holds the file: refused, nothing written.
  const LockedFile other = LockedFile::Acquire(in);
  write = Plan(in, second.size(), 0);
  EXPECT_EQ(Write(write), WriteOutcome::Busy);
  EXPECT_TRUE(ReadBytes(in) == second + audio);
}

// Another program truncates or rewrites the loaded file while it is copied: nothing is replaced
// and the partial copy is gone.
TEST_F(WriterTest, ASourceChangedDuringTheCopyReplacesNothing) {
  for (const bool inPlace : {true, false}) {
    for (const bool truncate : {true, false}) {
      WriteBytes(in, source);
      int pumps = 0;
      progress.onPump = [&] {
        if (++pumps != 3) return;
        if (truncate) {
          fs::resize_file(in, 5000);
        } else {
          WriteBytes(dir.file("other.mp3"), "other");
          fs::rename(dir.file("other.mp3"), in);
        }
      };
      EXPECT_EQ(Write(inPlace ? in : out), WriteOutcome::SourceChanged);
      EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{});
      EXPECT_FALSE(fs::exists(out));
    }
  }
}

// Both ways of moving blocks: splicing, and the reads and writes that take over where a file
// system cannot splice. Each copies the bytes unchanged and reports a failed write.
TEST(BlockCopierTest, BothMethodsCopyWholeAndReportFailedWrites) {
  for (auto method : {BlockCopier::Method::Splice, BlockCopier::Method::ReadWrite}) {
    TempDir dir;
    const std::string audio = MpegAudio(3 * BlockCopier::kBlockSize + 123);
    WriteBytes(dir.file("in"), audio);
    UniqueFd in(open(dir.file("in").c_str(), O_RDONLY));
    UniqueFd out(open(dir.file("out").c_str(), O_WRONLY | O_CREAT, 0600));
    BlockCopier copier(in.get(), out.get(), method);
    while (copier.CopyBlock() > 0) {
    }
    EXPECT_EQ(ReadBytes(dir.file("out")), audio);

    UniqueFd again(open(dir.file("in").c_str(), O_RDONLY));
    UniqueFd readOnly(open(dir.file("out").c_str(), O_RDONLY));
    EXPECT_EQ(BlockCopier(again.get(), readOnly.get(), method).CopyBlock(), -1);
  }
}

} // namespace
} // namespace velmora::test
