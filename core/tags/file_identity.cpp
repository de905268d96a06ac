#include <sys/stat.h>

#include "core/io/file_io.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat statusA {};
  struct stat statusB {};
  if (::stat(a.c_str(), &statusA) != 0 || ::stat(b.c_str(), &statusB) != 0) return false;
  return IdentityOf(statusA) == IdentityOf(statusB);
}

std::string TemporaryPathFor(const std::string& sourcePath) {
  // Beside the file a link points to, so that the final rename stays within one directory.
  const std::string finalPath = ResolvedPath(sourcePath).value_or(sourcePath);
  return DirectoryOf(finalPath) + kTemporaryFileName;
}

} // namespace velmora
