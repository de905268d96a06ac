#include "core/io/atomic_replace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/io/file_copy.h"
#include "core/io/file_status.h"

namespace velmora {
namespace {

// Owner and permission bits of the target; a failure to keep the owner is no failure of the
// replacement (an ordinary user cannot give a file away), but then only the rwx bits follow.
bool TakeOwnerAndMode(int fd, const std::string& targetPath) {
  struct stat target {};
  if (::stat(targetPath.c_str(), &target) != 0) return errno == ENOENT;
  const bool ownerKept =
      ::fchown(fd, target.st_uid, target.st_gid) == 0 || target.st_uid == ::geteuid();
  const mode_t bits = ownerKept ? 07777 : 0777;
  return ::fchmod(fd, target.st_mode & bits) == 0;
}

// Makes the rename itself durable. The replacement is already in place, so a failure here
// cannot be undone and is not reported.
void SyncDirectory(const std::string& directory) {
  UniqueFd fd = OpenFile(directory.empty() ? "." : directory, O_RDONLY | O_DIRECTORY);
  if (fd.valid()) ::fsync(fd.get());
}

// Copies the temporary file's content into the target's own inode, so that every hard link sees
// it. The room is reserved first: a full disk then stops the update before a byte of the target
// changed.
bool OverwriteInPlace(const std::string& temporaryPath, const std::string& finalPath) {
  UniqueFd in = OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW);
  UniqueFd out = OpenFile(finalPath, O_WRONLY | O_NOFOLLOW);
  struct stat status {};
  if (!in.valid() || !out.valid() || ::fstat(in.get(), &status) != 0) return false;
  if (status.st_size > 0 && ::posix_fallocate(out.get(), 0, status.st_size) != 0) return false;
  BlockCopier copier(in.get(), out.get(), BlockCopier::Method::ReadWrite);
  for (long long moved; (moved = copier.CopyBlock()) != 0;)
    if (moved < 0) return false;
  if (!TruncateTo(out.get(), static_cast<std::uint64_t>(status.st_size)) ||
      ::fsync(out.get()) != 0 || !out.Close())
    return false;
  ::unlink(temporaryPath.c_str());
  return true;
}

} // namespace

std::optional<ExclusiveFile> CreateExclusiveFile(const std::string& pathPrefix) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path =
        pathPrefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    UniqueFd fd = OpenFile(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd.valid()) return ExclusiveFile{std::move(fd), std::move(path)};
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

bool CommitReplacement(UniqueFd temporary, const std::string& temporaryPath,
                       const std::string& targetPath) {
  bool ok = temporary.valid() && TakeOwnerAndMode(temporary.get(), targetPath) &&
            ::fsync(temporary.get()) == 0;
  ok = temporary.Close() && ok;
  ok = ok && std::rename(temporaryPath.c_str(), targetPath.c_str()) == 0;
  if (!ok) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(targetPath));
  return true;
}

bool ReplaceWithTemporary(const std::string& temporaryPath, const std::string& targetPath) {
  // Whatever went wrong, the target itself is never removed as "the temporary file".
  if (IsSameFile(temporaryPath, targetPath)) return false;
  // Renaming over the file a link points to keeps the link a link.
  const auto finalPath = ResolvedPath(targetPath);
  const auto status = finalPath ? StatusOfPath(*finalPath) : std::nullopt;
  if (!status) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  if (status->links > 1) return OverwriteInPlace(temporaryPath, *finalPath);
  return CommitReplacement(OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW), temporaryPath,
                           *finalPath);
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  const std::string target = ResolvedPath(path).value_or(path);
  auto temporary = CreateExclusiveFile(target + ".tmp");
  if (!temporary) return false;
  if (!WriteAll(temporary->fd.get(), bytes.data(), bytes.size())) {
    ::unlink(temporary->path.c_str());
    return false;
  }
  return CommitReplacement(std::move(temporary->fd), temporary->path, target);
}

} // namespace velmora
