#include "support/program_paths.h"

#include <cstdlib>

namespace velmora::test {

static std::string FromEnvironment(const char* name, const char* builtPath) {
  const char* value = std::getenv(name);
  return value && *value ? value : builtPath;
}

std::string CliProgram() {
  return FromEnvironment("VELMORA_CLI", VELMORA_CLI_PATH);
}
std::string StandinProgram() {
  return FromEnvironment("VELMORA_STANDIN", VELMORA_STANDIN_PATH);
}

} // namespace velmora::test
