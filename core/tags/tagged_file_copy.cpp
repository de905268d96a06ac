#include "core/tags/tagged_file_copy.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/io/block_clone.h"
#include "core/io/file_copy.h"
#include "core/io/file_io.h"

namespace velmora {
namespace {

int Percent(std::uint64_t copied, std::uint64_t sourceLength) {
  if (sourceLength == 0) return 100;
  const double percent = static_cast<double>(copied) * 100.0 / static_cast<double>(sourceLength);
  return static_cast<int>(std::min(percent, 100.0));
}

bool WriteZeros(int out, std::uint64_t count) {
  const std::vector<char> zeros(static_cast<std::size_t>(std::min<std::uint64_t>(count, 65536)));
  for (std::uint64_t left = count; left > 0;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
    if (!WriteAll(out, zeros.data(), n)) return false;
    left -= n;
  }
  return true;
}

// Where the audio lies at the same offset within a file-system block in both files, its whole
// blocks are shared with the source (cloned) instead of copied, and the bytes before the first of
// them are copied here. Returns how many audio bytes are done (0 when the file system cannot
// share them, or the offsets differ); nullopt when that copy failed.
std::optional<std::uint64_t> ShareWholeBlocks(int out, int in, std::uint64_t outStart,
                                              std::uint64_t inStart, std::uint64_t sourceLength) {
  const auto block = FileSystemBlockSize(in);
  if (!block || outStart % *block != inStart % *block) return 0;
  const std::uint64_t head = (*block - inStart % *block) % *block;
  if (sourceLength < inStart + head) return 0;
  const std::uint64_t whole = (sourceLength - inStart - head) / *block * *block;
  if (whole == 0 || !CloneRange(in, inStart + head, out, outStart + head, whole)) return 0;
  std::string bytes(static_cast<std::size_t>(head), '\0');
  if (!ReadExactlyAt(in, bytes.data(), bytes.size(), inStart) ||
      !WriteAllAt(out, bytes.data(), bytes.size(), outStart))
    return std::nullopt;
  return head + whole;
}

WriteOutcome WriteContents(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                           std::string_view tag, long padding, CopyProgress& progress) {
  const std::uint64_t outStart = tag.size() + static_cast<std::uint64_t>(std::max(padding, 0L));
  if (!WriteAll(out, tag.data(), tag.size()) ||
      !WriteZeros(out, static_cast<std::uint64_t>(std::max(padding, 0L))))
    return WriteOutcome::WriteFailed;
  const auto shared = ShareWholeBlocks(out, in, outStart, oldTagLength, sourceLength);
  if (!shared || !SeekTo(in, oldTagLength + *shared) || !SeekTo(out, outStart + *shared))
    return WriteOutcome::WriteFailed;

  // The I/O runs in large blocks (blocks of 16 KiB cost clearly more than a plain copy);
  // progress and events still move at every kCopyStep bytes copied, and once more at the end.
  BlockCopier copier(in, out);
  std::uint64_t copied = *shared;
  std::uint64_t shown = 0;
  const auto showStep = [&](std::uint64_t upTo) {
    shown = upTo;
    progress.SetProgress(Percent(shown, sourceLength));
    return progress.PumpEvents();
  };
  // Shared blocks take no time: one step shows them.
  if (copied > 0 && !showStep(copied)) return WriteOutcome::Aborted;
  for (;;) {
    const long long moved = copier.CopyBlock();
    if (moved < 0) return WriteOutcome::WriteFailed;
    if (moved == 0) break;
    copied += static_cast<std::uint64_t>(moved);
    while (copied - shown >= kCopyStep) {
      if (!showStep(shown + kCopyStep)) return WriteOutcome::Aborted;
    }
  }
  if (copied > shown && !showStep(copied)) return WriteOutcome::Aborted;
  return WriteOutcome::Ok;
}

// Keeps the progress bar visible for exactly the time of the copy, whatever ends it.
class ProgressShown {
public:
  explicit ProgressShown(CopyProgress& progress) : progress_(progress) {
    progress_.SetProgress(0);
    progress_.ShowProgress(true);
  }
  ~ProgressShown() { progress_.ShowProgress(false); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

private:
  CopyProgress& progress_;
};

} // namespace

WriteOutcome CopyTagged(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                        std::string_view tag, long padding, CopyProgress& progress) {
  ProgressShown shown(progress);
  return WriteContents(out, in, oldTagLength, sourceLength, tag, padding, progress);
}

} // namespace velmora
