#pragma once
// Runs the stand-in Hördat service on a free loopback port for the length of a test, and stops
// it with SIGTERM.
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/program_paths.h"

namespace velmora::test {

class StandinProcess {
public:
  // Starts it with the given extra arguments and reads "listening on 127.0.0.1:PORT"; the shell
  // first tells its process id, which the service keeps through the exec.
  explicit StandinProcess(const std::string& extraArgs = "")
      : output_(popen(
            ("echo $$; exec '" + StandinProgram() + "' --host 127.0.0.1 --port 0 " + extraArgs)
                .c_str(),
            "r")),
        pid_(std::atoi(ReadLine().c_str())), firstLine_(ReadLine()) {
    const std::string prefix = "listening on 127.0.0.1:";
    if (firstLine_.starts_with(prefix)) port_ = std::atoi(firstLine_.c_str() + prefix.size());
  }
  ~StandinProcess() { Stop(); }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  bool Running() const { return output_ && port_ > 0; }
  int port() const { return port_; }
  const std::string& firstLine() const { return firstLine_; }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  // Sends SIGTERM and waits; the exit status (-1 when it did not end normally).
  int Stop() {
    if (!output_) return exitStatus_;
    if (pid_ > 0) kill(pid_, SIGTERM);
    const int status = pclose(std::exchange(output_, nullptr));
    return exitStatus_ = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

private:
  std::string ReadLine() {
    std::string line;
    for (int ch; output_ && (ch = std::fgetc(output_)) != EOF && ch != '\n';)
      line += static_cast<char>(ch);
    return line;
  }

  std::FILE* output_;
  int pid_, port_ = 0, exitStatus_ = -1;
  std::string firstLine_;
};

} // namespace velmora::test
