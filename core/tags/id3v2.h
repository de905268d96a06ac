#pragma once
// ID3v2.3.0 tag as Velmora writes it (twelve frames in a fixed order, ISO-8859-1 texts or UTF-16
// with a byte-order mark for those ISO-8859-1 cannot hold, padding counted in the size) and a
// reader that also understands the conventions of other writers (encodings, versions 2.2 and 2.4,
// extended header, unsynchronisation).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tags/id3v2_other_frames.h"
#include "core/tags/id3v2_written_frames.h"
#include "core/tags/tag_picture.h"

namespace velmora {

// The texts of the written frames (UTF-8), in the order of kWrittenFrames.
using Id3v2FrameTexts = std::array<std::string, kWrittenFrameCount>;

// The frames of the tag without header and padding: the twelve in table order, then otherFrames
// (complete ID3v2.3 frames).
std::string ComposeId3v2Frames(const Id3v2FrameTexts& texts, std::string_view otherFrames = {});

// The header, then frames (the padding not included); the size field already counts
// paddingLength zero bytes that the caller writes behind the returned bytes. A negative padding
// counts as 0. The frames and the padding together must stay below 2^28 bytes, the most a
// syncsafe size holds. So a caller can measure the frames before it chooses the padding.
std::string WithId3v2Header(std::string_view frames, long paddingLength);

// WithId3v2Header(ComposeId3v2Frames(texts, otherFrames), paddingLength).
std::string ComposeId3v2Tag(const Id3v2FrameTexts& texts, long paddingLength,
                            std::string_view otherFrames = {});

// The most bytes a tag's syncsafe size field counts (frames and padding, without the header).
inline constexpr std::size_t kMaxId3v2Size = (std::size_t{1} << 28) - 1;

// The padding to write behind frames of framesLength bytes: the requested one (never negative),
// cut so that frames and padding stay within kMaxId3v2Size, which a larger one would wrap.
long FittingPadding(std::size_t framesLength, long requested);

// A padding of at least requested (never negative) and less than requested + blockSize, chosen so
// that the audio behind header, frames and padding starts at the same offset within a block of
// blockSize bytes as audioOffset does in the source: then a file system that clones blocks can
// share every whole block of the audio with the source. FittingPadding when that would not fit
// the size field.
long SharingPadding(std::size_t framesLength, long requested, std::uint64_t audioOffset,
                    std::uint64_t blockSize);

// Given the first 10 bytes of a file (fewer count as missing zeros): 0 when they do not start
// with "ID3", else the syncsafe tag size + 10.
std::uint32_t MeasureId3v2Tag(std::string_view fileStart);

// Writes value as a 4-byte syncsafe number (value < 2^28).
std::array<unsigned char, 4> EncodeSyncsafe(std::uint32_t value);

struct Id3v2Frame {
  std::string id;   // the ID3v2.3 frame ID (v2.2 IDs are mapped)
  std::string text; // UTF-8
};

// What loading takes from a tag, read in one walk over its frames. tagBytes are the first
// tag-length bytes of the file (or fewer when the file is shorter); never reads outside them.
struct Id3v2Contents {
  // The texts of the written frames that are read (kWrittenFrames[i].read), in file order.
  std::vector<Id3v2Frame> frames;
  OtherFrames otherFrames;          // the other frames carried into the new tag, and those left out
  std::vector<TagPicture> pictures; // in the tag's order
  // IDs of the compressed frames that did not decompress, each once: they are skipped.
  std::vector<std::string> unreadable;
};
Id3v2Contents ReadId3v2Contents(std::string_view tagBytes);

// ReadId3v2Contents(tagBytes).frames.
std::vector<Id3v2Frame> ParseId3v2Frames(std::string_view tagBytes);

} // namespace velmora
