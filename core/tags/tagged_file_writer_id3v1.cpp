#include <string_view>

#include "core/io/file_io.h"
#include "core/io/file_status.h"
#include "core/tags/tagged_file_writer.h"

namespace velmora {

int WriteId3v1Record(const std::string& path, const Id3v1Record& record) {
  IgnoreFileSizeSignal();
  UniqueFd fd = OpenForReadingAndWriting(path);
  if (!fd.valid()) return -1;
  const auto status = StatusOf(fd.get());
  if (!status) return 1;
  const std::uint64_t length = status->size;

  std::uint64_t position = length;
  if (length >= kId3v1RecordSize) {
    char head[3];
    if (!ReadExactlyAt(fd.get(), head, sizeof head, length - kId3v1RecordSize)) return 1;
    if (std::string_view(head, sizeof head) == "TAG") position = length - kId3v1RecordSize;
  }
  const auto* bytes = reinterpret_cast<const char*>(record.data());
  if (!WriteAllAt(fd.get(), bytes, record.size(), position)) {
    // A half-appended record is cut off again; the write has failed either way.
    if (position == length) TruncateTo(fd.get(), length);
    return 1;
  }
  return fd.Close() ? 0 : 1;
}

} // namespace velmora
