#include "cli/cli_run.h"

#include <filesystem>
#include <ostream>

#include "cli/cli_json.h"
#include "core/form/field_commands.h"
#include "core/lookup/http_client.h"
#include "core/model/messages.h"
#include "core/run/collection_run.h"
#include "core/run/user_folders.h"
#include "core/text/encoding.h"

namespace velmora::cli {

namespace {

// A script waits for the whole run; nothing ends it early.
struct ToTheEnd : RunProgress {
  bool Continue(std::uint64_t, std::uint64_t) override { return true; }
};

// The window's start-up: Tonfeld.ini and the templates in the current directory.
RunSetup SetupFor(const std::string& folder) {
  RunPlatform platform;
  WindowState started;
  ReadFirstSettings(started, platform, std::filesystem::current_path().string());
  ReadLaterSettings(started);
  return {folder, std::move(started), RunStore(UserStateFolder(), folder)};
}

int Fail(std::ostream& err, const std::string& text) {
  err << messages::kError << ": " << ValidUtf8(text) << '\n';
  return 1;
}

int Lookup(const RunSetup& setup, const Collection& collection, std::ostream& out,
           std::ostream& err) {
  const SettingsValues& settings = setup.started.members.settings;
  PacedLookup paced(MakeCurlHttpClient(), AnswerCache(UserCacheFolder(), settings.cacheDays),
                    settings.hoerdatPauseMs, SystemRunClock());
  ToTheEnd progress;
  std::string failure;
  const std::vector<LookupLine> lines = LookupPlays(setup, collection, paced, progress, failure);
  for (const LookupLine& line : lines)
    out << LookupJson(line) << '\n';
  return failure.empty() ? 0 : Fail(err, failure);
}

int Write(const RunSetup& setup, const Collection& collection, RunTarget target,
          std::ostream& out) {
  ToTheEnd progress;
  const WriteSummary summary =
      WritePlays(setup, collection, target, progress,
                 [&](const WriteLine& line) { out << WriteJson(line, setup.folder) << '\n'; });
  out << WrittenJson(summary) << '\n';
  return summary.failed == 0 ? 0 : 1;
}

} // namespace

int RunRunAction(const CliAction& action, const Collection& collection, const std::string& folder,
                 std::ostream& out, std::ostream& err) {
  if (UserStateFolder().empty()) return Fail(err, messages::RunCannotKeepState("$HOME"));
  const RunSetup setup = SetupFor(folder);
  using Kind = CliAction::Kind;
  switch (action.kind) {
  case Kind::Lookup:
    return Lookup(setup, collection, out, err);
  case Kind::Choose: {
    const std::string refused = ChoosePlay(
        setup, collection, action.id, action.row < 0 ? std::nullopt : std::optional(action.row));
    return refused.empty() ? 0 : Fail(err, refused);
  }
  case Kind::Review:
    for (const ReviewLine& line : ReviewPlays(setup, collection, RunTarget::Copies))
      out << ReviewJson(line, folder) << '\n';
    return 0;
  case Kind::Apply:
    return Write(setup, collection, RunTarget::Copies, out);
  case Kind::ApplyInPlace:
    return Write(setup, collection, RunTarget::InPlace, out);
  case Kind::Undo: {
    const std::vector<UndoLine> lines = UndoLastRun(setup);
    for (const UndoLine& line : lines)
      out << UndoJson(line, folder) << '\n';
    if (lines.empty()) err << messages::kVelmora << ": " << messages::RunNothingToUndo() << '\n';
    bool allUndone = true;
    for (const UndoLine& line : lines)
      allUndone = allUndone && line.undone;
    return allUndone ? 0 : 1;
  }
  default:
    return 0; // plays and catalogue are the collection's own (cli_collection.cpp)
  }
}

} // namespace velmora::cli
