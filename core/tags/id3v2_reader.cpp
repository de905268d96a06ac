// The reader side of the ID3v2 tag. It reads the program's own tags byte for byte and, following
// the ID3v2.2.0, 2.3.0 and 2.4.0 standards, the tags of other writers: text encodings, comment and
// URL descriptions, several values in a text frame.
#include "core/tags/id3v2.h"

#include <algorithm>
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

// What the texts of one walk collect besides the frames.
struct TextReading {
  std::vector<Id3v2Frame>& frames;
  std::optional<std::string> recordingTime; // version 2.4's TDRC
  bool commentTaken = false;
};

// A text frame that comes again adds its values, as several values in one frame do; of several
// comments the first without a description counts.
void AddText(TextReading& reading, std::string_view id, std::string text) {
  for (Id3v2Frame& frame : reading.frames) {
    if (frame.id != id) continue;
    if (id.starts_with('T') && !text.empty()) frame.text += (frame.text.empty() ? "" : "/") + text;
    return;
  }
  reading.frames.push_back({std::string(id), std::move(text)});
}

// Takes the text of a frame that loading reads; false when the frames end: at padding, whose
// frame ID is zero bytes. A frame without a body is skipped, not taken as the end.
bool TakeKnownFrame(const Id3v2RawFrame& frame, TextReading& reading) {
  if (frame.id.find_first_not_of('\0') == std::string_view::npos) return false;
  const bool recordingTime = frame.version == 4 && frame.id == "TDRC";
  const auto known = recordingTime ? std::optional<std::string_view>("TDRC")
                                   : KnownFrameId(frame.id, frame.version);
  if (!known || frame.body.empty()) return true;
  const auto body = PlainFrameBody(frame);
  if (!body) return true;
  if (recordingTime) {
    reading.recordingTime = FrameText(*known, *body);
  } else if (*known == "COMM") {
    if (IsDescribedComment(*body) || reading.commentTaken) return true;
    reading.commentTaken = true;
    AddText(reading, *known, FrameText(*known, *body));
  } else {
    AddText(reading, *known, FrameText(*known, *body));
  }
  return true;
}

// A version 2.4 tag without TYER gives its year as the first four characters of TDRC, which the
// update writes as TYER.
void TakeYearFromRecordingTime(TextReading& reading) {
  if (!reading.recordingTime || reading.recordingTime->size() < 4) return;
  for (const Id3v2Frame& frame : reading.frames)
    if (frame.id == "TYER") return;
  reading.frames.push_back({"TYER", reading.recordingTime->substr(0, 4)});
}

void NoteUnreadable(const Id3v2RawFrame& frame, std::vector<std::string>& unreadable) {
  if (!IsCompressed(frame) || PlainFrameBody(frame)) return;
  if (std::find(unreadable.begin(), unreadable.end(), frame.id) == unreadable.end())
    unreadable.emplace_back(frame.id);
}

} // namespace

Id3v2Contents ReadId3v2Contents(std::string_view tagBytes) {
  // The texts end at padding, the other frames at the first bytes that are no frame ID; each
  // reading sees exactly the frames a walk of its own would, and the walk goes on while either
  // still reads.
  Id3v2Contents contents;
  TextReading texts{contents.frames, std::nullopt, false};
  bool readingTexts = true;
  bool readingOthers = true;
  WalkId3v2Frames(tagBytes, [&](const Id3v2RawFrame& frame) {
    if (readingTexts) readingTexts = TakeKnownFrame(frame, texts);
    if (readingOthers)
      readingOthers = TakeOtherFrame(frame, contents.otherFrames, contents.pictures);
    if (readingTexts || readingOthers) NoteUnreadable(frame, contents.unreadable);
    return readingTexts || readingOthers;
  });
  TakeYearFromRecordingTime(texts);
  return contents;
}

std::vector<Id3v2Frame> ParseId3v2Frames(std::string_view tagBytes) {
  return ReadId3v2Contents(tagBytes).frames;
}

} // namespace velmora
