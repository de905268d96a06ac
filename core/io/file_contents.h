#pragma once
// Reading and writing whole small files (settings, templates, description files) and the leading
// and trailing bytes of large ones (tags), through the checked operations of file_io.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The file's bytes, nullopt when it cannot be opened or read (a folder, for instance).
std::optional<std::string> ReadWholeFile(const std::string& path);

// The first count bytes of the file (fewer when it is shorter); nullopt when it cannot be opened
// or read. Never reserves more than the file holds, whatever count says.
std::optional<std::string> ReadFileHead(const std::string& path, std::size_t count);

// The last count bytes of the file; nullopt when it cannot be read or is shorter than count.
std::optional<std::string> ReadFileTail(const std::string& path, std::size_t count);

// A small file read whole, for a text the user names (a saved web page): only a regular file of
// at most limit bytes. A folder, a device or a pipe is not read at all, so that neither a
// folder nor /dev/zero can stall or exhaust the program.
struct SmallFile {
  enum class Status { Ok, CannotOpen, NotARegularFile, TooLarge } status = Status::CannotOpen;
  std::string bytes;
};
SmallFile ReadSmallFile(const std::string& path, std::size_t limit);

// Up to count bytes from offset (fewer at the end, none past it), and the file's size; nullopt
// when it cannot be opened or read.
std::optional<std::string> ReadFileRange(const std::string& path, std::uint64_t offset,
                                         std::size_t count);
std::optional<std::uint64_t> FileSize(const std::string& path);

// Appends bytes to the file (created when missing) and makes them durable before it returns, so
// that a record appended before a change survives a crash during the change; false when anything
// failed.
bool AppendDurably(const std::string& path, std::string_view bytes);
// Creates or truncates the file and writes bytes into it; false when anything failed.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

} // namespace velmora
