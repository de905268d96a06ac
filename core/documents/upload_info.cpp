#include "core/documents/output_documents.h"

namespace velmora {

std::string UploadInfoText(const std::string& fileNameTemplateText) {
  return "Uploadinfo: " + fileNameTemplateText;
}

} // namespace velmora
