#pragma once
// Runs the stand-in Hördat service on a free loopback port for the
// length of a test, and stops it with SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

#include "support/program_paths.h"

namespace velmora::test {

class StandinProcess {
public:
  // Starts it with the given extra arguments and reads "listening on HOST:PORT". Running()
  // tells whether that worked.
  explicit StandinProcess(const std::vector<std::string>& extraArgs = {}) {
    std::vector<std::string> args = {StandinProgram(), "--host", "127.0.0.1", "--port", "0"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (auto& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const bool spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (!spawned) {
      pid_ = -1;
      close(out[0]);
      return;
    }
    firstLine_ = ReadLine(out[0]);
    close(out[0]);
    const std::string prefix = "listening on 127.0.0.1:";
    if (firstLine_.rfind(prefix, 0) == 0) port_ = std::atoi(firstLine_.c_str() + prefix.size());
  }

  ~StandinProcess() { Stop(); }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  bool Running() const { return pid_ > 0 && port_ > 0; }
  int port() const { return port_; }
  const std::string& firstLine() const { return firstLine_; }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  // Sends SIGTERM and waits; the exit status (-1 when it did not end normally).
  int Stop() {
    if (pid_ <= 0) return exitStatus_;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitStatus_;
  }

private:
  static std::string ReadLine(int fd) {
    std::string line;
    char ch = 0;
    pollfd waitFor{fd, POLLIN, 0};
    while (poll(&waitFor, 1, 10000) > 0 && read(fd, &ch, 1) == 1 && ch != '\n')
      line += ch;
    return line;
  }

  pid_t pid_ = -1;
  int port_ = 0;
  int exitStatus_ = -1;
  std::string firstLine_;
};

} // namespace velmora::test
