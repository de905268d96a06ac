#pragma once
// What one "&Aktualisieren" writes, decided before the first byte is written.
#include <cstdint>
#include <optional>
#include <string>

#include "core/tags/id3v1.h"

namespace velmora {

struct UpdatePlan {
  std::string sourcePath; // the loaded file (native path)
  std::string targetPath; // the file the user chose (native path)
  // Where the tagged data goes: targetPath, or, when the target is the loaded file under any
  // spelling (it must never be truncated), the name prefix of the temporary file beside it.
  std::string writePath;
  bool inPlace = false;
  std::string tag;                  // the composed ID3v2 tag without its padding
  long padding = 0;                 // zero bytes behind the tag, never negative
  std::string fileNameTemplateText; // names the description file and the upload info
  std::uint64_t oldTagLength = 0;   // the source's tag area, replaced by the new tag
  std::optional<Id3v1Record> id3v1; // put at the end of the file; none when switched off
};

} // namespace velmora
