// The reader side of the ID3v2 tag. It reads the program's own tags byte for byte and, following
// the ID3v2.2.0, 2.3.0 and 2.4.0 standards, the tags of other writers: text encodings, comment and
// URL descriptions, syncsafe frame sizes, the extended header and unsynchronisation.
#include "core/tags/id3v2.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/text/encoding.h"

namespace velmora {
namespace {

using namespace std::string_view_literals;

// A frame that loading reads, under its version 2.3 ID; nullopt for any other frame.
std::optional<std::string_view> KnownFrameId(std::string_view id, int version) {
  for (const FrameField& frame : kFrameFields) {
    if (!frame.field) continue;
    if ((version == 2 ? frame.v22Id : frame.id) == id) return frame.id;
  }
  return std::nullopt;
}

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

enum TextEncoding : unsigned char { kLatin1 = 0, kUtf16Bom = 1, kUtf16BigEndian = 2, kUtf8 = 3 };

bool IsWide(unsigned char encoding) {
  return encoding == kUtf16Bom || encoding == kUtf16BigEndian;
}

// Length of the string at the start of bytes, up to its terminator (one zero byte, or two
// aligned ones for UTF-16) or the end of the bytes.
std::size_t StringLength(std::string_view bytes, bool wide) {
  if (!wide) return std::min(bytes.find('\0'), bytes.size());
  std::size_t i = 0;
  while (i + 1 < bytes.size() && !(bytes[i] == '\0' && bytes[i + 1] == '\0'))
    i += 2;
  return std::min(i, bytes.size());
}

// The bytes after the first string and its terminator.
std::string_view SkipString(std::string_view bytes, bool wide) {
  const std::size_t length = StringLength(bytes, wide);
  return bytes.substr(std::min(bytes.size(), length + (wide ? 2 : 1)));
}

std::string DecodeString(std::string_view bytes, unsigned char encoding) {
  std::string_view text = bytes.substr(0, StringLength(bytes, IsWide(encoding)));
  switch (encoding) {
  case kUtf16Bom: {
    // Without a byte-order mark, little endian is what such writers produce.
    bool bigEndian = false;
    if (text.starts_with("\xfe\xff"sv) || text.starts_with("\xff\xfe"sv)) {
      bigEndian = text[0] == '\xfe';
      text.remove_prefix(2);
    }
    return Utf16ToCp1252(text, bigEndian);
  }
  case kUtf16BigEndian:
    return Utf16ToCp1252(text, true);
  case kUtf8:
    return Utf8ToCp1252(text);
  default: // ISO-8859-1 and unknown encodings: the bytes as they stand
    return std::string(text);
  }
}

// A text frame may hold several values, each ended by a terminator (the ID3v2.4.0 standard, and
// common writers of v2.3 too); they are joined with "/" as users read them. A terminator at the
// end ends the last value and adds none.
std::string DecodeTextValues(std::string_view bytes, unsigned char encoding) {
  std::vector<std::string> values;
  for (; !bytes.empty(); bytes = SkipString(bytes, IsWide(encoding)))
    values.push_back(DecodeString(bytes, encoding));
  while (!values.empty() && values.back().empty())
    values.pop_back();
  std::string joined;
  for (std::size_t i = 0; i < values.size(); ++i)
    joined += (i == 0 ? "" : "/") + values[i];
  return joined;
}

std::string FrameText(std::string_view id, std::string_view body) {
  if (body.empty()) return {};
  const auto encoding = static_cast<unsigned char>(body[0]);
  body.remove_prefix(1);
  if (id == "COMM") {
    if (body.size() < 3) return {};
    body.remove_prefix(3); // language
    return DecodeString(SkipString(body, IsWide(encoding)), encoding);
  }
  if (id == "WXXX") {
    // The URL itself is always ISO-8859-1; only the description follows the encoding byte.
    return DecodeString(SkipString(body, IsWide(encoding)), kLatin1);
  }
  return DecodeTextValues(body, encoding);
}

struct FrameLayout {
  int version;
  std::size_t idLength;
  std::size_t headerLength;
  bool tagUnsynchronised; // version 2.4: every frame body is unsynchronised
};

// The frame body with the additions that its format flags announce removed, or nullopt when it
// is compressed or encrypted and so cannot be read as text.
std::optional<std::string> PlainFrameBody(std::string_view body, unsigned char formatFlags,
                                          const FrameLayout& layout) {
  auto dropPrefix = [&body](std::size_t n) { body.remove_prefix(std::min(n, body.size())); };
  if (layout.version == 3) {
    if (formatFlags & 0xC0) return std::nullopt;
    if (formatFlags & 0x20) dropPrefix(1); // group identifier
    return std::string(body);
  }
  if (layout.version == 4) {
    if (formatFlags & 0x0C) return std::nullopt;
    if (formatFlags & 0x40) dropPrefix(1); // group identifier
    if (formatFlags & 0x01) dropPrefix(4); // data length indicator
    if ((formatFlags & 0x02) || layout.tagUnsynchronised) return UndoUnsynchronisation(body);
  }
  return std::string(body);
}

bool IsFrameIdCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether a frame may start at pos: the exact end of the frames, padding, or a frame ID. A size
// that leads anywhere else was read the wrong way.
bool LandsOnFrame(std::string_view frames, std::uint64_t pos, const FrameLayout& layout) {
  if (pos == frames.size()) return true;
  if (pos > frames.size()) return false;
  if (frames[pos] == '\0') return true;
  const std::string_view id = frames.substr(pos, layout.idLength);
  return id.size() == layout.idLength && std::all_of(id.begin(), id.end(), IsFrameIdCharacter);
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

std::vector<Id3v2Frame> ParseId3v2Frames(std::string_view tagBytes) {
  if (tagBytes.size() < 10 || !tagBytes.starts_with("ID3")) return {};
  const int version = static_cast<unsigned char>(tagBytes[3]);
  const auto tagFlags = static_cast<unsigned char>(tagBytes[5]);
  // Version 2.2 defines no compression scheme and asks readers to skip such tags; later major
  // versions may change the layout.
  if (version < 2 || version > 4 || (version == 2 && (tagFlags & 0x40))) return {};

  const FrameLayout layout{version, version == 2 ? 3u : 4u, version == 2 ? 6u : 10u,
                           version == 4 && (tagFlags & 0x80)};
  std::string_view frames = tagBytes.substr(10, MeasureId3v2Tag(tagBytes) - 10);
  std::string resynchronised;
  if (version < 4 && (tagFlags & 0x80)) {
    resynchronised = UndoUnsynchronisation(frames);
    frames = resynchronised;
  }

  std::vector<Id3v2Frame> result;
  std::uint64_t pos = FirstFramePosition(frames, layout, tagFlags);
  while (pos + layout.headerLength <= frames.size()) {
    const std::string_view header = frames.substr(pos, layout.headerLength);
    const std::uint32_t size = FrameSize(frames, pos, layout);
    const auto known = KnownFrameId(header.substr(0, layout.idLength), version);
    if (!known && size == 0) break; // padding
    if (known) {
      const unsigned char formatFlags = version == 2 ? 0 : static_cast<unsigned char>(header[9]);
      const auto body =
          PlainFrameBody(frames.substr(pos + layout.headerLength, size), formatFlags, layout);
      if (body) result.push_back({std::string(*known), FrameText(*known, *body)});
    }
    pos += layout.headerLength + size;
  }
  return result;
}

} // namespace velmora
