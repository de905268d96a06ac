#pragma once
// Writing a file with a new tag: tag, padding and the loaded file's audio, and the ID3v1 record at
// its end. Every target is written whole into a temporary file beside it and put in its place
// only when everything was written; an update in place may instead write only the tag area, under
// a journal. Every read, write, flush and close is checked; a failure leaves the loaded file and
// an existing target as they were. Messages are the caller's business.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/copy_progress.h"
#include "core/io/file_status.h"
#include "core/tags/id3v1.h"

namespace velmora {

enum class WriteOutcome {
  Ok,
  CannotCreateTarget, // the temporary file beside the target cannot be created
  CannotOpenSource,   // the loaded file cannot be opened (or, in place, not for writing)
  DamagedTag,         // the recorded tag length is larger than the loaded file
  WriteFailed,        // a read, write, sync or close failed (disk full, I/O error, size limit)
  Aborted,            // a quit request arrived during the copy
  SourceChanged,      // another program changed the loaded file since it was measured
  Busy,               // another update is writing the loaded file right now
  NotReplaced,        // everything was written, but the target could not be replaced by it
};

struct TaggedFileWrite {
  std::string sourcePath;           // the loaded file (native path)
  std::string targetPath;           // the file to write (native path)
  bool inPlace = false;             // the target is the loaded file
  std::string tag;                  // the composed ID3v2 tag without its padding
  long padding = 0;                 // zero bytes behind the tag; a negative padding is none
  std::uint64_t oldTagLength = 0;   // the source's tag area, replaced by the new tag
  std::optional<Id3v1Record> id3v1; // put at the end of the file; none when switched off
  bool tagOnly = false; // in place, only the tag area is rewritten when the new tag fits it
  // The loaded file as it was measured when the write was planned; any change since is refused.
  std::optional<FileStatus> plannedSource;
};

struct WrittenFile {
  WriteOutcome outcome = WriteOutcome::WriteFailed;
  std::uint64_t tagArea = 0; // the written file's tag with its padding
  bool tagOnly = false;      // only the tag area (and the ID3v1 record) was written
};

// The block size of the progress bar and the event pump.
inline constexpr std::size_t kCopyStep = 16384;

// The start of the names of the temporary files, beside the file written: each write creates one
// of its own ("temp$$$-PID-N"), so that two updates in one folder never meet, and a file that
// merely has such a name is never touched. It stays locked while its update runs; one left by a
// killed update is removed at the next load.
inline constexpr const char* kTemporaryFileName = "temp$$$";

// Writes the file as described. In place the loaded file is locked for the whole write (another
// update of it ends with Busy), an interrupted write of it is repaired first, and its tag is
// measured again: when it is no longer oldTagLength long the outcome is SourceChanged. With
// tagOnly, a tag that fits the old area is written over it with zero padding up to the area's end
// and the ID3v1 record at the end, under a journal; the audio is neither read nor moved. Otherwise
// tag, max(padding, 0) zero bytes, the loaded file from oldTagLength to its end and the ID3v1
// record go into a temporary file beside the target, which then replaces it (see
// ReplaceWithTemporary). After every kCopyStep bytes the progress shows copied * 100 / (whole
// length of the loaded file) and the events are pumped; a quit request ends the copy with Aborted.
// When the loaded file changed during the copy (identity, size or modification time) the outcome
// is SourceChanged. On any outcome but Ok the temporary file is gone and nothing was replaced.
WrittenFile WriteTaggedFile(const TaggedFileWrite& write, CopyProgress& progress);

// The temporary files' name prefix beside the file that path finally names (symbolic links
// resolved), so that the rename over it stays within one directory.
std::string TemporaryPathFor(const std::string& path);

// Replaces an ID3v1 record at the end of the open file (a temporary file, which a failure
// discards) or appends one; false when reading or writing fails.
bool WriteId3v1Record(int fd, const Id3v1Record& record);
// Where the record goes in a file of that length whose last three bytes may be "TAG".
std::uint64_t Id3v1RecordOffset(std::uint64_t length, std::string_view lastBytes);

} // namespace velmora
