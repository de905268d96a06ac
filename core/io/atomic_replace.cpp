#include "core/io/atomic_replace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/io/file_copy.h"
#include "core/io/file_status.h"
#include "core/io/locked_file.h"
#include "core/io/write_journal.h"

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

// Into the inode of a file with several links, under a journal, so that every name sees it.
bool CopyIntoLinkedFile(ExclusiveFile& temporary, const std::string& finalPath,
                        const LockedFile* held) {
  const LockedFile acquired = held ? LockedFile() : LockedFile::Acquire(finalPath);
  const LockedFile& target = held ? *held : acquired;
  const JournaledWrite result = target.valid()
                                    ? CopyIntoJournaled(target, temporary.fd.get(), temporary.path)
                                    : JournaledWrite::Failed;
  // An unfinished copy is finished from the temporary file at the next load.
  if (result != JournaledWrite::Ok && result != JournaledWrite::Unfinished)
    DiscardTemporary(temporary);
  return result == JournaledWrite::Ok;
}

} // namespace

std::optional<ExclusiveFile> CreateExclusiveFile(const std::string& pathPrefix) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path =
        pathPrefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    UniqueFd fd = OpenFile(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (!fd.valid() && errno != EEXIST) return std::nullopt;
    // Locked while it is open: a load that finds it unlocked knows its update is gone (and one
    // that came between the creation and the lock has taken this name away).
    const auto created = fd.valid() ? StatusOf(fd.get()) : std::nullopt;
    const auto named = created && TryLock(fd.get()) ? StatusOfPath(path) : std::nullopt;
    if (named && named->identity == created->identity)
      return ExclusiveFile{std::move(fd), std::move(path)};
  }
  return std::nullopt;
}

bool CommitReplacement(UniqueFd temporary, const std::string& temporaryPath,
                       const std::string& targetPath) {
  const bool ok = temporary.valid() && TakeOwnerAndMode(temporary.get(), targetPath) &&
                  SyncFile(temporary.get()) &&
                  std::rename(temporaryPath.c_str(), targetPath.c_str()) == 0;
  if (!ok) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(targetPath));
  // The data are on the disk already; a failing close cannot take them back.
  temporary.Close();
  return true;
}

void DiscardTemporary(ExclusiveFile& temporary) {
  if (const auto status = StatusOf(temporary.fd.get()))
    RemoveIfStill(temporary.path, status->identity);
  temporary.fd = UniqueFd();
}

bool ReplaceWithTemporary(ExclusiveFile temporary, const std::string& targetPath,
                          const LockedFile* held) {
  const auto finalPath = ResolvedPath(targetPath);
  const auto status = finalPath ? StatusOfPath(*finalPath) : std::nullopt;
  // The target is never taken for the temporary file, nor (in place) given up when its name
  // went to another file meanwhile.
  const bool gone = held && (!status || status->identity != held->status().identity);
  if (gone || (finalPath && IsSameFile(temporary.path, *finalPath))) {
    DiscardTemporary(temporary);
    return false;
  }
  if (status && status->links > 1) return CopyIntoLinkedFile(temporary, *finalPath, held);
  // Renaming over the file a link points to keeps the link a link.
  return CommitReplacement(std::move(temporary.fd), temporary.path, finalPath.value_or(targetPath));
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
