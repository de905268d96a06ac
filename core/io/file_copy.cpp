#include "core/io/file_copy.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {
namespace {

// Errors by which splice says that a file (system) does not support it; nothing was moved then.
bool SpliceUnsupported(int error) {
  return error == EINVAL || error == ENOSYS;
}

} // namespace

BlockCopier::BlockCopier(int in, int out, Method method) : in_(in), out_(out), method_(method) {
  if (method_ == Method::Splice) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) == 0) {
      pipeRead_ = UniqueFd(ends[0]);
      pipeWrite_ = UniqueFd(ends[1]);
      // A pipe as large as a block; when the system allows less, the blocks just get smaller.
      ::fcntl(ends[1], F_SETPIPE_SZ, static_cast<int>(kBlockSize));
    } else {
      method_ = Method::ReadWrite;
    }
  }
}

long long BlockCopier::CopyBlock() {
  return method_ == Method::Splice ? SpliceBlock() : ReadWriteBlock();
}

long long BlockCopier::SpliceBlock() {
  ssize_t got;
  do {
    got = ::splice(in_, nullptr, pipeWrite_.get(), nullptr, kBlockSize, SPLICE_F_MOVE);
  } while (got < 0 && errno == EINTR);
  if (got < 0 && SpliceUnsupported(errno)) {
    method_ = Method::ReadWrite;
    return ReadWriteBlock();
  }
  if (got <= 0) return got;

  for (std::size_t left = static_cast<std::size_t>(got); left > 0;) {
    const ssize_t put = ::splice(pipeRead_.get(), nullptr, out_, nullptr, left, SPLICE_F_MOVE);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && SpliceUnsupported(errno)) {
      method_ = Method::ReadWrite;
      return DrainPipeByWriting(left) ? got : -1;
    }
    if (put <= 0) return -1;
    left -= static_cast<std::size_t>(put);
  }
  return got;
}

bool BlockCopier::DrainPipeByWriting(std::size_t size) {
  buffer_.resize(kBlockSize);
  const long long got = ReadUpTo(pipeRead_.get(), buffer_.data(), size);
  return got == static_cast<long long>(size) && WriteAll(out_, buffer_.data(), size);
}

long long BlockCopier::ReadWriteBlock() {
  buffer_.resize(kBlockSize);
  const long long got = ReadUpTo(in_, buffer_.data(), buffer_.size());
  if (got <= 0) return got;
  return WriteAll(out_, buffer_.data(), static_cast<std::size_t>(got)) ? got : -1;
}

} // namespace velmora
