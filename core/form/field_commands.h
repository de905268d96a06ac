#pragma once
// The small commands of the form: "&Copy to ID3v1", clearing the search mask, "&Filename", and
// the input folder of the start-up and of "&Dir".
#include <string>

#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// workDir and settingsPath from the start directory; keys 1 to 10; inputDir shown from them.
void ReadFirstSettings(WindowState& state, WindowPlatform& platform, const std::string& startDir);
// Keys 11 to 16; v2Url and v2EncodedBy take the two defaults.
void ReadLaterSettings(WindowState& state);
// The input directory for this session only (native path), without writing it to the settings.
void UseInputDirectory(WindowState& state, const std::string& dirPath);
// "&Dir": a directory chosen in the folder browser (native path). True when the list must be
// scanned anew (always, when a directory was chosen).
bool ChooseInputDirectory(WindowState& state, WindowPlatform& platform,
                          const std::string& chosenPath);

void CopyToId3v1Command(WindowState& state, WindowPlatform& platform);
void ClearMaskCommand(WindowState& state, WindowPlatform& platform);
void FilenameCommand(WindowState& state, WindowPlatform& platform);

} // namespace velmora
