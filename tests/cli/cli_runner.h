#pragma once
// Runs velmora-cli (path from the environment variable VELMORA_CLI) in a directory and captures
// what it prints.
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

struct CliRun {
  int exitCode = -1; // -1 when the program did not end normally
  std::string out, err;
};

CliRun RunCli(const std::filesystem::path& workDir, const std::vector<std::string>& args);

} // namespace velmora::test
