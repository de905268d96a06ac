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

// UTF-8 to another text, each code point as append(out, codePoint) writes it; a text that is not
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

// One Unicode code point to its Windows-1252 byte, '?' when it has none.
char CodePointToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(codePoint);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Latin letters with marks that Windows-1252 lacks, as their base letter: U+0100 to U+017F (the
// letters of Central and Eastern Europe), U+01CD to U+01DC (with caron, and the marked u of
// transcriptions), U+0218 to U+021B (Romanian, with comma below).
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
constexpr std::string_view kCaronVowels = "AaIiOoUuUuUuUuUu";
constexpr std::string_view kCommaBelow = "SsTt";

// The other spaces as a blank, invisible marks as nothing, the other hyphens as "-", primes as
// quotes, the fraction slashes as "/": the same in a web text and in Windows-1252 (which keeps its
// own non-breaking space).
std::optional<std::string_view> TypographicForm(char32_t codePoint) {
  switch (codePoint) {
  case 0x2010:
  case 0x2011:
  case 0x2012:
  case 0x2015:
  case 0x2212:
  case 0x2043:
    return "-";
  case 0x00A0:
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
    return std::nullopt;
  }
}

// Each character of text (U+FFFD for a byte that is not UTF-8), as visit(codePoint, itsBytes).
template <typename Visit> void ForEachCharacter(std::string_view text, Visit visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    if (const auto cp = DecodeUtf8(text, pos)) {
      visit(*cp, text.substr(start, pos - start));
    } else {
      ++pos;
      visit(char32_t{0xFFFD}, kReplacementCharacter);
    }
  }
}

char32_t SmallLetter(char32_t cp) {
  const bool even = cp % 2 == 0;
  if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
  // Latin Extended-A pairs each capital with the small letter after it; the runs shift at Ĺ.
  if ((cp >= 0x0100 && cp <= 0x0137 && even) || (cp >= 0x0139 && cp <= 0x0148 && !even) ||
      (cp >= 0x014A && cp <= 0x0177 && even) || (cp >= 0x0179 && cp <= 0x017E && !even))
    return cp + 1;
  if (cp == 0x0178) return 0xFF; // Ÿ
  if ((cp >= 0x0391 && cp <= 0x03A9 && cp != 0x03A2) || (cp >= 0x0410 && cp <= 0x042F))
    return cp + 0x20;
  if (cp >= 0x0400 && cp <= 0x040F) return cp + 0x50;
  return cp;
}

void AppendUtf16LittleEndian(std::string& out, char32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252)
    AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

std::string ValidUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  ForEachCharacter(text, [&](char32_t, std::string_view bytes) { out += bytes; });
  return out;
}

std::string Utf8OrCp1252(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string CodePointToUtf8(char32_t codePoint) {
  std::string out;
  AppendUtf8(out, codePoint);
  return out;
}

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

std::string SmallLetters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](char32_t cp, std::string_view bytes) {
    const char32_t small = SmallLetter(cp);
    if (small == cp)
      out += bytes;
    else
      AppendUtf8(out, small);
  });
  return out;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count-- == 0)
      return text.substr(0, i);
  }
  return text;
}

std::string NearestCp1252(char32_t codePoint) {
  if (const char byte = CodePointToCp1252(codePoint); byte != '?' || codePoint == '?')
    return std::string(1, byte);
  if (const auto typographic = TypographicForm(codePoint)) return std::string(*typographic);
  if (codePoint >= 0x0100 && codePoint <= 0x017F)
    return std::string(1, kLatinExtendedA[codePoint - 0x0100]);
  if (codePoint >= 0x01CD && codePoint <= 0x01DC)
    return std::string(1, kCaronVowels[codePoint - 0x01CD]);
  if (codePoint >= 0x0218 && codePoint <= 0x021B)
    return std::string(1, kCommaBelow[codePoint - 0x0218]);
  return "?";
}

std::string Utf8ToNearestCp1252(std::string_view text) {
  return FromUtf8(text, [](std::string& out, char32_t cp) { out += NearestCp1252(cp); });
}

std::string WebText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](char32_t cp, std::string_view bytes) {
    const auto typographic = TypographicForm(cp);
    out += typographic ? *typographic : bytes;
  });
  return out;
}

std::optional<std::string> Utf8ToLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool fits = IsValidUtf8(text);
  ForEachCharacter(text, [&](char32_t cp, std::string_view) {
    fits = fits && cp <= 0xFF && Cp1252ToCodePoint(static_cast<unsigned char>(cp)) == cp;
    out += static_cast<char>(cp);
  });
  if (!fits) return std::nullopt;
  return out;
}

std::string Utf8ToUtf16WithBom(std::string_view text) {
  std::string out = "\xff\xfe";
  out.reserve(2 + 2 * text.size());
  ForEachCharacter(text, [&](char32_t cp, std::string_view) {
    if (cp < 0x10000) {
      AppendUtf16LittleEndian(out, cp);
    } else {
      AppendUtf16LittleEndian(out, 0xD800 + ((cp - 0x10000) >> 10));
      AppendUtf16LittleEndian(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  });
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
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
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++u;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
  }
  return out;
}

} // namespace velmora
