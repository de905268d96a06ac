#pragma once
// The twelve ID3v2 frames Velmora writes, in the order it writes them. The writer takes the ids,
// body kinds and flags from here, the reader the frames it returns; which form field each frame
// belongs to is the form's business (core/model/frame_fields.h), row for row in this order.
#include <array>
#include <string_view>

namespace velmora {

// What follows the frame header: an encoding byte, for a comment also the language "ger" and an
// empty description, for a URL an empty description.
enum class FrameBody { Text, Comment, Url };

struct WrittenFrame {
  std::string_view id;    // ID3v2.3 frame id
  std::string_view v22Id; // the same frame in an ID3v2.2 tag
  FrameBody body;
  unsigned char statusFlags; // TENC asks to be discarded when the file is altered
  bool read;                 // whether ParseId3v2Frames returns its text: not TCON, the genre list
};

inline constexpr std::array<WrittenFrame, 12> kWrittenFrames = {{
    {"TRCK", "TRK", FrameBody::Text, 0x00, true},
    {"TIT2", "TT2", FrameBody::Text, 0x00, true},
    {"TPE1", "TP1", FrameBody::Text, 0x00, true},
    {"TALB", "TAL", FrameBody::Text, 0x00, true},
    {"TYER", "TYE", FrameBody::Text, 0x00, true},
    {"TCON", "TCO", FrameBody::Text, 0x00, false},
    {"COMM", "COM", FrameBody::Comment, 0x00, true},
    {"TCOM", "TCM", FrameBody::Text, 0x00, true},
    {"TOPE", "TOA", FrameBody::Text, 0x00, true},
    {"TCOP", "TCR", FrameBody::Text, 0x00, true},
    {"WXXX", "WXX", FrameBody::Url, 0x00, true},
    {"TENC", "TEN", FrameBody::Text, 0x40, true},
}};

inline constexpr std::size_t kWrittenFrameCount = kWrittenFrames.size();

} // namespace velmora
