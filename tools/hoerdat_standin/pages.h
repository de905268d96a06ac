#pragma once
// The stand-in's web pages in the layout of today's Hördat pages, so that the page import can be
// tried on them: one play, or a day listing several after a header of navigation. UTF-8 HTML.
#include <string>
#include <vector>

#include "catalog.h"

namespace hoerdat_standin {

std::string PlayPage(const PlayRecord& play);
std::string DayPage(const std::vector<PlayRecord>& plays);

} // namespace hoerdat_standin
