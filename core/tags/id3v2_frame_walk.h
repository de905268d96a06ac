#pragma once
// The walk over the frames of an ID3v2 tag of version 2.2, 2.3 or 2.4, after the ID3v2.2.0,
// 2.3.0 and 2.4.0 standards and the habits of other writers: tag-level unsynchronisation undone,
// an extended header skipped, frame sizes read the way that leads from frame to frame.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct Id3v2RawFrame {
  int version;            // major version of the tag: 2, 3 or 4
  std::string_view id;    // as stored: three characters in version 2.2, else four
  std::string_view body;  // as stored, cut at the tag's end
  std::uint32_t size = 0; // as the header gives it; more than body holds when cut
  unsigned char statusFlags = 0, formatFlags = 0; // zero in version 2.2
  bool tagUnsynchronised = false;                 // version 2.4: every frame body is unsynchronised
};

// Calls visit for each frame in tag order until it returns false or the frames end. tagBytes are
// the tag's bytes from its header on (fewer when the file is shorter); never reads outside them.
// Tags of other versions, and compressed version 2.2 tags, have no frames to visit.
void WalkId3v2Frames(std::string_view tagBytes,
                     const std::function<bool(const Id3v2RawFrame&)>& visit);

// The frame body with the additions that its format flags announce removed and a compressed one
// decompressed; nullopt when it is encrypted or does not decompress.
std::optional<std::string> PlainFrameBody(const Id3v2RawFrame& frame);
// Whether the frame's format flags announce zlib compression.
bool IsCompressed(const Id3v2RawFrame& frame);

// Four (or, for version 2.2, three) characters of A-Z and 0-9.
bool IsFrameId(std::string_view id);

} // namespace velmora
