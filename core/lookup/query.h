#pragma once
// The Hördat query built from the search mask: the mask's cleaning, the value encoding and the
// address "?a=…&b=…&c=…&d=…" behind the configured base address and script.
#include <string>
#include <string_view>

#include "core/form/tag_form.h"
#include "core/settings/settings_values.h"

namespace velmora {

// Trims the four mask fields (year, author, station, title) and replaces every "ß" (0xDF) by
// "ss". The cleaned values stay in the form.
void CleanSearchMask(TagForm& form);

// True when all four mask fields are empty.
bool SearchMaskEmpty(const TagForm& form);

// Digits and ASCII letters stay, a blank becomes "%20", every other byte "%" and two small hex
// digits ('Müller' -> 'M%fcller').
std::string EncodeQueryValue(std::string_view value);

// "?a=" author "&b=" title "&c=" station "&d=" year, each encoded; a leading "%" of a value is
// sent as the pattern ".*" (the form keeps its "%").
std::string BuildQuery(const TagForm& form);

// hoerdatUrl + hoerdatScript + query, joined as they are.
std::string BuildQueryAddress(const SettingsValues& settings, const TagForm& form);

} // namespace velmora
