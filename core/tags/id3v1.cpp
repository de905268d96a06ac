#include "core/tags/id3v1.h"

#include <algorithm>

#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

constexpr std::size_t kTitleOffset = 3, kArtistOffset = 33, kAlbumOffset = 63, kYearOffset = 93,
                      kCommentOffset = 97, kTrackMarkerOffset = 125, kTrackOffset = 126,
                      kGenreOffset = 127;
constexpr std::size_t kTextWidth = 30, kYearWidth = 4, kShortCommentWidth = 28;
constexpr unsigned char kSpeechGenre = 101;

// Copies at most width bytes of Windows-1252 (one a character, so no character is split); the rest
// of the zero-filled field stays zero.
void PutField(Id3v1Record& record, std::size_t offset, std::size_t width, std::string_view text) {
  std::copy_n(text.begin(), std::min(width, text.size()), record.begin() + offset);
}

std::string GetField(std::string_view record, std::size_t offset, std::size_t width) {
  const std::string_view field = record.substr(offset, width);
  return Cp1252ToUtf8(field.substr(0, field.find('\0')));
}

} // namespace

Id3v1Record ComposeId3v1Record(const Id3v1Fields& fields) {
  Id3v1Record record{};
  PutField(record, 0, 3, "TAG");
  PutField(record, kTitleOffset, kTextWidth, Utf8ToNearestCp1252(fields.title));
  PutField(record, kArtistOffset, kTextWidth, Utf8ToNearestCp1252(fields.artist));
  PutField(record, kAlbumOffset, kTextWidth, Utf8ToNearestCp1252(fields.album));
  PutField(record, kYearOffset, kYearWidth, Utf8ToNearestCp1252(fields.year));

  std::string comment = Utf8ToNearestCp1252(fields.comment).substr(0, kTextWidth);
  ReplaceAll(comment, "\r\n", " ");
  if (fields.track.empty()) {
    PutField(record, kCommentOffset, kTextWidth, comment);
  } else {
    PutField(record, kCommentOffset, kShortCommentWidth, comment);
    // The track byte takes the number modulo 256, as an 8-bit store of atoi's value does.
    record[kTrackOffset] = static_cast<unsigned char>(ParseLeadingInt(fields.track));
  }
  record[kGenreOffset] = kSpeechGenre;
  return record;
}

std::optional<Id3v1Fields> ReadId3v1Record(std::string_view last128Bytes) {
  if (last128Bytes.size() < kId3v1RecordSize) return std::nullopt;
  const std::string_view record = last128Bytes.substr(last128Bytes.size() - kId3v1RecordSize);
  if (!record.starts_with("TAG")) return std::nullopt;
  Id3v1Fields fields;
  fields.title = GetField(record, kTitleOffset, kTextWidth);
  fields.artist = GetField(record, kArtistOffset, kTextWidth);
  fields.album = GetField(record, kAlbumOffset, kTextWidth);
  fields.year = GetField(record, kYearOffset, kYearWidth);
  fields.comment = GetField(record, kCommentOffset, kTextWidth);
  const auto trackMarker = static_cast<unsigned char>(record[kTrackMarkerOffset]);
  const auto track = static_cast<unsigned char>(record[kTrackOffset]);
  if (trackMarker == 0 && track != 0) fields.track = std::to_string(track);
  return fields;
}

} // namespace velmora
