#include "core/run/run_clock.h"

#include <chrono>
#include <thread>

namespace velmora {

namespace {

class SystemClock : public RunClock {
public:
  std::int64_t SteadyMilliseconds() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  std::int64_t WallSeconds() override {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
  }
  void SleepMilliseconds(std::int64_t milliseconds) override {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

} // namespace

RunClock& SystemRunClock() {
  static SystemClock clock;
  return clock;
}

} // namespace velmora
