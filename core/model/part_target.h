#pragma once
// One part of a play as the update of all parts will write it.
#include <string>

namespace velmora {

struct PartTarget {
  int partNumber = 0;
  std::string sourcePath, targetPath; // native paths
  bool targetExists = false;          // the write replaces a file ("wird überschrieben")
};

} // namespace velmora
