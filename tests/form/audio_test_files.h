#pragma once
// Audio files as the tests make them, with tags composed by the core, and a look into them.
#include <string>
#include <string_view>

#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"

namespace velmora::test {

// A frame sync, then bytes that differ from block to block so that a shifted block shows.
inline std::string MpegAudio(std::size_t size) {
  std::string audio = "\xFF\xFB";
  for (std::size_t i = 0; i < size; ++i)
    audio += static_cast<char>((i * 7 + i / 4093) & 0xFF);
  return audio;
}

inline std::string Id3v2Tag(const Id3v2FrameTexts& texts, long padding = 0) {
  return ComposeId3v2Tag(texts, padding) + std::string(static_cast<std::size_t>(padding), '\0');
}

inline std::string Id3v1Bytes(const Id3v1Fields& fields) {
  const Id3v1Record record = ComposeId3v1Record(fields);
  return std::string(record.begin(), record.end());
}

inline std::string TagOf(const std::string& bytes) {
  return bytes.substr(0, MeasureId3v2Tag(bytes));
}

// An updated file as the default settings write it: one tag, the audio, an empty ID3v1 record.
inline bool IsTagThen(const std::string& bytes, const std::string& audio) {
  return bytes == TagOf(bytes) + audio + Id3v1Bytes({});
}

// The body of the first frame with the given ID in an ID3v2.3 tag (no checks beyond the bounds).
inline std::string FrameBody(const std::string& tag, std::string_view id) {
  for (std::size_t pos = 10, size = 0; pos + 10 <= tag.size() && tag[pos]; pos += 10 + size) {
    size = 0;
    for (std::size_t i = pos + 4; i < pos + 8; ++i)
      size = size * 256 + static_cast<unsigned char>(tag[i]);
    if (tag.compare(pos, 4, id) == 0) return tag.substr(pos + 10, size);
  }
  return {};
}

} // namespace velmora::test
