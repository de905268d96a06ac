#include "core/tags/genres.h"

#include <array>
#include <cstdio>

namespace velmora {
namespace {

// The published ID3v1 list with the Winamp extensions, by number.
constexpr std::array<std::string_view, 145> kGenreTable = {"Blues",
                                                           "Classic Rock",
                                                           "Country",
                                                           "Dance",
                                                           "Disco",
                                                           "Funk",
                                                           "Grunge",
                                                           "Hip-Hop",
                                                           "Jazz",
                                                           "Metal",
                                                           "New Age",
                                                           "Oldies",
                                                           "Other",
                                                           "Pop",
                                                           "R&B",
                                                           "Rap",
                                                           "Reggae",
                                                           "Rock",
                                                           "Techno",
                                                           "Industrial",
                                                           "Alternative",
                                                           "Ska",
                                                           "Death Metal",
                                                           "Pranks",
                                                           "Soundtrack",
                                                           "Euro-Techno",
                                                           "Ambient",
                                                           "Trip-Hop",
                                                           "Vocal",
                                                           "Jazz+Funk",
                                                           "Fusion",
                                                           "Trance",
                                                           "Classical",
                                                           "Instrumental",
                                                           "Acid",
                                                           "House",
                                                           "Game",
                                                           "Sound Clip",
                                                           "Gospel",
                                                           "Noise",
                                                           "Alternative Rock",
                                                           "Bass",
                                                           "Soul",
                                                           "Punk",
                                                           "Space",
                                                           "Meditative",
                                                           "Instrumental Pop",
                                                           "Instrumental Rock",
                                                           "Ethnic",
                                                           "Gothic",
                                                           "Darkwave",
                                                           "Techno-Industrial",
                                                           "Electronic",
                                                           "Pop-Folk",
                                                           "Eurodance",
                                                           "Dream",
                                                           "Southern Rock",
                                                           "Comedy",
                                                           "Cult",
                                                           "Gangsta",
                                                           "Top 40",
                                                           "Christian Rap",
                                                           "Pop/Funk",
                                                           "Jungle",
                                                           "Native American",
                                                           "Cabaret",
                                                           "New Wave",
                                                           "Psychedelic",
                                                           "Rave",
                                                           "Showtunes",
                                                           "Trailer",
                                                           "Lo-Fi",
                                                           "Tribal",
                                                           "Acid Punk",
                                                           "Acid Jazz",
                                                           "Polka",
                                                           "Retro",
                                                           "Musical",
                                                           "Rock & Roll",
                                                           "Hard Rock",
                                                           "Folk",
                                                           "Folk-Rock",
                                                           "National Folk",
                                                           "Swing",
                                                           "Fast Fusion",
                                                           "Bebob",
                                                           "Latin",
                                                           "Revival",
                                                           "Celtic",
                                                           "Bluegrass",
                                                           "Avantgarde",
                                                           "Gothic Rock",
                                                           "Progressive Rock",
                                                           "Psychedelic Rock",
                                                           "Symphonic Rock",
                                                           "Slow Rock",
                                                           "Big Band",
                                                           "Chorus",
                                                           "Easy Listening",
                                                           "Acoustic",
                                                           "Humour",
                                                           "Speech",
                                                           "Chanson",
                                                           "Opera",
                                                           "Chamber Music",
                                                           "Sonata",
                                                           "Symphony",
                                                           "Booty Bass",
                                                           "Primus",
                                                           "Porn Groove",
                                                           "Satire",
                                                           "Slow Jam",
                                                           "Club",
                                                           "Tango",
                                                           "Samba",
                                                           "Folklore",
                                                           "Ballad",
                                                           "Power Ballad",
                                                           "Rhythmic Soul",
                                                           "Freestyle",
                                                           "Duet",
                                                           "Punk Rock",
                                                           "Drum Solo",
                                                           "Acapella",
                                                           "Euro-House",
                                                           "Dance Hall",
                                                           "Goa",
                                                           "Drum & Bass",
                                                           "Club-House",
                                                           "Hardcore",
                                                           "Terror",
                                                           "Indie",
                                                           "BritPop",
                                                           "Afro-Punk",
                                                           "Polsk Punk",
                                                           "Beat",
                                                           "Christian Gangsta Rap",
                                                           "Heavy Metal",
                                                           "Black Metal",
                                                           "Crossover",
                                                           "Contemporary Christian",
                                                           "Christian Rock",
                                                           "Merengue",
                                                           "Salsa",
                                                           "Trash Metal"};

struct OfferSpelling {
  int number;
  std::string_view name;
};
// The drop-down lists show these four genres in older spellings.
constexpr OfferSpelling kOfferSpellings[] = {
    {40, "AlternRock"}, {66, "Wave"}, {67, "Psychadelic"}, {123, "A capella"}};

} // namespace

std::string_view GenreTableName(int number) {
  if (number < 0 || number >= static_cast<int>(kGenreTable.size())) return {};
  return kGenreTable[static_cast<std::size_t>(number)];
}

std::string_view OfferListName(int number) {
  if (number < 0 || number >= kOfferedGenreCount) return {};
  for (const OfferSpelling& spelling : kOfferSpellings)
    if (spelling.number == number) return spelling.name;
  return kGenreTable[static_cast<std::size_t>(number)];
}

std::string FormatTconText(int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "(%03d)", number);
  return digits + std::string(GenreTableName(number));
}

} // namespace velmora
