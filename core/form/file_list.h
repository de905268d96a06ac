#pragma once
// The names that the file list offers: the audio files of the input directory and the files
// dropped on the window.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The names (UTF-8, without directory) in dirPath that match "*.mp?" without regard to case (a
// dot, "mp" and at most one more character at the end), in ascending byte order. A directory
// that cannot be read gives an empty list.
std::vector<std::string> ScanInputDir(const std::string& dirPath);

// True when the name matches "*.mp?" without regard to case: an audio file for the list and the
// collection.
bool IsAudioFileName(std::string_view name);

// True when a dropped file's path ends in ".MP3" in any letter case; other drops are ignored.
bool IsDroppableAudioPath(std::string_view path);

} // namespace velmora
