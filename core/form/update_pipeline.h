#pragma once
// The one pipeline of every update command: each file's tag composed and its name proposed, its
// plan made for the chosen target, then all files written under one progress bar with their
// documents, and what that changes for the loaded file. "&Aktualisieren" runs it for the loaded
// file, "Alle &Teile aktualisieren" for every part of its play.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/form/play_parts.h"
#include "core/form/update_plan.h"
#include "core/form/update_steps.h"
#include "core/form/window_state.h"
#include "core/model/window_platform.h"

namespace velmora {

// One file of an update: the values it is written with and what the steps made of them.
struct FileUpdate {
  int partNumber = 0;    // 0 for the loaded file's own update
  TagForm form;          // the values written (the ID3v1 fields after the automatic copy)
  WindowMembers members; // the file's own path, part designation, tag length and other frames
  std::optional<ComposedTag> tag;
  ProposedTarget proposed;
  std::optional<UpdatePlan> plan;
  std::string failure; // why no plan could be made
  std::uint64_t sourceBytes = 0;
  std::optional<FileStatus> measuredSource; // another part as it was when its tag was measured
  // What writing did.
  bool written = false;
  std::optional<WriteFailure> writeFailure; // none when written, or when a quit ended the copy
  std::optional<std::string> descriptionPath;
  std::optional<std::string> descriptionFailed; // the description file that could not be written
  std::string uploadLine;

  const std::string& sourcePath() const { return members.inputFilePath; }
};

// The loaded file with the form's values.
FileUpdate LoadedFileUpdate(const WindowState& state);
// Another part of the loaded file's play: the form's values with its own part designation and
// number, its own tag length and, with KEEP_OTHER_FRAMES, its own other frames. A part that
// cannot be read carries its failure.
FileUpdate PartFileUpdate(const WindowState& state, const PlayPart& part);

// The tag of the file's values (the carried frames with KEEP_OTHER_FRAMES) and its proposed
// name; false, with the failure, when the tag would be too large.
bool ComposeFile(FileUpdate& file, const GenreSelection& genre);
// The plan of writing the file to target, with its ID3v1 record as the update makes it; false,
// with the failure, for a target name that no file system takes.
bool PlanFile(FileUpdate& file, const std::string& target);

// Writes every planned file in order under one progress bar, each with its description file and
// upload line; a failure of one does not stop the others, a quit request does. For the loaded
// file rewritten in place, its tag length follows. True unless the application is quitting.
bool WriteFiles(WindowState& state, WindowPlatform& platform, std::vector<FileUpdate>& files);
// After writing: the frames that could not be carried are named once, the loaded file rewritten
// without its other frames forgets them, and the upload lines go to the clipboard.
void ReportWrittenFiles(WindowState& state, WindowPlatform& platform,
                        const std::vector<FileUpdate>& files);

// The box of a failed write; a "Fehler" box also goes to the status line.
void ShowWriteFailure(WindowPlatform& platform, const WriteFailure& failure);

} // namespace velmora
