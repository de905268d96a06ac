#pragma once
// One part of a play as the update of all parts will write it, and what its confirmation shows
// beside the parts.
#include <string>
#include <vector>

namespace velmora {

struct PartTarget {
  int partNumber = 0;
  std::string sourcePath, targetPath; // native paths
  bool targetExists = false;          // the write replaces a file ("wird überschrieben")
};

// A file that is not a part of any play although it may be named like one, and why.
struct StrayFile {
  std::string path; // native path
  std::string why;  // message
};

// The one confirmation of the update of all parts: the parts to write, the numbers of the parts
// that are not there, and the files named like parts of the play that are left alone.
struct PartsConfirmation {
  std::vector<PartTarget> parts;
  int partCount = 0;
  std::vector<int> missingParts;
  std::vector<StrayFile> strays;
};

} // namespace velmora
