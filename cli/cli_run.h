#pragma once
// The run over a collection on the command line: lookup, choose, review, apply, apply-in-place,
// undo.
#include <iosfwd>

#include "cli/cli_arguments.h"
#include "core/collection/collection.h"

namespace velmora::cli {

// One action of a run over the collection read from folder (absolute, ending in "/"); the exit
// status it asks for (0 or 1).
int RunRunAction(const CliAction& action, const Collection& collection, const std::string& folder,
                 std::ostream& out, std::ostream& err);

} // namespace velmora::cli
