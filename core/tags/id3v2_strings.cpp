#include "core/tags/id3v2_strings.h"

#include <algorithm>

#include "core/text/encoding.h"

namespace velmora {

using namespace std::string_view_literals;

bool IsWide(unsigned char encoding) {
  return encoding == kUtf16Bom || encoding == kUtf16BigEndian;
}

std::size_t StringLength(std::string_view bytes, bool wide) {
  if (!wide) return std::min(bytes.find('\0'), bytes.size());
  std::size_t i = 0;
  while (i + 1 < bytes.size() && !(bytes[i] == '\0' && bytes[i + 1] == '\0'))
    i += 2;
  return std::min(i, bytes.size());
}

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
    return Utf16ToUtf8(text, bigEndian);
  }
  case kUtf16BigEndian:
    return Utf16ToUtf8(text, true);
  case kUtf8:
    return ValidUtf8(text);
  default: // ISO-8859-1 and unknown encodings: read as Windows-1252, as Windows programs write it
    return Cp1252ToUtf8(text);
  }
}

EncodedString EncodeString(std::string_view text) {
  if (auto latin1 = Utf8ToLatin1(text)) return {kLatin1, std::move(*latin1)};
  return {kUtf16Bom, Utf8ToUtf16WithBom(text)};
}

std::string_view Terminator(unsigned char encoding) {
  return IsWide(encoding) ? "\0\0"sv : "\0"sv;
}

bool IsDescribedComment(std::string_view commentBody) {
  if (commentBody.size() < 4) return false;
  // A UTF-16 description may be a byte-order mark alone: that is no description either.
  return !DecodeString(commentBody.substr(4), static_cast<unsigned char>(commentBody[0])).empty();
}

} // namespace velmora
