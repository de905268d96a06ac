// "Alle &Teile aktualisieren": the parts of the loaded play written with the form's values, each
// with its own part designation, part number, audio and proposed name, after one confirmation.
#include <algorithm>

#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/form/file_name_parts.h"
#include "core/form/source_tag.h"
#include "core/form/velmora_logic.h"
#include "core/io/file_contents.h"
#include "core/io/file_status.h"
#include "core/io/scaled_progress.h"
#include "core/model/messages.h"
#include "core/tags/id3v2.h"
#include "core/tags/id3v2_other_frames.h"
#include "core/tags/tagged_file_writer.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return a == b || IsSameFile(a, b);
}

} // namespace

struct VelmoraLogic::PartJob {
  PlayPart part;
  TagForm form;
  WindowMembers members;
  std::optional<UpdatePlan> plan;
  std::string failure; // why no plan could be made
  std::uint64_t sourceBytes = 0;
};

bool VelmoraLogic::PlayPartsAvailable() {
  return !updateRunning_ && !members_.inputFilePath.empty() &&
         FindPlayParts(members_.inputFilePath, platform_.ListedFiles(), members_.settings.stationSeparator)
                 .size() > 1;
}

std::vector<PartUpdate> VelmoraLogic::OnAlleTeileAktualisieren() {
  if (updateRunning_) return {};
  if (!TakeControls()) return {};
  if (form_.inputFile.empty()) {
    ShowError(messages::NoFileSelected());
    return {};
  }
  const std::vector<PlayPart> parts =
      FindPlayParts(members_.inputFilePath, platform_.ListedFiles(), members_.settings.stationSeparator);
  if (parts.size() < 2) {
    ShowError(messages::NoOtherParts());
    return {};
  }
  std::vector<PartUpdate> results;
  {
    // As during one update, the loaded file and the form are the inputs until the end.
    FlagScope running(updateRunning_);
    std::vector<PartJob> jobs = PlanParts(parts);
    if (PartTargetsAreDistinct(jobs)) results = WriteParts(jobs);
  }
  ReleaseHeldAnswer();
  return results;
}

std::vector<VelmoraLogic::PartJob> VelmoraLogic::PlanParts(const std::vector<PlayPart>& parts) {
  const bool keepOtherFrames = members_.settings.keepOtherFrames == 1;
  const GenreSelection genre = platform_.SelectedV2Genre();
  std::vector<PartJob> jobs;
  for (const PlayPart& part : parts) {
    PartJob& job = jobs.emplace_back();
    job.part = part;
    job.form = form_;
    job.members = members_;
    const bool loaded = part.path == members_.inputFilePath;
    std::uint64_t tagArea = members_.oldTagLength;
    std::string otherFrames = members_.otherFrames;
    if (!loaded) {
      const std::string cp1252Path = Utf8ToCp1252(part.path);
      for (std::string* title : {&job.form.v2Title, &job.form.v1Title})
        *title = PartTitle(*title, members_.partDesignation, part.partDesignation);
      job.form.v2Track = job.form.v1Track = std::to_string(part.partNumber);
      job.form.inputFile = cp1252Path;
      job.members.inputFilePath = part.path;
      job.members.inputFileExt = ExtensionOf(cp1252Path);
      job.members.partDesignation = part.partDesignation;
      const SourceTag source = MeasureSourceTag(part.path);
      if (source.status != SourceTag::Status::Ok) {
        job.failure = source.status == SourceTag::Status::NotMpeg
                          ? messages::NotMpegFile(part.path)
                          : messages::CannotOpenFile(part.path);
        continue;
      }
      tagArea = source.area;
      otherFrames.clear();
      if (tagArea != 0 && keepOtherFrames) {
        if (const auto tagBytes = ReadFileHead(part.path, MeasureId3v2Tag(source.head))) {
          OtherFrames carried = CarryOtherFrames(*tagBytes);
          otherFrames = std::move(carried.bytes);
          job.members.framesLeftOut = std::move(carried.leftOut);
        }
      }
    }
    if (members_.settings.autoId3v1Copy != 0) CopyV2IntoV1(job.form, job.members);
    auto tag = ComposeUpdateTag(job.form, job.members, genre,
                                keepOtherFrames ? std::string_view(otherFrames) : "");
    if (!tag) {
      job.failure = messages::TagTooLarge();
      continue;
    }
    ProposedTarget proposed = ProposeTarget(job.form, job.members);
    const std::string target = members_.settings.outputDirPath + Cp1252ToUtf8(proposed.fileName);
    if (auto tooLong = TargetNameTooLong(target)) {
      job.failure = std::move(*tooLong);
      continue;
    }
    std::optional<Id3v1Record> id3v1;
    if (members_.settings.autoId3v1Tagging != 0) id3v1 = ComposeUpdateId3v1Record(job.form);
    job.plan = PlanUpdate(part.path, target, std::move(*tag),
                          std::move(proposed.fileNameTemplateText), tagArea, id3v1);
    job.sourceBytes = FileSize(part.path).value_or(0);
  }
  return jobs;
}

