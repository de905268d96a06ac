#pragma once
// What one "&Aktualisieren" writes, decided before the first byte is written.
#include <string>

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
};

} // namespace velmora
