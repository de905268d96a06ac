#pragma once
// Reading a template file: UTF-8 text (Windows-1252 accepted).
#include <optional>
#include <string>

namespace velmora {

// The text of the file up to its first zero byte and below kTemplateBufferSize bytes, as UTF-8
// (a file that is not UTF-8 is read as Windows-1252); nullopt when the file cannot be read.
std::optional<std::string> ReadTemplateFile(const std::string& path);

} // namespace velmora
