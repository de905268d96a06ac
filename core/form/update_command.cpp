// "&Aktualisieren": compose the tags from the form, choose the target, write the tagged file,
// then the description file and the upload info.
#include "core/documents/output_documents.h"
#include "core/documents/templates.h"
#include "core/form/update_steps.h"
#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"
#include "core/text/encoding.h"

namespace velmora {

std::optional<UpdatePlan> VelmoraLogic::ChooseTarget(ComposedTag tag) {
  ProposedTarget proposed = ProposeTarget(form_, members_);
  const auto target =
      platform_.AskSaveTarget(members_.settings.outputDirPath, Cp1252ToUtf8(proposed.fileName));
  if (!target || target->empty()) return std::nullopt;
  if (const auto tooLong = TargetNameTooLong(*target)) {
    ShowError(*tooLong);
    return std::nullopt;
  }

  const auto slash = target->rfind('/');
  members_.settings.outputDirPath =
      slash == std::string::npos ? std::string() : target->substr(0, slash + 1);
  WriteProfileString("Directories", "OutputDir", members_.settings.outputDirPath, members_.settingsPath);
  return PlanUpdate(members_.inputFilePath, *target, std::move(tag),
                    std::move(proposed.fileNameTemplateText), members_.oldTagLength, std::nullopt);
}

bool VelmoraLogic::StoreTagsInFile(const UpdatePlan& plan) {
  const WriteResult result = WritePlannedFile(plan, platform_);
  if (result.failure) ShowFailure(*result.failure);
  if (result.written && plan.inPlace)
    members_.oldTagLength = plan.tag.size() + static_cast<std::uint64_t>(plan.padding);
  return result.written;
}

void VelmoraLogic::ShowFailure(const WriteFailure& failure) {
  if (failure.caption == messages::kError && failure.buttons == MessageButtons::Ok) {
    ShowError(failure.text);
    return;
  }
  platform_.ShowMessage(failure.text, failure.caption, failure.icon, failure.buttons);
  lastFailure_ = failure.text; // the update's status names it
}

bool VelmoraLogic::OnAktualisieren() {
  if (updateRunning_) return false;
  if (!TakeControls()) return false;
  if (form_.inputFile.empty()) {
    ShowError(messages::NoFileSelected());
    return false;
  }
  bool written = false;
  {
    // From here to the end the loaded file, its tag length and the form are the update's
    // inputs: the save dialog, the message boxes and the copy let other handlers run, and
    // those that would change the inputs are refused or held until the scope ends.
    FlagScope running(updateRunning_);
    written = [&] {
      const bool keepOtherFrames = members_.settings.keepOtherFrames == 1;
      const std::string_view otherFrames =
          keepOtherFrames ? std::string_view(members_.otherFrames) : std::string_view();
      auto tag = ComposeUpdateTag(form_, members_, platform_.SelectedV2Genre(), otherFrames);
      if (!tag) {
        ShowError(messages::TagTooLarge());
        return false;
      }
      auto plan = ChooseTarget(std::move(*tag));
      if (!plan) return false;
      if (members_.settings.autoId3v1Copy != 0) CopyToId3v1();
      if (members_.settings.autoId3v1Tagging != 0) plan->id3v1 = ComposeUpdateId3v1Record(form_);

      // A description and an upload line about a file that was not written would report a
      // failure as success.
      lastFailure_.clear();
      if (!StoreTagsInFile(*plan)) {
        platform_.ShowStatus(messages::NotUpdatedStatus(plan->targetPath, lastFailure_));
        ShowForm();
        return false;
      }
      if (keepOtherFrames && !members_.framesLeftOut.empty())
        platform_.ShowMessage(messages::FramesLeftOut(members_.framesLeftOut), messages::kVelmora,
                              MessageIcon::Information, MessageButtons::Ok);
      // The loaded file itself now holds only what was written.
      if (plan->inPlace && !keepOtherFrames) ForgetOtherFrames();
      std::optional<std::string> description;
      if (members_.settings.genTxtFile != 0)
        description = WriteDescriptionFile(
            members_.workDir, members_.settings.outputDirPath, plan->fileNameTemplateText,
            SnapshotTemplateFields(form_, members_), SystemTemplateClock());
      if (members_.settings.uploadInfo != 0)
        platform_.SetClipboardText(UploadInfoText(plan->fileNameTemplateText));
      platform_.ShowStatus(
          messages::UpdatedStatus(plan->targetPath, description, members_.settings.uploadInfo != 0));
      ShowForm();
      return true;
    }();
  }
  ReleaseHeldAnswer();
  return written;
}

void VelmoraLogic::ForgetOtherFrames() {
  members_.otherFrames.clear();
  members_.framesLeftOut.clear();
  members_.pictures.clear();
  platform_.ShowCoverPicture(nullptr);
}

void VelmoraLogic::ReleaseHeldAnswer() {
  if (!heldAnswer_) return;
  HttpResult held = std::move(*heldAnswer_);
  heldAnswer_.reset();
  OnDownloadFinished(std::move(held));
}

} // namespace velmora
