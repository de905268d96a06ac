#include "core/form/velmora_logic.h"

#include "core/form/file_name_parts.h"
#include "core/io/file_status.h"
#include "core/lookup/search_download.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"
#include "core/text/encoding.h"

namespace velmora {

VelmoraLogic::VelmoraLogic(WindowPlatform& platform, std::shared_ptr<HttpClient> httpClient)
    : platform_(platform), httpClient_(std::move(httpClient)),
      download_(std::make_unique<SearchDownload>(httpClient_, platform_)) {}

// Defined here, where SearchDownload is complete.
VelmoraLogic::~VelmoraLogic() = default;

void VelmoraLogic::ReadFirstSettings(const std::string& startDir) {
  members_.workDir = startDir;
  if (members_.workDir.empty() || members_.workDir.back() != '/') members_.workDir += '/';
  members_.settingsPath = members_.workDir + "Tonfeld.ini";
  velmora::ReadFirstSettings(members_.settingsPath, members_.workDir, members_.settings);
  form_.inputDir = Utf8ToCp1252(members_.settings.inputDirPath);
  // Started outside a workspace the defaults apply; the status line says where to put the file.
  if (!FileExists(members_.settingsPath))
    platform_.ShowStatus(messages::NoSettingsStatus(members_.settingsPath));
}

void VelmoraLogic::UseInputDirectory(const std::string& dirPath) {
  members_.settings.inputDirPath = dirPath;
  if (members_.settings.inputDirPath.empty() || members_.settings.inputDirPath.back() != '/')
    members_.settings.inputDirPath += '/';
  form_.inputDir = Utf8ToCp1252(members_.settings.inputDirPath);
}

void VelmoraLogic::ReadLaterSettings() {
  velmora::ReadLaterSettings(members_.settingsPath, members_.settings);
  form_.v2Url = members_.settings.defaultUrl;
  form_.v2EncodedBy = members_.settings.defaultEncodedBy;
}

bool VelmoraLogic::TakeControls() {
  for (const FormField field : kExchangeOrder) {
    std::string& value = FieldOf(form_, field);
    value = platform_.ControlText(field);
    if (field == FormField::v2Year && value.size() > kV2YearLimit) {
      platform_.ShowMessage(messages::YearTooLong(), messages::kVelmora, MessageIcon::Exclamation,
                            MessageButtons::Ok);
      platform_.FocusControl(FormField::v2Year);
      return false;
    }
  }
  return true;
}

void VelmoraLogic::ShowForm() {
  for (const FormField field : kExchangeOrder)
    platform_.SetControlText(field, FieldOf(form_, field));
}

void VelmoraLogic::ShowError(const std::string& text) {
  platform_.ShowMessage(text, messages::kError, MessageIcon::Exclamation, MessageButtons::Ok);
  lastFailure_ = text;
  platform_.ShowStatus(messages::FailureStatus(text));
}

void VelmoraLogic::ClearId3v1Fields() {
  form_.v1Title.clear();
  form_.v1Year.clear();
  form_.v1Artist.clear();
  form_.v1Comment.clear();
  form_.v1Album.clear();
}

void VelmoraLogic::ClearRecordFields() {
  members_.recTitel1.clear();
  form_.v2Title.clear();
  members_.recAutor.clear();
  form_.v2Artist.clear();
  form_.v2Album.clear();
  form_.v2Year.clear();
  form_.v2Comment.clear();
  form_.v2Composer.clear();
  form_.v2OrigArtist.clear();
  form_.v2Copyright.clear();
  members_.recProduktion.clear();
}

void VelmoraLogic::CopyToId3v1() {
  CopyV2IntoV1(form_, members_);
}

// The copy button stops when the take-over stops at the year: its message has asked the user to
// correct the year, and showing the form now would throw away what was typed after it. It and
// "&Filename" change fields that a running update still reads, so they wait for its end.

void VelmoraLogic::OnCopyToId3v1() {
  if (updateRunning_ || !TakeControls()) return;
  CopyToId3v1();
  ShowForm();
}

void VelmoraLogic::OnClearMask() {
  form_.maskTitle.clear();
  form_.maskAuthor.clear();
  form_.maskStation.clear();
  form_.maskYear.clear();
  ShowForm();
}

void VelmoraLogic::OnFilename() {
  if (updateRunning_ || form_.inputFile.empty()) return;
  const std::string name = form_.inputFile.substr(form_.inputFile.rfind('/') + 1);
  if (name.empty()) return;
  form_.v2Title = BaseNameWithoutExtension(name);
  ShowForm();
}

bool VelmoraLogic::ChooseInputDirectory(const std::string& chosenPath) {
  if (updateRunning_ || chosenPath.empty()) return false;
  form_.inputDir = Utf8ToCp1252(chosenPath);
  std::string dirPath = chosenPath;
  if (dirPath.back() != '/') dirPath += '/';
  WriteProfileString("Directories", "InputDir", dirPath, members_.settingsPath);
  if (dirPath != members_.settings.inputDirPath) form_.inputFile.clear();
  members_.settings.inputDirPath = std::move(dirPath);
  ShowForm();
  return true;
}

} // namespace velmora
