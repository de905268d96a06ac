#include "core/form/velmora_logic.h"

#include "core/form/exchange.h"
#include "core/form/field_commands.h"
#include "core/form/file_loader.h"
#include "core/form/page_import.h"
#include "core/form/update_commands.h"
#include "core/form/update_steps.h"
#include "core/lookup/hoerdat_record.h"
#include "core/model/messages.h"

namespace velmora {

VelmoraLogic::VelmoraLogic(WindowPlatform& platform, std::shared_ptr<HttpClient> httpClient)
    : platform_(platform), search_(std::move(httpClient), platform, [this](HttpResult result) {
        OnDownloadFinished(std::move(result));
      }) {}

void VelmoraLogic::ReadFirstSettings(const std::string& startDir) {
  velmora::ReadFirstSettings(state_, platform_, startDir);
}

void VelmoraLogic::ReadLaterSettings() {
  velmora::ReadLaterSettings(state_);
}

void VelmoraLogic::UseInputDirectory(const std::string& dirPath) {
  velmora::UseInputDirectory(state_, dirPath);
}

bool VelmoraLogic::TakeControls() {
  return velmora::TakeControls(state_, platform_);
}

void VelmoraLogic::ShowForm() {
  velmora::ShowForm(state_, platform_);
}

void VelmoraLogic::LoadSelectedFile(const std::optional<std::string>& path) {
  velmora::LoadSelectedFile(state_, platform_, path);
}

bool VelmoraLogic::ChooseInputDirectory(const std::string& chosenPath) {
  return velmora::ChooseInputDirectory(state_, platform_, chosenPath);
}

template <typename Result, typename Command> Result VelmoraLogic::RunUpdate(Command command) {
  if (state_.updateRunning || !TakeControls()) return Result();
  if (state_.form.inputFile.empty()) {
    ShowError(platform_, messages::NoFileSelected());
    return Result();
  }
  Result result;
  {
    // From here to the end the loaded file, its tag length and the form are the update's
    // inputs: the dialogs, the message boxes and the copy let other handlers run, and those
    // that would change the inputs are refused or held until the scope ends.
    FlagScope running(state_.updateRunning);
    result = command(state_, platform_);
  }
  search_.ReleaseHeldAnswer(state_, platform_);
  return result;
}

bool VelmoraLogic::OnAktualisieren() {
  return RunUpdate<bool>(UpdateLoadedFile);
}

std::vector<PartUpdate> VelmoraLogic::OnAlleTeileAktualisieren() {
  return RunUpdate<std::vector<PartUpdate>>(UpdateAllParts);
}

bool VelmoraLogic::PlayPartsAvailable() {
  const WindowMembers& members = state_.members;
  if (state_.updateRunning || members.inputFilePath.empty()) return false;
  const std::optional<Play> play =
      FindPlayOf(members.inputFilePath, platform_.ListedFiles(), members.settings.stationSeparator);
  return play && play->parts.size() > 1;
}

void VelmoraLogic::OnCopyToId3v1() {
  CopyToId3v1Command(state_, platform_);
}

void VelmoraLogic::OnClearMask() {
  ClearMaskCommand(state_, platform_);
}

void VelmoraLogic::OnFilename() {
  FilenameCommand(state_, platform_);
}

void VelmoraLogic::OnHoerdatSearch() {
  search_.Start(state_, platform_);
}

void VelmoraLogic::OnSpinnerTick() {
  search_.OnSpinnerTick(platform_);
}

void VelmoraLogic::OnDownloadFinished(HttpResult result) {
  search_.Finish(state_, platform_, std::move(result));
}

void VelmoraLogic::HandleSearchAnswer(const std::string& answer) {
  ApplySearchAnswer(state_, platform_, PadAnswer(answer));
}

bool VelmoraLogic::SearchRunning() const {
  return search_.Running();
}

void VelmoraLogic::ImportHoerdatPage() {
  velmora::ImportHoerdatPage(state_, platform_);
}

} // namespace velmora
