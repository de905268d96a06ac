#pragma once
// The stand-in Hördat service on a free loopback port for the length of a test; SIGTERM ends it.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "support/program_paths.h"

namespace velmora::test {

class StandinProcess {
  std::FILE* output_;
  int pid_;
  std::string ReadLine() {
    std::string line;
    for (int ch; output_ && (ch = std::fgetc(output_)) != EOF && ch != '\n';)
      line += static_cast<char>(ch);
    return line;
  }

public:
  // Starts it and reads "listening on 127.0.0.1:PORT"; the shell first tells its process id,
  // which the service keeps through the exec.
  StandinProcess()
      : output_(popen(
            ("echo $$; exec '" + StandinProgram() + "' --host 127.0.0.1 --port 0").c_str(), "r")),
        pid_(std::atoi(ReadLine().c_str())), firstLine(ReadLine()) {
    const std::string prefix = "listening on 127.0.0.1:";
    if (firstLine.starts_with(prefix)) port = std::atoi(firstLine.c_str() + prefix.size());
  }
  ~StandinProcess() { Stop(); }
  void Stop() {
    if (output_ && pid_ > 0) kill(pid_, SIGTERM);
    if (output_) pclose(std::exchange(output_, nullptr));
  }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port) + "/"; }

  const std::string firstLine;
  int port = 0; // 0 when it did not start
};

} // namespace velmora::test
