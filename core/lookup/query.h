#pragma once
// The Hördat query built from the search mask: the mask's cleaning, the value encoding and the
// address "?a=…&b=…&c=…&d=…" behind the configured base address and script.
#include <string>
#include <string_view>

#include "core/settings/settings_values.h"

namespace velmora {

// The four fields of the search mask.
struct SearchMask {
  std::string author, title, station, year;
};

// The mask with its four fields (year, author, station, title) trimmed and every "ß"
// replaced by "ss".
SearchMask CleanSearchMask(SearchMask mask);

// True when all four mask fields are empty.
bool SearchMaskEmpty(const SearchMask& mask);

// Digits and ASCII letters of a Windows-1252 value stay, a blank becomes "%20", every other byte
// "%" and two small hex digits ('Müller' -> 'M%fcller').
std::string EncodeQueryValue(std::string_view value);

// "?a=" author "&b=" title "&c=" station "&d=" year, each encoded; a leading "%" of a value is
// sent as the pattern ".*" (the mask keeps its "%").
std::string BuildQuery(const SearchMask& mask);

// hoerdatUrl + hoerdatScript + query, joined as they are.
std::string BuildQueryAddress(const SettingsValues& settings, const SearchMask& mask);

} // namespace velmora
