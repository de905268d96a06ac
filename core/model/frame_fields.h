#pragma once
// The one table between the ID3v2 frames Velmora writes and the form's fields. The writer takes
// the order, ids, body kinds and flags from it, the reader the frames it knows, the loader the
// fields they fill and the update command the texts they are written from. A frame more or a
// changed order is one line here.
#include <array>
#include <optional>
#include <string_view>

#include "core/model/tag_form.h"

namespace velmora {

// What follows the frame header: an encoding byte, for a comment also the language "ger" and an
// empty description, for a URL an empty description.
enum class FrameBody { Text, Comment, Url };

// Where the update takes the frame's text from.
enum class FrameSource {
  Field,        // the form field
  RecordAuthor, // the author of the last applied record (recAutor), not the artist field
  Genre,        // the ID3v2 genre list
};

struct FrameField {
  std::string_view id;    // ID3v2.3 frame id
  std::string_view v22Id; // the same frame in an ID3v2.2 tag
  FrameBody body;
  unsigned char statusFlags; // TENC asks to be discarded when the file is altered
  FrameSource source;
  // The field a loaded frame fills; nullopt for a frame that loading does not read (TCON). TPE1
  // fills recAutor as well.
  std::optional<FormField> field;
};

inline constexpr std::array<FrameField, 12> kFrameFields = {{
    {"TRCK", "TRK", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Track},
    {"TIT2", "TT2", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Title},
    {"TPE1", "TP1", FrameBody::Text, 0x00, FrameSource::RecordAuthor, FormField::v2Artist},
    {"TALB", "TAL", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Album},
    {"TYER", "TYE", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Year},
    {"TCON", "TCO", FrameBody::Text, 0x00, FrameSource::Genre, std::nullopt},
    {"COMM", "COM", FrameBody::Comment, 0x00, FrameSource::Field, FormField::v2Comment},
    {"TCOM", "TCM", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Composer},
    {"TOPE", "TOA", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2OrigArtist},
    {"TCOP", "TCR", FrameBody::Text, 0x00, FrameSource::Field, FormField::v2Copyright},
    {"WXXX", "WXX", FrameBody::Url, 0x00, FrameSource::Field, FormField::v2Url},
    {"TENC", "TEN", FrameBody::Text, 0x40, FrameSource::Field, FormField::v2EncodedBy},
}};

} // namespace velmora
