#pragma once
// What the core asks the file system about files by name: their status and identity, whether
// they exist, the names in a folder, and the removal of a file that is still the one written.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/io/file_io.h"

namespace velmora {

struct FileStatus {
  FileIdentity identity;
  std::uint64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  long modifiedNanoseconds = 0;
  std::uint64_t links = 0; // hard links
};
// Of an open file, and of the file a path finally names (symbolic links followed); nullopt when
// it cannot be asked.
std::optional<FileStatus> StatusOf(int fd);
std::optional<FileStatus> StatusOfPath(const std::string& path);

// The same file in the same version: identity, size and modification time alike.
bool SameVersion(const FileStatus& a, const FileStatus& b);

// True when both paths name the same file (by device and inode; symbolic links followed).
bool IsSameFile(const std::string& a, const std::string& b);

// True when path names a file or folder (symbolic links followed: a dangling link is none).
bool FileExists(const std::string& path);

// The folder of the running program, ending in "/"; empty when the system does not tell.
std::string ExecutableDirectory();

// The names of the entries of a folder ("." and ".." left out), in the order the file system
// gives them; none when it cannot be read, those read so far when reading fails midway.
std::vector<std::string> NamesInDirectory(const std::string& path);

// Creates the folder and the folders above it that are missing (mode 0700: what is kept there
// is the user's own); false when it is not a folder afterwards.
bool CreateFolders(const std::string& path);

// Removes the file that path finally names, but only while it is still the file written.
void RemoveIfStill(const std::string& path, FileIdentity written);

} // namespace velmora
