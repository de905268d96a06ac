#pragma once
// Writes into a file's own bytes that a crash cannot tear. Before the first byte of the file
// changes, what is needed to undo the change (or, for a whole copy, to finish it) is written to a
// journal beside the file and made durable; then the file is written and made durable; removing
// the journal commits. A journal found later belongs to an interrupted write: the next load of
// the file, or the start of the window for its folder, undoes or finishes it, so that the file
// is either its old or its new self. The file's lock (LockedFile) keeps a running write and a
// recovery apart.
#include <cstdint>
#include <string>
#include <vector>

#include "core/io/locked_file.h"

namespace velmora {

// The journal's name: the file's name with this appended, in the same folder.
inline constexpr const char* kJournalSuffix = ".velmora-journal";
std::string JournalPathFor(const std::string& finalPath);

struct FilePatch {
  std::uint64_t offset = 0;
  std::string oldBytes; // what the file holds there now (shorter where the file ends before)
  std::string newBytes;
};
struct FileChange {
  std::uint64_t oldSize = 0, newSize = 0;
  std::vector<FilePatch> patches; // written in this order
};

enum class JournaledWrite {
  Ok,
  NoJournal, // the journal could not be created: nothing was written
  Failed,    // a write failed and was undone: the file is as it was
  Unfinished // a write failed and could not be undone: the journal stays for the next load
};

// The patches written into the locked file and its length set to newSize, under a journal that
// holds the old bytes; a failure puts them back.
JournaledWrite WriteJournaled(const LockedFile& file, const FileChange& change);

// The finished, synced temporary file's content copied into the locked file's own inode (so that
// every hard link sees it), under a journal that names the temporary file: an interrupted copy is
// finished from it. The temporary file is removed when the copy is complete.
JournaledWrite CopyIntoJournaled(const LockedFile& file, int temporaryFd,
                                 const std::string& temporaryPath);

// What was found for a file when it was loaded.
enum class Recovery {
  None,     // no journal
  Repaired, // an interrupted write was undone or finished
  Busy,     // another update of the file is still running
  Failed    // the journal stays: the file could not be repaired now
};
// Undoes or finishes the interrupted write of the file that path names, if its journal is there.
// A journal that was never completed (the file was not touched yet) or whose file was changed by
// another program since is removed without touching the file.
Recovery RepairInterruptedWrite(const std::string& path);
// The same for a file this process holds locked already (an update about to write it).
Recovery RepairInterruptedWrite(const LockedFile& file);

// Every interrupted write in the folder repaired; then, unless a journal still needs one, the
// temporary files named temporaryPrefix-PID-N that no running update holds any more (a killed
// whole rewrite leaves one behind) removed.
void RepairInterruptedWritesIn(const std::string& directory, const std::string& temporaryPrefix);
// Only the temporary files of that name that no running update holds.
void RemoveAbandonedTemporaryFiles(const std::string& directory,
                                   const std::string& temporaryPrefix);

} // namespace velmora
