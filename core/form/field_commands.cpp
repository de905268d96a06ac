#include "core/form/field_commands.h"

#include "core/form/exchange.h"
#include "core/form/file_name_parts.h"
#include "core/form/form_values.h"
#include "core/io/file_status.h"
#include "core/io/write_journal.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"
#include "core/tags/tagged_file_writer.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

} // namespace

void ReadFirstSettings(WindowState& state, WindowPlatform& platform, const std::string& startDir) {
  WindowMembers& members = state.members;
  members.workDir = WithTrailingSlash(startDir);
  members.settingsPath = members.workDir + "Tonfeld.ini";
  ReadFirstSettings(members.settingsPath, members.workDir, members.settings);
  state.form.inputDir = ValidUtf8(members.settings.inputDirPath);
  // Updates killed in the listed folder are put right before any of its files is shown.
  RepairInterruptedWritesIn(members.settings.inputDirPath, kTemporaryFileName);
  // Started outside a workspace the defaults apply; the status line says where to put the file.
  if (!FileExists(members.settingsPath))
    platform.ShowStatus(messages::NoSettingsStatus(members.settingsPath));
}

void ReadLaterSettings(WindowState& state) {
  ReadLaterSettings(state.members.settingsPath, state.members.settings);
  state.form.v2Url = state.members.settings.defaultUrl;
  state.form.v2EncodedBy = state.members.settings.defaultEncodedBy;
}

void UseInputDirectory(WindowState& state, const std::string& dirPath) {
  state.members.settings.inputDirPath = WithTrailingSlash(dirPath);
  state.form.inputDir = ValidUtf8(state.members.settings.inputDirPath);
}

bool ChooseInputDirectory(WindowState& state, WindowPlatform& platform,
                          const std::string& chosenPath) {
  if (state.updateRunning || chosenPath.empty()) return false;
  state.form.inputDir = ValidUtf8(chosenPath);
  std::string dirPath = WithTrailingSlash(chosenPath);
  WriteProfileString("Directories", "InputDir", dirPath, state.members.settingsPath);
  if (dirPath != state.members.settings.inputDirPath) state.form.inputFile.clear();
  state.members.settings.inputDirPath = std::move(dirPath);
  ShowForm(state, platform);
  return true;
}

// The copy button stops when the take-over stops at the year: its message has asked the user to
// correct the year, and showing the form now would throw away what was typed after it. It and
// "&Filename" change fields that a running update still reads, so they wait for its end.

void CopyToId3v1Command(WindowState& state, WindowPlatform& platform) {
  if (state.updateRunning || !TakeControls(state, platform)) return;
  CopyV2IntoV1(state.form, state.members);
  ShowForm(state, platform);
}

void ClearMaskCommand(WindowState& state, WindowPlatform& platform) {
  state.form.maskTitle.clear();
  state.form.maskAuthor.clear();
  state.form.maskStation.clear();
  state.form.maskYear.clear();
  ShowForm(state, platform);
}

void FilenameCommand(WindowState& state, WindowPlatform& platform) {
  const std::string& inputFile = state.form.inputFile;
  if (state.updateRunning || inputFile.empty()) return;
  const std::string name = inputFile.substr(inputFile.rfind('/') + 1);
  if (name.empty()) return;
  state.form.v2Title = BaseNameWithoutExtension(name);
  ShowForm(state, platform);
}

} // namespace velmora
