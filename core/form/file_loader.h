#pragma once
// Loading a file's tags and name into the form (a click on the file list).
#include <optional>
#include <string>

#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// path: the first selected entry of the file list, nullopt when none is selected.
void LoadSelectedFile(WindowState& state, WindowPlatform& platform,
                      const std::optional<std::string>& path);

} // namespace velmora
