#include "core/io/readable_file.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>

namespace velmora {

std::optional<ReadableFile> ReadableFile::Open(const std::string& path) {
  UniqueFd fd = OpenFile(path, O_RDONLY | O_NONBLOCK);
  struct stat kind {};
  if (!fd.valid() || ::fstat(fd.get(), &kind) != 0) return std::nullopt;
  const auto status = StatusOf(fd.get());
  if (!status) return std::nullopt;
  return ReadableFile(std::move(fd), *status, S_ISREG(kind.st_mode));
}

std::optional<std::string> ReadableFile::Head(std::size_t count) const {
  if (size_ != 0) return Range(0, count);
  std::string bytes(count, '\0');
  const long long got = ReadUpTo(fd_.get(), bytes.data(), bytes.size());
  if (got < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

std::optional<std::string> ReadableFile::Range(std::uint64_t offset, std::size_t count) const {
  if (offset >= size_) return std::string();
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset)), '\0');
  if (!ReadExactlyAt(fd_.get(), bytes.data(), bytes.size(), offset)) return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadableFile::Tail(std::size_t count) const {
  if (size_ < count) return std::nullopt;
  return Range(size_ - count, count);
}

} // namespace velmora
