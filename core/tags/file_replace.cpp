#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/io/atomic_replace.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {
namespace {

// Copies the temporary file's content into the loaded file's own inode, so that every hard link
// sees it. The room is reserved first: a full disk then stops the update before a byte of the
// loaded file changed.
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

bool ReplaceWithTemporary(const std::string& temporaryPath, const std::string& sourcePath) {
  // Whatever went wrong, the loaded file itself is never removed as "the temporary file".
  if (IsSameFile(temporaryPath, sourcePath)) return false;
  // Renaming over the file a link points to keeps the link a link.
  const auto finalPath = ResolvedPath(sourcePath);
  struct stat status {};
  if (!finalPath || ::stat(finalPath->c_str(), &status) != 0) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  if (status.st_nlink > 1) return OverwriteInPlace(temporaryPath, *finalPath);
  return CommitReplacement(OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW), temporaryPath,
                           *finalPath);
}

} // namespace velmora
