#pragma once
// The plays of a collection that a run writes: those whose lookup has a chosen record.
#include <utility>
#include <vector>

#include "core/collection/collection.h"
#include "core/run/run_store.h"

namespace velmora {

using PlayToWrite = std::pair<const CollectionPlay*, PlayLookup>;

std::vector<PlayToWrite> PlaysToWrite(const RunStore& store, const Collection& collection);

// The lookup kept for key, nullptr when none.
PlayLookup* LookupOf(std::vector<PlayLookup>& lookups, const PlayKey& key);

} // namespace velmora
