#pragma once
// Shared by the tests of the window's logic: audio files with tags, a settings file, and a
// VelmoraLogic over a FakePlatform whose start-up ran in a temporary work directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/form/velmora_logic.h"
#include "core/tags/id3v1.h"
#include "core/tags/id3v2.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "tags/file_test_helpers.h"

namespace velmora::test {

// MPEG audio: a frame sync first, then bytes that differ from block to block.
inline std::string MpegAudio(std::size_t size) {
  return "\xFF\xFB" + AudioBytes(size);
}

// A complete ID3v2 tag with its padding bytes.
inline std::string Id3v2Tag(const Id3v2FrameTexts& texts, long padding = 0) {
  return ComposeId3v2Tag(texts, padding) + std::string(static_cast<std::size_t>(padding), '\0');
}

inline std::string Id3v1Bytes(const Id3v1Fields& fields) {
  const Id3v1Record record = ComposeId3v1Record(fields);
  return std::string(record.begin(), record.end());
}

// The body of the first frame with the given ID in an ID3v2.3 tag (no checks beyond the bounds).
inline std::string FrameBody(const std::string& tag, std::string_view id) {
  std::size_t pos = 10;
  while (pos + 10 <= tag.size() && tag[pos] != '\0') {
    std::size_t size = 0;
    for (int i = 0; i < 4; ++i)
      size = size * 256 + static_cast<unsigned char>(tag[pos + 4 + i]);
    if (tag.compare(pos, 4, id) == 0) return tag.substr(pos + 10, size);
    pos += 10 + size;
  }
  return {};
}

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
