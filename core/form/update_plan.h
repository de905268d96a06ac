#pragma once
// What one "&Aktualisieren" writes, decided before the first byte is written.
#include <cstdint>
#include <optional>
#include <string>

#include "core/tags/tagged_file_writer.h"

namespace velmora {

struct UpdatePlan : TaggedFileWrite {
  std::string fileNameTemplateText; // names the description file and the upload info
};

} // namespace velmora
