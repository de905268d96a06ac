#pragma once
// The "show" action's JSON object.
#include <string>

#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora::cli {

// The 23 text fields, v2Genre, oldTagLength, partDesignation and the ten rec… members, one key
// per line, texts in UTF-8.
std::string FormJson(const TagForm& form, const WindowMembers& members,
                     const GenreSelection& v2Genre);

} // namespace velmora::cli
