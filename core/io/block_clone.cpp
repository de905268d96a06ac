#include "core/io/block_clone.h"

#include <sys/ioctl.h>
#include <sys/statvfs.h>
#if defined(__linux__)
#include <linux/fs.h>
#endif

namespace velmora {

namespace {

std::optional<std::uint64_t> BlockSizeOf(int result, const struct statvfs& status) {
  if (result != 0 || status.f_bsize == 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.f_bsize);
}

} // namespace

std::optional<std::uint64_t> FileSystemBlockSize(int fd) {
  struct statvfs status {};
  return BlockSizeOf(::fstatvfs(fd, &status), status);
}

std::optional<std::uint64_t> FileSystemBlockSize(const std::string& path) {
  struct statvfs status {};
  return BlockSizeOf(::statvfs(path.c_str(), &status), status);
}

bool CloneRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                std::uint64_t length) {
#if defined(FICLONERANGE)
  struct file_clone_range range {};
  range.src_fd = in;
  range.src_offset = inOffset;
  range.src_length = length;
  range.dest_offset = outOffset;
  return ::ioctl(out, FICLONERANGE, &range) == 0;
#else
  (void)in, (void)inOffset, (void)out, (void)outOffset, (void)length;
  return false;
#endif
}

} // namespace velmora
