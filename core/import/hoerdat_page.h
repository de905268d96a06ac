#pragma once
// The import of a Hördat web page's HTML text: seven fields cut out between fixed fragments.
#include <string_view>

#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

// Fills author, title, synopsis, cast, director, length and production from the page text
// (Windows-1252). Every field is searched from the page's start; a field that is not found
// leaves its targets as they were. Showing the form is the caller's.
void ApplyHoerdatPage(std::string_view page, TagForm& form, WindowMembers& members);

} // namespace velmora
