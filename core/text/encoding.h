#pragma once
// The one place where texts change their encoding. Inside the core every text is Windows-1252
// bytes (as in tags, queries and answers); everything that crosses to the outside in the
// system's own code page (widgets, file names, template and settings files, clipboard,
// terminal) is UTF-8 on this platform.
#include <string>
#include <string_view>

namespace velmora {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to U+0081 … so that every byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252; a character outside Windows-1252 becomes "?". A text that is not valid
// UTF-8 is taken as Windows-1252 already and returned unchanged (files carried over from Windows).
std::string Utf8ToCp1252(std::string_view text);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or values beyond U+10FFFF).
bool IsValidUtf8(std::string_view text);

// One Unicode code point to its Windows-1252 byte, '?' when it has none.
char CodePointToCp1252(char32_t codePoint);

// One code point as its nearest Windows-1252 text, for texts of the web: itself where Windows-1252
// has it, "-" for the other hyphens and dashes, a blank for the other spaces, nothing for
// invisible marks, the letter without its mark for Latin letters of Central and Eastern Europe,
// "?" for the rest.
std::string NearestCp1252(char32_t codePoint);
// UTF-8 to Windows-1252 with the nearest forms; a text that is not valid UTF-8 is taken as
// Windows-1252 already and returned unchanged.
std::string Utf8ToNearestCp1252(std::string_view text);

// UTF-16 bytes (no byte-order mark; little or big endian) to Windows-1252. Unpaired surrogates
// and a trailing odd byte are dropped; characters outside Windows-1252 become "?".
std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian);

} // namespace velmora
