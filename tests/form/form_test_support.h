#pragma once
// The window's logic over a FakePlatform, started in a temporary work directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "form/audio_test_files.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace velmora::test {

using Texts = std::vector<std::string>; // several texts compared at once

class LogicTest : public ::testing::Test {
protected:
  void WriteSettings(const std::string& iniText) { WriteBytes(dir.file("Tonfeld.ini"), iniText); }
  void StartUp() {
    logic.ReadFirstSettings(dir.path().string());
    logic.ReadLaterSettings();
    logic.ShowForm();
  }
  std::string LoadFile(const std::string& name, const std::string& bytes = MpegAudio(4000)) {
    WriteBytes(dir.file(name), bytes);
    logic.LoadSelectedFile(dir.file(name));
    return dir.file(name);
  }
  std::string Control(FormField field) { return platform.ControlText(field); }

  TempDir dir;
  FakePlatform platform;
  VelmoraLogic logic{platform, nullptr};
  TagForm& form = logic.state().form;
  WindowMembers& members = logic.state().members;
};

} // namespace velmora::test
