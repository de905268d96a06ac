#pragma once
// Genre numbers of the published ID3v1 list with the Winamp extensions. The genre table gives the
// name written into TCON; the offer list fills the two drop-down lists and differs from the table
// in four spellings (40, 66, 67, 123).
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kOfferedGenreCount = 126; // numbers 0 .. 125
inline constexpr int kSpeechGenre = 101;

// Name of the genre table for 0..144, empty for any other number.
std::string_view GenreTableName(int number);
// Name shown in the drop-down lists for 0..125, empty for any other number.
std::string_view OfferListName(int number);
// The TCON text "(%03d)%s" for a number of the offer list.
std::string FormatTconText(int number);

} // namespace velmora
