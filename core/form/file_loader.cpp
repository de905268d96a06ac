// Loading a file's tags and name into the form (a click on the file list).
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/form/file_name_parts.h"
#include "core/form/source_tag.h"
#include "core/form/velmora_logic.h"
#include "core/io/file_contents.h"
#include "core/model/frame_fields.h"
#include "core/model/messages.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "core/tags/id3v2_other_frames.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {

namespace {

void ApplyId3v2Frames(const std::vector<Id3v2Frame>& frames, TagForm& form,
                      WindowMembers& members) {
  for (const auto& frame : frames) {
    for (const FrameField& known : kFrameFields) {
      if (frame.id != known.id || !known.field) continue;
      FieldOf(form, *known.field) = frame.text;
      if (known.source == FrameSource::RecordAuthor) members.recAutor = frame.text;
    }
  }
}

void ApplyId3v1Fields(const Id3v1Fields& fields, TagForm& form) {
  form.v1Title = fields.title;
  form.v1Artist = fields.artist;
  form.v1Album = fields.album;
  form.v1Year = fields.year;
  form.v1Comment = fields.comment;
  form.v1Track = fields.track;
}

} // namespace

void VelmoraLogic::LoadSelectedFile(const std::optional<std::string>& path) {
  // The running update reads the loaded file's path and tag length; a load must wait for it.
  if (updateRunning_) return;
  if (!path) {
    ShowForm();
    return;
  }
  // A year too long for the field is told, and the load goes on: the stored values stay
  // unread after the year, and the file's own values replace them anyway.
  TakeControls();

  const SourceTag source = MeasureSourceTag(*path);
  if (source.status != SourceTag::Status::Ok) {
    ShowError(source.status == SourceTag::Status::NotMpeg ? messages::NotMpegFile(*path)
                                                          : messages::CannotOpenFile(*path));
    ShowForm();
    return;
  }
  const std::uint64_t tagArea = source.area;

  // The name is taken apart in Windows-1252, as the tags and the mask hold it.
  const std::string cp1252Path = Utf8ToCp1252(*path);
  members_.oldTagLength = tagArea;
  form_.inputFile = cp1252Path;
  members_.inputFilePath = *path;
  members_.inputFileExt = ExtensionOf(cp1252Path);
  ShowForm();

  const FileNameParts parts =
      ParseFileName(BaseNameWithoutExtension(cp1252Path), members_.settings.stationSeparator);
  form_.maskAuthor = parts.author;
  form_.maskTitle = parts.title;
  form_.maskStation = parts.station;
  form_.maskYear = parts.year;
  members_.partDesignation = parts.partDesignation;

  const int partNumber = ParseLeadingInt(members_.partDesignation);
  form_.v2Track = partNumber != 0 ? std::to_string(partNumber) : std::string();
  form_.v1Track = form_.v2Track;

  if (parts.title != previousTitle_) {
    ClearId3v1Fields();
    ClearRecordFields();
  } else {
    form_.v2Title = form_.maskTitle + " " + members_.partDesignation;
    form_.v1Title = form_.v2Title;
  }
  previousTitle_ = parts.title;

  form_.v2Url.clear();
  form_.v2EncodedBy.clear();

  // The values come from the first tag; a stale one behind it only counts in the length.
  OtherFrames otherFrames;
  members_.pictures.clear();
  if (tagArea != 0) {
    if (const auto tagBytes = ReadFileHead(*path, MeasureId3v2Tag(source.head))) {
      ApplyId3v2Frames(ParseId3v2Frames(*tagBytes), form_, members_);
      otherFrames = CarryOtherFrames(*tagBytes);
      members_.pictures = ReadPictures(*tagBytes);
    }
  }
  members_.otherFrames = std::move(otherFrames.bytes);
  members_.framesLeftOut = std::move(otherFrames.leftOut);
  platform_.ShowCoverPicture(CoverPicture(members_.pictures));
  // The file is only read, so that a read-only file shows its ID3v1 tag too.
  const auto v1Bytes = ReadFileTail(*path, kId3v1RecordSize);
  if (const auto v1 = ReadId3v1Record(v1Bytes.value_or(""))) ApplyId3v1Fields(*v1, form_);

  ShowForm();
  // A header that claims more than the file holds is told now, not first at the update, which
  // refuses such a file; the fields keep what could be read.
  if (tagArea > FileSize(*path).value_or(tagArea)) ShowError(messages::DamagedTag(*path));
}

} // namespace velmora
