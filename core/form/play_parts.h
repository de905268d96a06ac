#pragma once
// Radio plays among audio files: names that the loading rules read as the same author (as
// written, first names included), title, station and year with the same part count ("1v3",
// "2v3", "3v3"), or as one play in one file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/part_target.h"

namespace velmora {

struct PlayPart {
  std::string path;            // native path
  std::string partDesignation; // e.g. "2v3"
  int partNumber = 0;
};

// What the update of all parts did with one part.
struct PartUpdate {
  int partNumber = 0;
  std::string sourcePath, targetPath; // native paths; targetPath empty when none was planned
  bool written = false;
};

struct Play {
  std::string author, title, station, year; // as the name gives them
  int partCount = 0;                        // 0 for a play in one file
  std::vector<PlayPart> parts;              // present, in part order; one file: part number 0
  std::vector<int> missing;                 // the numbers of the parts not present
  std::vector<StrayFile> strays;            // named like its parts, but none of them
};

struct PlayGrouping {
  std::vector<Play> plays;        // ordered by author, title, station, year, part count
  std::vector<StrayFile> outside; // names outside the habit (no author or no title)
};

// The plays among paths (native paths of audio files). A part number beyond the count is no
// part; of two files for one part the earlier in paths is the part; a file that is the same file
// as a part (a symbolic or hard link) is none, the link giving way to the file it names.
PlayGrouping GroupPlays(const std::vector<std::string>& paths, std::string_view stationSeparator);

// The play of the loaded file, grouped among listedPaths with the loaded file first (so that it
// is the part for its own number); nullopt when its name carries no part designation.
std::optional<Play> FindPlayOf(const std::string& loadedPath,
                               const std::vector<std::string>& listedPaths,
                               std::string_view stationSeparator);

// A title for another part of the play: the loaded part's designation (its last occurrence as a
// word) replaced by the other part's, or the other part's appended after a blank when the title
// does not hold the loaded part's. An empty title stays empty.
std::string PartTitle(std::string_view title, std::string_view loadedDesignation,
                      std::string_view partDesignation);

} // namespace velmora
