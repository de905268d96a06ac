#include "core/tags/tagged_file_writer.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/tags/file_io.h"

namespace velmora {
namespace {

// The I/O underneath runs in large blocks (16 KiB system calls cost about three times a plain
// copy); progress and events still move every kCopyStep bytes.
constexpr std::size_t kIoBlock = 64 * kCopyStep;

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
  if (::ftruncate(fd.get(), 0) != 0) return {};
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

WriteOutcome WriteContents(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                           std::string_view tag, long padding, CopyProgress& progress) {
  std::vector<char> block(kIoBlock); // zeros until the copy starts: they serve as the padding
  if (!WriteAll(out, tag.data(), tag.size())) return WriteOutcome::WriteFailed;
  for (auto left = static_cast<std::uint64_t>(std::max(padding, 0L)); left > 0;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
    if (!WriteAll(out, block.data(), n)) return WriteOutcome::WriteFailed;
    left -= n;
  }
  if (::lseek(in, static_cast<off_t>(oldTagLength), SEEK_SET) < 0) return WriteOutcome::WriteFailed;

  std::uint64_t copied = 0;
  for (;;) {
    const long long got = ReadUpTo(in, block.data(), block.size());
    if (got < 0) return WriteOutcome::WriteFailed;
    if (got == 0) return WriteOutcome::Ok;
    const auto size = static_cast<std::size_t>(got);
    if (!WriteAll(out, block.data(), size)) return WriteOutcome::WriteFailed;
    for (std::size_t done = 0; done < size; done += kCopyStep) {
      copied += std::min(kCopyStep, size - done);
      progress.SetProgress(Percent(copied, sourceLength));
      if (!progress.PumpEvents()) return WriteOutcome::Aborted;
    }
  }
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
