#include "core/tags/id3v2_frame_walk.h"

#include <algorithm>
#include <array>
#include <zlib.h>

#include "core/tags/id3v2.h"

namespace velmora {
namespace {

struct FrameLayout {
  int version;
  std::size_t idLength;
  std::size_t headerLength;
};

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

// The largest frame a compressed body may unpack to: more than any tag holds is no frame.
constexpr std::size_t kMaxInflatedBytes = std::size_t{1} << 28;

// zlib data unpacked as it comes, whatever size the frame declares (other writers get it wrong);
// nullopt when it is no complete zlib stream or unpacks to more than any tag holds.
std::optional<std::string> Inflate(std::string_view data) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  std::string out;
  int result = Z_OK;
  while (result == Z_OK && out.size() < kMaxInflatedBytes) {
    const std::size_t done = out.size();
    out.resize(done + std::max<std::size_t>(data.size() * 4, 4096));
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + done);
    stream.avail_out = static_cast<uInt>(out.size() - done);
    result = inflate(&stream, Z_NO_FLUSH);
    out.resize(out.size() - stream.avail_out);
  }
  inflateEnd(&stream);
  if (result != Z_STREAM_END) return std::nullopt;
  return out;
}

bool IsFrameIdCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsIdOfLength(std::string_view id, std::size_t length) {
  return id.size() == length && std::all_of(id.begin(), id.end(), IsFrameIdCharacter);
}

// Whether a frame may start at pos: the exact end of the frames, padding, or a frame ID. A size
// that leads anywhere else was read the wrong way.
bool LandsOnFrame(std::string_view frames, std::uint64_t pos, const FrameLayout& layout) {
  if (pos == frames.size()) return true;
  if (pos > frames.size()) return false;
  if (frames[pos] == '\0') return true;
  return IsIdOfLength(frames.substr(pos, layout.idLength), layout.idLength);
}

// The frame IDs of the ID3v2.3.0 and 2.4.0 standards.
constexpr std::array<std::string_view, 94> kStandardIds = {
    "AENC", "APIC", "ASPI", "COMM", "COMR", "ENCR", "EQU2", "EQUA", "ETCO", "GEOB", "GRID", "GRP1",
    "IPLS", "LINK", "MCDI", "MLLT", "MVIN", "MVNM", "OWNE", "PCNT", "PCST", "POPM", "POSS", "PRIV",
    "RBUF", "RVA2", "RVAD", "RVRB", "SEEK", "SIGN", "SYLT", "SYTC", "TALB", "TBPM", "TCAT", "TCMP",
    "TCOM", "TCON", "TCOP", "TDAT", "TDEN", "TDES", "TDLY", "TDOR", "TDRC", "TDRL", "TDTG", "TENC",
    "TEXT", "TFLT", "TGID", "TIME", "TIPL", "TIT1", "TIT2", "TIT3", "TKEY", "TKWD", "TLAN", "TLEN",
    "TMCL", "TMED", "TMOO", "TOAL", "TOFN", "TOLY", "TOPE", "TORY", "TOWN", "TPE1", "TPE2", "TPE3",
    "TPE4", "TPOS", "TPRO", "TPUB", "TRCK", "TRDA", "TRSN", "TRSO", "TSIZ", "TSO2", "TSOA", "TSOC",
    "TSOP", "TSOT", "TSRC", "TSSE", "TSST", "TXXX", "TYER", "UFID", "USER", "USLT"};

bool IsStandardId(std::string_view id) {
  return id.starts_with('W')
             ? IsIdOfLength(id, 4)
             : std::find(kStandardIds.begin(), kStandardIds.end(), id) != kStandardIds.end();
}

// One reading of all frame sizes: how many frames it meets with a standard ID, and whether its
// last frame runs past the end of the tag.
struct SizeReading {
  int standardFrames = 0;
  bool runsPastEnd = false;
};

SizeReading ReadSizes(std::string_view frames, std::uint64_t pos, unsigned bitsPerByte) {
  SizeReading reading;
  while (pos + 10 <= frames.size()) {
    const std::string_view id = frames.substr(pos, 4);
    if (id.find_first_not_of('\0') == std::string_view::npos) return reading; // padding
    if (IsStandardId(id)) ++reading.standardFrames;
    pos += 10 + std::uint64_t{ReadNumber(frames.substr(pos + 4, 4), bitsPerByte)};
  }
  reading.runsPastEnd = pos > frames.size();
  return reading;
}

