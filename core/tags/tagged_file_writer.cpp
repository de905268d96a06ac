#include "core/tags/tagged_file_writer.h"

#include <algorithm>
#include <vector>

#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/io/file_status.h"

namespace velmora {
namespace {

int Percent(std::uint64_t copied, std::uint64_t sourceLength) {
  if (sourceLength == 0) return 100;
  const double percent = static_cast<double>(copied) * 100.0 / static_cast<double>(sourceLength);
  return static_cast<int>(std::min(percent, 100.0));
}

bool WriteZeros(int out, std::uint64_t count) {
  const std::vector<char> zeros(static_cast<std::size_t>(std::min<std::uint64_t>(count, 65536)));
  for (std::uint64_t left = count; left > 0;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
    if (!WriteAll(out, zeros.data(), n)) return false;
    left -= n;
  }
  return true;
}

WriteOutcome WriteContents(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                           std::string_view tag, long padding, CopyProgress& progress) {
  if (!WriteAll(out, tag.data(), tag.size()) ||
      !WriteZeros(out, static_cast<std::uint64_t>(std::max(padding, 0L))) ||
      !SeekTo(in, oldTagLength))
    return WriteOutcome::WriteFailed;

  // The I/O runs in large blocks (blocks of 16 KiB cost clearly more than a plain copy);
  // progress and events still move at every kCopyStep bytes copied, and once more at the end.
  BlockCopier copier(in, out);
  std::uint64_t copied = 0;
  std::uint64_t shown = 0;
  const auto showStep = [&](std::uint64_t upTo) {
    shown = upTo;
    progress.SetProgress(Percent(shown, sourceLength));
    return progress.PumpEvents();
  };
  for (;;) {
    const long long moved = copier.CopyBlock();
    if (moved < 0) return WriteOutcome::WriteFailed;
    if (moved == 0) break;
    copied += static_cast<std::uint64_t>(moved);
    while (copied - shown >= kCopyStep) {
      if (!showStep(shown + kCopyStep)) return WriteOutcome::Aborted;
    }
  }
  if (copied > shown && !showStep(copied)) return WriteOutcome::Aborted;
  return WriteOutcome::Ok;
}

// Keeps the progress bar visible for exactly the time of the copy, whatever ends it.
class ProgressShown {
public:
  explicit ProgressShown(CopyProgress& progress) : progress_(progress) {
    progress_.SetProgress(0);
    progress_.ShowProgress(true);
  }
  ~ProgressShown() { progress_.ShowProgress(false); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

private:
  CopyProgress& progress_;
};

// The loaded file is still the one the copy began with: the same file under its name, of the
// same size and modification time.
bool Unchanged(int in, const std::string& sourcePath, const FileStatus& before) {
  const auto now = StatusOf(in);
  const auto named = StatusOfPath(sourcePath);
  return now && named && now->identity == before.identity && named->identity == before.identity &&
         now->size == before.size && now->modifiedSeconds == before.modifiedSeconds &&
         now->modifiedNanoseconds == before.modifiedNanoseconds;
}

template <typename OpenTarget>
WriteOutcome WriteTagged(const OpenTarget& openTarget, const std::string& targetPath,
                         const std::string& sourcePath, std::uint64_t oldTagLength,
                         std::string_view tag, long padding, CopyProgress& progress) {
  IgnoreFileSizeSignal();
  UniqueFd in = OpenForReading(sourcePath);
  const auto sourceStatus = in.valid() ? StatusOf(in.get()) : std::nullopt;
  if (!sourceStatus) return WriteOutcome::CannotOpenSource;
  const std::uint64_t sourceLength = sourceStatus->size;
  if (oldTagLength > sourceLength) return WriteOutcome::DamagedTag;

  UniqueFd out = openTarget(sourceStatus->identity);
  const auto targetStatus = out.valid() ? StatusOf(out.get()) : std::nullopt;
  if (!targetStatus) return WriteOutcome::CannotCreateTarget;

  WriteOutcome outcome;
  {
    ProgressShown shown(progress);
    outcome =
        WriteContents(out.get(), in.get(), oldTagLength, sourceLength, tag, padding, progress);
  }
  if (outcome == WriteOutcome::Ok && !out.Close()) outcome = WriteOutcome::WriteFailed;
  // A copy of a file that changed meanwhile is partial or mixed: it replaces nothing.
  if (outcome == WriteOutcome::Ok && !Unchanged(in.get(), sourcePath, *sourceStatus))
    outcome = WriteOutcome::SourceChanged;
  // The partial target goes, but only if its path still names the file that was written.
  if (outcome != WriteOutcome::Ok) RemoveIfStill(targetPath, targetStatus->identity);
  return outcome;
}

} // namespace

WriteOutcome WriteTaggedFile(const std::string& targetPath, const std::string& sourcePath,
                             std::uint64_t oldTagLength, std::string_view tag, long padding,
                             CopyProgress& progress) {
  // Never the loaded file under another name: that one would lose its audio to the copy.
  return WriteTagged(
      [&](FileIdentity source) { return OpenOtherFileForWriting(targetPath, source); }, targetPath,
      sourcePath, oldTagLength, tag, padding, progress);
}

WriteOutcome WriteTaggedTemporary(UniqueFd temporary, const std::string& temporaryPath,
                                  const std::string& sourcePath, std::uint64_t oldTagLength,
                                  std::string_view tag, long padding, CopyProgress& progress) {
  // The temporary file is this update's own: it goes on every failure, also on one found before
  // the copy began (a damaged tag, a source that cannot be opened).
  const auto status = StatusOf(temporary.get());
  const WriteOutcome outcome =
      WriteTagged([&](FileIdentity) { return std::move(temporary); }, temporaryPath, sourcePath,
                  oldTagLength, tag, padding, progress);
  if (outcome != WriteOutcome::Ok && status) RemoveIfStill(temporaryPath, status->identity);
  return outcome;
}

std::string TemporaryPathFor(const std::string& sourcePath) {
  // Beside the file a link points to, so that the final rename stays within one directory.
  const std::string finalPath = ResolvedPath(sourcePath).value_or(sourcePath);
  return DirectoryOf(finalPath) + kTemporaryFileName;
}

} // namespace velmora
