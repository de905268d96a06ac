#include "core/run/plays_to_write.h"

#include <algorithm>

namespace velmora {

PlayLookup* LookupOf(std::vector<PlayLookup>& lookups, const PlayKey& key) {
  const auto found = std::find_if(lookups.begin(), lookups.end(),
                                  [&](const PlayLookup& lookup) { return lookup.key == key; });
  return found == lookups.end() ? nullptr : &*found;
}

std::vector<PlayToWrite> PlaysToWrite(const RunStore& store, const Collection& collection) {
  std::vector<PlayLookup> lookups = store.Lookups();
  std::vector<PlayToWrite> plays;
  for (const CollectionPlay& entry : collection.plays) {
    const PlayLookup* lookup = LookupOf(lookups, KeyOfPlay(entry.play));
    if (lookup && lookup->chosen >= 0 && lookup->answer && !entry.play.parts.empty())
      plays.emplace_back(&entry, *lookup);
  }
  return plays;
}

} // namespace velmora
