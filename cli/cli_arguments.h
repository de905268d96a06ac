#pragma once
// The command line of velmora-cli: FILE [ACTION]…, or DIR ACTION… for a collection.
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
    UpdateParts,
    Plays, // DIR only, as the rest
    Catalogue,
    Lookup,
    Choose,
    Review,
    Apply,
    ApplyInPlace,
    Undo
  };
  Kind kind = Kind::Show;
  FormField field = FormField::v2Title; // Set
  std::string text;                     // Set: the value
  std::string path;                     // ImportPage: the page file; Catalogue: the target
  GenreSelection genre;                 // Genre
  std::optional<std::string> target;    // Update
  int row = -1;                         // Search, ImportPage; Choose: -1 skips the play
  int id = 0;                           // Choose: the play
};

struct CliCommand {
  bool help = false;
  bool version = false;
  std::string file;
  bool collection = false; // file is a folder: the actions are those marked DIR
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
