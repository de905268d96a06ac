#include "core/tags/tag_only_write.h"

#include <algorithm>

#include "core/io/write_journal.h"
#include "core/tags/id3v2.h"

namespace velmora {

namespace {

constexpr std::size_t kHeaderSize = 10;

std::optional<std::string> Bytes(int fd, std::uint64_t offset, std::uint64_t count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  if (!ReadExactlyAt(fd, bytes.data(), bytes.size(), offset)) return std::nullopt;
  return bytes;
}

// The new tag declared as long as the old area, its padding zeros up to the area's end.
std::string TagFillingArea(std::string_view tag, std::uint64_t area) {
  const std::string_view frames = tag.substr(kHeaderSize);
  const auto padding = static_cast<long>(area - tag.size());
  return WithId3v2Header(frames, padding) + std::string(static_cast<std::size_t>(padding), '\0');
}

// The record replaces the one at the end or is appended; nullopt when it would reach into the tag
// area (a file that is all tag) or the end cannot be read.
std::optional<FilePatch> Id3v1Patch(int fd, std::uint64_t size, std::uint64_t area,
                                    const Id3v1Record& record) {
  std::string last;
  if (size >= kId3v1RecordSize) {
    auto bytes = Bytes(fd, size - kId3v1RecordSize, kId3v1RecordSize);
    if (!bytes) return std::nullopt;
    last = std::move(*bytes);
  }
  const std::uint64_t offset = Id3v1RecordOffset(size, last);
  if (offset < area) return std::nullopt;
  return FilePatch{offset, offset < size ? last : std::string(),
                   std::string(record.begin(), record.end())};
}

} // namespace

std::optional<WrittenFile> WriteTagOnly(const LockedFile& file, const TaggedFileWrite& write) {
  const std::uint64_t area = write.oldTagLength;
  const std::uint64_t size = file.status().size;
  if (write.tag.size() < kHeaderSize || write.tag.size() > area || area > size ||
      area - kHeaderSize > kMaxId3v2Size)
    return std::nullopt;
  auto oldTag = Bytes(file.fd(), 0, area);
  if (!oldTag) return std::nullopt;
  FileChange change{size, size, {{0, std::move(*oldTag), TagFillingArea(write.tag, area)}}};
  if (write.id3v1) {
    auto record = Id3v1Patch(file.fd(), size, area, *write.id3v1);
    if (!record) return std::nullopt;
    change.newSize = record->offset + kId3v1RecordSize;
    change.patches.push_back(std::move(*record));
  }
  switch (WriteJournaled(file, change)) {
  case JournaledWrite::Ok:
    return WrittenFile{WriteOutcome::Ok, area, true};
  case JournaledWrite::NoJournal:
    return WrittenFile{WriteOutcome::CannotCreateTarget};
  case JournaledWrite::Failed:
  case JournaledWrite::Unfinished:
    break;
  }
  return WrittenFile{WriteOutcome::WriteFailed};
}

} // namespace velmora
