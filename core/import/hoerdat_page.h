#pragma once
// The import of a Hördat web page's HTML text: seven fields cut out between fixed fragments.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The production line taken apart: 'WDR 1975.' -> copyright 'WDR 1975', year '1975',
// station 'WDR'.
struct PageProduction {
  std::string copyright;
  std::string year;
  std::string station;
};

// The page's fields, cleaned for use; a field the page lacks stays empty.
struct HoerdatPageFields {
  std::optional<std::string> author;
  std::optional<std::string> title;    // article moved to the front
  std::optional<std::string> synopsis; // line breaks as CR LF
  std::optional<std::string> cast;     // names joined by ", "
  std::optional<std::string> director;
  std::optional<std::string> length; // with " min." unless empty
  std::optional<PageProduction> production;
  // Only the label layout of today's pages has these.
  std::optional<std::string> genre;
  std::optional<std::string> adaptation;
  std::optional<std::string> kind; // the kind of play, e.g. "Originalhörspiel dt."
};

// True when the page held at least one of the fields.
bool HasAnyField(const HoerdatPageFields& fields);

// Every field is searched from the page's start.
HoerdatPageFields ReadHoerdatPage(std::string_view page);

} // namespace velmora
