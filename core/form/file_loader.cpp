#include "core/form/file_loader.h"

#include <cstdint>
#include <vector>

#include "core/form/exchange.h"
#include "core/form/file_name_parts.h"
#include "core/form/form_values.h"
#include "core/form/source_tag.h"
#include "core/io/write_journal.h"
#include "core/model/frame_fields.h"
#include "core/model/messages.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "core/tags/id3v2_other_frames.h"
#include "core/tags/tagged_file_writer.h"
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

// The search mask, part designation and track from the name; the fields a record filled stay
// only while the same title is loaded (the next part of one play).
void ApplyFileName(WindowState& state, const std::string& shownPath) {
  TagForm& form = state.form;
  WindowMembers& members = state.members;
  const FileNameParts parts =
      ParseFileName(BaseNameWithoutExtension(shownPath), members.settings.stationSeparator);
  form.maskAuthor = parts.author;
  form.maskTitle = parts.title;
  form.maskStation = parts.station;
  form.maskYear = parts.year;
  members.partDesignation = parts.partDesignation;

  const int partNumber = ParseLeadingInt(members.partDesignation);
  form.v2Track = partNumber != 0 ? std::to_string(partNumber) : std::string();
  form.v1Track = form.v2Track;

  if (parts.title != state.previousTitle) {
    ClearId3v1Fields(form);
    ClearRecordFields(form, members);
  } else {
    form.v2Title = form.maskTitle + " " + members.partDesignation;
    form.v1Title = form.v2Title;
  }
  state.previousTitle = parts.title;
  form.v2Url.clear();
  form.v2EncodedBy.clear();
}

// The values come from the first tag; a stale one behind it only counts in the length. The IDs
// of compressed frames that did not decompress.
std::vector<std::string> ApplyTags(WindowState& state, WindowPlatform& platform,
                                   const ReadableFile& file, const SourceTag& source) {
  std::vector<std::string> unreadable;
  WindowMembers& members = state.members;
  OtherFrames otherFrames;
  members.pictures.clear();
  if (const auto tagBytes = ReadFirstTag(file, source)) {
    Id3v2Contents contents = ReadId3v2Contents(*tagBytes);
    ApplyId3v2Frames(contents.frames, state.form, members);
    otherFrames = std::move(contents.otherFrames);
    members.pictures = std::move(contents.pictures);
    unreadable = std::move(contents.unreadable);
  }
  members.otherFrames = std::move(otherFrames.bytes);
  members.framesLeftOut = std::move(otherFrames.leftOut);
  platform.ShowCoverPicture(CoverPicture(members.pictures));
  // The file is only read, so that a read-only file shows its ID3v1 tag too.
  const auto v1Bytes = file.Tail(kId3v1RecordSize);
  if (const auto v1 = ReadId3v1Record(v1Bytes.value_or(""))) ApplyId3v1Fields(*v1, state.form);
  return unreadable;
}

// What a killed update of the file left behind is put right before the file is read: its
// interrupted write undone or finished, the abandoned temporary files beside it removed.
void RepairBeforeLoading(WindowPlatform& platform, const std::string& path) {
  if (RepairInterruptedWrite(path) == Recovery::Failed)
    platform.ShowMessage(messages::InterruptedWriteNotRepaired(path), messages::kWarning,
                         MessageIcon::Exclamation, MessageButtons::Ok);
  RemoveAbandonedTemporaryFiles(DirectoryOf(TemporaryPathFor(path)), kTemporaryFileName);
}

} // namespace

void LoadSelectedFile(WindowState& state, WindowPlatform& platform,
                      const std::optional<std::string>& path) {
  // The running update reads the loaded file's path and tag length; a load must wait for it.
  if (state.updateRunning) return;
  if (!path) {
    ShowForm(state, platform);
    return;
  }
  // A year too long for the field is told, and the load goes on: the stored values stay
  // unread after the year, and the file's own values replace them anyway.
  TakeControls(state, platform);

  RepairBeforeLoading(platform, *path);
  const auto file = ReadableFile::Open(*path);
  const SourceTag source = file ? MeasureSourceTag(*file) : SourceTag{};
  if (source.status != SourceTag::Status::Ok) {
    ShowError(platform, SourceFailure(source.status, *path));
    ShowForm(state, platform);
    return;
  }
  // The path keeps the file system's bytes for every file operation; the form shows it, and the
  // name is taken apart, as valid UTF-8 (a byte that is not UTF-8 shows as U+FFFD).
  const std::string shownPath = ValidUtf8(*path);
  state.members.oldTagLength = source.area;
  state.form.inputFile = shownPath;
  state.members.inputFilePath = *path;
  state.members.inputFileExt = ExtensionOf(shownPath);
  ShowForm(state, platform);

  ApplyFileName(state, shownPath);
  const std::vector<std::string> unreadable = ApplyTags(state, platform, *file, source);
  ShowForm(state, platform);
  if (!unreadable.empty())
    platform.ShowMessage(messages::FramesNotUnpacked(unreadable), messages::kVelmora,
                         MessageIcon::Information, MessageButtons::Ok);
  // A header that claims more than the file holds is told now, not first at the update, which
  // refuses such a file; the fields keep what could be read.
  if (source.area > file->size()) ShowError(platform, messages::DamagedTag(*path));
}

} // namespace velmora
