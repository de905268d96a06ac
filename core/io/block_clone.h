#pragma once
// Sharing blocks between two files where the file system can (Btrfs, XFS with reflink, bcachefs,
// ZFS with block cloning): the copy takes no new space and no time, and a later write to either
// file gets its own block from the file system.
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The block size of the file system that holds the open file or the path; nullopt when unknown.
std::optional<std::uint64_t> FileSystemBlockSize(int fd);
std::optional<std::uint64_t> FileSystemBlockSize(const std::string& path);

// Shares length bytes of in from inOffset into out at outOffset (both offsets and the length
// multiples of the file system's block size). False where the file system or platform cannot
// clone, or the files lie on two file systems; nothing was changed then and the caller copies.
bool CloneRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                std::uint64_t length);

} // namespace velmora
