// The update of a large file against what standard tools need for the same job, measured side by
// side in one run: to a new name against `cp`, and over the file itself against `cp` to a
// temporary name, `sync` of that file and `mv` over the original. The two sides alternate in
// their order; the counters give the median time of each side and "ratio", Velmora's median
// divided by the tools' median (medians, since other processes on the machine cause outliers).
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "bench_files.h"
#include "core/io/readable_file.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "core/tags/id3v2_tag_area.h"
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
  const auto file = ReadableFile::Open(path);
  return MeasureId3v2TagArea([&](std::uint64_t offset, std::size_t count) {
    return file ? file->Range(offset, count).value_or("") : std::string();
  });
}

// The whole rewrite of source into target with the new tag and the ID3v1 record.
TaggedFileWrite Write(const std::string& source, const std::string& target,
                      std::uint64_t oldTagLength, const std::string& tag) {
  TaggedFileWrite write;
  write.sourcePath = source;
  write.targetPath = target;
  write.tag = tag;
  write.padding = kNewPadding;
  write.oldTagLength = oldTagLength;
  write.id3v1 = kRecord;
  return write;
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
        return WriteTaggedFile(Write(source, tagged, oldTagLength, tag), progress).outcome ==
               WriteOutcome::Ok;
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
        TaggedFileWrite write = Write(ours, ours, oldTagLength, tag);
        write.inPlace = true;
        return WriteTaggedFile(write, progress).outcome == WriteOutcome::Ok;
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
