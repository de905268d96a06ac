#pragma once
// Writing tag, padding and audio into a file, the ID3v1 record at its end, and the temporary
// file of an in-place update (which ReplaceWithTemporary of core/io puts in the loaded file's
// place). Every read, write, flush and close is checked; a failure never
// touches the loaded file and removes the partial file. Messages are the caller's business.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/io/copy_progress.h"
#include "core/io/file_io.h"
#include "core/tags/id3v1.h"

namespace velmora {

enum class WriteOutcome {
  Ok,
  CannotCreateTarget, // the target cannot be created (or would be the loaded file itself)
  CannotOpenSource,   // the loaded file cannot be opened for reading
  DamagedTag,         // the recorded tag length is larger than the loaded file
  WriteFailed,        // a read, write, flush or close failed (disk full, I/O error, size limit)
  Aborted,            // a quit request arrived during the copy
  SourceChanged,      // another program changed or replaced the loaded file during the copy
};

// The block size of the progress bar and the event pump.
inline constexpr std::size_t kCopyStep = 16384;

// The start of the names of the in-place update's temporary files, beside the loaded file: each
// update creates one of its own ("temp$$$-PID-N"), so that two updates in one folder never meet,
// and a file that merely has such a name is never touched. One left by a killed update can be
// deleted by hand.
inline constexpr const char* kTemporaryFileName = "temp$$$";

// Writes tag, max(padding, 0) zero bytes and the loaded file from oldTagLength to its end into
// targetPath. The loaded file is opened and checked first: when it cannot be read or its tag
// length exceeds it, nothing is created. The target is created or truncated, and refused when it
// turns out to be the loaded file itself. After every kCopyStep bytes the progress shows
// copied * 100 / (whole length of the loaded file) and the events are pumped; a quit request
// ends the copy with Aborted. When the loaded file changed during the copy (its identity, size or
// modification time) the outcome is SourceChanged. On any outcome but Ok the partial target is
// removed. A file-size limit makes the write fail instead of ending the process.
WriteOutcome WriteTaggedFile(const std::string& targetPath, const std::string& sourcePath,
                             std::uint64_t oldTagLength, std::string_view tag, long padding,
                             CopyProgress& progress);
// The same into the temporary file the caller created for an in-place update.
WriteOutcome WriteTaggedTemporary(UniqueFd temporary, const std::string& temporaryPath,
                                  const std::string& sourcePath, std::uint64_t oldTagLength,
                                  std::string_view tag, long padding, CopyProgress& progress);

// Replaces an ID3v1 record at the end of the file or appends one. 0 on success, -1 when the file
// cannot be opened, 1 when positioning, reading or writing fails (a half-appended record is cut
// off again).
int WriteId3v1Record(const std::string& path, const Id3v1Record& record);

// The temporary files' name prefix beside the file that sourcePath finally names (symbolic links
// resolved), so that the rename over it stays within one directory.
std::string TemporaryPathFor(const std::string& sourcePath);

} // namespace velmora
