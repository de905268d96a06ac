#pragma once
// Replacing a file in one step: a temporary file beside it takes its place through one rename,
// so that a crash leaves either the old or the new file. The settings writer and the tagged-file
// writer both end their writes here.
#include <optional>
#include <string>

#include "core/io/file_io.h"

namespace velmora {

// A file that did not exist before, created exclusively (never through a link, never over a file
// already there) under pathPrefix followed by "-" and a number unique to this process; nullopt
// when none could be created.
struct ExclusiveFile {
  UniqueFd fd;
  std::string path;
};
std::optional<ExclusiveFile> CreateExclusiveFile(const std::string& pathPrefix);

// Moves the fully written temporary file over targetPath, which must name the file itself, not a
// link (resolve it first). The temporary file takes the target's owner and group where the
// process may set them and its permission bits (set-user-ID and set-group-ID only when the owner
// could be kept); a target that does not exist yet leaves the bits the umask gave. The data reach
// the disk before the rename, the directory after it. False when any step up to the rename
// failed; the temporary file is then removed and the target is unchanged.
bool CommitReplacement(UniqueFd temporary, const std::string& temporaryPath,
                       const std::string& targetPath);

} // namespace velmora
