#pragma once
// The bytes at a file's start that ID3v2 tags take. Besides the first tag this counts its
// ID3v2.4 footer and any tag that follows directly (an old one another program left behind),
// so that an update replaces them all and the copy holds exactly one tag before the audio.
#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

// readAt(offset, count) returns up to count bytes of the file from offset (fewer at its end).
// Returns 0 when the file does not start with an ID3v2 tag. The result may exceed the file's
// size when the first tag's header claims more than the file holds.
std::uint64_t MeasureId3v2TagArea(
    const std::function<std::string(std::uint64_t offset, std::size_t count)>& readAt);

} // namespace velmora
