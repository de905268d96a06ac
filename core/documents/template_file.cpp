#include "core/documents/template_file.h"

#include <cstdio>

#include "core/documents/templates.h"
#include "core/text/encoding.h"

namespace velmora {

std::optional<std::string> ReadTemplateFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string bytes(kTemplateBufferSize - 1, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  const bool failed = std::ferror(file) != 0; // a directory, for instance, opens but cannot be read
  std::fclose(file);
  if (failed) return std::nullopt;
  // The text ends at its first zero byte, as it always has in the fixed template buffer.
  if (const auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  return Utf8ToCp1252(bytes);
}

} // namespace velmora
