#pragma once
// Large audio files for the benchmarks, made once per run in a directory on the disk under test
// (VELMORA_BENCH_DIR, else the system's temporary directory) and removed at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
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

// Runs Velmora's side and the standard tools' side once per iteration, in alternating order, each
// after its own untimed preparation and a sync of the file system; the manual iteration time is
// Velmora's. The counters are the medians of both sides and "ratio", Velmora's median divided by
// the tools' (medians, since other processes on the machine cause outliers).
void SideBySide(benchmark::State& state, std::uint64_t bytesPerIteration,
                const std::function<void()>& prepareOurs, const std::function<bool()>& ours,
                const std::function<void()>& prepareTools, const std::function<void()>& tools);

} // namespace velmora::bench
