// velmora-cli: the Velmora window's commands on one file, driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_collection.h"
#include "cli/cli_session.h"
#include "core/io/file_io.h"
#include "core/model/messages.h"
#include "core/text/encoding.h"

int main(int argc, char** argv) {
  velmora::IgnoreFileSizeSignal();
  using namespace velmora::cli;
  const ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.command) {
    std::cerr << "velmora-cli: " << parsed.error << "\nTry 'velmora-cli --help'.\n";
    return 2;
  }
  if (parsed.command->help) {
    std::cout << UsageText();
    return 0;
  }
  if (parsed.command->version) {
    std::cout << "velmora-cli " << VELMORA_VERSION << "\n";
    return 0;
  }
  try {
    if (parsed.command->collection) return RunCollection(*parsed.command, std::cout, std::cerr);
    return RunSession(*parsed.command, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << velmora::messages::kError << ": "
              << velmora::ValidUtf8(velmora::messages::UnexpectedError(e.what())) << "\n";
    return 1;
  }
}
