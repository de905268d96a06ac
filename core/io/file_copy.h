#pragma once
// Moving the audio data from one open file to another in large blocks. Splicing through a pipe
// copies the bytes once inside the kernel, whatever the alignment of the two offsets (which the
// tag lengths decide); where a file system cannot splice, plain reads and writes take over.
#include <cstddef>
#include <vector>

#include "core/io/file_io.h"

namespace velmora {

class BlockCopier {
public:
  enum class Method { Splice, ReadWrite };

  // Copies from in's position to out's position; both descriptors stay owned by the caller.
  BlockCopier(int in, int out, Method method = Method::Splice);

  // Moves the next block (at most kBlockSize bytes). Returns the bytes moved, 0 at the end of the
  // input, -1 when a read or write failed.
  long long CopyBlock();

  static constexpr std::size_t kBlockSize = std::size_t{1024} * 1024;

private:
  long long SpliceBlock();
  long long ReadWriteBlock();
  // Writes what the pipe holds through the buffer (when out cannot take a splice).
  bool DrainPipeByWriting(std::size_t size);

  int in_;
  int out_;
  Method method_;
  UniqueFd pipeRead_;
  UniqueFd pipeWrite_;
  std::vector<char> buffer_;
};

} // namespace velmora
