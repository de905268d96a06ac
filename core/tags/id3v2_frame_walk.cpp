#include "core/tags/id3v2_frame_walk.h"

#include <algorithm>

#include "core/tags/id3v2.h"

namespace velmora {
namespace {

struct FrameLayout {
  int version;
  std::size_t idLength;
  std::size_t headerLength;
};

std::uint32_t ReadNumber(std::string_view bytes, unsigned bitsPerByte) {
  const unsigned mask = (1u << bitsPerByte) - 1;
  std::uint32_t value = 0;
  for (char c : bytes)
    value = (value << bitsPerByte) | (static_cast<unsigned char>(c) & mask);
  return value;
}

// Unsynchronisation put a zero byte after every 0xFF; taking them out restores the data.
std::string UndoUnsynchronisation(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += bytes[i];
    if (bytes[i] == '\xff' && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
  }
  return out;
}

bool IsFrameIdCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsIdOfLength(std::string_view id, std::size_t length) {
  return id.size() == length && std::all_of(id.begin(), id.end(), IsFrameIdCharacter);
}

// Whether a frame may start at pos: the exact end of the frames, padding, or a frame ID. A size
// that leads anywhere else was read the wrong way.
bool LandsOnFrame(std::string_view frames, std::uint64_t pos, const FrameLayout& layout) {
  if (pos == frames.size()) return true;
  if (pos > frames.size()) return false;
  if (frames[pos] == '\0') return true;
  return IsIdOfLength(frames.substr(pos, layout.idLength), layout.idLength);
}

// Version 2.4 sizes are syncsafe, but a well-known writer put plain 32-bit numbers there. As
// other readers do, the syncsafe reading is kept unless only the plain one leads to a frame.
std::uint32_t FrameSize(std::string_view frames, std::uint64_t pos, const FrameLayout& layout) {
  const std::string_view field = frames.substr(pos + layout.idLength, layout.idLength);
  if (layout.version != 4) return ReadNumber(field, 8);
  const std::uint32_t syncsafe = ReadNumber(field, 7);
  const std::uint32_t plain = ReadNumber(field, 8);
  const auto end = [&](std::uint32_t size) { return pos + layout.headerLength + size; };
  if (plain != syncsafe && !LandsOnFrame(frames, end(syncsafe), layout) &&
      LandsOnFrame(frames, end(plain), layout))
    return plain;
  return syncsafe;
}

// Position of the first frame: past an extended header when the tag announces one and its size
// leads to a frame; a flag without such a header is ignored.
std::size_t FirstFramePosition(std::string_view frames, const FrameLayout& layout,
                               unsigned char tagFlags) {
  if (layout.version == 2 || !(tagFlags & 0x40) || frames.size() < 4) return 0;
  const std::string_view sizeField = frames.substr(0, 4);
  // Version 2.4 counts the size field itself and needs at least its six bytes.
  const std::uint64_t end =
      layout.version == 3 ? 4 + std::uint64_t{ReadNumber(sizeField, 8)} : ReadNumber(sizeField, 7);
  if (end < 6 || !LandsOnFrame(frames, end, layout)) return 0;
  return static_cast<std::size_t>(end);
}

} // namespace

bool IsFrameId(std::string_view id) {
  return IsIdOfLength(id, id.size() == 3 ? 3 : 4);
}

void WalkId3v2Frames(std::string_view tagBytes,
                     const std::function<bool(const Id3v2RawFrame&)>& visit) {
  if (tagBytes.size() < 10 || !tagBytes.starts_with("ID3")) return;
  const int version = static_cast<unsigned char>(tagBytes[3]);
  const auto tagFlags = static_cast<unsigned char>(tagBytes[5]);
  // Version 2.2 defines no compression scheme and asks readers to skip such tags; later major
  // versions may change the layout.
  if (version < 2 || version > 4 || (version == 2 && (tagFlags & 0x40))) return;

  const FrameLayout layout{version, version == 2 ? 3u : 4u, version == 2 ? 6u : 10u};
  std::string_view frames = tagBytes.substr(10, MeasureId3v2Tag(tagBytes) - 10);
  std::string resynchronised;
  if (version < 4 && (tagFlags & 0x80)) {
    resynchronised = UndoUnsynchronisation(frames);
    frames = resynchronised;
  }

  std::uint64_t pos = FirstFramePosition(frames, layout, tagFlags);
  while (pos + layout.headerLength <= frames.size()) {
    const std::string_view header = frames.substr(pos, layout.headerLength);
    const std::uint32_t size = FrameSize(frames, pos, layout);
    Id3v2RawFrame frame{version, header.substr(0, layout.idLength),
                        frames.substr(pos + layout.headerLength, size), size};
    if (version != 2) {
      frame.statusFlags = static_cast<unsigned char>(header[8]);
      frame.formatFlags = static_cast<unsigned char>(header[9]);
    }
    frame.tagUnsynchronised = version == 4 && (tagFlags & 0x80);
    if (!visit(frame)) return;
    pos += layout.headerLength + size;
  }
}

std::optional<std::string> PlainFrameBody(const Id3v2RawFrame& frame) {
  std::string_view body = frame.body;
  const unsigned char formatFlags = frame.formatFlags;
  auto dropPrefix = [&body](std::size_t n) { body.remove_prefix(std::min(n, body.size())); };
  if (frame.version == 3) {
    if (formatFlags & 0xC0) return std::nullopt;
    if (formatFlags & 0x20) dropPrefix(1); // group identifier
    return std::string(body);
  }
  if (frame.version == 4) {
    if (formatFlags & 0x0C) return std::nullopt;
    if (formatFlags & 0x40) dropPrefix(1); // group identifier
    if (formatFlags & 0x01) dropPrefix(4); // data length indicator
    if ((formatFlags & 0x02) || frame.tagUnsynchronised) return UndoUnsynchronisation(body);
  }
  return std::string(body);
}

} // namespace velmora
