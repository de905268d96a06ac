#pragma once
// What a run makes of the answer for one play: the number of hits and the record chosen by
// itself (one record; or records that all name the same play, differing only in second title or
// broadcast: the record of the play's first part), or why the play waits for the user.
#include "core/lookup/http_client.h"
#include "core/run/run_store.h"

namespace velmora {

// lookup.key and lookup.address are the caller's; firstPart is the number of the play's first
// present part (0 for a play in one file).
void DecideChoice(PlayLookup& lookup, const HttpResult& result, int firstPart);

// The user's choice for a looked-up play: row (from 0) or, with nullopt, skipping it; the
// message when the row cannot be chosen, empty when it was taken.
std::string ChooseRow(PlayLookup& lookup, std::optional<int> row);

} // namespace velmora
