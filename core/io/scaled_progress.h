#pragma once
// One progress bar over several copies: each copy's percent becomes its share of all bytes.
#include <cstdint>

#include "core/io/copy_progress.h"

namespace velmora {

class ScaledProgress : public CopyProgress {
public:
  ScaledProgress(CopyProgress& whole, std::uint64_t totalBytes)
      : whole_(whole), totalBytes_(totalBytes) {}

  // The next copy covers this many bytes; the ones before it count as done.
  void StartCopy(std::uint64_t bytes) {
    doneBytes_ += currentBytes_;
    currentBytes_ = bytes;
  }

  // The bar stays shown from the first copy to the last.
  void ShowProgress(bool) override {}
  void SetProgress(int percent) override {
    if (totalBytes_ == 0) return;
    const auto shown = static_cast<std::uint64_t>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
    const auto done = doneBytes_ * 100 + currentBytes_ * shown;
    whole_.SetProgress(static_cast<int>(done / totalBytes_));
  }
  bool PumpEvents() override { return whole_.PumpEvents(); }

private:
  CopyProgress& whole_;
  std::uint64_t totalBytes_;
  std::uint64_t doneBytes_ = 0;
  std::uint64_t currentBytes_ = 0;
};

} // namespace velmora
