#pragma once
// The command line of velmora-cli: FILE [ACTION]…
#include <optional>
#include <string>
#include <vector>

#include "core/model/tag_form.h"

namespace velmora::cli {

struct CliAction {
  enum class Kind {
    Show,
    Set,
    Genre,
    CopyV1,
    Filename,
    ClearMask,
    Update,
    Search,
    ImportPage,
    UpdateParts
  };
  Kind kind = Kind::Show;
  FormField field = FormField::v2Title; // Set
  std::string text;                     // Set: the value (Windows-1252)
  std::string path;                     // ImportPage: the page file
  GenreSelection genre;                 // Genre
  std::optional<std::string> target;    // Update
  int row = -1;                         // Search, ImportPage
};

struct CliCommand {
  bool help = false;
  bool version = false;
  std::string file;
  std::vector<CliAction> actions;
};

struct ParsedArguments {
  std::optional<CliCommand> command;
  std::string error; // why the arguments were refused, when command is empty
};

// Checks the whole command line before anything runs.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The text of --help.
const char* UsageText();

} // namespace velmora::cli
