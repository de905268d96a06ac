#pragma once
// Shared by the tests of the window's logic: a VelmoraLogic over a FakePlatform whose start-up
// ran in a temporary work directory.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/form/velmora_logic.h"
#include "form/audio_test_files.h"
#include "support/fake_platform.h"

namespace velmora::test {

// Several texts compared at once.
using Texts = std::vector<std::string>;

// Runs body in a forked child (where size limits stay) and returns its exit code, -1 when it
// did not exit normally.
inline int RunInChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class LogicTest : public ::testing::Test {
protected:
  std::string WorkFile(std::string_view name) const { return dir.file(name); }
  void WriteSettings(const std::string& iniText) { WriteBytes(dir.file("Tonfeld.ini"), iniText); }
  // Starts as the window starts (settings file first when the test wrote one).
  void StartUp() {
    logic.ReadFirstSettings(dir.path().string());
    logic.ReadLaterSettings();
    logic.ShowForm();
  }
  // Loads a file as a click on its list entry does.
  void Load(const std::string& path) { logic.LoadSelectedFile(path); }
  std::string Control(FormField field) { return platform.ControlText(field); }

  TempDir dir;
  FakePlatform platform;
  VelmoraLogic logic{platform, nullptr};
  TagForm& form = logic.form();
  WindowMembers& members = logic.members();
};

} // namespace velmora::test
