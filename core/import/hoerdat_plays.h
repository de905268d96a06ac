#pragma once
// Today's Hördat pages as a browser shows them: each play a block of "Label: value" lines after
// its title, one play or a day's many after a header of navigation. UTF-8 texts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/hoerdat_page.h"

namespace velmora {

struct HoerdatPlay {
  HoerdatPageFields fields; // as the import applies them; a missing label leaves its field empty
  std::string secondTitle;  // "Auch unter dem Titel:"
  std::string broadcast;    // the first "Sendetermine:" line
};

// The plays of a page's text, in page order. A play starts with the line before its first
// "Sendetermine:" line; a label's value runs on over the following lines up to the next known
// label, "Links:", "Mailformular", "Druckausgabe", "Expertenkommentar:" or the next play.
std::vector<HoerdatPlay> ReadHoerdatPlays(std::string_view text);

// The plays of what the clipboard holds: its text, else its HTML, else its text read as HTML.
std::vector<HoerdatPlay> ReadClipboardPlays(std::string_view text,
                                            const std::optional<std::string>& html);

} // namespace velmora
