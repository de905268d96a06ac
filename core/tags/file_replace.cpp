#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/io/file_io.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {
namespace {

// The temporary file gets the permission bits of the file it replaces and reaches the disk
// before the rename makes it visible under the loaded file's name.
bool PrepareReplacement(const std::string& temporaryPath, const std::string& finalPath) {
  struct stat sourceStatus {};
  if (::stat(finalPath.c_str(), &sourceStatus) != 0) return false;
  UniqueFd fd = OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW);
  // Only rwx bits: set-user-ID and set-group-ID would otherwise move to a file of another owner.
  return fd.valid() && ::fchmod(fd.get(), sourceStatus.st_mode & 0777) == 0 &&
         ::fsync(fd.get()) == 0 && fd.Close();
}

// Makes the rename itself durable. The replacement is already in place, so a failure here
// cannot be undone and is not reported.
void SyncDirectory(const std::string& directory) {
  UniqueFd fd = OpenFile(directory.empty() ? "." : directory, O_RDONLY | O_DIRECTORY);
  if (fd.valid()) ::fsync(fd.get());
}

} // namespace

bool ReplaceWithTemporary(const std::string& temporaryPath, const std::string& sourcePath) {
  // Whatever went wrong, the loaded file itself is never removed as "the temporary file".
  if (IsSameFile(temporaryPath, sourcePath)) return false;
  // Renaming over the file a link points to keeps the link a link.
  const auto finalPath = ResolvedPath(sourcePath);
  if (!finalPath || !PrepareReplacement(temporaryPath, *finalPath) ||
      std::rename(temporaryPath.c_str(), finalPath->c_str()) != 0) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(*finalPath));
  return true;
}

} // namespace velmora
