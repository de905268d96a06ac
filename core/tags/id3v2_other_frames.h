#pragma once
// The frames of a loaded tag besides the twelve that Velmora writes — covers, lyrics, user
// texts — carried into the new ID3v2.3 tag, and the pictures shown from them.
#include <string>
#include <string_view>
#include <vector>

#include "core/tags/id3v2_frame_walk.h"
#include "core/tags/tag_picture.h"

namespace velmora {

struct OtherFrames {
  std::string bytes;                // the frames in ID3v2.3 layout, in the tag's order
  std::vector<std::string> leftOut; // IDs of the frames that cannot be carried, in order
};

// tagBytes: the tag from its header on. Version 2.3 frames are carried byte for byte; version
// 2.2 and 2.4 frames when their ID3v2.3 form is known and holds the same data (a picture's
// format or description converted), else they are left out.
// ReadId3v2Contents(tagBytes).otherFrames (core/tags/id3v2.h).
OtherFrames CarryOtherFrames(std::string_view tagBytes);

// The pictures of the tag in its order: ReadId3v2Contents(tagBytes).pictures.
std::vector<TagPicture> ReadPictures(std::string_view tagBytes);

// One frame of the walk of ReadId3v2Contents: carried into carried (or left out) unless it is one
// the program writes, and added to pictures when it is one. False at padding or bytes that are no
// frame, where the other frames end.
bool TakeOtherFrame(const Id3v2RawFrame& frame, OtherFrames& carried,
                    std::vector<TagPicture>& pictures);

} // namespace velmora
