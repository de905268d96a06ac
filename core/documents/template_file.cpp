#include "core/documents/template_file.h"

#include <fstream>

#include "core/documents/templates.h"
#include "core/text/encoding.h"

namespace velmora {

std::optional<std::string> ReadTemplateFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kTemplateBufferSize - 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  // The text ends at its first zero byte, as it always has in the fixed template buffer.
  if (const auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  return Utf8ToCp1252(bytes);
}

} // namespace velmora
