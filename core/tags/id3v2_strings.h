#pragma once
// The strings inside ID3v2 frame bodies: the four text encodings of the ID3v2.4.0 standard
// (ISO-8859-1, UTF-16 with byte-order mark, UTF-16 big endian, UTF-8) and their terminators.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

enum TextEncoding : unsigned char { kLatin1 = 0, kUtf16Bom = 1, kUtf16BigEndian = 2, kUtf8 = 3 };

bool IsWide(unsigned char encoding);

// Length of the string at the start of bytes, up to its terminator (one zero byte, or two
// aligned ones for UTF-16) or the end of the bytes.
std::size_t StringLength(std::string_view bytes, bool wide);

// The bytes after the first string and its terminator.
std::string_view SkipString(std::string_view bytes, bool wide);

// The first string of bytes as UTF-8; ISO-8859-1 and unknown encodings are read as Windows-1252.
std::string DecodeString(std::string_view bytes, unsigned char encoding);

// A text as a frame of version 2.3 carries it: encoding byte 0 and the ISO-8859-1 bytes when
// that holds it (the bytes Windows-1252 reads back unchanged), else encoding byte 1 and UTF-16
// with a byte-order mark, the one Unicode form of the ID3v2.3.0 standard.
struct EncodedString {
  unsigned char encoding;
  std::string bytes; // without terminator
};
EncodedString EncodeString(std::string_view text);

// The terminator of a string in encoding: one zero byte, two for UTF-16.
std::string_view Terminator(unsigned char encoding);

// Whether a COMM body (encoding, language, description, text) has a description: such a comment
// (iTunNORM and the like) is data for programs, not the comment a reader shows.
bool IsDescribedComment(std::string_view commentBody);

} // namespace velmora
