#pragma once
// A file held for writing by this process alone: opened without blocking (a pipe under an audio
// file's name never stalls the program), checked to be a regular file, and locked with an
// advisory lock that every write of Velmora takes, so that two updates of one file never mix.
// The lock also tells the next load whether an update of the file is still running.
#include <optional>
#include <string>

#include "core/io/file_io.h"
#include "core/io/file_status.h"

namespace velmora {

class LockedFile {
public:
  enum class Failure {
    CannotOpen, // missing, or no permission to write it
    NotRegular, // a folder, device or pipe
    Busy,       // another update holds the lock, or the name was given to another file meanwhile
  };

  // The file that path finally names (symbolic links followed), opened for reading and writing
  // and locked; the failure when it cannot be.
  static LockedFile Acquire(const std::string& path);
  LockedFile() = default; // none held

  bool valid() const { return fd_.valid(); }
  Failure failure() const { return failure_; }
  int fd() const { return fd_.get(); }
  // The resolved path and the status at the moment the lock was taken.
  const std::string& path() const { return path_; }
  const FileStatus& status() const { return status_; }

private:
  LockedFile(Failure failure) : failure_(failure) {}
  LockedFile(UniqueFd fd, std::string path, FileStatus status)
      : fd_(std::move(fd)), path_(std::move(path)), status_(status) {}

  UniqueFd fd_;
  Failure failure_ = Failure::CannotOpen;
  std::string path_;
  FileStatus status_;
};

// Takes the lock of an open file without waiting; false when another descriptor holds it.
bool TryLock(int fd);

} // namespace velmora
