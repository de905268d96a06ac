#pragma once
// The "show" action's JSON object.
#include <string>
#include <vector>

#include "core/collection/collection.h"
#include "core/form/play_parts.h"
#include "core/model/result_row.h"
#include "core/model/tag_form.h"
#include "core/model/window_members.h"
#include "core/run/collection_run.h"

namespace velmora::cli {

// One line of JSON each (JSON Lines), texts in UTF-8.

// The 23 text fields in exchange order, v2Genre, oldTagLength, partDesignation, pictures and the
// ten rec… members.
std::string FormJson(const TagForm& form, const WindowMembers& members,
                     const GenreSelection& v2Genre);
// {"clipboard": TEXT}: what the window puts on the clipboard.
std::string ClipboardJson(const std::string& text);
// {"hits": [{"row": 0, "author": …, "title": …, "station": …, "year": …}, …]}
std::string HitsJson(const std::vector<ResultRow>& rows);
// {"part": N, "source": PATH, "target": PATH, "ok": BOOL}: one part of the update of all parts.
std::string PartJson(const PartUpdate& part);
// {"id": 1, "author": …, "title": …, "station": …, "year": …, "parts": 3, "present": [1, 3],
// "missing": [2], "files": […], "tagged": BOOL}: one play of a collection.
std::string PlayJson(const CollectionPlay& entry);
// {"file": PATH, "play": ID or null, "why": TEXT}: an audio file that is no part of a play.
std::string StrayJson(const CollectionStray& stray);
// {"catalogue": PATH, "plays": N}
std::string CatalogueJson(const std::string& path, std::size_t plays);

// The lines of a run over a collection; paths inside folder (ending in "/") are shown relative
// to it. {"id": 1, "hits": 3, "chosen": 0 or null, "why": …}
std::string LookupJson(const LookupLine& line);
// {"id": 1, "file": …, "target": …, "changes": {"v2Title": [OLD, NEW], …}}, and "failure": …
// for a file that would not be written.
std::string ReviewJson(const ReviewLine& line, const std::string& folder);
// {"id": 1, "file": …, "target": …, "ok": BOOL}, and "why": … when not ok.
std::string WriteJson(const WriteLine& line, const std::string& folder);
// {"written": N, "failed": M}
std::string WrittenJson(const WriteSummary& summary);
// {"file": …, "undone": BOOL, "why": …}
std::string UndoJson(const UndoLine& line, const std::string& folder);

} // namespace velmora::cli
