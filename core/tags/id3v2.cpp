#include "core/tags/id3v2.h"

#include <algorithm>

#include "core/tags/id3v2_strings.h"
#include "core/text/encoding.h"

namespace velmora {
namespace {

std::string PercentEncodedNonAscii(std::string_view text) {
  static constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

// The body of a written frame: the encoding byte, for a comment the language "ger" and an empty
// description, for a URL an empty description, then the text without terminator. The text is
// ISO-8859-1 where that holds it (the bytes of earlier versions), else UTF-16 with a byte-order
// mark. A URL is always ISO-8859-1 (only its description follows the encoding byte): one that
// ISO-8859-1 cannot hold has its non-ASCII bytes percent-encoded, the form a URL takes UTF-8 in.
std::string FrameBodyOf(FrameBody kind, std::string_view text) {
  if (kind == FrameBody::Url) {
    auto latin1 = Utf8ToLatin1(text);
    return std::string("\0\0", 2) + (latin1 ? *latin1 : PercentEncodedNonAscii(text));
  }
  const EncodedString encoded = EncodeString(text);
  std::string body(1, static_cast<char>(encoded.encoding));
  if (kind == FrameBody::Comment) {
    body += "ger";
    if (encoded.encoding == kUtf16Bom) body += "\xff\xfe";
    body += Terminator(encoded.encoding);
  }
  return body + encoded.bytes;
}

void AppendBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

} // namespace

std::string ComposeId3v2Frames(const Id3v2FrameTexts& texts, std::string_view otherFrames) {
  std::string frames;
  for (std::size_t i = 0; i < kWrittenFrameCount; ++i) {
    const WrittenFrame& frame = kWrittenFrames[i];
    const std::string body = FrameBodyOf(frame.body, texts[i]);
    frames += frame.id;
    AppendBigEndian32(frames, static_cast<std::uint32_t>(body.size()));
    frames += static_cast<char>(frame.statusFlags);
    frames += '\0';
    frames += body;
  }
  frames += otherFrames;
  return frames;
}

std::string WithId3v2Header(std::string_view frames, long paddingLength) {
  const std::uint64_t padding = paddingLength > 0 ? static_cast<std::uint64_t>(paddingLength) : 0;
  const auto size = EncodeSyncsafe(static_cast<std::uint32_t>(frames.size() + padding));
  std::string tag("ID3\x03\x00\x00", 6);
  tag.reserve(10 + frames.size());
  for (const unsigned char byte : size)
    tag += static_cast<char>(byte);
  tag += frames;
  return tag;
}

std::string ComposeId3v2Tag(const Id3v2FrameTexts& texts, long paddingLength,
                            std::string_view otherFrames) {
  return WithId3v2Header(ComposeId3v2Frames(texts, otherFrames), paddingLength);
}

long FittingPadding(std::size_t framesLength, long requested) {
  if (requested <= 0 || framesLength >= kMaxId3v2Size) return 0;
  return static_cast<long>(
      std::min<std::size_t>(static_cast<std::size_t>(requested), kMaxId3v2Size - framesLength));
}

long SharingPadding(std::size_t framesLength, long requested, std::uint64_t audioOffset,
                    std::uint64_t blockSize) {
  const auto base = static_cast<std::uint64_t>(std::max(requested, 0L));
  if (blockSize == 0) return FittingPadding(framesLength, requested);
  const std::uint64_t end = 10 + framesLength + base;
  const std::uint64_t padding =
      base + (audioOffset % blockSize + blockSize - end % blockSize) % blockSize;
  if (framesLength + padding > kMaxId3v2Size) return FittingPadding(framesLength, requested);
  return static_cast<long>(padding);
}

std::uint32_t MeasureId3v2Tag(std::string_view fileStart) {
  if (fileStart.substr(0, 3) != "ID3") return 0;
  std::uint32_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    // The bytes count in full, as the syncsafe formula reads them, even when bit 7 is set.
    const unsigned byte = i < fileStart.size() ? static_cast<unsigned char>(fileStart[i]) : 0;
    size = size * 128 + byte;
  }
  return size + 10;
}

std::array<unsigned char, 4> EncodeSyncsafe(std::uint32_t value) {
  return {static_cast<unsigned char>((value >> 21) & 0x7F),
          static_cast<unsigned char>((value >> 14) & 0x7F),
          static_cast<unsigned char>((value >> 7) & 0x7F),
          static_cast<unsigned char>(value & 0x7F)};
}

} // namespace velmora
