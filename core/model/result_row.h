#pragma once
#include <string>

namespace velmora {

// One row of the choice among several Hördat records, as the answer has the texts.
struct ResultRow {
  std::string author, title, station, year; // Windows-1252
};

} // namespace velmora
