#pragma once
// One play of a run made ready to write, through the one update pipeline: its first part loaded
// as a click on the file list loads it, the chosen record applied as the search applies it, and
// each part a FileUpdate of "Alle Teile aktualisieren" composed and planned, as a copy under
// its proposed name in the output folder or into the file itself.
#include <string>
#include <vector>

#include "core/form/update_pipeline.h"
#include "core/run/run_platform.h"
#include "core/run/run_store.h"

namespace velmora {

enum class RunTarget { Copies, InPlace };

struct PreparedPlay {
  WindowState state;             // the first part loaded, the record applied
  std::vector<FileUpdate> files; // each part composed and planned, or with its failure
  std::string failure;           // the first part could not be loaded: no file is planned
};

// started: the window's state after its start-up (settings read); folder: the collection's,
// ending in "/". Writing into the files always rewrites only the tag area where the new tag fits.
PreparedPlay PreparePlay(const WindowState& started, RunPlatform& platform,
                         const std::string& folder, const Play& play, const PlayLookup& lookup,
                         RunTarget target);

// The form of a file as a click on the file list loads it; the failure in failure.
WindowState LoadedState(const WindowState& started, RunPlatform& platform, const std::string& path,
                        std::string& failure);

struct FieldChange {
  FormField field;
  std::string before, after;
};
// The fields a write changes, in the order of the review: title, artist, album, year, comment,
// composer, original artist, copyright, track.
std::vector<FieldChange> ChangedFields(const TagForm& before, const TagForm& after);

} // namespace velmora
