#pragma once
// The stand-in's side of a Hördat query: the parameters a to d, the matching of records and the
// answer in the marker format that Velmora parses.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"

namespace hoerdat_standin {

// The decoded parameters (Windows-1252); an empty one matches every record.
struct SearchParams {
  std::string author;  // a: the author's last name
  std::string title;   // b: titel1
  std::string station; // c: produktion
  std::string year;    // d: jahr
};

// Parses the query part of a request target ("/x.php?a=M%fcller&b=&c=&d="). nullopt for a bad
// request: no query, a malformed %-escape, an unknown or repeated parameter.
std::optional<SearchParams> ParseSearchParams(std::string_view target);

// True when field begins with pattern, letters compared without regard to case (ASCII and
// Latin-1), ".*" in the pattern standing for any text.
bool MatchesPattern(std::string_view pattern, std::string_view field);

// The whole answer: " Kein Datensatz gefunden.", the "Mehr als" message when more than limit
// records match, or the matching records in catalogue order.
std::string AnswerSearch(const std::vector<PlayRecord>& catalog, const SearchParams& params,
                         std::size_t limit);

} // namespace hoerdat_standin
