#pragma once
// The stand-in's records, loaded once from its tab-separated data file.
#include <optional>
#include <string>
#include <vector>

namespace hoerdat_standin {

// One radio play; every text is Windows-1252, line breaks are CR LF.
struct PlayRecord {
  std::string autor, titel1, titel2, produktion, jahr, laenge, hspTyp, genre, regie, bearbeitung,
      komposition, inhaltsangabe, mitwirkende;
};

// Reads the UTF-8 data file: "#" lines are comments, every other non-empty line holds the
// thirteen columns in the order of PlayRecord, "\n" inside a value standing for a line break.
// nullopt (with a reason in error) when the file cannot be read or a line is malformed.
std::optional<std::vector<PlayRecord>> LoadCatalog(const std::string& path, std::string& error);

} // namespace hoerdat_standin
