#pragma once
// A small collection on disk: a play in parts with a gap across a subfolder, tagged; a play in
// one file whose tag has no artist; an untagged play whose title needs quoting in CSV and HTML;
// a file that is no MPEG audio, a name outside the habit, a hidden folder, a picture and a
// link back to the collection's folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/collection/collection.h"
#include "form/audio_test_files.h"
#include "support/temp_dir.h"

namespace velmora::test {

inline const std::string kQuotedTitleFile = "Zoë Ärger - \"Über\" <alles> & mehr 1v2 - RBX, 05.mp3";

class CollectionTest : public ::testing::Test {
protected:
  CollectionTest() {
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "sub");
    fs::create_directories(dir.path() / ".hidden");
    const std::string tagged = Id3v2Tag({"1", "Stille Garten", "Anna Berger"}) + MpegAudio(50);
    WriteBytes(dir.file("Anna Berger - Stille Garten 1v3 - RBX, 01.mp3"), tagged);
    WriteBytes(dir.file("sub/Anna Berger - Stille Garten 3v3 - RBX, 01.mp3"), tagged);
    WriteBytes(dir.file(".hidden/Anna Berger - Stille Garten 2v3 - RBX, 01.mp3"), tagged);
    WriteBytes(dir.file("Otto Lenz - Das Haus - WDR, 1999.mp3"),
               Id3v2Tag({"", "Das Haus", ""}) + MpegAudio(50));
    WriteBytes(dir.file(kQuotedTitleFile), MpegAudio(50));
    WriteBytes(dir.file("Kim Ost - Kein - RBX, 05.mp3"), "RIFF....WAVE");
    WriteBytes(dir.file("Mitschnitt vom Sonntag.mp3"), MpegAudio(50));
    WriteBytes(dir.file("cover.jpg"), "\xFF\xD8");
    fs::create_directory_symlink(dir.path(), dir.path() / "sub" / "loop");
  }
  TempDir dir;
};

// Counts the calls and ends the reading at the call given (0: never).
struct CountingProgress : CollectionProgress {
  explicit CountingProgress(std::size_t stopAtCall = 0) : stopAt(stopAtCall) {}
  bool Continue(std::size_t filesRead, std::size_t filesFound) override {
    lastRead = filesRead;
    lastFound = filesFound;
    return ++calls != stopAt;
  }
  std::size_t stopAt, calls = 0, lastRead = 0, lastFound = 0;
};

inline Collection ReadFixture(const std::string& folder) {
  CountingProgress progress;
  return ReadCollection(folder, "", progress).value();
}

} // namespace velmora::test
