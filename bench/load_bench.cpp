// The cost of loading a file's tags as the file grows: the first 10 bytes, the ID3v2 tag and the
// last 128 bytes are read, never the audio between them, so the time must stay flat.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

#include "bench_files.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"

namespace velmora::bench {
namespace {

// What loading reads of a file: the tag at its start and the record at its end.
std::size_t LoadTags(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::string head(10, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::string tag(MeasureId3v2Tag(head), '\0');
  std::fseek(file, 0, SEEK_SET);
  tag.resize(std::fread(tag.data(), 1, tag.size(), file));
  const std::size_t frames = ParseId3v2Frames(tag).size();
  std::string last(kId3v1RecordSize, '\0');
  std::fseek(file, -static_cast<long>(kId3v1RecordSize), SEEK_END);
  last.resize(std::fread(last.data(), 1, last.size(), file));
  const bool hasRecord = ReadId3v1Record(last).has_value();
  std::fclose(file);
  return frames + (hasRecord ? 1 : 0);
}

void BM_LoadTags(benchmark::State& state) {
  const auto bytes = static_cast<std::uint64_t>(state.range(0)) * kMiB;
  const std::string path = BenchDir() + "load-" + std::to_string(state.range(0)) + ".mp3";
  MakeAudioFile(path, bytes);
  for (auto _ : state) {
    if (LoadTags(path) == 0) state.SkipWithError("tags not read");
  }
  state.SetLabel(std::to_string(state.range(0)) + " MiB");
  RemoveFile(path);
}

BENCHMARK(BM_LoadTags)->RangeMultiplier(4)->Range(1, 256)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace velmora::bench

BENCHMARK_MAIN();
