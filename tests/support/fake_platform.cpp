#include "support/fake_platform.h"

namespace velmora::test {

void FakePlatform::PostToWindowThread(std::function<void()> fn) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(fn));
  }
  postedSignal_.notify_all();
}

int FakePlatform::RunPosted() {
  int ran = 0;
  for (std::unique_lock lock(postedMutex_); !posted_.empty(); lock.lock(), ++ran) {
    const std::function<void()> fn = std::move(posted_.front());
    posted_.pop_front();
    lock.unlock();
    fn();
  }
  return ran;
}

bool FakePlatform::WaitAndRunPosted(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(postedMutex_);
    if (!postedSignal_.wait_for(lock, timeout, [this] { return !posted_.empty(); })) return false;
  }
  RunPosted();
  return true;
}

} // namespace velmora::test
