// Writing tag, padding and audio into files. Every failure must be reported, remove what it had
// begun to write and leave the loaded file byte for byte as it was.
#include "core/io/atomic_replace.h"
#include "core/tags/tagged_file_writer.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/io/file_copy.h"
#include "form/audio_test_files.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Records what the writer shows; PumpEvents reports a quit request at pump number quitAt.
class RecordingProgress : public CopyProgress {
public:
  void ShowProgress(bool visible) override { visibility.push_back(visible); }
  void SetProgress(int percent) override { positions.push_back(percent); }
  bool PumpEvents() override {
    if (onPump) onPump();
    return ++pumps != quitAt;
  }
  std::function<void()> onPump; // what another program does meanwhile
  std::vector<bool> visibility;
  std::vector<int> positions;
  int pumps = 0, quitAt = -1;
};

// Runs body in a forked child whose files are limited to sizeLimit bytes (the limit stays there);
// returns its exit code, -1 when it did not exit normally.
int RunInChild(const std::function<int()>& body, rlim_t sizeLimit) {
  const rlimit limit{sizeLimit, sizeLimit};
  const pid_t child = fork();
  if (child == 0) _exit(setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 98);
  int status = 0;
  const bool exited = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
  return exited ? WEXITSTATUS(status) : -1;
}

class WriterTest : public ::testing::Test {
protected:
  WriterTest() { WriteBytes(in, source); }
  WriteOutcome Write(const std::string& target, std::uint64_t oldTagLength = 2000,
                     long padding = 100) {
    return WriteTaggedFile(target, in, oldTagLength, tag, padding, progress);
  }
  std::string WriteTemporary(const std::string& loaded, std::uint64_t oldTagLength,
                             const char* newTag) {
    auto temporary = CreateExclusiveFile(TemporaryPathFor(loaded));
    if (!temporary) return {};
    const std::string path = temporary->path;
    return WriteTaggedTemporary(std::move(temporary->fd), path, loaded, oldTagLength, newTag, 0,
                                progress) == WriteOutcome::Ok
               ? path
               : std::string();
  }
  bool UpdateInPlace(const std::string& loaded, std::uint64_t oldTagLength, const char* newTag) {
    const std::string temporary = WriteTemporary(loaded, oldTagLength, newTag);
    return !temporary.empty() && ReplaceWithTemporary(temporary, loaded);
  }
  bool SourceUnchanged() const { return ReadBytes(in) == source; }

  TempDir dir;
  const std::string in = dir.file("in.mp3"), out = dir.file("out.mp3"), audio = MpegAudio(1 << 20);
  const std::string source = "ID3" + std::string(1997, 'o') + audio; // an old tag of 2000 bytes
  const std::string tag = "ID3" + std::string(497, 't');
  RecordingProgress progress;
};

TEST_F(WriterTest, NewFileHoldsTagPaddingAudioAndOneId3v1Record) {
  WriteBytes(out, std::string(2 << 20, 'x')); // an older, longer file is replaced whole
  ASSERT_EQ(Write(out, 2000, 500), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(out) == tag + std::string(500, '\0') + audio);
  EXPECT_TRUE(SourceUnchanged());
  Id3v1Record record{'T', 'A', 'G', 'a'};
  ASSERT_EQ(WriteId3v1Record(out, record), 0);
  record[3] = 'b';
  ASSERT_EQ(WriteId3v1Record(out, record), 0); // replaces the record, appends none
  const std::string recordBytes(record.begin(), record.end());
  EXPECT_TRUE(ReadBytes(out) == tag + std::string(500, '\0') + audio + recordBytes);
  // Without an old tag the whole file is copied, its ID3v1 record too; negative padding is none.
  WriteBytes(in, source + recordBytes);
  ASSERT_EQ(Write(out, 0, -7), WriteOutcome::Ok);
  EXPECT_TRUE(ReadBytes(out) == tag + source + recordBytes);
  EXPECT_EQ(WriteId3v1Record(dir.file("missing.mp3"), record), -1);
}

TEST_F(WriterTest, ProgressEndsBelowHundredWithAnOldTagAndQuitAborts) {
  WriteBytes(in, std::string(4096, 'o') + MpegAudio(10 * kCopyStep + 98));
  ASSERT_EQ(Write(out, 4096, 0), WriteOutcome::Ok);
  // copied * 100 / (4096 + audio): the skipped old tag is never copied.
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 9, 19, 29, 39, 48, 58, 68, 78, 87, 97, 97}));
  EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
  RecordingProgress quitting; // a quit request aborts and removes the partial file
  quitting.quitAt = 3;
  EXPECT_EQ(WriteTaggedFile(out, in, 4096, tag, 0, quitting), WriteOutcome::Aborted);
  EXPECT_EQ(quitting.pumps, 3);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(quitting.visibility, (std::vector<bool>{true, false}));
}

