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

bool NamesTemporaryFile(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.compare(nameStart, std::string::npos, kTemporaryFileName) == 0;
}

UniqueFd CreateFreshTemporary(const std::string& path, FileIdentity source) {
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0) {
    // A temporary name that is the loaded file itself (or a hard link to it) is never removed.
    if (IdentityOf(old) == source) return {};
    if (::unlink(path.c_str()) != 0) return {};
  }
  return OpenFile(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
}

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

} // namespace

WriteOutcome WriteTaggedFile(const std::string& targetPath, const std::string& sourcePath,
                             std::uint64_t oldTagLength, std::string_view tag, long padding,
                             CopyProgress& progress) {
  IgnoreFileSizeSignal();
  UniqueFd in = OpenFile(sourcePath, O_RDONLY);
  struct stat sourceStatus {};
  if (!in.valid() || ::fstat(in.get(), &sourceStatus) != 0) return WriteOutcome::CannotOpenSource;
  const auto sourceLength = static_cast<std::uint64_t>(sourceStatus.st_size);
  if (oldTagLength > sourceLength) return WriteOutcome::DamagedTag;

  const FileIdentity source = IdentityOf(sourceStatus);
  UniqueFd out = NamesTemporaryFile(targetPath) ? CreateFreshTemporary(targetPath, source)
                                                : OpenOtherTarget(targetPath, source);
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
  if (outcome != WriteOutcome::Ok) RemovePartial(targetPath, IdentityOf(targetStatus));
  return outcome;
}

} // namespace velmora
