#pragma once

namespace velmora {

// Progress of a long file copy, and the event pump that keeps the window alive meanwhile.
class CopyProgress {
public:
  virtual ~CopyProgress() = default;
  virtual void ShowProgress(bool visible) = 0;
  virtual void SetProgress(int percent) = 0;
  // Dispatches the window events that are waiting; false when the application was asked to quit.
  virtual bool PumpEvents() = 0;
};

} // namespace velmora
