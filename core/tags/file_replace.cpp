#include <fcntl.h>
#include <unistd.h>

#include "core/io/atomic_replace.h"
#include "core/io/file_io.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

bool ReplaceWithTemporary(const std::string& temporaryPath, const std::string& sourcePath) {
  // Whatever went wrong, the loaded file itself is never removed as "the temporary file".
  if (IsSameFile(temporaryPath, sourcePath)) return false;
  // Renaming over the file a link points to keeps the link a link.
  const auto finalPath = ResolvedPath(sourcePath);
  if (!finalPath) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  return CommitReplacement(OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW), temporaryPath,
                           *finalPath);
}

} // namespace velmora
