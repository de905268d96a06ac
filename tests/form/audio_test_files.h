#pragma once
// Audio files as the tests make them: MPEG audio, tags composed by the core, and a look at one
// frame of a written tag.
#include <string>
#include <string_view>

#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "support/temp_dir.h"

namespace velmora::test {

// MPEG audio: a frame sync first, then bytes that differ from block to block, so that a shifted
// or repeated block shows.
inline std::string MpegAudio(std::size_t size) {
  std::string audio = "\xFF\xFB";
  for (std::size_t i = 0; i < size; ++i)
    audio += static_cast<char>((i * 7 + i / 4093) & 0xFF);
  return audio;
}

// A complete ID3v2 tag with its padding bytes.
inline std::string Id3v2Tag(const Id3v2FrameTexts& texts, long padding = 0) {
  return ComposeId3v2Tag(texts, padding) + std::string(static_cast<std::size_t>(padding), '\0');
}

inline std::string Id3v1Bytes(const Id3v1Fields& fields) {
  const Id3v1Record record = ComposeId3v1Record(fields);
  return std::string(record.begin(), record.end());
}

// The tag at the start of a file's bytes, padding included.
inline std::string TagOf(const std::string& bytes) {
  return bytes.substr(0, MeasureId3v2Tag(bytes));
}

// The body of the first frame with the given ID in an ID3v2.3 tag (no checks beyond the bounds).
inline std::string FrameBody(const std::string& tag, std::string_view id) {
  std::size_t pos = 10;
  while (pos + 10 <= tag.size() && tag[pos] != '\0') {
    std::size_t size = 0;
    for (int i = 0; i < 4; ++i)
      size = size * 256 + static_cast<unsigned char>(tag[pos + 4 + i]);
    if (tag.compare(pos, 4, id) == 0) return tag.substr(pos + 10, size);
    pos += 10 + size;
  }
  return {};
}

} // namespace velmora::test
