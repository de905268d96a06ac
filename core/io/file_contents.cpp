#include "core/io/file_contents.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/io/file_io.h"

namespace velmora {
namespace {

std::optional<std::uint64_t> SizeOf(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0));
}

// Reads up to count bytes from fd's position; nullopt on a read error.
std::optional<std::string> ReadUpToCount(int fd, std::size_t count) {
  std::string bytes(count, '\0');
  const long long got = ReadUpTo(fd, bytes.data(), bytes.size());
  if (got < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueFd fd = OpenFile(path, O_RDONLY);
  if (!fd.valid()) return std::nullopt;
  std::string bytes;
  char block[16384];
  for (;;) {
    const long long got = ReadUpTo(fd.get(), block, sizeof block);
    if (got < 0) return std::nullopt;
    bytes.append(block, static_cast<std::size_t>(got));
    if (got < static_cast<long long>(sizeof block)) return bytes;
  }
}

std::optional<std::string> ReadFileHead(const std::string& path, std::size_t count) {
  UniqueFd fd = OpenFile(path, O_RDONLY);
  if (!fd.valid()) return std::nullopt;
  const auto size = SizeOf(fd.get());
  if (!size) return std::nullopt;
  // A file whose size stat cannot tell (a pipe, say) is read up to count as it comes.
  const std::size_t wanted =
      *size == 0 ? count : static_cast<std::size_t>(std::min<std::uint64_t>(count, *size));
  return ReadUpToCount(fd.get(), wanted);
}

std::optional<std::string> ReadFileTail(const std::string& path, std::size_t count) {
  UniqueFd fd = OpenFile(path, O_RDONLY);
  if (!fd.valid()) return std::nullopt;
  const auto size = SizeOf(fd.get());
  if (!size || *size < count) return std::nullopt;
  std::string bytes(count, '\0');
  if (!ReadExactlyAt(fd.get(), bytes.data(), bytes.size(), *size - count)) return std::nullopt;
  return bytes;
}

SmallFile ReadSmallFile(const std::string& path, std::size_t limit) {
  // Non-blocking, so that opening a pipe nobody writes to does not hang.
  UniqueFd fd = OpenFile(path, O_RDONLY | O_NONBLOCK);
  struct stat status {};
  if (!fd.valid() || ::fstat(fd.get(), &status) != 0) return {};
  if (!S_ISREG(status.st_mode)) return {SmallFile::Status::NotARegularFile, {}};
  if (static_cast<std::uint64_t>(status.st_size) > limit) return {SmallFile::Status::TooLarge, {}};
  auto bytes = ReadUpToCount(fd.get(), limit + 1);
  if (!bytes) return {};
  if (bytes->size() > limit) return {SmallFile::Status::TooLarge, {}};
  return {SmallFile::Status::Ok, std::move(*bytes)};
}

std::optional<std::string> ReadFileRange(const std::string& path, std::uint64_t offset,
                                         std::size_t count) {
  UniqueFd fd = OpenFile(path, O_RDONLY);
  if (!fd.valid()) return std::nullopt;
  const auto size = SizeOf(fd.get());
  if (!size) return std::nullopt;
  if (offset >= *size) return std::string();
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(count, *size - offset)), '\0');
  if (!ReadExactlyAt(fd.get(), bytes.data(), bytes.size(), offset)) return std::nullopt;
  return bytes;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  UniqueFd fd = OpenFile(path, O_RDONLY);
  return fd.valid() ? SizeOf(fd.get()) : std::nullopt;
}

bool AppendDurably(const std::string& path, std::string_view bytes) {
  UniqueFd fd = OpenFile(path, O_WRONLY | O_CREAT | O_APPEND, 0600);
  return fd.valid() && WriteAll(fd.get(), bytes.data(), bytes.size()) && SyncFile(fd.get()) &&
         fd.Close();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  UniqueFd fd = OpenFile(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  return fd.valid() && WriteAll(fd.get(), bytes.data(), bytes.size()) && fd.Close();
}

} // namespace velmora
