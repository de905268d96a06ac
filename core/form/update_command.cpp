// "&Aktualisieren": the loaded file through the update pipeline, to the target the user chooses.
#include "core/form/exchange.h"
#include "core/form/update_commands.h"
#include "core/form/update_pipeline.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"

namespace velmora {

namespace {

// The save dialog's folder is offered again next time.
void StoreOutputDirectory(WindowState& state, const std::string& target) {
  const auto slash = target.rfind('/');
  std::string& outputDir = state.members.settings.outputDirPath;
  outputDir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  WriteProfileString("Directories", "OutputDir", outputDir, state.members.settingsPath);
}

// The file planned for the target the user chose; false when none was chosen or it is refused.
bool ChooseTarget(WindowState& state, WindowPlatform& platform, FileUpdate& file) {
  const auto target =
      platform.AskSaveTarget(state.members.settings.outputDirPath, file.proposed.fileName);
  if (!target || target->empty()) return false;
  if (!PlanFile(file, *target)) {
    ShowError(platform, file.failure);
    return false;
  }
  StoreOutputDirectory(state, *target);
  return true;
}

} // namespace

bool UpdateLoadedFile(WindowState& state, WindowPlatform& platform) {
  std::vector<FileUpdate> files{LoadedFileUpdate(state)};
  FileUpdate& file = files.front();
  if (!ComposeFile(file, platform.SelectedV2Genre())) {
    ShowError(platform, file.failure);
    return false;
  }
  if (!ChooseTarget(state, platform, file)) return false;
  state.form = file.form; // the ID3v1 fields as the automatic copy left them

  // A description and an upload line about a file that was not written would report a failure
  // as success.
  const std::string& target = file.plan->targetPath;
  if (!WriteFiles(state, platform, files) || !file.written) {
    if (file.writeFailure) ShowWriteFailure(platform, *file.writeFailure);
    platform.ShowStatus(messages::NotUpdatedStatus(
        target, file.writeFailure ? file.writeFailure->text : std::string()));
    ShowForm(state, platform);
    return false;
  }
  ReportWrittenFiles(state, platform, files);
  if (file.descriptionFailed)
    platform.ShowMessage(messages::DescriptionNotWritten(*file.descriptionFailed),
                         messages::kWarning, MessageIcon::Exclamation, MessageButtons::Ok);
  platform.ShowStatus(messages::UpdatedStatus(target, file.descriptionPath,
                                              state.members.settings.uploadInfo != 0));
  ShowForm(state, platform);
  return true;
}

} // namespace velmora
