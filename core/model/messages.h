#pragma once
// The message texts of the form's commands (loading, updating, the data exchange), as the
// message boxes show them: Windows-1252. Paths are native (UTF-8) paths.
#include <string>

namespace velmora::messages {

inline constexpr const char* kError = "Fehler";
inline constexpr const char* kWarning = "Warnung";
inline constexpr const char* kVelmora = "Velmora";

std::string CannotOpenFile(const std::string& path);
std::string NotMpegFile(const std::string& path);
std::string CannotWriteFile(const std::string& path);
std::string DamagedTag(const std::string& path);
std::string CannotReplaceFile(const std::string& path);
std::string CannotOpenTemporaryFile();
std::string CannotOpenForId3v1();
std::string NoFileSelected();
std::string YearTooLong();

} // namespace velmora::messages
