#pragma once
// One file opened for reading, so that a load looks at the head, the tag and the end of the same
// file through one descriptor, instead of opening it anew for each look.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/io/file_io.h"
#include "core/io/file_status.h"

namespace velmora {

class ReadableFile {
public:
  // nullopt when the file cannot be opened or its size cannot be told. Opened without blocking,
  // so that a pipe nobody writes to does not stall the program; read only a regular file.
  static std::optional<ReadableFile> Open(const std::string& path);

  std::uint64_t size() const { return size_; }
  // Identity, size and modification time when it was opened.
  const FileStatus& status() const { return status_; }
  // False for a folder, a device or a pipe.
  bool regular() const { return regular_; }
  // The first count bytes (fewer when the file is shorter); a file whose size stat cannot tell
  // (a pipe, say) is read up to count as it comes. nullopt on a read error.
  std::optional<std::string> Head(std::size_t count) const;
  // Up to count bytes from offset (fewer at the end, none past it); nullopt on a read error.
  std::optional<std::string> Range(std::uint64_t offset, std::size_t count) const;
  // The last count bytes; nullopt when the file is shorter or cannot be read.
  std::optional<std::string> Tail(std::size_t count) const;

private:
  ReadableFile(UniqueFd fd, const FileStatus& status, bool regular)
      : fd_(std::move(fd)), size_(status.size), regular_(regular), status_(status) {}
  UniqueFd fd_;
  std::uint64_t size_ = 0;
  bool regular_ = false;
  FileStatus status_;
};

} // namespace velmora
