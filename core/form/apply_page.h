#pragma once
// Filling the form and the record members from the fields of an imported Hördat page.
#include "core/import/hoerdat_page.h"
#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

// A field the page lacks leaves its targets as they were. Showing the form is the caller's.
void ApplyHoerdatPage(const HoerdatPageFields& page, TagForm& form, WindowMembers& members);

} // namespace velmora
