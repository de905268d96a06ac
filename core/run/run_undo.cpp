// Undoing the last run: its copies removed and the files it wrote in place given back their
// former tag area and last bytes, each only while it is exactly as the run left it.
#include "core/io/file_contents.h"
#include "core/io/write_journal.h"
#include "core/model/messages.h"
#include "core/run/collection_run.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

namespace {

// The progress of the undo's rewrite of a file: nobody watches it.
struct Unwatched : CopyProgress {
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  bool PumpEvents() override { return true; }
};

FilePatch PatchAt(const std::string& path, std::uint64_t offset, const std::string& former) {
  return {offset, ReadFileRange(path, offset, former.size()).value_or(""), former};
}

// The former tag area and last bytes written back over a file whose tag area is as long as the
// former one, under the journal, and its former length set.
bool PatchBack(const RunWrite& write, const FileStatus& expected) {
  const LockedFile file = LockedFile::Acquire(write.target);
  if (!file.valid() || !SameVersion(file.status(), expected)) return false;
  FileChange change{file.status().size, write.formerSize, {}};
  change.patches.push_back(PatchAt(write.target, 0, write.formerTag));
  change.patches.push_back(
      PatchAt(write.target, write.formerSize - write.formerTail.size(), write.formerTail));
  return WriteJournaled(file, change) == JournaledWrite::Ok;
}

// A tag area of another length moves the audio: the writer puts the former tag area before it
// (whole, through a temporary file), then the last bytes are patched back.
bool Restore(const RunWrite& write) {
  if (write.newTagArea == write.formerTagArea) return PatchBack(write, write.after);
  TaggedFileWrite rewrite;
  rewrite.sourcePath = rewrite.targetPath = write.target;
  rewrite.inPlace = true;
  rewrite.tag = write.formerTag;
  rewrite.oldTagLength = write.newTagArea;
  rewrite.plannedSource = write.after;
  Unwatched progress;
  if (WriteTaggedFile(rewrite, progress).outcome != WriteOutcome::Ok) return false;
  const auto rewritten = StatusOfPath(write.target);
  return rewritten && PatchBack(write, *rewritten);
}

UndoLine Undo(const RunWrite& write) {
  UndoLine line;
  line.file = write.target;
  const auto status = StatusOfPath(write.target);
  if (!status || !SameVersion(*status, write.after)) {
    line.why = messages::RunChangedSince(write.target);
    return line;
  }
  if (write.inPlace) {
    line.undone = Restore(write);
  } else {
    RemoveIfStill(write.target, write.after.identity);
    line.undone = !FileExists(write.target);
  }
  line.why = !line.undone    ? messages::RunCannotUndo(write.target)
             : write.inPlace ? messages::RunFileRestored()
                             : messages::RunCopyRemoved();
  return line;
}

} // namespace

std::vector<UndoLine> UndoLastRun(const RunSetup& setup) {
  std::vector<UndoLine> lines;
  for (const RunWrite& write : setup.store.Writes())
    // A file whose write never finished is either as it was or as a finished write left it; the
    // run cannot tell which it kept, so only the finished ones are undone.
    if (write.done) lines.push_back(Undo(write));
  setup.store.ForgetWrites();
  return lines;
}

} // namespace velmora
