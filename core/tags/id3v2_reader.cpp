// The reader side of the ID3v2 tag. It reads the program's own tags byte for byte and, following
// the ID3v2.2.0, 2.3.0 and 2.4.0 standards, the tags of other writers: text encodings, comment and
// URL descriptions, several values in a text frame.
#include "core/tags/id3v2.h"

#include <optional>
#include <string>
#include <vector>

#include "core/tags/id3v2_frame_walk.h"
#include "core/tags/id3v2_strings.h"

namespace velmora {
namespace {

// A frame that loading reads, under its version 2.3 ID; nullopt for any other frame.
std::optional<std::string_view> KnownFrameId(std::string_view id, int version) {
  for (const FrameField& frame : kFrameFields) {
    if (!frame.field) continue;
    if ((version == 2 ? frame.v22Id : frame.id) == id) return frame.id;
  }
  return std::nullopt;
}

// A text frame may hold several values, each ended by a terminator (the ID3v2.4.0 standard, and
// common writers of v2.3 too); they are joined with "/" as users read them. A terminator at the
// end ends the last value and adds none.
std::string DecodeTextValues(std::string_view bytes, unsigned char encoding) {
  std::vector<std::string> values;
  for (; !bytes.empty(); bytes = SkipString(bytes, IsWide(encoding)))
    values.push_back(DecodeString(bytes, encoding));
  while (!values.empty() && values.back().empty())
    values.pop_back();
  std::string joined;
  for (std::size_t i = 0; i < values.size(); ++i)
    joined += (i == 0 ? "" : "/") + values[i];
  return joined;
}

std::string FrameText(std::string_view id, std::string_view body) {
  if (body.empty()) return {};
  const auto encoding = static_cast<unsigned char>(body[0]);
  body.remove_prefix(1);
  if (id == "COMM") {
    if (body.size() < 3) return {};
    body.remove_prefix(3); // language
    return DecodeString(SkipString(body, IsWide(encoding)), encoding);
  }
  if (id == "WXXX") {
    // The URL itself is always ISO-8859-1; only the description follows the encoding byte.
    return DecodeString(SkipString(body, IsWide(encoding)), kLatin1);
  }
  return DecodeTextValues(body, encoding);
}

} // namespace

std::vector<Id3v2Frame> ParseId3v2Frames(std::string_view tagBytes) {
  std::vector<Id3v2Frame> result;
  WalkId3v2Frames(tagBytes, [&result](const Id3v2RawFrame& frame) {
    const auto known = KnownFrameId(frame.id, frame.version);
    if (!known) return !frame.body.empty(); // an unknown frame without a body is padding
    if (const auto body = PlainFrameBody(frame))
      result.push_back({std::string(*known), FrameText(*known, *body)});
    return true;
  });
  return result;
}

} // namespace velmora
