#pragma once
// What an update needs to know of an audio file before it reads its audio: the tag area at its
// start, which the new tag replaces.
#include <cstdint>
#include <optional>
#include <string>

#include "core/io/readable_file.h"

namespace velmora {

struct SourceTag {
  enum class Status { Ok, CannotOpen, NotRegular, NotMpeg } status = Status::CannotOpen;
  std::string head;       // the first bytes, as far as the ID3v2 header reaches
  std::uint64_t area = 0; // the tag (and a stale one right behind it); 0 without a tag
};

// An ID3v2 tag at the start is measured; without one the file must start as MPEG audio does.
SourceTag MeasureSourceTag(const ReadableFile& file);

// The bytes of the first tag (its header's length), without a stale one behind it; nullopt
// without a tag or when they cannot be read.
std::optional<std::string> ReadFirstTag(const ReadableFile& file, const SourceTag& source);

// The message of a file that cannot be loaded or updated for the status given.
std::string SourceFailure(SourceTag::Status status, const std::string& path);

} // namespace velmora
