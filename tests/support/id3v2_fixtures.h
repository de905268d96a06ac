#pragma once
// ID3v2 tags built byte by byte after the ID3v2.2.0, 2.3.0 and 2.4.0 standards, and the quirky
// tags that other programs write, each named after its quirk (a picture's plain size before
// other frames: tests/tags/mutagen_reading_test).
#include <cstddef>
#include <string>
#include <vector>

namespace velmora::test {

using namespace std::string_literals;

inline std::string BigEndian(std::size_t value, int bytes, int bitsPerByte = 8) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i)
    out += static_cast<char>((value >> (i * bitsPerByte)) & ((1u << bitsPerByte) - 1));
  return out;
}

// Frames after the three versions of the standard.
inline std::string F22(const std::string& id, const std::string& body) {
  return id + BigEndian(body.size(), 3) + body;
}
inline std::string F23(const std::string& id, const std::string& body) {
  return id + BigEndian(body.size(), 4) + "\0\0"s + body;
}
inline std::string F24(const std::string& id, const std::string& body) {
  return id + BigEndian(body.size(), 4, 7) + "\0\0"s + body;
}
// A version 2.4 frame whose size is a plain 32-bit number, as an older music player wrote them.
inline std::string F24Plain(const std::string& id, const std::string& body) {
  return id + BigEndian(body.size(), 4) + "\0\0"s + body;
}
inline std::string Tag(char version, char flags, const std::string& frames,
                       std::size_t padding = 0) {
  return "ID3"s + version + '\0' + flags + BigEndian(frames.size() + padding, 4, 7) + frames +
         std::string(padding, '\0');
}
inline std::string Unsynchronised(const std::string& bytes) {
  std::string out;
  for (char c : bytes)
    out += c == '\xff' ? "\xff\0"s : std::string(1, c);
  return out;
}

struct QuirkyTag {
  std::string name;
  std::string bytes;       // what stands before the audio
  std::string title;       // TIT2 as the form shows it
  std::string artist;      // TPE1 as the form shows it
  std::size_t tagArea = 0; // the bytes an update replaces
  bool damaged = false;    // the header claims more than the file holds
};

inline std::vector<QuirkyTag> QuirkyTags() {
  // 256 bytes: the plain size 00 00 01 00 reads as a syncsafe 128 as well.
  const std::string longTitle = "\0"s + std::string(255, 'l');
  // The footer repeats the header under "3DI".
  const std::string withFooter = Tag(4, 0x10, F24("TIT2", "\3Neu"s), 10);
  std::vector<QuirkyTag> tags = {
      {"V24PlainSizeOneFrame", Tag(4, 0, F24Plain("TIT2", "\0"s + std::string(199, 't')), 20),
       std::string(199, 't'), "", 0},
      {"V24PlainSizeThatLooksSyncsafe",
       Tag(4, 0, F24Plain("TIT2", longTitle) + F24Plain("TPE1", "\0Meier"s)), std::string(255, 'l'),
       "Meier", 0},
      {"V24ExtendedHeaderFlagWithoutHeader",
       Tag(4, 0x40, F24("TIT2", "\3Der Fall"s) + F24("TPE1", "\3Meier"s), 30), "Der Fall", "Meier",
       0},
      {"Tpe1TwoValues", Tag(3, 0, F23("TIT2", "\0Der Fall"s) + F23("TPE1", "\0piman\0jzig"s)),
       "Der Fall", "piman/jzig", 0},
      {"Tpe1ThreeValuesInUtf16",
       Tag(4, 0,
           F24("TPE1", "\1\xff\xfe"
                       "A\0\0\0\xfe\xff\0B\0\0\xff\xfe\xf6\0\0\0"s)),
       "", "A/B/ö", 0},
      {"TwoTagsInARow",
       Tag(3, 0, F23("TIT2", "\0Neu"s), 100) +
           Tag(3, 0, F23("TIT2", "\0Alt"s) + F23("TPE1", "\0X"s)),
       "Neu", "", 0},
      {"V24FooterThenSecondTag",
       withFooter + "3DI" + withFooter.substr(3, 7) + Tag(3, 0, F23("TPE1", "\0Alt"s)), "Neu", "",
       0},
      {"HeaderLongerThanFile", "ID3\3\0\0"s + BigEndian(100000, 4, 7) + F23("TIT2", "\0Kurz"s),
       "Kurz", "", 100010, true},
  };
  for (QuirkyTag& tag : tags)
    if (tag.tagArea == 0) tag.tagArea = tag.bytes.size();
  return tags;
}

} // namespace velmora::test
