#pragma once
// Large audio files for the benchmarks, made once per run in a directory on the disk under test
// (VELMORA_BENCH_DIR, else the system's temporary directory) and removed at the end.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/io/copy_progress.h"

namespace velmora::bench {

constexpr std::uint64_t kMiB = 1024 * 1024;

// The run's working directory, ending in "/".
const std::string& BenchDir();

// Writes a file of an ID3v2 tag with padding followed by audio bytes, totalBytes in all, plus an
// ID3v1 record; returns the tag length (what the loader would record).
std::uint64_t MakeAudioFile(const std::string& path, std::uint64_t totalBytes);

// The new tag of the benchmarked update: twelve frames and 2048 bytes of padding.
std::string NewTag();
inline constexpr long kNewPadding = 2048;

void RemoveFile(const std::string& path);
// Writes back every dirty page of the file system, so that no side pays for the other's writes.
void SyncFileSystem();

// Runs a command (no shell unless asked) and waits for it; aborts the benchmark when it fails.
void RunCommand(const std::vector<std::string>& argv);

// A progress bar that nobody watches.
class NoProgress : public CopyProgress {
public:
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  bool PumpEvents() override { return true; }
};

template <typename Body> double SecondsOf(Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace velmora::bench
