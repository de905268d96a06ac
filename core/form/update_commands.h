#pragma once
// The update commands over the state: "&Aktualisieren" and "Alle &Teile aktualisieren". Both run
// while state.updateRunning is set, after the controls were taken into a form with a file.
#include <vector>

#include "core/form/play_parts.h"
#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// The loaded file written with the form's values to the target the user chooses, then the
// description file and the upload info. True when the file was written.
bool UpdateLoadedFile(WindowState& state, WindowPlatform& platform);

// Every part of the loaded file's play in the list written as the update writes one, after one
// confirmation; what happened to each part, in part order (empty when nothing was attempted).
std::vector<PartUpdate> UpdateAllParts(WindowState& state, WindowPlatform& platform);

} // namespace velmora
