#pragma once
// The long date of the templates ($D$, picture "ddd, d. MMM yyyy") for a given moment.
#include <ctime>
#include <string>

namespace velmora {

// Day and month names from the user's time locale (LC_ALL, LC_TIME, LANG). Where that is unset,
// "C", "POSIX" (also C.UTF-8) or not installed, as on a fresh machine, the names are German like
// the rest of the program: "So, 6. Dez 2026".
std::string LongDateText(const std::tm& time);

} // namespace velmora
