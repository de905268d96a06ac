#include "core/text/encoding.h"

#include <array>
#include <optional>

namespace velmora {
namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined keep their
// own value (U+0081 …), so that any byte string survives a round trip through UTF-8.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the code point at pos and advances pos; nullopt for any sequence that strict UTF-8
// forbids (stray continuation bytes, overlong forms, surrogates, values beyond U+10FFFF).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += length;
  return cp;
}

// UTF-8 to Windows-1252, each code point as append(out, codePoint) writes it; a text that is not
// valid UTF-8 is returned unchanged.
template <typename Append> std::string FromUtf8(std::string_view text, Append append) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    // ASCII, the bulk of every text, is the same in both: copied a run at a time.
    std::size_t ascii = pos;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80)
      ++ascii;
    out.append(text, pos, ascii - pos);
    pos = ascii;
    if (pos == text.size()) break;
    const auto cp = DecodeUtf8(text, pos);
    if (!cp) return std::string(text);
    append(out, *cp);
  }
  return out;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252)
    AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  return FromUtf8(text, [](std::string& out, char32_t cp) { out += CodePointToCp1252(cp); });
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

char CodePointToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(codePoint);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

namespace {

// Latin letters with marks that Windows-1252 lacks, from U+0100 to U+017F, as their base letter.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

} // namespace

std::string NearestCp1252(char32_t codePoint) {
  if (const char byte = CodePointToCp1252(codePoint); byte != '?' || codePoint == '?')
    return std::string(1, byte);
  if (codePoint >= 0x0100 && codePoint <= 0x017F) {
    return std::string(1, kLatinExtendedA[codePoint - 0x0100]);
  }
  switch (codePoint) {
  case 0x2010:
  case 0x2011:
  case 0x2012:
  case 0x2015:
  case 0x2212:
  case 0x2043:
    return "-";
  case 0x2002:
  case 0x2003:
  case 0x2004:
  case 0x2005:
  case 0x2006:
  case 0x2007:
  case 0x2008:
  case 0x2009:
  case 0x200A:
  case 0x202F:
  case 0x205F:
  case 0x3000:
    return " ";
  case 0x200B:
  case 0x200C:
  case 0x200D:
  case 0x200E:
  case 0x200F:
  case 0x2060:
  case 0xFEFF:
  case 0x00AD:
    return "";
  case 0x2032:
  case 0x02BC:
  case 0x02B9:
    return "'";
  case 0x2033:
    return "\"";
  case 0x2044:
  case 0x2215:
    return "/";
  case 0x2024:
    return ".";
  default:
    return "?";
  }
}

std::string Utf8ToNearestCp1252(std::string_view text) {
  return FromUtf8(text, [](std::string& out, char32_t cp) { out += NearestCp1252(cp); });
}

std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() / 2);
  auto unitAt = [&](std::size_t i) -> char32_t {
    const char32_t first = static_cast<unsigned char>(bytes[i]);
    const char32_t second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  const std::size_t units = bytes.size() / 2;
  for (std::size_t u = 0; u < units; ++u) {
    const char32_t unit = unitAt(2 * u);
    if (unit >= 0xD800 && unit <= 0xDBFF && u + 1 < units) {
      const char32_t low = unitAt(2 * (u + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        out += CodePointToCp1252(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++u;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) continue; // unpaired surrogate
    out += CodePointToCp1252(unit);
  }
  return out;
}

} // namespace velmora
