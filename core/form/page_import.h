#pragma once
// The import of a Hördat web page that the user copied to the clipboard.
#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// The fragments of the older page layout first; without any, the plays of today's layout in the
// clipboard's text or HTML, several offered through the choice. Without a play the form stays.
void ImportHoerdatPage(WindowState& state, WindowPlatform& platform);

} // namespace velmora
