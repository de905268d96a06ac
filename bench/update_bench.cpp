// The update of a large file against what standard tools need for the same job, measured side by
// side in one run: to a new name against `cp`, and over the file itself against `cp` to a
// temporary name, `sync` of that file and `mv` over the original. The two sides alternate in
// their order; the counters give the median time of each side and "ratio", Velmora's median
// divided by the tools' median (medians, since other processes on the machine cause outliers).
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "bench_files.h"
#include "core/io/atomic_replace.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora::bench {
namespace {

std::uint64_t FileBytes() {
  const char* mib = std::getenv("VELMORA_BENCH_MIB");
  return (mib ? std::strtoull(mib, nullptr, 10) : 256) * kMiB;
}

const Id3v1Record kRecord = ComposeId3v1Record({"Der neue Fall", "Meier", "", "1987", "", "1"});

// The tag length the loader would record for the file now.
std::uint64_t RecordedTagLength(const std::string& path) {
  char head[10] = {};
  std::size_t got = 0;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
  }
  return MeasureId3v2Tag(std::string_view(head, got));
}

void BM_UpdateToNewName(benchmark::State& state) {
  const std::string source = BenchDir() + "source.mp3";
  const std::uint64_t oldTagLength = MakeAudioFile(source, FileBytes());
  const std::string tag = NewTag();
  const std::string tagged = BenchDir() + "tagged.mp3";
  const std::string copied = BenchDir() + "copied.mp3";
  NoProgress progress;
  SideBySide(
      state, FileBytes(), [&] { RemoveFile(tagged); },
      [&] {
        return WriteTaggedFile(tagged, source, oldTagLength, tag, kNewPadding, progress) ==
                   WriteOutcome::Ok &&
               WriteId3v1Record(tagged, kRecord) == 0;
      },
      [&] { RemoveFile(copied); },
      [&] {
        RunCommand({"cp", source, copied});
      });
  for (const std::string& path : {source, tagged, copied})
    RemoveFile(path);
}

void BM_UpdateInPlace(benchmark::State& state) {
  const std::string ours = BenchDir() + "ours.mp3";
  const std::string theirs = BenchDir() + "theirs.mp3";
  const std::string theirsTemporary = BenchDir() + "theirs.tmp";
  MakeAudioFile(ours, FileBytes());
  MakeAudioFile(theirs, FileBytes());
  const std::string tag = NewTag();
  NoProgress progress;
  std::uint64_t oldTagLength = 0;
  SideBySide(
      state, FileBytes(), [&] { oldTagLength = RecordedTagLength(ours); },
      [&] {
        auto created = CreateExclusiveFile(TemporaryPathFor(ours));
        if (!created) return false;
        const std::string temporary = created->path;
        return WriteTaggedTemporary(std::move(created->fd), temporary, ours, oldTagLength, tag,
                                    kNewPadding, progress) == WriteOutcome::Ok &&
               WriteId3v1Record(temporary, kRecord) == 0 && ReplaceWithTemporary(temporary, ours);
      },
      [] {},
      [&] {
        RunCommand({"cp", theirs, theirsTemporary});
        RunCommand({"sync", theirsTemporary});
        RunCommand({"mv", theirsTemporary, theirs});
      });
  RemoveFile(ours);
  RemoveFile(theirs);
}

BENCHMARK(BM_UpdateToNewName)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateInPlace)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora::bench

BENCHMARK_MAIN();
