#include "cli/cli_arguments.h"

#include <algorithm>
#include <filesystem>

#include "core/tags/genres.h"
#include "core/text/encoding.h"

namespace velmora::cli {

namespace {

using Kind = CliAction::Kind;

struct ActionName {
  const char* name;
  Kind kind;
};

constexpr ActionName kActionNames[] = {
    {"show", Kind::Show},
    {"set", Kind::Set},
    {"genre", Kind::Genre},
    {"copy-v1", Kind::CopyV1},
    {"filename", Kind::Filename},
    {"clear-mask", Kind::ClearMask},
    {"update", Kind::Update},
    {"search", Kind::Search},
    {"import-page", Kind::ImportPage},
    {"update-parts", Kind::UpdateParts},
};

std::optional<Kind> ActionKind(const std::string& word) {
  for (const auto& entry : kActionNames)
    if (word == entry.name) return entry.kind;
  return std::nullopt;
}

constexpr ActionName kFolderActionNames[] = {
    {"plays", Kind::Plays},
    {"lookup", Kind::Lookup},
    {"review", Kind::Review},
    {"apply", Kind::Apply},
    {"apply-in-place", Kind::ApplyInPlace},
    {"undo", Kind::Undo},
};

bool AllDigits(const std::string& text);

// "choose ID ROW" or "choose ID none" from args[i], i moved behind it; the refusal otherwise.
std::string ParseChoose(const std::vector<std::string>& args, std::size_t& i, CliAction& action) {
  if (i + 2 >= args.size()) return "choose needs ID and ROW (or none)";
  const std::string& id = args[i + 1];
  const std::string& row = args[i + 2];
  if (!AllDigits(id) || id.size() > 6) return "choose ID \"" + id + "\" is no play number";
  if (row != "none" && (!AllDigits(row) || row.size() > 4))
    return "choose ROW \"" + row + "\" is neither a row number nor none";
  action.id = std::stoi(id);
  action.row = row == "none" ? -1 : std::stoi(row);
  i += 2;
  return {};
}

// The actions of a folder, in the order given.
ParsedArguments ParseCollectionActions(CliCommand command, const std::vector<std::string>& args) {
  command.collection = true;
  for (std::size_t i = 1; i < args.size(); ++i) {
    CliAction action;
    const auto named = std::find_if(std::begin(kFolderActionNames), std::end(kFolderActionNames),
                                    [&](const ActionName& entry) { return args[i] == entry.name; });
    if (named != std::end(kFolderActionNames)) {
      action.kind = named->kind;
    } else if (args[i] == "catalogue" && i + 1 < args.size()) {
      action.kind = Kind::Catalogue;
      action.path = args[++i];
    } else if (args[i] == "choose") {
      action.kind = Kind::Choose;
      if (std::string refused = ParseChoose(args, i, action); !refused.empty())
        return {std::nullopt, refused};
    } else {
      return {std::nullopt, args[i] == "catalogue"
                                ? "catalogue needs PATH"
                                : "a folder takes the actions plays, catalogue PATH, lookup, "
                                  "choose ID ROW, review, apply, apply-in-place and undo, not \"" +
                                      args[i] + "\""};
    }
    command.actions.push_back(std::move(action));
  }
  if (command.actions.empty()) return {std::nullopt, "a folder needs an action, e.g. plays"};
  return {std::move(command), {}};
}

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number of the offer list, a genre name of the list, or a text that matches no entry.
std::optional<GenreSelection> GenreArgument(const std::string& argument) {
  if (AllDigits(argument)) {
    if (argument.size() > 3) return std::nullopt;
    const int number = std::stoi(argument);
    if (number >= kOfferedGenreCount) return std::nullopt;
    return GenreSelection{number, {}};
  }
  const std::string text = ValidUtf8(argument);
  for (int number = 0; number < kOfferedGenreCount; ++number)
    if (OfferListName(number) == text) return GenreSelection{number, {}};
  return GenreSelection{std::nullopt, text};
}

ParsedArguments Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
  CliCommand command;
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    command.help = true;
    return {command, {}};
  }
  if (!args.empty() && (args[0] == "--version" || args[0] == "-V")) {
    command.version = true;
    return {command, {}};
  }
  if (args.empty()) return Refuse("no FILE given");
  command.file = args[0];
  if (std::filesystem::is_directory(command.file)) return ParseCollectionActions(command, args);

