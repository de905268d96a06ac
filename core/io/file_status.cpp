#include "core/io/file_status.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string_view>

namespace velmora {
namespace {

FileStatus StatusFrom(const struct stat& status) {
  return {IdentityOf(status), static_cast<std::uint64_t>(status.st_size), status.st_mtim.tv_sec,
          status.st_mtim.tv_nsec, static_cast<std::uint64_t>(status.st_nlink)};
}

// Closes the folder a listing opened, however the listing ends.
struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

} // namespace

std::optional<FileStatus> StatusOf(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return std::nullopt;
  return StatusFrom(status);
}

std::optional<FileStatus> StatusOfPath(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return StatusFrom(status);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  const auto statusA = StatusOfPath(a);
  const auto statusB = StatusOfPath(b);
  return statusA && statusB && statusA->identity == statusB->identity;
}

bool FileExists(const std::string& path) {
  return StatusOfPath(path).has_value();
}

std::vector<std::string> NamesInDirectory(const std::string& path) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(path.c_str()));
  if (!directory) return names;
  while (const dirent* entry = ::readdir(directory.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

bool SameVersion(const FileStatus& a, const FileStatus& b) {
  return a.identity == b.identity && a.size == b.size && a.modifiedSeconds == b.modifiedSeconds &&
         a.modifiedNanoseconds == b.modifiedNanoseconds;
}

void RemoveIfStill(const std::string& path, FileIdentity written) {
  const auto finalPath = ResolvedPath(path);
  const auto status = finalPath ? StatusOfPath(*finalPath) : std::nullopt;
  if (status && status->identity == written) ::unlink(finalPath->c_str());
}

bool CreateFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0700);
  ::mkdir(path.c_str(), 0700);
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string ExecutableDirectory() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return {};
  path.resize(static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

} // namespace velmora
