#pragma once
// A collection: a folder with its subfolders read as radio plays. Each audio file is read as far
// as loading reads it (its head and its tag), so that thousands of files take seconds.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/form/play_parts.h"

namespace velmora {

// Told while a collection is read, from the thread that reads it.
class CollectionProgress {
public:
  virtual ~CollectionProgress() = default;
  // filesRead of filesFound audio files are read (filesFound grows while the folders are
  // listed, when filesRead is 0); false ends the reading.
  virtual bool Continue(std::size_t filesRead, std::size_t filesFound) = 0;
};

struct CollectionPlay {
  int id = 0;          // 1, 2, … in the plays' order
  Play play;           // paths relative to the folder
  bool tagged = false; // every present part has an ID3v2 tag with a title and an artist
};

// An audio file that is no part of a play, and why.
struct CollectionStray {
  std::string file; // relative to the folder
  int playId = 0;   // the play it is named like; 0 for none
  std::string why;  // message
};

struct Collection {
  std::vector<CollectionPlay> plays;   // ordered by author, title, station, year
  std::vector<CollectionStray> strays; // ordered by file
};

// The plays below folder (a native path); nullopt when progress ended the reading.
std::optional<Collection> ReadCollection(const std::string& folder,
                                         std::string_view stationSeparator,
                                         CollectionProgress& progress);

// True when every word of filter (blanks between words) is found, without regard to
// case, in the play's author, title, station, year or one of its files.
bool PlayMatches(const CollectionPlay& entry, std::string_view filter);

} // namespace velmora
