#pragma once
// A whole collection in one run: every untagged play looked up, the choices of the waiting plays,
// the review of what would change, all written (as copies or into the files), and the last run
// undone. Each step is a call of its own; what lies between them is kept in the user's state
// folder (RunStore), so that a run killed or cancelled goes on where it stopped.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/collection/collection.h"
#include "core/form/window_state.h"
#include "core/run/paced_lookup.h"
#include "core/run/play_writes.h"
#include "core/run/run_store.h"

namespace velmora {

struct RunSetup {
  std::string folder;  // the collection's folder, absolute, ending in "/"
  WindowState started; // the window's state after its start-up: the settings and templates
  RunStore store;
};

// Told between the steps of a long call (plays looked up, bytes written); false ends the call
// once the current step is done.
class RunProgress {
public:
  virtual ~RunProgress() = default;
  virtual bool Continue(std::uint64_t done, std::uint64_t total) = 0;
};

// The seconds still to go at done of total after elapsedMilliseconds; nullopt before anything is
// done.
std::optional<std::int64_t> RemainingSeconds(std::int64_t elapsedMilliseconds, std::uint64_t done,
                                             std::uint64_t total);

struct LookupLine {
  int id = 0;
  PlayLookup lookup;
};
// Every untagged play: the ones without an answer yet looked up (a failure is asked again),
// the others as they were kept. The lines in the plays' order; nullopt when cancelled or the
// state could not be kept (then failure says why).
std::vector<LookupLine> LookupPlays(const RunSetup& setup, const Collection& collection,
                                    PacedLookup& paced, RunProgress& progress,
                                    std::string& failure);

// The user's row for play id (nullopt skips it); the message when refused, empty when kept.
std::string ChoosePlay(const RunSetup& setup, const Collection& collection, int id,
                       std::optional<int> row);

struct ReviewLine {
  int id = 0;
  std::string file, target; // native paths
  std::vector<FieldChange> changes;
  std::string failure; // why this file would not be written
};
// Per file of each play with a record: what writing would change. Nothing is written.
std::vector<ReviewLine> ReviewPlays(const RunSetup& setup, const Collection& collection,
                                    RunTarget target);

struct WriteLine {
  int id = 0;
  std::string file, target; // native paths
  bool ok = false;
  std::string why; // the failure
};
struct WriteSummary {
  std::size_t written = 0, failed = 0;
  bool cancelled = false;
};
// Writes every play with a record, each file as "Alle Teile aktualisieren" writes it; a file the
// run wrote already and that is unchanged since is not written again. Each file's line goes to
// onLine when it is done; a failure stops nothing but the file.
WriteSummary WritePlays(const RunSetup& setup, const Collection& collection, RunTarget target,
                        RunProgress& progress, const std::function<void(const WriteLine&)>& onLine);

struct UndoLine {
  std::string file; // native path
  bool undone = false;
  std::string why;
};
// Copies of the last run removed and files it wrote in place given back their former bytes, each
// only while it is as the run left it; then the run is forgotten.
std::vector<UndoLine> UndoLastRun(const RunSetup& setup);

} // namespace velmora
