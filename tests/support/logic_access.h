#pragma once
// Lets a test put the form and the members into the state a case starts from.
#include "core/form/velmora_logic.h"

namespace velmora {

struct VelmoraLogicTestAccess {
  static TagForm& Form(VelmoraLogic& logic) { return logic.form_; }
  static WindowMembers& Members(VelmoraLogic& logic) { return logic.members_; }
};

} // namespace velmora
