#pragma once
// Pages of today's Hördat layout with invented names (tests/data): one play as its HTML, and a day
// listing three plays after a header of navigation as a browser shows it. UTF-8, as the clipboard
// gives them.
#include <string>

#include "support/temp_dir.h"

namespace velmora::test {

inline const std::string kGlockeHtml = ReadBytes(VELMORA_TEST_DATA "/glocke.html");
inline const std::string kDayText = ReadBytes(VELMORA_TEST_DATA "/day.txt");

} // namespace velmora::test