  for (std::size_t i = 1; i < args.size();) {
    const auto kind = ActionKind(args[i]);
    if (!kind && i == 1 && std::filesystem::exists(args[i]))
      return Refuse("one FILE at a time: \"" + args[i] + "\" is a second file, not an action");
    if (!kind) return Refuse("unknown action \"" + args[i] + "\"");
    ++i;
    CliAction action;
    action.kind = *kind;
    const bool hasNext = i < args.size();
    switch (*kind) {
    case Kind::Set: {
      if (i + 1 >= args.size()) return Refuse("set needs FIELD and VALUE");
      const auto field = FieldByName(args[i]);
      if (!field) return Refuse("unknown field \"" + args[i] + "\"");
      action.field = *field;
      action.text = ValidUtf8(args[i + 1]);
      i += 2;
      break;
    }
    case Kind::Genre: {
      if (!hasNext) return Refuse("genre needs N");
      const auto genre = GenreArgument(args[i]);
      if (!genre) return Refuse("genre number \"" + args[i] + "\" is not in 0..125");
      action.genre = *genre;
      ++i;
      break;
    }
    case Kind::Update:
      if (hasNext && !ActionKind(args[i])) action.target = args[i++];
      break;
    case Kind::Search:
      if (hasNext && AllDigits(args[i])) {
        if (args[i].size() > 4) return Refuse("search ROW \"" + args[i] + "\" is too large");
        action.row = std::stoi(args[i++]);
      }
      break;
    case Kind::ImportPage: {
      if (!hasNext) return Refuse("import-page needs PATH");
      action.path = args[i++];
      if (i < args.size() && AllDigits(args[i])) {
        if (args[i].size() > 4) return Refuse("import-page ROW \"" + args[i] + "\" is too large");
        action.row = std::stoi(args[i++]);
      }
      break;
    }
    case Kind::Show:
    case Kind::CopyV1:
    case Kind::Filename:
    case Kind::ClearMask:
    case Kind::UpdateParts:
    case Kind::Plays:
    case Kind::Catalogue:
    case Kind::Lookup:
    case Kind::Choose:
    case Kind::Review:
    case Kind::Apply:
    case Kind::ApplyInPlace:
    case Kind::Undo:
      break;
    }
    command.actions.push_back(std::move(action));
  }
  return {command, {}};
}

