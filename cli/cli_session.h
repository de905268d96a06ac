#pragma once
// One scripted session of the main window: start-up, the click on FILE, the actions.
#include <iosfwd>

#include "cli/cli_arguments.h"

namespace velmora::cli {

// Runs the command; returns the exit status (0, or 1 when a "Fehler" or "Warnung" box was shown).
int RunSession(const CliCommand& command, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
