#pragma once
// What an update needs to know of an audio file before it reads its audio: the tag area at its
// start, which the new tag replaces.
#include <cstdint>
#include <string>

namespace velmora {

struct SourceTag {
  enum class Status { Ok, CannotOpen, NotMpeg } status = Status::CannotOpen;
  std::string head;       // the first bytes, as far as the ID3v2 header reaches
  std::uint64_t area = 0; // the tag (and a stale one right behind it); 0 without a tag
};

// An ID3v2 tag at the start is measured; without one the file must start as MPEG audio does.
SourceTag MeasureSourceTag(const std::string& path);

} // namespace velmora
