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
  for (const WrittenFrame& frame : kWrittenFrames) {
    if (!frame.read) continue;
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

// Takes the text of a frame that loading reads; false when the frames end for this reading.
bool TakeKnownFrame(const Id3v2RawFrame& frame, std::vector<Id3v2Frame>& frames) {
  const auto known = KnownFrameId(frame.id, frame.version);
  if (!known) return !frame.body.empty(); // an unknown frame without a body is padding
  if (const auto body = PlainFrameBody(frame))
    frames.push_back({std::string(*known), FrameText(*known, *body)});
  return true;
}

} // namespace

Id3v2Contents ReadId3v2Contents(std::string_view tagBytes) {
  // The texts end at padding, the other frames at the first bytes that are no frame ID; each
  // reading sees exactly the frames a walk of its own would, and the walk goes on while either
  // still reads.
  Id3v2Contents contents;
  bool readingTexts = true;
  bool readingOthers = true;
  WalkId3v2Frames(tagBytes, [&](const Id3v2RawFrame& frame) {
    if (readingTexts) readingTexts = TakeKnownFrame(frame, contents.frames);
    if (readingOthers)
      readingOthers = TakeOtherFrame(frame, contents.otherFrames, contents.pictures);
    return readingTexts || readingOthers;
  });
  return contents;
}

std::vector<Id3v2Frame> ParseId3v2Frames(std::string_view tagBytes) {
  return ReadId3v2Contents(tagBytes).frames;
}

} // namespace velmora
