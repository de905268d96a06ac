#pragma once
// Paths of the programs that end-to-end tests run: the environment may name them, otherwise
// the ones of this build tree are used, so a test never skips for want of a path.
#include <string>

namespace velmora::test {

std::string CliProgram();     // velmora-cli (VELMORA_CLI)
std::string StandinProgram(); // hoerdat-standin (VELMORA_STANDIN)

} // namespace velmora::test
