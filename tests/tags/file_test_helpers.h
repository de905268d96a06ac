#pragma once
// Helpers of the file-writing tests: a recording progress bar, audio files with an old tag, and
// running a fault case in a child process (size limits and dropped privileges stay there).
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/tags/copy_progress.h"
#include "support/temp_dir.h"

namespace velmora::test {

// Records what the writer shows; PumpEvents reports a quit request at pump number quitAt.
class RecordingProgress : public CopyProgress {
public:
  void ShowProgress(bool visible) override { visibility.push_back(visible); }
  void SetProgress(int percent) override { positions.push_back(percent); }
  bool PumpEvents() override { return ++pumps != quitAt; }

  std::vector<bool> visibility;
  std::vector<int> positions;
  int pumps = 0;
  int quitAt = -1;
};

// Audio bytes that differ from block to block, so that a shifted or repeated block shows.
inline std::string AudioBytes(std::size_t size) {
  std::string audio(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    audio[i] = static_cast<char>((i * 7 + i / 4093) & 0xFF);
  return audio;
}

// An old ID3v2 tag area of tagLength bytes (header and filler; only its length matters here).
inline std::string OldTag(std::size_t tagLength) {
  std::string tag(tagLength, '\0');
  tag.replace(0, 3, "ID3");
  for (std::size_t i = 10; i < tagLength; ++i)
    tag[i] = 'o';
  return tag;
}

// Runs body in a forked child and returns its exit code (-1 when it did not exit normally, for
// example when a signal ended it).
inline int RunInChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child: gives up root's right to write anywhere, so permission tests mean something.
inline bool DropRootPrivileges() {
  if (geteuid() != 0) return true;
  return setgid(65534) == 0 && setuid(65534) == 0;
}

} // namespace velmora::test