TEST_F(WriterTest, FullDiskFailsTheWriteAndRemovesThePartialFile) {
  for (const std::string& target : {out, TemporaryPathFor(in)}) {
    EXPECT_EQ(RunInChild([&] { return int(Write(target)); }, 256 * 1024),
              int(WriteOutcome::WriteFailed));
    EXPECT_FALSE(fs::exists(target));
  }
  WriteBytes(out, "audio"); // only half of the record fits: it is cut off again
  EXPECT_EQ(RunInChild([&] { return WriteId3v1Record(out, Id3v1Record{'T', 'A', 'G'}); }, 60), 1);
  EXPECT_EQ(ReadBytes(out), "audio");
  EXPECT_TRUE(SourceUnchanged());
}

TEST_F(WriterTest, RefusedWritesTouchNothing) {
  EXPECT_EQ(Write(dir.file("no-such-dir/out.mp3")), WriteOutcome::CannotCreateTarget);
  WriteBytes(out, "an existing target");
  EXPECT_EQ(Write(out, source.size() + 1), WriteOutcome::DamagedTag);
  EXPECT_EQ(ReadBytes(out), "an existing target");
  EXPECT_EQ(Write(out, source.size(), 0), WriteOutcome::Ok); // a tag may take the whole file
  EXPECT_EQ(ReadBytes(out), tag);
  EXPECT_TRUE(SourceUnchanged());
  fs::remove(in);
  EXPECT_EQ(Write(dir.file("new.mp3")), WriteOutcome::CannotOpenSource);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // The loaded file under another spelling, or named like the temporary file, is never truncated.
  WriteBytes(in, source);
  fs::create_directory(dir.file("sub"));
  fs::create_symlink(in, dir.file("link.mp3"));
  fs::create_hard_link(in, dir.file("hard.mp3"));
  for (const std::string& spelling :
       {dir.file("sub/../in.mp3"), dir.file("link.mp3"), dir.file("hard.mp3"), dir.file("sub")}) {
    EXPECT_EQ(Write(spelling), WriteOutcome::CannotCreateTarget) << spelling;
    EXPECT_TRUE(SourceUnchanged()) << spelling;
  }
  const std::string loaded = dir.file("temp$$$");
  fs::rename(in, loaded);
  EXPECT_EQ(WriteTaggedFile(TemporaryPathFor(loaded), loaded, 2000, tag, 0, progress),
            WriteOutcome::CannotCreateTarget);
  EXPECT_FALSE(ReplaceWithTemporary(TemporaryPathFor(loaded), loaded));
  EXPECT_TRUE(ReadBytes(loaded) == source);
}

// An update in place reaches the file through symbolic links and under every name of a hard link.
TEST_F(WriterTest, InPlaceUpdatesKeepModeAndLinksAndSkipTheTagWrittenBefore) {
  fs::permissions(in, fs::perms(0640));
  fs::create_hard_link(in, dir.file("hard.mp3"));
  fs::create_directory(dir.file("list"));
  fs::create_symlink("../in.mp3", dir.file("list/in.mp3"));
  WriteBytes(dir.file("victim"), "must stay");
  // Somebody else's file of that name: neither followed nor removed.
  fs::create_symlink(dir.file("victim"), dir.file("temp$$$"));
  ASSERT_TRUE(UpdateInPlace(in, 2000, "FIRST"));
  EXPECT_TRUE(ReadBytes(in) == "FIRST" + audio);
  ASSERT_TRUE(UpdateInPlace(dir.file("list/../list/in.mp3"), 5, "T2"));
  EXPECT_TRUE(ReadBytes(in) == "T2" + audio);
  ASSERT_TRUE(UpdateInPlace(dir.file("hard.mp3"), 2, "NEW"));
  EXPECT_TRUE(ReadBytes(in) == "NEW" + audio);
  EXPECT_TRUE(fs::equivalent(in, dir.file("hard.mp3")));
  EXPECT_EQ(fs::hard_link_count(in), 2u);
  EXPECT_EQ(fs::read_symlink(dir.file("list/in.mp3")), "../in.mp3");
  EXPECT_EQ(fs::status(in).permissions(), fs::perms(0640));
  EXPECT_EQ(ReadBytes(dir.file("victim")), "must stay");
  EXPECT_TRUE(fs::is_symlink(dir.file("temp$$$")));
  EXPECT_EQ(TemporaryFilesIn(dir.path()), std::vector<std::string>{"temp$$$"});
  EXPECT_TRUE(TemporaryFilesIn(dir.file("list")).empty());
  const std::string temporary = WriteTemporary(in, 3, "T3");
  ASSERT_FALSE(temporary.empty());
  fs::rename(in, dir.file("moved.mp3")); // the loaded file vanished before the replacement
  EXPECT_FALSE(ReplaceWithTemporary(temporary, in));
  EXPECT_FALSE(fs::exists(temporary) || fs::exists(in));
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
      if (inPlace)
        EXPECT_TRUE(WriteTemporary(in, 2000, "T").empty());
      else
        EXPECT_EQ(Write(out), WriteOutcome::SourceChanged);
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
