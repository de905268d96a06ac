#include "core/io/locked_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace velmora {

bool TryLock(int fd) {
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

LockedFile LockedFile::Acquire(const std::string& path) {
  const auto finalPath = ResolvedPath(path);
  if (!finalPath) return LockedFile(Failure::CannotOpen);
  UniqueFd fd = OpenFile(*finalPath, O_RDWR | O_NONBLOCK | O_NOFOLLOW);
  if (!fd.valid()) {
    // A folder cannot be opened for writing at all; say what it is rather than "cannot open".
    struct stat named {};
    const bool other = ::stat(finalPath->c_str(), &named) == 0 && !S_ISREG(named.st_mode);
    return LockedFile(other ? Failure::NotRegular : Failure::CannotOpen);
  }
  const auto status = StatusOf(fd.get());
  struct stat kind {};
  if (!status || ::fstat(fd.get(), &kind) != 0) return LockedFile(Failure::CannotOpen);
  if (!S_ISREG(kind.st_mode)) return LockedFile(Failure::NotRegular);
  if (!TryLock(fd.get())) return LockedFile(Failure::Busy);
  // An update that renamed its new file over the name while this one waited for the lock left
  // this descriptor on the old, nameless file: writing it would be lost.
  const auto named = StatusOfPath(*finalPath);
  if (!named || named->identity != status->identity) return LockedFile(Failure::Busy);
  const auto locked = StatusOf(fd.get());
  if (!locked) return LockedFile(Failure::CannotOpen);
  return LockedFile(std::move(fd), *finalPath, *locked);
}

} // namespace velmora
