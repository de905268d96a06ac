#include <string_view>

#include "core/io/file_io.h"
#include "core/io/file_status.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

std::uint64_t Id3v1RecordOffset(std::uint64_t length, std::string_view lastBytes) {
  const bool hasRecord = length >= kId3v1RecordSize && lastBytes.starts_with("TAG");
  return hasRecord ? length - kId3v1RecordSize : length;
}

bool WriteId3v1Record(int fd, const Id3v1Record& record) {
  const auto status = StatusOf(fd);
  if (!status) return false;
  const std::uint64_t length = status->size;
  char head[3] = {};
  if (length >= kId3v1RecordSize &&
      !ReadExactlyAt(fd, head, sizeof head, length - kId3v1RecordSize))
    return false;
  const std::uint64_t position = Id3v1RecordOffset(length, std::string_view(head, sizeof head));
  const auto* bytes = reinterpret_cast<const char*>(record.data());
  return WriteAllAt(fd, bytes, record.size(), position);
}

} // namespace velmora
