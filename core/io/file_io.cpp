#include "core/io/file_io.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {
namespace {

// Repeats one read or write until size bytes have moved; step(done) moves bytes from done on and
// returns what read(2) or write(2) would. False on an error or when nothing more moves.
template <typename Step> bool MoveAll(std::size_t size, Step step) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = step(done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

} // namespace

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool UniqueFd::Close() {
  if (fd_ < 0) return false;
  // Linux releases the descriptor even when close fails, so it is never retried.
  return ::close(Release()) == 0;
}

UniqueFd OpenFile(const std::string& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return UniqueFd(fd);
}

UniqueFd OpenForReading(const std::string& path) {
  return OpenFile(path, O_RDONLY);
}

UniqueFd OpenForReadingAndWriting(const std::string& path) {
  return OpenFile(path, O_RDWR);
}

UniqueFd OpenOtherFileForWriting(const std::string& path, FileIdentity other) {
  UniqueFd fd = OpenFile(path, O_WRONLY | O_CREAT, 0666);
  if (!fd.valid()) return fd;
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || IdentityOf(status) == other) return {};
  // A new file is not truncated: on ext4 that would force its whole data to disk on close.
  if (status.st_size != 0 && ::ftruncate(fd.get(), 0) != 0) return {};
  return fd;
}

bool SeekTo(int fd, std::uint64_t offset) {
  return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  return MoveAll(size, [&](std::size_t done) { return ::write(fd, data + done, size - done); });
}

bool WriteAllAt(int fd, const char* data, std::size_t size, std::uint64_t offset) {
  return MoveAll(size, [&](std::size_t done) {
    return ::pwrite(fd, data + done, size - done, static_cast<off_t>(offset + done));
  });
}

bool TruncateTo(int fd, std::uint64_t length) {
  return ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

bool SyncFile(int fd) {
  return ::fsync(fd) == 0;
}

bool SyncDirectory(const std::string& directory) {
  UniqueFd fd = OpenFile(directory.empty() ? "." : directory, O_RDONLY | O_DIRECTORY);
  return fd.valid() && SyncFile(fd.get());
}

long long ReadUpTo(int fd, char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long long>(done);
}

bool ReadExactlyAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
  return MoveAll(size, [&](std::size_t done) {
    return ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
  });
}

void IgnoreFileSizeSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

FileIdentity IdentityOf(const struct stat& status) {
  return {status.st_dev, status.st_ino};
}

std::optional<std::string> ResolvedPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (!::realpath(path.c_str(), resolved)) return std::nullopt;
  return std::string(resolved);
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace velmora
