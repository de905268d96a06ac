#pragma once
#include "core/documents/templates.h"

namespace velmora::test {

// Monday, 3 March 2025, 14:05:09 as a German Windows would write it.
class FixedClock : public TemplateClock {
public:
  std::string LongDate() override { return "Mo, 3. M\xe4r 2025"; }
  std::string ShortDate() override { return "03/03/2025"; }
  std::string Time() override { return "14:05:09"; }
};

} // namespace velmora::test
