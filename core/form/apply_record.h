#pragma once
// Filling the ID3v2 side of the form and the record members from one Hördat record.
#include <string_view>

#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

// record: the padded answer from the record's start onward. Every field the record has is
// written in the window's order of steps; an absent field leaves its targets as they were. The
// URL and encoder defaults and the copyright are set always, and with WAFRANYOFL on the comment,
// the album and the original artist are composed even from an empty record.
// Returns true when the values must now be copied into the ID3v1 fields (AUTO_ID3V1_COPY is
// exactly 1); showing the form is the caller's.
[[nodiscard]] bool ApplyRecord(std::string_view record, TagForm& form, WindowMembers& members);

} // namespace velmora
