#pragma once
// Replacing a file in one step: a temporary file beside it takes its place through one rename,
// so that a crash leaves either the old or the new file. The settings writer and the update of a
// loaded file both end their writes here.
#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_io.h"
#include "core/io/locked_file.h"

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

// Puts the finished temporary file in the place of the file that targetPath names (a symbolic
// link stays a link and the file it points to is replaced; a target that does not exist is
// created). The target is never removed before its replacement is in place, nor ever taken for
// the temporary file. A target with several hard links is not renamed over, which would leave the
// other names with the old content: the temporary file's content is copied into it under a
// journal (see CopyIntoJournaled), with the lock the caller holds on it (held) or one taken here.
// held, when given, must still be the file the target names. False when the replacement failed:
// the temporary file is then removed and the target unchanged, except after an interrupted copy
// into a linked file, whose journal and temporary file stay for the next load to finish.
bool ReplaceWithTemporary(ExclusiveFile temporary, const std::string& targetPath,
                          const LockedFile* held = nullptr);

// Removes a temporary file that will not be used, while its name still names it.
void DiscardTemporary(ExclusiveFile& temporary);

// Replaces the file that path names (a symbolic link stays a link) by bytes through a temporary
// file beside it and CommitReplacement, so that a crash leaves either the old or the new file. A
// new file gets the permissions that the umask allows. False when anything failed; the old file
// is then unchanged.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

} // namespace velmora
