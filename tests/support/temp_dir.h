#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

// A fresh directory below the system's temporary directory, removed with its contents when the
// object goes out of scope. Tests that touch files work only inside one of these.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const;

private:
  std::filesystem::path path_;
};

// Writes bytes to a file (created or truncated); it and ReadBytes throw on failure.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);
// The names of the update's temporary files ("temp$$$…") in a folder; an update leaves none.
std::vector<std::string> TemporaryFilesIn(const std::filesystem::path& folder);

} // namespace velmora::test
