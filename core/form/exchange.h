#pragma once
// The data exchange between the state and the controls, and the error box every command uses.
#include <string>

#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// Takes the controls into the form in exchange order. Stops at the ID3v2 year when it holds more
// than six characters (message, focus there; later fields keep their values): false then.
bool TakeControls(WindowState& state, WindowPlatform& platform);
// Shows the form in the controls.
void ShowForm(const WindowState& state, WindowPlatform& platform);

// A "Fehler" box with the exclamation icon and an OK button; the text also goes to the status
// line.
void ShowError(WindowPlatform& platform, const std::string& text);

} // namespace velmora
