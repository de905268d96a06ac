// Writing a run: every play with a record prepared through the update pipeline, then each file
// written on its own, between two records of the run's log (what it was before, what it is
// after), so that a cancelled or killed run neither writes a file twice nor loses its way back.
#include <algorithm>

#include "core/form/source_tag.h"
#include "core/io/file_status.h"
#include "core/io/readable_file.h"
#include "core/io/scaled_progress.h"
#include "core/model/messages.h"
#include "core/run/collection_run.h"
#include "core/run/plays_to_write.h"
#include "core/tags/id3v1.h"

namespace velmora {

namespace {

// What the run's log holds before the file is written: in place, the bytes that the write
// changes (tag area and the last bytes; never the audio).
std::optional<RunWrite> BeforeWriting(const UpdatePlan& plan, bool inPlace) {
  RunWrite write;
  write.inPlace = inPlace;
  write.source = plan.sourcePath;
  write.target = plan.targetPath;
  if (!inPlace) return write;
  const auto file = ReadableFile::Open(plan.sourcePath);
  if (!file) return std::nullopt;
  write.formerSize = file->size();
  write.formerTagArea = plan.oldTagLength;
  const auto tag = file->Head(static_cast<std::size_t>(plan.oldTagLength));
  const auto tail =
      file->Tail(static_cast<std::size_t>(std::min<std::uint64_t>(file->size(), kId3v1RecordSize)));
  if (!tag || !tail) return std::nullopt;
  write.formerTag = *tag;
  write.formerTail = *tail;
  return write;
}

std::uint64_t TagAreaOf(const std::string& path) {
  const auto file = ReadableFile::Open(path);
  return file ? MeasureSourceTag(*file).area : 0;
}

class RunWriter {
public:
  RunWriter(const RunSetup& setup, RunTarget target, RunProgress& progress)
      : setup_(setup), inPlace_(target == RunTarget::InPlace), progress_(progress),
        known_(setup.store.Writes()), platform_([this](int percent) { ShowCopy(percent); }) {}

  RunPlatform& platform() { return platform_; }
  void Start(std::uint64_t totalBytes) { total_ = totalBytes; }
  bool Continue() { return progress_.Continue(done_, total_); }

  // One file: written, or why not.
  WriteLine Write(WindowState& state, FileUpdate& file) {
    WriteLine line;
    line.file = file.sourcePath();
    line.target = file.plan ? file.plan->targetPath : std::string();
    current_ = file.sourceBytes;
    line.why = WriteFile(state, file);
    line.ok = line.why.empty();
    done_ += current_;
    progress_.Continue(done_, total_);
    return line;
  }

private:
  void ShowCopy(int percent) {
    progress_.Continue(
        done_ + current_ * static_cast<std::uint64_t>(std::clamp(percent, 0, 100)) / 100, total_);
  }

  const RunWrite* Known(const std::string& target) const {
    const auto found = std::find_if(known_.begin(), known_.end(),
                                    [&](const RunWrite& write) { return write.target == target; });
    return found == known_.end() ? nullptr : &*found;
  }

  std::string WriteFile(WindowState& state, FileUpdate& file) {
    if (!file.plan) return file.failure;
    const std::string target = file.plan->targetPath;
    const RunWrite* known = Known(target);
    if (known && known->done) {
      const auto status = StatusOfPath(target);
      return status && SameVersion(*status, known->after) ? std::string()
                                                          : messages::RunChangedSince(target);
    }
    if (!known && !inPlace_ && FileExists(target)) return messages::RunTargetExists(target);
    std::optional<RunWrite> record = BeforeWriting(*file.plan, inPlace_);
    if (!record) return messages::CannotOpenFile(file.sourcePath());
    // The first record of a file keeps its former bytes: a second attempt may find it written.
    if (!known && !setup_.store.AppendWrite(*record))
      return messages::RunCannotKeepState(setup_.store.folder());

    std::vector<FileUpdate> one;
    one.push_back(std::move(file));
    WriteFiles(state, platform_, one);
    file = std::move(one.front());
    platform_.TakeMessages();
    if (!file.written)
      return file.writeFailure ? file.writeFailure->text : messages::CannotWriteFile(target);
    record->done = true;
    record->after = StatusOfPath(target).value_or(FileStatus{});
    record->newTagArea = TagAreaOf(target);
    if (!setup_.store.AppendWrite(*record))
      return messages::RunCannotKeepState(setup_.store.folder());
    return {};
  }

  const RunSetup& setup_;
  bool inPlace_;
  RunProgress& progress_;
  std::vector<RunWrite> known_;
  RunPlatform platform_;
  std::uint64_t total_ = 0, done_ = 0, current_ = 0;
};

} // namespace

WriteSummary WritePlays(const RunSetup& setup, const Collection& collection, RunTarget target,
                        RunProgress& progress,
                        const std::function<void(const WriteLine&)>& onLine) {
  RunWriter writer(setup, target, progress);
  std::vector<std::pair<const CollectionPlay*, PreparedPlay>> plays;
  std::uint64_t totalBytes = 0;
  for (const auto& [entry, lookup] : PlaysToWrite(setup.store, collection)) {
    PreparedPlay prepared =
        PreparePlay(setup.started, writer.platform(), setup.folder, entry->play, lookup, target);
    for (const FileUpdate& file : prepared.files)
      totalBytes += file.sourceBytes;
    plays.emplace_back(entry, std::move(prepared));
  }
  writer.Start(totalBytes);
  WriteSummary summary;
  for (auto& [entry, play] : plays) {
    if (!play.failure.empty()) {
      ++summary.failed;
      onLine({entry->id, setup.folder + entry->play.parts.front().path, {}, false, play.failure});
      continue;
    }
    for (FileUpdate& file : play.files) {
      if (!writer.Continue()) {
        summary.cancelled = true;
        return summary;
      }
      WriteLine line = writer.Write(play.state, file);
      line.id = entry->id;
      ++(line.ok ? summary.written : summary.failed);
      onLine(line);
    }
  }
  return summary;
}

} // namespace velmora
