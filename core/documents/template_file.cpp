#include "core/documents/template_file.h"

#include "core/documents/templates.h"
#include "core/io/file_contents.h"
#include "core/text/encoding.h"

namespace velmora {

std::optional<std::string> ReadTemplateFile(const std::string& path) {
  // A folder, for instance, opens but cannot be read: no template then.
  std::optional<std::string> bytes = ReadFileHead(path, kTemplateBufferSize - 1);
  if (!bytes) return std::nullopt;
  // The text ends at its first zero byte, as it always has in the fixed template buffer.
  if (const auto zero = bytes->find('\0'); zero != std::string::npos) bytes->resize(zero);
  return Utf8OrCp1252(*bytes);
}

} // namespace velmora
