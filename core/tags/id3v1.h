#pragma once
// The 128-byte ID3v1 record at the end of the file, ID3v1.1 when a track number is given.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::size_t kId3v1RecordSize = 128;
using Id3v1Record = std::array<unsigned char, kId3v1RecordSize>;

struct Id3v1Fields {
  std::string title, artist, album, year, comment, track; // UTF-8; track "" when none
};

// "TAG", fixed-width zero-filled fields of Windows-1252 bytes (each character in its nearest
// form, Čapek as Capek, since the record holds nothing else), CR LF -> blank in the first 30
// comment bytes, the ID3v1.1 track when track is not empty, genre byte always 101.
Id3v1Record ComposeId3v1Record(const Id3v1Fields& fields);

// The fields of the last 128 bytes of a file, read as Windows-1252, or nullopt when they are fewer
// or no "TAG" record.
std::optional<Id3v1Fields> ReadId3v1Record(std::string_view last128Bytes);

} // namespace velmora
