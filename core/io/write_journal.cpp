#include "core/io/write_journal.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#include "core/io/file_copy.h"
#include "core/io/journal_record.h"
#include "core/io/readable_file.h"

namespace velmora {

namespace {

std::string NameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// Created exclusively, written, and made durable with its folder before the file is touched.
bool PutJournal(const std::string& journalPath, const JournalRecord& record,
                const std::string& filePath) {
  UniqueFd fd = OpenFile(journalPath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
  if (!fd.valid()) return false;
  const std::string bytes = EncodeJournal(record, NameOf(filePath));
  if (WriteAll(fd.get(), bytes.data(), bytes.size()) && SyncFile(fd.get()) && fd.Close() &&
      SyncDirectory(DirectoryOf(journalPath)))
    return true;
  ::unlink(journalPath.c_str());
  return false;
}

// Removing the journal commits; made durable, so that a crash right after it undoes nothing.
void DropJournal(const std::string& journalPath) {
  ::unlink(journalPath.c_str());
  SyncDirectory(DirectoryOf(journalPath));
}

bool ApplyPatches(int fd, const FileChange& change) {
  for (const FilePatch& patch : change.patches)
    if (!WriteAllAt(fd, patch.newBytes.data(), patch.newBytes.size(), patch.offset)) return false;
  return TruncateTo(fd, change.newSize) && SyncFile(fd);
}

bool UndoPatches(int fd, const FileChange& change) {
  // Backwards, so that where patches overlap the oldest bytes are the last written.
  for (std::size_t i = change.patches.size(); i-- > 0;) {
    const FilePatch& patch = change.patches[i];
    if (!WriteAllAt(fd, patch.oldBytes.data(), patch.oldBytes.size(), patch.offset)) return false;
  }
  return TruncateTo(fd, change.oldSize) && SyncFile(fd);
}

// Every patched byte holds its old or its new value and the length lies between the two: the
// file is as the interrupted write left it, not changed by another program since.
bool LeftByTheWrite(int fd, const FileChange& change) {
  const auto status = StatusOf(fd);
  if (!status || status->size < std::min(change.oldSize, change.newSize) ||
      status->size > std::max(change.oldSize, change.newSize))
    return false;
  for (const FilePatch& patch : change.patches) {
    const std::uint64_t end = std::min<std::uint64_t>(
        status->size, patch.offset + std::max(patch.oldBytes.size(), patch.newBytes.size()));
    std::string now(end > patch.offset ? end - patch.offset : 0, '\0');
    if (!ReadExactlyAt(fd, now.data(), now.size(), patch.offset)) return false;
    for (std::size_t i = 0; i < now.size(); ++i) {
      const bool old = i < patch.oldBytes.size() && now[i] == patch.oldBytes[i];
      const bool fresh = i < patch.newBytes.size() && now[i] == patch.newBytes[i];
      if (!old && !fresh) return false;
    }
  }
  return true;
}

// The temporary file's whole content into the file from its start, and the file cut to it.
bool CopyWhole(int temporaryFd, int fd, std::uint64_t size) {
  if (!SeekTo(temporaryFd, 0) || !SeekTo(fd, 0)) return false;
  BlockCopier copier(temporaryFd, fd, BlockCopier::Method::ReadWrite);
  for (long long moved; (moved = copier.CopyBlock()) != 0;)
    if (moved < 0) return false;
  return TruncateTo(fd, size) && SyncFile(fd);
}

// An interrupted whole copy finished from the temporary file it names, which then goes.
bool FinishCopy(const LockedFile& file, const JournalRecord& record) {
  const std::string temporaryPath = DirectoryOf(file.path()) + record.temporaryName;
  UniqueFd temporary = OpenFile(temporaryPath, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
  const auto status = temporary.valid() ? StatusOf(temporary.get()) : std::nullopt;
  // Without its temporary file there is nothing to finish from.
  if (!status || status->identity != record.temporaryIdentity) return true;
  if (!CopyWhole(temporary.get(), file.fd(), status->size)) return false;
  ::unlink(temporaryPath.c_str());
  return true;
}

std::optional<std::string> ReadJournal(const std::string& journalPath) {
  const auto journal = ReadableFile::Open(journalPath);
  if (!journal || !journal->regular()) return std::nullopt;
  return journal->Range(0, static_cast<std::size_t>(journal->size()));
}

} // namespace

std::string JournalPathFor(const std::string& finalPath) {
  return finalPath + kJournalSuffix;
}

JournaledWrite WriteJournaled(const LockedFile& file, const FileChange& change) {
  const std::string journal = JournalPathFor(file.path());
  if (!PutJournal(journal, {file.status().identity, change, {}, {}}, file.path()))
    return JournaledWrite::NoJournal;
  if (ApplyPatches(file.fd(), change)) {
    DropJournal(journal);
    return JournaledWrite::Ok;
  }
  if (!UndoPatches(file.fd(), change)) return JournaledWrite::Unfinished;
  DropJournal(journal);
  return JournaledWrite::Failed;
}

JournaledWrite CopyIntoJournaled(const LockedFile& file, int temporaryFd,
                                 const std::string& temporaryPath) {
  // The journal may only name a temporary file whose content is on the disk.
  const auto temporary = StatusOf(temporaryFd);
  if (!temporary || !SyncFile(temporaryFd)) return JournaledWrite::Failed;
  const std::string journal = JournalPathFor(file.path());
  const JournalRecord record{file.status().identity,
                             {file.status().size, temporary->size, {}},
                             NameOf(temporaryPath),
                             temporary->identity};
  if (!PutJournal(journal, record, file.path())) return JournaledWrite::NoJournal;
  // Room reserved first: a full disk then stops the copy before a byte of the file changed.
  const auto size = static_cast<off_t>(temporary->size);
  if (size > 0 && ::posix_fallocate(file.fd(), 0, size) != 0) {
    const bool undone = TruncateTo(file.fd(), file.status().size);
    if (undone) DropJournal(journal);
    return undone ? JournaledWrite::Failed : JournaledWrite::Unfinished;
  }
  if (!CopyWhole(temporaryFd, file.fd(), temporary->size)) return JournaledWrite::Unfinished;
  DropJournal(journal);
  ::unlink(temporaryPath.c_str());
  return JournaledWrite::Ok;
}

Recovery RepairInterruptedWrite(const LockedFile& file) {
  const std::string journal = JournalPathFor(file.path());
  const auto bytes = ReadJournal(journal);
  if (!bytes) return Recovery::None;
  const auto record = DecodeJournal(*bytes);
  // Incomplete: the crash came before the file was touched. Another file: this one was replaced
  // whole since. Either way the file is its own self.
  bool repaired = true;
  if (record && record->file == file.status().identity) {
    if (!record->temporaryName.empty())
      repaired = FinishCopy(file, *record);
    else if (LeftByTheWrite(file.fd(), record->change))
      repaired = UndoPatches(file.fd(), record->change);
  }
  if (!repaired) return Recovery::Failed;
  DropJournal(journal);
  return Recovery::Repaired;
}

Recovery RepairInterruptedWrite(const std::string& path) {
  const auto finalPath = ResolvedPath(path);
  if (!finalPath || !FileExists(JournalPathFor(*finalPath))) return Recovery::None;
  const LockedFile file = LockedFile::Acquire(*finalPath);
  if (!file.valid())
    return file.failure() == LockedFile::Failure::Busy ? Recovery::Busy : Recovery::Failed;
  return RepairInterruptedWrite(file);
}

} // namespace velmora
