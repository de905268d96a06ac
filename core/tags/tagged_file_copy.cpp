#include "core/tags/tagged_file_copy.h"

#include <algorithm>
#include <vector>

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

WriteOutcome WriteContents(int out, int in, std::uint64_t oldTagLength, std::uint64_t sourceLength,
                           std::string_view tag, long padding, CopyProgress& progress) {
  if (!WriteAll(out, tag.data(), tag.size()) ||
      !WriteZeros(out, static_cast<std::uint64_t>(std::max(padding, 0L))) ||
      !SeekTo(in, oldTagLength))
    return WriteOutcome::WriteFailed;

  // The I/O runs in large blocks (blocks of 16 KiB cost clearly more than a plain copy);
  // progress and events still move at every kCopyStep bytes copied, and once more at the end.
  BlockCopier copier(in, out);
  std::uint64_t copied = 0;
  std::uint64_t shown = 0;
  const auto showStep = [&](std::uint64_t upTo) {
    shown = upTo;
    progress.SetProgress(Percent(shown, sourceLength));
    return progress.PumpEvents();
  };
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
