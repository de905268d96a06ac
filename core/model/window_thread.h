#pragma once
#include <functional>

namespace velmora {

// Runs work on the window's thread: the download worker hands its completion over through it.
class WindowThreadExecutor {
public:
  virtual ~WindowThreadExecutor() = default;
  // Hands fn to the window's thread, where it runs after the current handler has finished.
  // Callable from any thread; fn is dropped when the window is gone by then.
  virtual void PostToWindowThread(std::function<void()> fn) = 0;
};

} // namespace velmora
