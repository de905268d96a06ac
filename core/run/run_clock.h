#pragma once
// The time a run reads and waits on, behind an interface so that tests of the pacing and of the
// cache's age need not sleep for long or wait for days.
#include <cstdint>

namespace velmora {

class RunClock {
public:
  virtual ~RunClock() = default;
  virtual std::int64_t SteadyMilliseconds() = 0; // for pauses and the remaining time
  virtual std::int64_t WallSeconds() = 0;        // for the age of cached answers
  virtual void SleepMilliseconds(std::int64_t milliseconds) = 0;
};

// The system's clocks and a real sleep.
RunClock& SystemRunClock();

} // namespace velmora
