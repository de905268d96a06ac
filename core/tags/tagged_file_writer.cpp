#include "core/tags/tagged_file_writer.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/io/file_copy.h"
#include "core/io/file_io.h"

namespace velmora {
namespace {

UniqueFd OpenOtherTarget(const std::string& path, FileIdentity source) {
  // Opened without truncation first: if it is the loaded file under another name, nothing of it
  // is lost.
  UniqueFd fd = OpenFile(path, O_WRONLY | O_CREAT, 0666);
  if (!fd.valid()) return fd;
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || IdentityOf(status) == source) return {};
  // A new file is not truncated: on ext4 that would force its whole data to disk on close.
  if (status.st_size != 0 && ::ftruncate(fd.get(), 0) != 0) return {};
  return fd;
}

// Removes the partial target, but only if its path still names the file that was written.
void RemovePartial(const std::string& path, FileIdentity written) {
  const auto finalPath = ResolvedPath(path);
  struct stat status {};
  if (finalPath && ::stat(finalPath->c_str(), &status) == 0 && IdentityOf(status) == written)
    ::unlink(finalPath->c_str());
}

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
      ::lseek(in, static_cast<off_t>(oldTagLength), SEEK_SET) < 0)
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
bool Unchanged(int in, const std::string& sourcePath, const struct stat& before) {
  struct stat now {};
  struct stat named {};
  return ::fstat(in, &now) == 0 && ::stat(sourcePath.c_str(), &named) == 0 &&
         IdentityOf(now) == IdentityOf(before) && IdentityOf(named) == IdentityOf(before) &&
         now.st_size == before.st_size && now.st_mtim.tv_sec == before.st_mtim.tv_sec &&
         now.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

template <typename OpenTarget>
WriteOutcome WriteTagged(const OpenTarget& openTarget, const std::string& targetPath,
                         const std::string& sourcePath, std::uint64_t oldTagLength,
                         std::string_view tag, long padding, CopyProgress& progress) {
  IgnoreFileSizeSignal();
  UniqueFd in = OpenFile(sourcePath, O_RDONLY);
  struct stat sourceStatus {};
  if (!in.valid() || ::fstat(in.get(), &sourceStatus) != 0) return WriteOutcome::CannotOpenSource;
  const auto sourceLength = static_cast<std::uint64_t>(sourceStatus.st_size);
  if (oldTagLength > sourceLength) return WriteOutcome::DamagedTag;

  UniqueFd out = openTarget(IdentityOf(sourceStatus));
  struct stat targetStatus {};
  if (!out.valid() || ::fstat(out.get(), &targetStatus) != 0)
    return WriteOutcome::CannotCreateTarget;

  WriteOutcome outcome;
  {
    ProgressShown shown(progress);
    outcome =
        WriteContents(out.get(), in.get(), oldTagLength, sourceLength, tag, padding, progress);
  }
  if (outcome == WriteOutcome::Ok && !out.Close()) outcome = WriteOutcome::WriteFailed;
  // A copy of a file that changed meanwhile is partial or mixed: it replaces nothing.
  if (outcome == WriteOutcome::Ok && !Unchanged(in.get(), sourcePath, sourceStatus))
    outcome = WriteOutcome::SourceChanged;
  if (outcome != WriteOutcome::Ok) RemovePartial(targetPath, IdentityOf(targetStatus));
  return outcome;
}

} // namespace

WriteOutcome WriteTaggedFile(const std::string& targetPath, const std::string& sourcePath,
                             std::uint64_t oldTagLength, std::string_view tag, long padding,
                             CopyProgress& progress) {
  return WriteTagged([&](FileIdentity source) { return OpenOtherTarget(targetPath, source); },
                     targetPath, sourcePath, oldTagLength, tag, padding, progress);
}

WriteOutcome WriteTaggedTemporary(UniqueFd temporary, const std::string& temporaryPath,
                                  const std::string& sourcePath, std::uint64_t oldTagLength,
                                  std::string_view tag, long padding, CopyProgress& progress) {
  return WriteTagged([&](FileIdentity) { return std::move(temporary); }, temporaryPath, sourcePath,
                     oldTagLength, tag, padding, progress);
}

} // namespace velmora
