#pragma once
// velmora-cli DIR plays | catalogue PATH: a folder read as a collection of radio plays.
#include <iosfwd>

#include "cli/cli_arguments.h"

namespace velmora::cli {

// Runs the collection's actions; returns the exit status (1 when a catalogue was not written).
int RunCollection(const CliCommand& command, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
