#include "core/tags/id3v2_other_frames.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/tags/id3v2.h"
#include "core/tags/id3v2_strings.h"
#include "core/text/encoding.h"

namespace velmora {
namespace {

using namespace std::string_view_literals;

bool IsWrittenFrame(std::string_view id, int version) {
  return std::any_of(kWrittenFrames.begin(), kWrittenFrames.end(), [&](const WrittenFrame& frame) {
    return (version == 2 ? frame.v22Id : frame.id) == id;
  });
}

// Version 2.2 frames whose version 2.3 form is the same body under a longer ID.
constexpr std::array<std::pair<std::string_view, std::string_view>, 30> kV22Ids = {{
    {"ULT", "USLT"}, {"TXX", "TXXX"}, {"UFI", "UFID"}, {"CNT", "PCNT"}, {"POP", "POPM"},
    {"GEO", "GEOB"}, {"MCI", "MCDI"}, {"TT1", "TIT1"}, {"TT3", "TIT3"}, {"TP2", "TPE2"},
    {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"}, {"TBP", "TBPM"}, {"TKE", "TKEY"},
    {"TLA", "TLAN"}, {"TMT", "TMED"}, {"TOT", "TOAL"}, {"TOL", "TOLY"}, {"TOR", "TORY"},
    {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TSS", "TSSE"}, {"TXT", "TEXT"}, {"TLE", "TLEN"},
    {"TDA", "TDAT"}, {"TIM", "TIME"}, {"TRD", "TRDA"}, {"TSI", "TSIZ"}, {"TFT", "TFLT"},
}};

// Frames of the ID3v2.4.0 standard that version 2.3 does not know.
constexpr std::array kV24OnlyIds = {"ASPI"sv, "EQU2"sv, "RVA2"sv, "SEEK"sv, "SIGN"sv, "TDEN"sv,
                                    "TDOR"sv, "TDRC"sv, "TDRL"sv, "TDTG"sv, "TIPL"sv, "TMCL"sv,
                                    "TMOO"sv, "TPRO"sv, "TSOA"sv, "TSOP"sv, "TSOT"sv, "TSST"sv};

// Frames whose body starts with a text encoding byte.
bool HasEncodingByte(std::string_view id) {
  constexpr std::array kIds = {"WXXX"sv, "COMM"sv, "USLT"sv, "APIC"sv, "GEOB"sv,
                               "SYLT"sv, "USER"sv, "OWNE"sv, "COMR"sv, "IPLS"sv};
  return id.starts_with('T') || std::find(kIds.begin(), kIds.end(), id) != kIds.end();
}

bool IsDescribedCommentFrame(const Id3v2RawFrame& frame) {
  if (frame.id != (frame.version == 2 ? "COM" : "COMM")) return false;
  const auto body = PlainFrameBody(frame);
  return body && IsDescribedComment(*body);
}

std::string Frame23(std::string_view id, std::string_view body, unsigned char statusFlags = 0,
                    unsigned char formatFlags = 0) {
  std::string frame(id);
  for (int shift = 24; shift >= 0; shift -= 8)
    frame += static_cast<char>((body.size() >> shift) & 0xFF);
  frame += static_cast<char>(statusFlags);
  frame += static_cast<char>(formatFlags);
  frame += body;
  return frame;
}

std::string PictureMimeType(std::string_view format) {
  std::string lower(format);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return "image/" + (lower == "jpg" ? "jpeg" : lower);
}

struct PictureParts {
  unsigned char encoding;
  std::string mime;
  char type;
  std::string_view description; // with its terminator
  std::string_view data;
};

// An APIC body (or a PIC body of version 2.2) taken apart; nullopt when it is too short.
std::optional<PictureParts> SplitPicture(std::string_view body, int version) {
  if (body.size() < 2) return std::nullopt;
  PictureParts parts{static_cast<unsigned char>(body[0]), {}, 0, {}, {}};
  body.remove_prefix(1);
  if (version == 2) {
    if (body.size() < 4) return std::nullopt;
    parts.mime = PictureMimeType(body.substr(0, 3));
    body.remove_prefix(3);
  } else {
    parts.mime = std::string(body.substr(0, StringLength(body, false)));
    body = SkipString(body, false);
  }
  if (body.empty()) return std::nullopt;
  parts.type = body[0];
  body.remove_prefix(1);
  const std::string_view rest = SkipString(body, IsWide(parts.encoding));
  parts.description = body.substr(0, body.size() - rest.size());
  parts.data = rest;
  return parts;
}

// The APIC body in version 2.3 form: a UTF-8 or UTF-16BE description becomes ISO-8859-1 or
// UTF-16 with a byte-order mark.
std::string Apic23(const PictureParts& parts) {
  std::string body;
  if (parts.encoding == kLatin1 || parts.encoding == kUtf16Bom) {
    body += static_cast<char>(parts.encoding);
    body += parts.mime + '\0' + parts.type;
    body += parts.description;
  } else {
    const EncodedString description = EncodeString(DecodeString(parts.description, parts.encoding));
    body += static_cast<char>(description.encoding);
    body += parts.mime + '\0' + parts.type;
    body += description.bytes;
    body += Terminator(description.encoding);
  }
  return body + std::string(parts.data);
}

// The frame in version 2.3 layout, or nullopt when it cannot be carried.
std::optional<std::string> CarriedFrame(const Id3v2RawFrame& frame) {
  if (frame.body.size() != frame.size || frame.body.empty()) return std::nullopt;
  if (frame.version == 3) {
    // Tag alter preservation: such a frame asks to be discarded when the tag changes.
    if (frame.statusFlags & 0x80) return std::nullopt;
    return Frame23(frame.id, frame.body, frame.statusFlags, frame.formatFlags);
  }
  std::string_view id = frame.id;
  unsigned char statusFlags = 0;
  if (frame.version == 2) {
    const auto mapped = std::find_if(kV22Ids.begin(), kV22Ids.end(),
                                     [&](const auto& pair) { return pair.first == id; });
    if (id == "PIC")
      id = "APIC";
    else if (mapped != kV22Ids.end())
      id = mapped->second;
    else
      return std::nullopt;
  } else {
    if (frame.statusFlags & 0x40) return std::nullopt; // tag alter preservation
    if (frame.formatFlags & 0x4C) return std::nullopt; // grouped, compressed or encrypted
    if (std::find(kV24OnlyIds.begin(), kV24OnlyIds.end(), id) != kV24OnlyIds.end())
      return std::nullopt;
    // File alter preservation and read-only sit one bit higher in version 2.3.
    statusFlags = static_cast<unsigned char>((frame.statusFlags & 0x30) << 1);
  }
  const auto body = PlainFrameBody(frame);
  if (!body || body->empty()) return std::nullopt;
  if (id == "APIC") {
    const auto parts = SplitPicture(*body, frame.version);
    if (!parts) return std::nullopt;
    return Frame23(id, Apic23(*parts), statusFlags);
  }
  const auto encoding = static_cast<unsigned char>((*body)[0]);
  if (HasEncodingByte(id) && encoding != kLatin1 && encoding != kUtf16Bom) return std::nullopt;
  return Frame23(id, *body, statusFlags);
}

} // namespace

bool TakeOtherFrame(const Id3v2RawFrame& frame, OtherFrames& carried,
                    std::vector<TagPicture>& pictures) {
  if (!IsFrameId(frame.id)) return false; // padding, or bytes that are no frame
  if (frame.id == (frame.version == 2 ? "PIC" : "APIC")) {
    const auto body = PlainFrameBody(frame);
    if (const auto parts = body ? SplitPicture(*body, frame.version) : std::nullopt)
      pictures.push_back(
          {static_cast<unsigned char>(parts->type), parts->mime, std::string(parts->data)});
  }
  // A described comment is not the comment the form shows: it is carried as a frame of its own.
  if (IsWrittenFrame(frame.id, frame.version) && !IsDescribedCommentFrame(frame)) return true;
  if (const auto bytes = CarriedFrame(frame))
    carried.bytes += *bytes;
  else
    carried.leftOut.emplace_back(frame.id);
  return true;
}

OtherFrames CarryOtherFrames(std::string_view tagBytes) {
  return ReadId3v2Contents(tagBytes).otherFrames;
}

std::vector<TagPicture> ReadPictures(std::string_view tagBytes) {
  return ReadId3v2Contents(tagBytes).pictures;
}

} // namespace velmora
