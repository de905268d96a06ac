#pragma once
// Reading and writing "Tonfeld.ini" by the rules of the Windows profile functions: section and
// key names without regard to case, blanks around a value dropped, one pair of surrounding double
// or single quotes removed, values cut at 511 characters, defaults for whatever is missing.
// The file is UTF-8 text; a file that is not valid UTF-8 is taken as Windows-1252.
#include <string>
#include <string_view>

#include "core/settings/settings_values.h"

namespace velmora {

inline constexpr std::size_t kProfileValueLimit = 511;

// The value of section/key in the file at path (UTF-8), or defaultValue (trailing blanks of the
// default dropped) when the file, the section or the key is missing.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& path);
// As ReadProfileString, converted as atoi converts.
int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue,
                   const std::string& path);
// Writes section/key = value (UTF-8), creating file, section or key as needed, replacing the old
// value and keeping every other line, comment and the order. Returns false when it failed.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

// Keys 1 to 10 (directories, Hördat address, switches, station separator). workDir ends in "/".
void ReadFirstSettings(const std::string& settingsPath, const std::string& workDir,
                       SettingsValues& values);
// Keys 11 to 16 (defaults, prefixes, padding).
void ReadLaterSettings(const std::string& settingsPath, SettingsValues& values);

} // namespace velmora
