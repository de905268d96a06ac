#pragma once
// What the tests of the file writer share: a progress that records, a child process with a
// file-size limit, and a loaded file with an old tag of 2000 bytes before 1 MiB of audio.
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/io/file_io.h"
#include "core/tags/id3v2.h"
#include "core/tags/tagged_file_writer.h"
#include "form/audio_test_files.h"
#include "support/temp_dir.h"

namespace velmora::test {

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

// Runs body in a forked child whose files are limited to sizeLimit bytes; returns its exit code,
// -1 when it did not exit normally.
inline int RunInChild(const std::function<int()>& body, rlim_t sizeLimit) {
  const rlimit limit{sizeLimit, sizeLimit};
  const pid_t child = fork();
  if (child == 0) {
    IgnoreFileSizeSignal();
    _exit(setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 98);
  }
  int status = 0;
  const bool exited = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
  return exited ? WEXITSTATUS(status) : -1;
}

class WriterTest : public ::testing::Test {
protected:
  WriterTest() { WriteBytes(in, source); }
  // source rewritten whole into target with tag, padding and no ID3v1 record.
  TaggedFileWrite Plan(const std::string& target, std::uint64_t oldTagLength = 2000,
                       long padding = 100, std::string newTag = {}) const {
    TaggedFileWrite write;
    write.sourcePath = in;
    write.targetPath = target;
    write.inPlace = target == in;
    write.tag = newTag.empty() ? tag : std::move(newTag);
    write.padding = padding;
    write.oldTagLength = oldTagLength;
    return write;
  }
  WriteOutcome Write(const TaggedFileWrite& write) {
    return WriteTaggedFile(write, progress).outcome;
  }
  WriteOutcome Write(const std::string& target, std::uint64_t oldTagLength = 2000,
                     long padding = 100) {
    return Write(Plan(target, oldTagLength, padding));
  }
  bool SourceUnchanged() const { return ReadBytes(in) == source; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  const std::string in = dir.file("in.mp3"), out = dir.file("out.mp3"), audio = MpegAudio(1 << 20);
  // An old tag of 2000 bytes; the new one of 500 bytes without its padding.
  const std::string source = WithId3v2Header(std::string(1990, 'o'), 0) + audio;
  const std::string tag = WithId3v2Header(std::string(490, 't'), 100);
  RecordingProgress progress;
};

} // namespace velmora::test
