#include "core/run/collection_run.h"

#include <algorithm>
#include <cmath>

#include "core/form/source_tag.h"
#include "core/lookup/query.h"
#include "core/model/messages.h"
#include "core/run/plays_to_write.h"
#include "core/run/run_choice.h"

namespace velmora {

namespace {

// The query of the play as the search button builds it after its first part was loaded.
std::string QueryOfPlay(const RunSetup& setup, RunPlatform& platform, const Play& play,
                        std::string& failure) {
  const WindowState state =
      LoadedState(setup.started, platform, setup.folder + play.parts.front().path, failure);
  const TagForm& form = state.form;
  const SearchMask mask =
      CleanSearchMask({form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear});
  if (failure.empty() && SearchMaskEmpty(mask)) failure = messages::AllSearchFieldsEmpty();
  return failure.empty() ? BuildQueryAddress(state.members.settings, mask) : std::string();
}

void LookUp(const RunSetup& setup, RunPlatform& platform, PacedLookup& paced, const Play& play,
            PlayLookup& lookup) {
  std::string failure;
  lookup.address = QueryOfPlay(setup, platform, play, failure);
  if (!failure.empty()) {
    lookup = PlayLookup{lookup.key, {}, {}, 0, -1, false, failure};
    return;
  }
  DecideChoice(lookup, paced.Ask(lookup.address), play.parts.front().partNumber);
}

const std::string& FailureOf(const PreparedPlay& play, const FileUpdate& file) {
  return file.failure.empty() ? play.failure : file.failure;
}

} // namespace

std::optional<std::int64_t> RemainingSeconds(std::int64_t elapsedMilliseconds, std::uint64_t done,
                                             std::uint64_t total) {
  if (done == 0 || total < done) return std::nullopt;
  const double perUnit = static_cast<double>(elapsedMilliseconds) / static_cast<double>(done);
  return std::llround(perUnit * static_cast<double>(total - done) / 1000.0);
}

std::vector<LookupLine> LookupPlays(const RunSetup& setup, const Collection& collection,
                                    PacedLookup& paced, RunProgress& progress,
                                    std::string& failure) {
  std::vector<PlayLookup> lookups = setup.store.Lookups();
  std::vector<const CollectionPlay*> untagged;
  for (const CollectionPlay& entry : collection.plays)
    if (!entry.tagged && !entry.play.parts.empty()) untagged.push_back(&entry);
  RunPlatform platform;
  std::vector<LookupLine> lines;
  for (std::size_t i = 0; i < untagged.size(); ++i) {
    if (!progress.Continue(i, untagged.size())) return {};
    const Play& play = untagged[i]->play;
    PlayLookup* lookup = LookupOf(lookups, KeyOfPlay(play));
    if (!lookup) {
      lookup = &lookups.emplace_back();
      lookup->key = KeyOfPlay(play);
    }
    if (!lookup->answer) {
      LookUp(setup, platform, paced, play, *lookup);
      // Kept at once: a run killed now asks the service only for the plays still missing.
      if (!setup.store.SaveLookups(lookups)) {
        failure = messages::RunCannotKeepState(setup.store.folder());
        return {};
      }
    }
    lines.push_back({untagged[i]->id, *lookup});
  }
  progress.Continue(untagged.size(), untagged.size());
  return lines;
}

std::string ChoosePlay(const RunSetup& setup, const Collection& collection, int id,
                       std::optional<int> row) {
  const auto entry = std::find_if(collection.plays.begin(), collection.plays.end(),
                                  [id](const CollectionPlay& play) { return play.id == id; });
  if (entry == collection.plays.end()) return messages::RunNoSuchPlay(id);
  std::vector<PlayLookup> lookups = setup.store.Lookups();
  PlayLookup* lookup = LookupOf(lookups, KeyOfPlay(entry->play));
  if (!lookup || !lookup->answer) return messages::RunPlayNotLookedUp(id);
  if (std::string refused = ChooseRow(*lookup, row); !refused.empty()) return refused;
  return setup.store.SaveLookups(lookups) ? std::string()
                                          : messages::RunCannotKeepState(setup.store.folder());
}

std::vector<ReviewLine> ReviewPlays(const RunSetup& setup, const Collection& collection,
                                    RunTarget target) {
  RunPlatform platform;
  std::vector<ReviewLine> lines;
  for (const auto& [entry, lookup] : PlaysToWrite(setup.store, collection)) {
    const PreparedPlay prepared =
        PreparePlay(setup.started, platform, setup.folder, entry->play, lookup, target);
    for (std::size_t i = 0; i < entry->play.parts.size(); ++i) {
      const std::string source = setup.folder + entry->play.parts[i].path;
      ReviewLine& line = lines.emplace_back();
      line.id = entry->id;
      line.file = source;
      if (i >= prepared.files.size() || !prepared.files[i].plan) {
        line.failure =
            i < prepared.files.size() ? FailureOf(prepared, prepared.files[i]) : prepared.failure;
        continue;
      }
      const FileUpdate& file = prepared.files[i];
      line.target = file.plan->targetPath;
      std::string unread;
      line.changes =
          ChangedFields(LoadedState(setup.started, platform, source, unread).form, file.form);
    }
  }
  return lines;
}

} // namespace velmora
