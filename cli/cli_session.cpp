#include "cli/cli_session.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/cli_json.h"
#include "cli/cli_platform.h"
#include "core/form/velmora_logic.h"
#include "core/io/file_contents.h"
#include "core/lookup/http_client.h"
#include "core/model/messages.h"

namespace velmora::cli {

namespace {

// A saved Hördat page is some hundred kilobytes; anything this large is not one.
constexpr int kPageLimitMegabytes = 10;

// The window's start-up as far as the form is concerned, with FILE's directory as the input
// directory (without writing it to the settings, as the window only does for "&Dir").
void StartUp(VelmoraLogic& logic, const std::filesystem::path& file) {
  logic.ReadFirstSettings(std::filesystem::current_path().string());
  logic.UseInputDirectory(file.parent_path().string());
  logic.ReadLaterSettings();
  logic.ShowForm();
}

void RunAction(const CliAction& action, VelmoraLogic& logic, CliPlatform& platform,
               std::ostream& out) {
  using Kind = CliAction::Kind;
  switch (action.kind) {
  case Kind::Show:
    out << FormJson(logic.form(), logic.members(), platform.SelectedV2Genre()) << std::endl;
    break;
  case Kind::Set:
    platform.SetControlText(action.field, action.text);
    break;
  case Kind::Genre:
    platform.SelectV2Genre(action.genre);
    break;
  case Kind::CopyV1:
    logic.OnCopyToId3v1();
    break;
  case Kind::Filename:
    logic.OnFilename();
    break;
  case Kind::ClearMask:
    logic.OnClearMask();
    break;
  case Kind::Update:
    platform.AnswerSaveDialogWith(action.target);
    // An update that writes nothing (a refused year, a failure) is a failure of the run.
    if (!logic.OnAktualisieren()) platform.MarkFailure();
    break;
  case Kind::Search: {
    platform.AnswerChoiceWith(action.row);
    // Every ending without a record shows its message; a cancelled choice shows the hits.
    const std::size_t before = platform.MessagesShown();
    logic.OnHoerdatSearch();
    platform.RunPostedUntil([&logic] { return !logic.SearchRunning(); });
    if (platform.MessagesShown() != before) platform.MarkFailure();
    break;
  }
  case Kind::UpdateParts: {
    const std::vector<PartUpdate> parts = logic.OnAlleTeileAktualisieren();
    for (const PartUpdate& part : parts)
      out << PartJson(part) << std::endl;
    const bool allWritten = std::all_of(parts.begin(), parts.end(),
                                        [](const PartUpdate& part) { return part.written; });
    if (parts.empty() || !allWritten) platform.MarkFailure();
    break;
  }
  case Kind::ImportPage: {
    const SmallFile page = ReadSmallFile(action.path, kPageLimitMegabytes << 20);
    using Status = SmallFile::Status;
    if (page.status == Status::Ok) {
      platform.PutOnClipboard(page.bytes);
      platform.AnswerChoiceWith(action.row);
      logic.ImportHoerdatPage();
    } else {
      const auto text = page.status == Status::NotARegularFile ? messages::PageIsNoFile(action.path)
                        : page.status == Status::TooLarge
                            ? messages::PageTooLarge(action.path, kPageLimitMegabytes)
                            : messages::PageCannotBeRead(action.path);
      platform.ShowMessage(text, messages::kError, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    break;
  }
  case Kind::Plays:
  case Kind::Catalogue:
  case Kind::Lookup:
  case Kind::Choose:
  case Kind::Review:
  case Kind::Apply:
  case Kind::ApplyInPlace:
  case Kind::Undo:
    break; // the actions of a folder (cli_collection.cpp, cli_run.cpp)
  }
}

} // namespace

int RunSession(const CliCommand& command, std::ostream& out, std::ostream& err) {
  CliPlatform platform(out, err);
  VelmoraLogic logic(platform, MakeCurlHttpClient());
  const auto file = std::filesystem::absolute(command.file);
  StartUp(logic, file);
  platform.UseInputDirectory(logic.members().settings.inputDirPath);
  logic.LoadSelectedFile(logic.members().settings.inputDirPath + file.filename().string());
  // A file that could not be loaded leaves nothing for the actions to work on.
  if (logic.members().inputFilePath.empty()) return 1;
  // The chain stops at the first action that failed or applied nothing (a choice answered with
  // the hits): the actions after it would work on values the script did not ask for.
  const auto& actions = command.actions;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    RunAction(actions[i], logic, platform, out);
    if (platform.FailureShown()) break;
    if (platform.ChoiceListed()) {
      if (i + 1 < actions.size()) platform.MarkFailure();
      break;
    }
  }
  return platform.FailureShown() ? 1 : 0;
}

} // namespace velmora::cli
