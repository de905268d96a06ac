#pragma once
#include <string>

namespace velmora {

// One row of the choice among several Hördat records (of a search or of a page), as the answer
// has the texts: the four columns, then what the detail pane shows of the row.
struct ResultRow {
  std::string author, title, station, year;
  std::string secondTitle; // e.g. "Teil 2: Die Ernte"
  std::string broadcast;   // a page's first broadcast, e.g. "WDR 5 - … Teil 1/3"
  std::string length, kind, genre, director, synopsis, cast;
};

} // namespace velmora
