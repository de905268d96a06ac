#include "core/documents/output_documents.h"

#include <algorithm>

namespace velmora {

std::string SafeFileName(std::string name) {
  std::replace(name.begin(), name.end(), '/', '_');
  if (name == "." || name == "..") return "_";
  return name;
}

std::string WithoutControlCharacters(std::string value) {
  for (char& c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '_';
  }
  return value;
}

std::string UploadInfoText(const std::string& fileNameTemplateText) {
  // One line, whatever the template spans.
  std::string line = "Uploadinfo: " + fileNameTemplateText;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

} // namespace velmora
