#pragma once
// The frames of a loaded tag besides the twelve that Velmora writes — covers, lyrics, user
// texts — carried into the new ID3v2.3 tag, and the pictures shown from them.
#include <string>
#include <string_view>
#include <vector>

#include "core/model/tag_picture.h"

namespace velmora {

struct OtherFrames {
  std::string bytes;                // the frames in ID3v2.3 layout, in the tag's order
  std::vector<std::string> leftOut; // IDs of the frames that cannot be carried, in order
};

// tagBytes: the tag from its header on. Version 2.3 frames are carried byte for byte; version
// 2.2 and 2.4 frames when their ID3v2.3 form is known and holds the same data (a picture's
// format or description converted), else they are left out.
OtherFrames CarryOtherFrames(std::string_view tagBytes);

// The pictures of the tag in its order.
std::vector<TagPicture> ReadPictures(std::string_view tagBytes);

} // namespace velmora
