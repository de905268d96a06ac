#pragma once
// Small checked POSIX file operations: every file call of the core goes through core/io. Every
// call reports failure; none of them throws.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace velmora {

// Owns one file descriptor. Close() reports whether the close succeeded (a deferred write error
// may only show there); the destructor closes silently.
class UniqueFd {
public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release();
  bool Close();

private:
  int fd_ = -1;
};

// Device and inode, the identity of a file whatever path names it.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const struct stat& status);

// open(2) with O_CLOEXEC, retried on EINTR.
UniqueFd OpenFile(const std::string& path, int flags, mode_t mode = 0);
UniqueFd OpenForReading(const std::string& path);
UniqueFd OpenForReadingAndWriting(const std::string& path);
// Opens path for writing, created when missing, and empties it; an invalid descriptor when it
// cannot be opened or is the file other under another name. It is checked before it is emptied,
// so that such a file loses nothing.
UniqueFd OpenOtherFileForWriting(const std::string& path, FileIdentity other);

// Moves the file position to offset; false on error.
bool SeekTo(int fd, std::uint64_t offset);

// Writes all bytes at the current position; false on any error or when nothing more fits.
bool WriteAll(int fd, const char* data, std::size_t size);
// Writes all bytes at offset; false on any error.
bool WriteAllAt(int fd, const char* data, std::size_t size, std::uint64_t offset);
// Cuts the file to length; false on error.
bool TruncateTo(int fd, std::uint64_t length);
// The file's data and length made durable (fsync); false on error.
bool SyncFile(int fd);
// A folder's names made durable, after a file in it was created, renamed or removed; false on
// error.
bool SyncDirectory(const std::string& directory);

// Reads up to size bytes (fewer only at the end of the file); -1 on error.
long long ReadUpTo(int fd, char* data, std::size_t size);
// Reads exactly size bytes at offset; false on error or a short file.
bool ReadExactlyAt(int fd, char* data, std::size_t size, std::uint64_t offset);

// A file-size limit (RLIMIT_FSIZE) must make writes fail with EFBIG rather than end the process
// with SIGXFSZ, so that the partial file can be removed and the failure reported. Each program
// calls it once at its start.
void IgnoreFileSizeSignal();

// The absolute path of the file that path finally names (symbolic links and "." / ".." resolved);
// nullopt when it does not exist.
std::optional<std::string> ResolvedPath(const std::string& path);

// The directory part of a path including its final "/" ("" when the path has none).
std::string DirectoryOf(const std::string& path);

} // namespace velmora
