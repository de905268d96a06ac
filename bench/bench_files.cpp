#include "bench_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"

extern char** environ;

namespace velmora::bench {
namespace {

class RunDirectory {
public:
  RunDirectory() {
    const char* base = std::getenv("VELMORA_BENCH_DIR");
    std::string pattern =
        (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
        "velmora-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = pattern + "/";
  }
  ~RunDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

Id3v2FrameTexts SampleTexts(const char* title) {
  return {"1",
          title,
          "Meier",
          "Kriminalh\xf6rspiele",
          "1987",
          "(101)Speech",
          "Ein Fall f\xfcr zwei",
          "Regie",
          "Sprecher",
          "SWF 1987",
          "",
          "Velmora"};
}

} // namespace

const std::string& BenchDir() {
  static const RunDirectory directory;
  return directory.path();
}

std::uint64_t MakeAudioFile(const std::string& path, std::uint64_t totalBytes) {
  const std::string tag = ComposeId3v2Tag(SampleTexts("Der alte Fall"), 1000);
  const std::uint64_t tagLength = tag.size() + 1000;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(tag.data(), static_cast<std::streamsize>(tag.size()));
  out.write(std::string(1000, '\0').data(), 1000);
  std::vector<char> block(kMiB);
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  const std::uint64_t audioBytes = totalBytes - tagLength - kId3v1RecordSize;
  for (std::uint64_t left = audioBytes; left > 0;) {
    const auto n = static_cast<std::streamsize>(std::min<std::uint64_t>(left, block.size()));
    out.write(block.data(), n);
    left -= static_cast<std::uint64_t>(n);
  }
  const Id3v1Record record = ComposeId3v1Record({"Der alte Fall", "Meier", "", "1987", "", "1"});
  out.write(reinterpret_cast<const char*>(record.data()), kId3v1RecordSize);
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
  return tagLength;
}

std::string NewTag() {
  return ComposeId3v2Tag(SampleTexts("Der neue Fall"), kNewPadding);
}

void RemoveFile(const std::string& path) {
  std::remove(path.c_str());
}

void SyncFileSystem() {
  const int fd = ::open(BenchDir().c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::syncfs(fd);
    ::close(fd);
  }
}

void RunCommand(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child = 0;
  int status = 0;
  if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0 ||
      waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("command failed: " + argv[0]);
}

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

void SideBySide(benchmark::State& state, std::uint64_t bytesPerIteration,
                const std::function<void()>& prepareOurs, const std::function<bool()>& ours,
                const std::function<void()>& prepareTools, const std::function<void()>& tools) {
  std::vector<double> oursSeconds, toolsSeconds;
  bool oursFirst = true;
  for (auto _ : state) {
    double mine = 0;
    const auto runOurs = [&] {
      prepareOurs();
      SyncFileSystem();
      bool ok = false;
      mine = SecondsOf([&] { ok = ours(); });
      if (!ok) state.SkipWithError("Velmora's write failed");
    };
    const auto runTools = [&] {
      prepareTools();
      SyncFileSystem();
      toolsSeconds.push_back(SecondsOf(tools));
    };
    if (oursFirst) {
      runOurs();
      runTools();
    } else {
      runTools();
      runOurs();
    }
    oursFirst = !oursFirst;
    oursSeconds.push_back(mine);
    state.SetIterationTime(mine);
  }
  state.counters["velmora_s"] = Median(oursSeconds);
  state.counters["tools_s"] = Median(toolsSeconds);
  state.counters["ratio"] = Median(oursSeconds) / Median(toolsSeconds);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytesPerIteration));
}

} // namespace velmora::bench
