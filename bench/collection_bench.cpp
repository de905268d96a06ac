// Reading a collection of several thousand small files: a folder of 30 subfolders with 100 parts
// each (plays of three parts, every second one tagged), read as plays by ReadCollection. Once
// with the files in the page cache, once with their pages dropped before each read (the folders
// stay cached, as after a listing).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "bench_files.h"
#include "core/collection/collection.h"
#include "core/io/file_contents.h"
#include "core/tags/id3v2.h"

namespace velmora::bench {
namespace {

constexpr int kFolders = 30, kFilesPerFolder = 100;

struct ReadAll : CollectionProgress {
  bool Continue(std::size_t, std::size_t) override { return true; }
};

std::vector<std::string> MakeCollection(const std::string& root) {
  const std::string audio = "\xFF\xFB" + std::string(16 * 1024, '\0');
  std::vector<std::string> paths;
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::string dir = root + "Ordner " + std::to_string(folder) + "/";
    std::filesystem::create_directories(dir);
    for (int file = 0; file < kFilesPerFolder; ++file) {
      const int play = file / 3, part = file % 3 + 1;
      const std::string title = "Titel " + std::to_string(play);
      const std::string tag = play % 2 == 0 ? ComposeId3v2Tag({"", title, "Autor"}, 0) : "";
      paths.push_back(dir + "Anna Autor" + std::to_string(folder) + " - " + title + " " +
                      std::to_string(part) + "v3 - RBX, 01.mp3");
      WriteWholeFile(paths.back(), tag + audio);
    }
  }
  return paths;
}

// Asks the kernel to drop the files' cached pages, so that the next read goes to the disk.
void DropCachedPages(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
}

void BM_ReadCollection(benchmark::State& state) {
  const bool dropPages = state.range(0) != 0;
  const std::string root = BenchDir() + "collection/";
  const std::vector<std::string> paths = MakeCollection(root);
  SyncFileSystem();
  ReadAll progress;
  std::size_t plays = 0;
  for (auto _ : state) {
    if (dropPages) {
      state.PauseTiming();
      DropCachedPages(paths);
      state.ResumeTiming();
    }
    plays = ReadCollection(root, "", progress)->plays.size();
  }
  state.counters["files"] = static_cast<double>(paths.size());
  state.counters["plays"] = static_cast<double>(plays);
  std::filesystem::remove_all(root);
}

BENCHMARK(BM_ReadCollection)->ArgName("dropped")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora::bench

BENCHMARK_MAIN();
