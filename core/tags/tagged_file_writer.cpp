#include "core/tags/tagged_file_writer.h"

#include <algorithm>
#include <fcntl.h>

#include "core/io/atomic_replace.h"
#include "core/io/file_io.h"
#include "core/io/locked_file.h"
#include "core/io/write_journal.h"
#include "core/tags/id3v2_tag_area.h"
#include "core/tags/tag_only_write.h"
#include "core/tags/tagged_file_copy.h"

namespace velmora {
namespace {

// Up to count bytes of the open file from offset (fewer at its end).
std::string ReadAt(int fd, std::uint64_t size, std::uint64_t offset, std::size_t count) {
  if (offset >= size) return {};
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(count, size - offset)), '\0');
  return ReadExactlyAt(fd, bytes.data(), bytes.size(), offset) ? bytes : std::string();
}

// The loaded file is still what the write was planned for: the version measured then, and a tag
// area of the length the new tag replaces (another program's new tag would otherwise cut audio).
bool AsPlanned(int fd, const FileStatus& now, const TaggedFileWrite& write) {
  if (write.plannedSource && !SameVersion(*write.plannedSource, now)) return false;
  return MeasureId3v2TagArea([&](std::uint64_t offset, std::size_t count) {
           return ReadAt(fd, now.size, offset, count);
         }) == write.oldTagLength;
}

// The loaded file is still the one the copy began with, under its name.
bool Unchanged(int in, const std::string& sourcePath, const FileStatus& before) {
  const auto now = StatusOf(in);
  const auto named = StatusOfPath(sourcePath);
  return now && named && SameVersion(*now, before) && named->identity == before.identity;
}

WrittenFile RewriteWhole(const TaggedFileWrite& write, const LockedFile* held,
                         CopyProgress& progress) {
  UniqueFd in = OpenFile(write.sourcePath, O_RDONLY | O_NONBLOCK);
  const auto source = in.valid() ? StatusOf(in.get()) : std::nullopt;
  if (!source) return {WriteOutcome::CannotOpenSource};
  if (write.oldTagLength > source->size) return {WriteOutcome::DamagedTag};
  if (!AsPlanned(in.get(), *source, write)) return {WriteOutcome::SourceChanged};
  auto temporary = CreateExclusiveFile(TemporaryPathFor(write.targetPath));
  if (!temporary) return {WriteOutcome::CannotCreateTarget};

  WriteOutcome outcome = CopyTagged(temporary->fd.get(), in.get(), write.oldTagLength, source->size,
                                    write.tag, write.padding, progress);
  if (outcome == WriteOutcome::Ok && write.id3v1 &&
      !WriteId3v1Record(temporary->fd.get(), *write.id3v1))
    outcome = WriteOutcome::WriteFailed;
  // A copy of a file that changed meanwhile is partial or mixed: it replaces nothing.
  if (outcome == WriteOutcome::Ok && !Unchanged(in.get(), write.sourcePath, *source))
    outcome = WriteOutcome::SourceChanged;
  if (outcome != WriteOutcome::Ok) {
    DiscardTemporary(*temporary);
    return {outcome};
  }
  if (!ReplaceWithTemporary(std::move(*temporary), write.targetPath, held))
    return {WriteOutcome::NotReplaced};
  const auto padding = static_cast<std::uint64_t>(std::max(write.padding, 0L));
  return {WriteOutcome::Ok, write.tag.size() + padding, false};
}

WriteOutcome LockFailure(LockedFile::Failure failure) {
  return failure == LockedFile::Failure::Busy ? WriteOutcome::Busy : WriteOutcome::CannotOpenSource;
}

} // namespace

WrittenFile WriteTaggedFile(const TaggedFileWrite& write, CopyProgress& progress) {
  if (!write.inPlace) return RewriteWhole(write, nullptr, progress);
  const LockedFile source = LockedFile::Acquire(write.sourcePath);
  if (!source.valid()) return {LockFailure(source.failure())};
  // What a killed write of this file left is put right before it is measured.
  if (RepairInterruptedWrite(source) == Recovery::Failed) return {WriteOutcome::WriteFailed};
  if (write.tagOnly) {
    const auto status = StatusOf(source.fd());
    if (!status || !AsPlanned(source.fd(), *status, write)) return {WriteOutcome::SourceChanged};
    if (auto written = WriteTagOnly(source, write)) return *written;
  }
  return RewriteWhole(write, &source, progress);
}

std::string TemporaryPathFor(const std::string& path) {
  // Beside the file a link points to, so that the final rename stays within one directory.
  const std::string finalPath = ResolvedPath(path).value_or(path);
  return DirectoryOf(finalPath) + kTemporaryFileName;
}

} // namespace velmora
