#include "cli_runner.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "support/program_paths.h"
#include "support/temp_dir.h"

namespace velmora::test {

CliRun RunCli(const std::filesystem::path& workDir, const std::vector<std::string>& args) {
  const std::string program = CliProgram();
  TempDir captures;
  const std::string outPath = captures.file("out"), errPath = captures.file("err");

  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(workDir.c_str()) != 0)
      _exit(127);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
  CliRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadBytes(outPath);
  run.err = ReadBytes(errPath);
  return run;
}

} // namespace velmora::test
