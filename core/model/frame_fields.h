#pragma once
// The one table between the ID3v2 frames Velmora writes and the form's fields: row for row the
// frames of kWrittenFrames (core/tags/id3v2_written_frames.h), each with the field it is written
// from and loaded into. The loader takes the fields from it, the update command the texts. A
// frame more is a row there and one here.
#include <array>
#include <optional>
#include <string_view>

#include "core/model/tag_form.h"
#include "core/tags/id3v2_written_frames.h"

namespace velmora {

// Where the update takes the frame's text from.
enum class FrameSource {
  Field,        // the form field
  RecordAuthor, // the author of the last applied record (recAutor), not the artist field
  Genre,        // the ID3v2 genre list
};

struct FrameField {
  std::string_view id; // the frame's ID3v2.3 id, as in kWrittenFrames
  FrameSource source;
  // The field a loaded frame fills; nullopt for a frame that loading does not read (TCON). TPE1
  // fills recAutor as well.
  std::optional<FormField> field;
};

inline constexpr std::array<FrameField, kWrittenFrameCount> kFrameFields = {{
    {"TRCK", FrameSource::Field, FormField::v2Track},
    {"TIT2", FrameSource::Field, FormField::v2Title},
    {"TPE1", FrameSource::RecordAuthor, FormField::v2Artist},
    {"TALB", FrameSource::Field, FormField::v2Album},
    {"TYER", FrameSource::Field, FormField::v2Year},
    {"TCON", FrameSource::Genre, std::nullopt},
    {"COMM", FrameSource::Field, FormField::v2Comment},
    {"TCOM", FrameSource::Field, FormField::v2Composer},
    {"TOPE", FrameSource::Field, FormField::v2OrigArtist},
    {"TCOP", FrameSource::Field, FormField::v2Copyright},
    {"WXXX", FrameSource::Field, FormField::v2Url},
    {"TENC", FrameSource::Field, FormField::v2EncodedBy},
}};

// The update fills the texts of the written frames by index, the loader the fields of the frames
// read: both tables must agree row for row.
constexpr bool MatchesWrittenFrames() {
  for (std::size_t i = 0; i < kWrittenFrameCount; ++i)
    if (kFrameFields[i].id != kWrittenFrames[i].id ||
        kFrameFields[i].field.has_value() != kWrittenFrames[i].read)
      return false;
  return true;
}
static_assert(MatchesWrittenFrames());

} // namespace velmora
