#pragma once
// What the window shows and remembers, as one value that every command takes: the form, the
// members (with the settings), and the little that a session of commands carries from one
// command to the next.
#include <string>

#include "core/model/tag_form.h"
#include "core/model/window_members.h"

namespace velmora {

struct WindowState {
  TagForm form;
  WindowMembers members;
  std::string previousTitle; // title taken from the name of the last loaded file
  // True while an update writes; commands that would change its inputs are refused meanwhile
  // (the window disables them too).
  bool updateRunning = false;
};

} // namespace velmora
