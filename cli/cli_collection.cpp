#include "cli/cli_collection.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/cli_json.h"
#include "cli/cli_run.h"
#include "core/collection/catalogue.h"
#include "core/model/messages.h"
#include "core/settings/settings_file.h"

namespace velmora::cli {

namespace {

// A script waits for the whole collection; nothing ends it early.
struct ReadToTheEnd : CollectionProgress {
  bool Continue(std::size_t, std::size_t) override { return true; }
};

// The station separator as the window reads it from Tonfeld.ini in the current directory.
std::string StationSeparator() {
  const std::string workDir = std::filesystem::current_path().string() + "/";
  SettingsValues settings;
  ReadFirstSettings(workDir + "Tonfeld.ini", workDir, settings);
  return settings.stationSeparator;
}

} // namespace

int RunCollection(const CliCommand& command, std::ostream& out, std::ostream& err) {
  ReadToTheEnd progress;
  const Collection collection = *ReadCollection(command.file, StationSeparator(), progress);
  std::string folder = std::filesystem::absolute(command.file).lexically_normal().string();
  if (!folder.ends_with('/')) folder += '/';
  int status = 0;
  for (const CliAction& action : command.actions) {
    using Kind = CliAction::Kind;
    if (action.kind != Kind::Plays && action.kind != Kind::Catalogue) {
      status = std::max(status, RunRunAction(action, collection, folder, out, err));
    } else if (action.kind == Kind::Plays) {
      for (const CollectionPlay& play : collection.plays)
        out << PlayJson(play) << '\n';
      for (const CollectionStray& stray : collection.strays)
        out << StrayJson(stray) << '\n';
    } else if (const std::string failure = WriteCatalogue(action.path, collection, folder);
               failure.empty()) {
      out << CatalogueJson(action.path, collection.plays.size()) << '\n';
    } else {
      err << messages::kError << ": " << failure << '\n';
      status = 1;
    }
  }
  out.flush();
  return status;
}

} // namespace velmora::cli
