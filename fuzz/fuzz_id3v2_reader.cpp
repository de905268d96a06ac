// The ID3v2 reader and the measure of the tag area on arbitrary bytes, and the round trip of
// composed tags: every text without a zero byte, made valid UTF-8 as every text inside the core
// is, must come back unchanged (in an ISO-8859-1 frame or as UTF-16).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/tags/id3v2.h"
#include "core/tags/id3v2_tag_area.h"
#include "core/tags/id3v2_written_frames.h"
#include "core/text/encoding.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size); // exact size for ASan
  const std::uint32_t length = MeasureId3v2Tag(bytes);
  ParseId3v2Frames(std::string_view(bytes).substr(0, length));
  ParseId3v2Frames(bytes);
  const std::uint64_t area = MeasureId3v2TagArea([&bytes](std::uint64_t offset, std::size_t count) {
    return offset < bytes.size() ? bytes.substr(offset, count) : std::string();
  });
  // The area begins with the first tag and grows by whole tags of at least a header each.
  if (length != 0 && area < length) std::abort();

  Id3v2FrameTexts texts;
  std::size_t slot = 0;
  for (char c : bytes) {
    if (c == '\0') {
      if (++slot == kWrittenFrameCount) break;
    } else {
      texts[slot] += c;
    }
  }
  for (std::string& text : texts)
    text = ValidUtf8(text);
  const std::string tag = ComposeId3v2Tag(texts, static_cast<long>(size % 64));
  const auto frames = ParseId3v2Frames(tag + std::string(size % 64, '\0'));
  const std::size_t slots[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}; // TCON is not read
  if (frames.size() != 11) std::abort();
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::string& text = texts[slots[i]];
    // A URL stays ISO-8859-1 by the standard: one it cannot hold comes back percent-encoded.
    if (kWrittenFrames[slots[i]].id == "WXXX" && !Utf8ToLatin1(text)) {
      for (const char c : frames[i].text)
        if (static_cast<unsigned char>(c) >= 0x80) std::abort();
      continue;
    }
    if (frames[i].text != text) std::abort();
  }
  return 0;
}
