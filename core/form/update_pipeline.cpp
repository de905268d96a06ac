#include "core/form/update_pipeline.h"

#include <algorithm>

#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/form/exchange.h"
#include "core/form/file_name_parts.h"
#include "core/form/form_values.h"
#include "core/form/source_tag.h"
#include "core/io/file_contents.h"
#include "core/io/scaled_progress.h"
#include "core/model/messages.h"
#include "core/tags/id3v2_other_frames.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

bool KeepsOtherFrames(const WindowMembers& members) {
  return members.settings.keepOtherFrames == 1;
}

bool RewritesLoadedFile(const WindowState& state, const FileUpdate& file) {
  return file.written && file.plan->inPlace && file.sourcePath() == state.members.inputFilePath;
}

// The description file and the upload line of a written file.
void WriteDocuments(const WindowState& state, FileUpdate& file) {
  const std::string& name = file.plan->fileNameTemplateText;
  if (state.members.settings.genTxtFile != 0) {
    WrittenDescription description = WriteDescriptionFile(
        state.members.workDir, state.members.settings.outputDirPath, name,
        SnapshotTemplateFields(file.form, file.members), SystemTemplateClock());
    file.descriptionPath = std::move(description.path);
    file.descriptionFailed = std::move(description.failed);
  }
  file.uploadLine = UploadInfoText(name);
}

// The loaded file itself now holds only what was written.
void ForgetOtherFrames(WindowState& state, WindowPlatform& platform) {
  state.members.otherFrames.clear();
  state.members.framesLeftOut.clear();
  state.members.pictures.clear();
  platform.ShowCoverPicture(nullptr);
}

} // namespace

FileUpdate LoadedFileUpdate(const WindowState& state) {
  FileUpdate file;
  file.form = state.form;
  file.members = state.members;
  return file;
}

FileUpdate PartFileUpdate(const WindowState& state, const PlayPart& part) {
  FileUpdate file = LoadedFileUpdate(state);
  file.partNumber = part.partNumber;
  if (part.path == state.members.inputFilePath) return file;

  const std::string shownPath = ValidUtf8(part.path);
  for (std::string* title : {&file.form.v2Title, &file.form.v1Title})
    *title = PartTitle(*title, state.members.partDesignation, part.partDesignation);
  file.form.v2Track = file.form.v1Track = std::to_string(part.partNumber);
  file.form.inputFile = shownPath;
  WindowMembers& members = file.members;
  members.inputFilePath = part.path;
  members.inputFileExt = ExtensionOf(shownPath);
  members.partDesignation = part.partDesignation;
  members.otherFrames.clear();
  members.framesLeftOut.clear();

  const auto readable = ReadableFile::Open(part.path);
  const SourceTag source = readable ? MeasureSourceTag(*readable) : SourceTag{};
  if (source.status != SourceTag::Status::Ok) {
    file.failure = SourceFailure(source.status, part.path);
    return file;
  }
  members.oldTagLength = source.area;
  // Written only while it is still this version: the confirmation may take a while.
  file.measuredSource = readable->status();
  if (KeepsOtherFrames(members)) {
    if (const auto tagBytes = ReadFirstTag(*readable, source)) {
      OtherFrames carried = CarryOtherFrames(*tagBytes);
      members.otherFrames = std::move(carried.bytes);
      members.framesLeftOut = std::move(carried.leftOut);
    }
  }
  return file;
}

bool ComposeFile(FileUpdate& file, const GenreSelection& genre) {
  const std::string_view otherFrames =
      KeepsOtherFrames(file.members) ? std::string_view(file.members.otherFrames) : "";
  file.tag = ComposeUpdateTag(file.form, file.members, genre, otherFrames);
  if (!file.tag) {
    file.failure = messages::TagTooLarge();
    return false;
  }
  file.proposed = ProposeTarget(file.form, file.members);
  return true;
}

bool PlanFile(FileUpdate& file, const std::string& target) {
  if (auto tooLong = TargetNameTooLong(target)) {
    file.failure = std::move(*tooLong);
    return false;
  }
  const SettingsValues& settings = file.members.settings;
  if (settings.autoId3v1Copy != 0) CopyV2IntoV1(file.form, file.members);
  std::optional<Id3v1Record> id3v1;
  if (settings.autoId3v1Tagging != 0) id3v1 = ComposeUpdateId3v1Record(file.form);
  file.plan = PlanUpdate(file.sourcePath(), target, std::move(*file.tag),
                         file.proposed.fileNameTemplateText, file.members.oldTagLength, id3v1);
  file.plan->tagOnly = settings.tagInPlace == 1;
  file.plan->plannedSource = file.measuredSource;
  file.tag.reset();
  file.sourceBytes = FileSize(file.sourcePath()).value_or(0);
  return true;
}

bool WriteFiles(WindowState& state, WindowPlatform& platform, std::vector<FileUpdate>& files) {
  std::uint64_t totalBytes = 0;
  for (const FileUpdate& file : files)
    if (file.plan) totalBytes += file.sourceBytes;
  ScaledProgress progress(platform, totalBytes);
  platform.SetProgress(0);
  platform.ShowProgress(true);
  bool quitting = false;
  for (FileUpdate& file : files) {
    if (!file.plan || quitting) continue;
    progress.StartCopy(file.sourceBytes);
    WriteResult result = WritePlannedFile(*file.plan, progress);
    file.written = result.written;
    file.writeFailure = std::move(result.failure);
    // Without a box to show, the copy was ended by a quit request: nobody is left to read more.
    if (!file.written) {
      quitting = !file.writeFailure;
      continue;
    }
    if (RewritesLoadedFile(state, file)) state.members.oldTagLength = result.tagArea;
    WriteDocuments(state, file);
  }
  platform.ShowProgress(false);
  return !quitting;
}

void ReportWrittenFiles(WindowState& state, WindowPlatform& platform,
                        const std::vector<FileUpdate>& files) {
  const bool keepOtherFrames = KeepsOtherFrames(state.members);
  std::vector<std::string> framesLeftOut;
  std::string uploadLines;
  bool loadedRewritten = false;
  for (const FileUpdate& file : files) {
    if (!file.written) continue;
    loadedRewritten = loadedRewritten || RewritesLoadedFile(state, file);
    if (keepOtherFrames)
      for (const std::string& id : file.members.framesLeftOut)
        if (std::find(framesLeftOut.begin(), framesLeftOut.end(), id) == framesLeftOut.end())
          framesLeftOut.push_back(id);
    uploadLines += (uploadLines.empty() ? "" : "\n") + file.uploadLine;
  }
  if (loadedRewritten && !keepOtherFrames) ForgetOtherFrames(state, platform);
  if (!framesLeftOut.empty())
    platform.ShowMessage(messages::FramesLeftOut(framesLeftOut), messages::kVelmora,
                         MessageIcon::Information, MessageButtons::Ok);
  if (state.members.settings.uploadInfo != 0 && !uploadLines.empty())
    platform.SetClipboardText(uploadLines);
}

void ShowWriteFailure(WindowPlatform& platform, const WriteFailure& failure) {
  // Compared as text: a caption literal need not have one address in every part of the program.
  if (std::string_view(failure.caption) == messages::kError &&
      failure.buttons == MessageButtons::Ok)
    ShowError(platform, failure.text);
  else
    platform.ShowMessage(failure.text, failure.caption, failure.icon, failure.buttons);
}

} // namespace velmora
