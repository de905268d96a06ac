#pragma once
// The one place where texts change their encoding. Inside the core every text is UTF-8, the
// encoding of this platform's widgets, file names, template and settings files, clipboard and
// terminal. Windows-1252 lives only where the bytes must be: the ID3v1 record and the query to
// the Hördat script (written in the nearest Windows-1252 form), the ID3v2 text frames with
// encoding byte 0 and the answers of the query script and older pages (read from Windows-1252).
// ID3v2 frames whose text ISO-8859-1 cannot hold are written as UTF-16 (id3v2.cpp).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// U+FFFD, what an undecodable byte of a name is shown as.
inline constexpr std::string_view kReplacementCharacter = "\xef\xbf\xbd";

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to U+0081 … so that every byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or values beyond U+10FFFF).
bool IsValidUtf8(std::string_view text);

// text with every byte that is not part of well-formed UTF-8 replaced by U+FFFD: how a file name
// that is not UTF-8 is shown and printed.
std::string ValidUtf8(std::string_view text);

// The UTF-8 text of bytes that should be UTF-8 but may come from Windows: bytes that are not
// well-formed UTF-8 are taken as Windows-1252 (settings, templates, pages carried over).
std::string Utf8OrCp1252(std::string_view bytes);

// The UTF-8 form of one code point.
std::string CodePointToUtf8(char32_t codePoint);

// The number of characters (code points) of a UTF-8 text.
std::size_t CountCharacters(std::string_view text);

// text with its capitals as small letters, for comparisons without regard to case: ASCII, the
// Latin letters of Western, Central and Eastern Europe (À, Č, Ł, Ő, Ÿ …), Greek and Cyrillic.
// Bytes that are not UTF-8 become U+FFFD.
std::string SmallLetters(std::string_view text);

// The first count characters of text (all of it when it has fewer).
std::string_view FirstCharacters(std::string_view text, std::size_t count);

// One code point as its nearest Windows-1252 text, the one table for every place where only
// Windows-1252 fits (the ID3v1 record, the Hördat query): itself where Windows-1252 has it, "-"
// for the other hyphens, a blank for the other spaces, nothing for invisible marks, the letter
// without its mark for the Latin letters of Central and Eastern Europe (Č → C, ł → l), "?" for
// the rest.
std::string NearestCp1252(char32_t codePoint);
// UTF-8 to Windows-1252 with the nearest forms; a text that is not valid UTF-8 is taken as
// Windows-1252 already and returned unchanged.
std::string Utf8ToNearestCp1252(std::string_view text);

// A text of a web page as the core keeps it: the other spaces as a blank, invisible marks
// dropped, the other hyphens as "-" (the same forms NearestCp1252 gives), every letter as it is
// spelled; bytes that are not UTF-8 become U+FFFD.
std::string WebText(std::string_view text);

// The ISO-8859-1 bytes of a UTF-8 text when every character has one that Windows-1252 reads as
// the same character (so a frame written with them reads back unchanged); nullopt otherwise.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// UTF-8 to UTF-16 little endian behind the byte-order mark FF FE.
std::string Utf8ToUtf16WithBom(std::string_view text);

// UTF-16 bytes (no byte-order mark; little or big endian) to UTF-8. Unpaired surrogates become
// U+FFFD; a trailing odd byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

} // namespace velmora
