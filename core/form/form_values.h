#pragma once
// Changes of the form's values that several commands share.
#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

// The ID3v2 values into the ID3v1 fields, as the copy button and the update do.
void CopyV2IntoV1(TagForm& form, const WindowMembers& members);

void ClearId3v1Fields(TagForm& form);
// The fields and members that a Hördat record fills.
void ClearRecordFields(TagForm& form, WindowMembers& members);

} // namespace velmora
