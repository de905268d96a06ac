#pragma once
// Shared by the tests of the window's logic: a VelmoraLogic over a FakePlatform whose start-up
// ran in a temporary work directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/form/velmora_logic.h"
#include "form/audio_test_files.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace velmora::test {

// A logic object in a fresh work directory, started as the window starts (settings file first
// when the test writes one).
class LogicTest : public ::testing::Test {
protected:
  std::string WorkFile(std::string_view name) const { return dir.file(name); }
  void WriteSettings(const std::string& iniText) { WriteBytes(dir.file("Tonfeld.ini"), iniText); }
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
