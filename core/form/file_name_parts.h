#pragma once
// The naming habit of radio-play collections, read from a file name such as
// 'Max Muster - Der stille Garten 2v3 - RBX, 98': author's last name (and the author as written),
// title, part designation, station and a two-digit year. Pure functions over UTF-8 texts.
#include <string>
#include <string_view>

namespace velmora {

struct FileNameParts {
  std::string author, title, station, year;
  // The author as the name writes it, first names included ('Max Muster'); the search mask takes
  // only the last name, which two authors may share.
  std::string authorAsWritten;
  std::string partDesignation; // e.g. "2v3", empty when the title carries none
};

// The file's name without directory (the text after the last "/") and without extension (cut at
// the last "."; a name without a dot stays whole).
std::string BaseNameWithoutExtension(std::string_view path);

// The extension of the file's name (after the last "." of the name, without the dot); empty when
// the name has no dot.
std::string ExtensionOf(std::string_view path);

// Takes a name (without directory and extension) apart. stationSeparator is the text that stands
// for "/" between station names; empty leaves the station whole.
FileNameParts ParseFileName(std::string_view name, std::string_view stationSeparator);

} // namespace velmora