const char* UsageText() {
  return R"(Usage: velmora-cli FILE [ACTION]...
       velmora-cli DIR plays | catalogue PATH | lookup | choose ID ROW|none | review |
                       apply | apply-in-place | undo
       velmora-cli --help | --version

Runs the Velmora window's commands on one audio file without a window. The settings are read
from "Tonfeld.ini" in the current directory, where the two templates "FileNameVorlage.txt" and
"BeschreibungVorlage.txt" are looked for too (as the window does at start). The input directory
becomes FILE's directory and FILE is loaded as a click on its list entry would load it. Then the
actions run in the order given:

  show               print the form and the window's members as one JSON object on one line
                     (UTF-8), keys in this order: the 23 text fields in exchange order,
                     v2Genre (the selected genre number, null for a typed text), oldTagLength,
                     partDesignation, pictures (type, mime and bytes of each picture of the
                     loaded tag) and the ten rec... members
  set FIELD VALUE    type VALUE into FIELD's control (field names as in "show", e.g. v2Title);
                     like typing in the window it reaches the form at the next take-over
                     (copy-v1, update, search), and filename or clear-mask discard it
  genre N            select genre number N (0..125) in the ID3v2 genre list (start: 101,
                     Speech); a genre name selects its entry, any other text is typed into
                     the list's edit field
  copy-v1            the button "Copy to ID3v1"
  filename           the button "Filename" (title from the file name)
  clear-mask         the button "Maske löschen" (empties the search mask)
  update [TARGET]    the button "Aktualisieren"; the save dialog answers TARGET (".mp3" is added
                     when its name has no dot; an existing file is overwritten), or without
                     TARGET accepts the proposed name in the output directory; a TARGET that is
                     an action's name must be written as ./NAME. The upload info, when
                     switched on, is printed on stdout as {"clipboard": "..."} (the clipboard)
  search [ROW]       the button "Hördat suchen"; among several hits row ROW (counted from 0)
                     is chosen; without ROW the choice is cancelled and the hits are printed
                     as {"hits": [{"row": 0, "author": ..., "title": ..., "station": ...,
                     "year": ..., "part": ...}, ...]} (part: the second title or the part
                     the broadcast names); the next action waits until the search has ended
  import-page PATH [ROW]
                     the button "Seite einfügen" with the page read from PATH (UTF-8 or
                     Windows-1252; a page of the older layout, or of today's as text or HTML);
                     among several plays row ROW (from 0) is imported; without ROW the choice
                     is cancelled and the plays are printed as for search
  update-parts       the button "Alle Teile aktualisieren": every part of FILE's play in its
                     directory (same author, title and station, same part count as "2v3") is
                     written to its proposed name in the output directory, the confirmation
                     answered with OK; one line per part: {"part": 2, "source": ...,
                     "target": ..., "ok": true}; exit status 1 when a part was not written

stdout carries JSON Lines only: one object a line. Message boxes are printed on stderr as
"CAPTION: TEXT" and answered with their first button (OK or Yes).

The actions run in order and stop at the first one that fails: a message box with the caption
"Fehler" or "Warnung", an update that wrote nothing, a search that applied no record (no answer,
no hit, too many hits); the actions after it do not run. A search or import-page that printed
the hits for want of ROW also ends the chain.

When the first argument is a folder, it is a collection: the folder with its subfolders read
as radio plays (the audio files whose names give the same author, title, station, year and part
count; only each file's head and tag are read). Its actions:

  plays              one line per play, ordered by author, title, station, year, with an id
                     (1, 2, ... in that order, the same while the folder is unchanged):
                     {"id": 1, "author": ..., "title": ..., "station": ..., "year": "2001",
                     "parts": 3, "present": [1, 3], "missing": [2], "files": [...],
                     "tagged": false} ("parts": null and "present": [] for a play in one file;
                     files relative to DIR; tagged: every present part has an ID3v2 tag with
                     a title and an artist); then one line per audio file that is no part of
                     a play: {"file": ..., "play": null, "why": ...} ("play": the id of the
                     play it is named like, when it is a second file, a link or a part beyond
                     the count)
  catalogue PATH     writes the plays to PATH: ".csv" (UTF-8, a header row, one row a play) or
                     ".html" (one page: a table that sorts by a click on a column head, needs
                     no network and prints); prints {"catalogue": PATH, "plays": N}

A run over the collection tags its untagged plays in separate calls; what lies between them is
kept in $XDG_STATE_HOME/velmora (default ~/.local/state/velmora), the service's answers for
[WWW] CACHE_DAYS days (default 30, 0 keeps none) in $XDG_CACHE_HOME/velmora (default
~/.cache/velmora). What is kept belongs to a play's author, title, station and year, not to its id.

  lookup             one Hördat search per untagged play, built as the search button builds it
                     for the play's first part, with [WWW] HOERDAT_PAUSE_MS (default 1000)
                     between two requests; plays looked up before are not asked again (a
                     failure is). One line per play: {"id": 1, "hits": 3, "chosen": 0,
                     "why": ...}; "chosen": null when the play waits for a choice (several
                     plays among the hits, no hit, a failure). One hit, or hits that all name
                     the same play (the parts of one play), choose themselves: the record of
                     the play's first part
  choose ID ROW      the record of row ROW (from 0, as "search" prints the hits) for play ID;
  choose ID none     "none" skips the play
  review             what writing would change, nothing is written: one line per file of each
                     play with a record: {"id": 1, "file": ..., "target": ..., "changes":
                     {"v2Title": ["", "Die Glocke 1v3"], ...}} (title, artist, album, year,
                     comment, composer, original artist, copyright, track; target: the copy's
                     name in the output directory)
  apply              every play with a record, each part written as update-parts writes it, as
                     a copy under its proposed name in the output directory; an existing file
                     there that the run did not write is left alone and named
  apply-in-place     the same into the files themselves (names kept), only the tag area and the
                     ID3v1 record rewritten where the new tag fits, under a journal
                     apply and apply-in-place print one line per file: {"id": 1, "file": ...,
                     "target": ..., "ok": true} ("why": ... when not ok), then {"written": N,
                     "failed": M}. A file the run wrote already and that is unchanged since is
                     not written again, so a cancelled or killed run is simply started again
  undo               the last run taken back: its copies removed, the files it wrote in place
                     given their former bytes (tag area and end), each only while it is as the
                     run left it; one line per file: {"file": ..., "undone": BOOL, "why": ...}

Exit status: 0 on success; 1 when FILE cannot be loaded (no action runs then), when an action
failed, or when actions were left after printed hits (the hits alone, as the last action, are no
failure), when a catalogue could not be written, when a choice was refused, a file of a run was
not written or not undone; 2 for a usage error.
)";
}

} // namespace velmora::cli
