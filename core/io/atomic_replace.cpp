#include "core/io/atomic_replace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace velmora
