#pragma once
// Byte-string routines on UTF-8 texts shared by the loader, the answer parser, the page
// import and the document builders. Comparisons are byte-exact and case-sensitive.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Size of the work buffer of ReplaceAll and MoveArticleToFront: a text longer than this is
// refused, and a result that would grow beyond it is refused as well.
inline constexpr std::size_t kTextWorkBufferSize = 51200;

// Blank, tab, LF, VT, FF or CR; bytes 0x80..0xFF are never white space.
bool IsTextWhiteSpace(char c);
// A digit or an ASCII letter.
bool IsAsciiAlphanumeric(char c);

// Removes white space at the end only.
void TrimTextEnd(std::string& text);

// Removes blank, tab, LF, VT, FF and CR at both ends. Bytes 0x80..0xFF are never white space.
void TrimText(std::string& text);

// Replaces every non-overlapping occurrence of find, left to right. Returns the number of
// replacements, -1 when text is longer than 51200 bytes, -2 when find is empty, -3 when the result
// would grow beyond 51200 bytes; on a negative result the text is unchanged.
int ReplaceAll(std::string& text, std::string_view find, std::string_view replacement);

// Position of the first occurrence of marker that begins in [start, start + count); when there is
// none, max(start + count, start) + marker length. The scan never looks beyond the text's end.
int FindMarker(std::string_view text, std::string_view marker, int start, int count);
// As FindMarker, but the position just past the occurrence found.
int FindMarkerEnd(std::string_view text, std::string_view marker, int start, int count);

// Occurrences (overlapping) at positions 0 <= p < len(text) - len(pattern); an occurrence that
// ends exactly at the end of the text is not counted.
int CountOccurrences(std::string_view text, std::string_view pattern);
// Offset of the (n+1)-th occurrence, counted as CountOccurrences counts; nullopt when there are
// not that many.
std::optional<std::size_t> FindNthOccurrence(std::string_view text, std::string_view pattern,
                                             int n);

// 'Garten, Der' -> 'Der Garten' for the 18 article endings; other titles stay as they are.
void MoveArticleToFront(std::string& title);

// The leading decimal number as atoi reads it: white space (as TrimText's) skipped, an optional
// sign, the digits up to the first other byte; no digits give 0. Saturates at the int range.
int ParseLeadingInt(std::string_view text);

} // namespace velmora
