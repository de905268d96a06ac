#pragma once
// The parts of one radio play in the file list: names that the loading rules read as the same
// author, title and station with the same part count ("1v3", "2v3", "3v3").
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct PlayPart {
  std::string path;            // native path
  std::string partDesignation; // Windows-1252, e.g. "2v3"
  int partNumber = 0;
};

// What the update of all parts did with one part.
struct PartUpdate {
  int partNumber = 0;
  std::string sourcePath, targetPath; // native paths; targetPath empty when none was planned
  bool written = false;
};

// The parts of the loaded file's play among listedPaths, the loaded file included, in part order;
// one file a part (the loaded file for its own number, otherwise the first listed). Empty when
// the loaded file's name carries no part designation.
std::vector<PlayPart> FindPlayParts(const std::string& loadedPath,
                                    const std::vector<std::string>& listedPaths,
                                    std::string_view stationSeparator);

// A title for another part of the play: the loaded part's designation (its last occurrence as a
// word) replaced by the other part's, or the other part's appended after a blank when the title
// does not hold the loaded part's. An empty title stays empty.
std::string PartTitle(std::string_view title, std::string_view loadedDesignation,
                      std::string_view partDesignation);

} // namespace velmora