// Version 2.4 sizes are syncsafe, but a well-known writer put plain 32-bit numbers there. As the
// best readers do, all sizes are read both ways and the plain reading wins when it meets more
// standard frames, or as many while the syncsafe one runs past the end and it does not. A reading
// frame by frame would be misled by a size that lands on a zero byte or a frame ID inside a
// picture or a comment.
unsigned SizeBits(std::string_view frames, std::uint64_t start, const FrameLayout& layout) {
  if (layout.version != 4) return 8;
  const SizeReading syncsafe = ReadSizes(frames, start, 7);
  const SizeReading plain = ReadSizes(frames, start, 8);
  const bool plainWins = plain.standardFrames > syncsafe.standardFrames ||
                         (plain.standardFrames == syncsafe.standardFrames && syncsafe.runsPastEnd &&
                          !plain.runsPastEnd);
  return plainWins ? 8 : 7;
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

bool IsFrameId(std::string_view id) {
  return IsIdOfLength(id, id.size() == 3 ? 3 : 4);
}

void WalkId3v2Frames(std::string_view tagBytes,
                     const std::function<bool(const Id3v2RawFrame&)>& visit) {
  if (tagBytes.size() < 10 || !tagBytes.starts_with("ID3")) return;
  const int version = static_cast<unsigned char>(tagBytes[3]);
  const auto tagFlags = static_cast<unsigned char>(tagBytes[5]);
  // Version 2.2 defines no compression scheme and asks readers to skip such tags; later major
  // versions may change the layout.
  if (version < 2 || version > 4 || (version == 2 && (tagFlags & 0x40))) return;

  const FrameLayout layout{version, version == 2 ? 3u : 4u, version == 2 ? 6u : 10u};
  std::string_view frames = tagBytes.substr(10, MeasureId3v2Tag(tagBytes) - 10);
  std::string resynchronised;
  if (version < 4 && (tagFlags & 0x80)) {
    resynchronised = UndoUnsynchronisation(frames);
    frames = resynchronised;
  }

  std::uint64_t pos = FirstFramePosition(frames, layout, tagFlags);
  const unsigned sizeBits = SizeBits(frames, pos, layout);
  while (pos + layout.headerLength <= frames.size()) {
    const std::string_view header = frames.substr(pos, layout.headerLength);
    const std::uint32_t size =
        ReadNumber(header.substr(layout.idLength, layout.idLength), sizeBits);
    Id3v2RawFrame frame{version, header.substr(0, layout.idLength),
                        frames.substr(pos + layout.headerLength, size), size};
    if (version != 2) {
      frame.statusFlags = static_cast<unsigned char>(header[8]);
      frame.formatFlags = static_cast<unsigned char>(header[9]);
    }
    frame.tagUnsynchronised = version == 4 && (tagFlags & 0x80);
    if (!visit(frame)) return;
    pos += layout.headerLength + size;
  }
}

bool IsCompressed(const Id3v2RawFrame& frame) {
  return (frame.version == 3 && (frame.formatFlags & 0x80)) ||
         (frame.version == 4 && (frame.formatFlags & 0x08));
}

std::optional<std::string> PlainFrameBody(const Id3v2RawFrame& frame) {
  std::string_view body = frame.body;
  const unsigned char formatFlags = frame.formatFlags;
  auto dropPrefix = [&body](std::size_t n) { body.remove_prefix(std::min(n, body.size())); };
  if (frame.version == 3) {
    if (formatFlags & 0x40) return std::nullopt; // encrypted
    if (formatFlags & 0x80) dropPrefix(4);       // the decompressed size
    if (formatFlags & 0x20) dropPrefix(1);       // group identifier
    return (formatFlags & 0x80) ? Inflate(body) : std::string(body);
  }
  if (frame.version == 4) {
    if (formatFlags & 0x04) return std::nullopt; // encrypted
    if (formatFlags & 0x40) dropPrefix(1);       // group identifier
    if (formatFlags & 0x01) dropPrefix(4);       // data length indicator
    std::string plain = (formatFlags & 0x02) || frame.tagUnsynchronised
                            ? UndoUnsynchronisation(body)
                            : std::string(body);
    return (formatFlags & 0x08) ? Inflate(plain) : plain;
  }
  return std::string(body);
}

} // namespace velmora