bool VelmoraLogic::PartTargetsAreDistinct(const std::vector<PartJob>& jobs) {
  for (std::size_t a = 0; a < jobs.size(); ++a) {
    if (!jobs[a].plan) continue;
    const std::string& target = jobs[a].plan->targetPath;
    for (std::size_t b = 0; b < jobs.size(); ++b) {
      if (a == b) continue;
      if (b > a && jobs[b].plan && SamePath(target, jobs[b].plan->targetPath)) {
        ShowError(messages::PartsShareTarget(target));
        return false;
      }
      // Written first, it would replace the other part's audio before that is read.
      if (SamePath(target, jobs[b].part.path)) {
        ShowError(messages::PartTargetIsOtherSource(target));
        return false;
      }
    }
  }
  return true;
}

std::vector<PartUpdate> VelmoraLogic::WriteParts(std::vector<PartJob>& jobs) {
  std::vector<PartTarget> confirmation;
  std::uint64_t totalBytes = 0;
  for (const PartJob& job : jobs) {
    if (!job.plan) continue;
    confirmation.push_back({job.part.partNumber, job.part.path, job.plan->targetPath,
                            FileExists(job.plan->targetPath)});
    totalBytes += job.sourceBytes;
  }
  if (!confirmation.empty() && !platform_.ConfirmParts(confirmation)) return {};

  std::vector<PartUpdate> results;
  std::vector<std::string> failedParts, uploadLines, framesLeftOut;
  ScaledProgress progress(platform_, totalBytes);
  platform_.SetProgress(0);
  platform_.ShowProgress(true);
  bool quitting = false;
  bool loadedRewritten = false; // the loaded file itself now holds the new tag
  const bool keepOtherFrames = members_.settings.keepOtherFrames == 1;
  for (PartJob& job : jobs) {
    PartUpdate& result = results.emplace_back();
    result.partNumber = job.part.partNumber;
    result.sourcePath = job.part.path;
    if (!job.plan) {
      failedParts.push_back(messages::FailedPart(job.part.partNumber, job.part.path, job.failure));
      continue;
    }
    result.targetPath = job.plan->targetPath;
    if (quitting) continue;
    progress.StartCopy(job.sourceBytes);
    const WriteResult written = WritePlannedFile(*job.plan, progress);
    result.written = written.written;
    if (!written.written) {
      quitting = !written.failure;
      if (written.failure)
        failedParts.push_back(
            messages::FailedPart(job.part.partNumber, job.part.path, written.failure->text));
      continue;
    }
    if (job.part.path == members_.inputFilePath && job.plan->inPlace) {
      members_.oldTagLength = job.plan->tag.size() + static_cast<std::uint64_t>(job.plan->padding);
      loadedRewritten = true;
    }
    if (keepOtherFrames)
      for (const std::string& id : job.members.framesLeftOut)
        if (std::find(framesLeftOut.begin(), framesLeftOut.end(), id) == framesLeftOut.end())
          framesLeftOut.push_back(id);
    if (members_.settings.genTxtFile != 0)
      WriteDescriptionFile(members_.workDir, members_.settings.outputDirPath, job.plan->fileNameTemplateText,
                           SnapshotTemplateFields(job.form, job.members), SystemTemplateClock());
    uploadLines.push_back(UploadInfoText(job.plan->fileNameTemplateText));
  }
  platform_.ShowProgress(false);
  if (quitting) return results; // the application is quitting; nobody is left to read a box

  // The loaded part's ID3v1 fields as its update would leave them.
  if (members_.settings.autoId3v1Copy != 0) CopyToId3v1();
  if (loadedRewritten && !keepOtherFrames) ForgetOtherFrames();
  if (!framesLeftOut.empty())
    platform_.ShowMessage(messages::FramesLeftOut(framesLeftOut), messages::kVelmora,
                          MessageIcon::Information, MessageButtons::Ok);
  if (members_.settings.uploadInfo != 0 && !uploadLines.empty()) {
    std::string lines;
    for (const std::string& line : uploadLines)
      lines += (lines.empty() ? "" : "\n") + line;
    platform_.SetClipboardText(lines);
  }

  const std::size_t writtenCount = uploadLines.size();
  const std::string summary = messages::PartsWritten(writtenCount, jobs.size(), failedParts);
  if (failedParts.empty())
    platform_.ShowMessage(summary, messages::kVelmora, MessageIcon::Information,
                          MessageButtons::Ok);
  else
    ShowError(summary);
  platform_.ShowStatus(messages::PartsWrittenStatus(writtenCount, jobs.size()));
  ShowForm();
  return results;
}

} // namespace velmora
