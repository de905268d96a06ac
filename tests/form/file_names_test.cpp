#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "core/form/file_list.h"
#include "core/form/file_name_parts.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

TEST(FileNamesTest, TakesTheNameApart) {
  // Expected: author|title|station|year|part designation.
  const std::vector<std::array<const char*, 3>> rows = {
      {"Max Muster - Der stille Garten 2v3 - RBX, 98", "", "Muster|Der stille Garten|RBX|1998|2v3"},
      {"Der stille Garten, 1998", "", "|Der stille Garten||1998|"},
      // Two-digit years pivot at 20; a zero year is none.
      {"Titel, 19", "", "|Titel||2019|"},
      {"Titel, 20", "", "|Titel||1920|"},
      {"Titel, 150", "", "|Titel||150|"},
      {"Autor - Titel, 00", "", "Autor|Titel, 00|||"},
      // Without a comma the whole name is read for a leading number.
      {"1001 Nacht - Erzählung", "", "Nacht|Erzählung||1001 Nacht - Erzählung|"},
      {"01 - Intro", "", "01|Intro||2001|"},
      {"Stanisław Lem - Solaris 1v2 - WDR, 05", "", "Lem|Solaris|WDR|2005|1v2"},
      {"A - Teil 3v", "", "A|Teil|||3v"},
      {"A - 2v3", "", "A|2v3|||"}, // digits, "v" and digits alone are no designation
      {"A - T - RBX KLX", " ", "A|T|RBX/KLX||"},
      {"A - T - RBX+KLX OST", "+", "A|T|RBX/KLX OST||"},
      {"A - T - RBX KLX", "", "A|T|RBX KLX||"},
  };
  for (const auto& [name, separator, expected] : rows) {
    const FileNameParts p = ParseFileName(name, separator);
    EXPECT_EQ(p.author + "|" + p.title + "|" + p.station + "|" + p.year + "|" + p.partDesignation,
              expected)
        << "'" << name << "' separator '" << separator << "'";
  }
}

TEST(FileNamesTest, ScanListsMpegNamesInAscendingOrder) {
  TempDir dir;
  for (const char* name : {"c.txt", "b.MP2", "a.mp3", "M\xc3\xbcller.Mp3", "d.mp", "e.mp34",
                           "f.mpeg", "g.mp3.bak", ".mp3"})
    WriteBytes(dir.file(name), "x");
  std::filesystem::create_directory(dir.path() / "sub.mpx");
  std::filesystem::create_symlink(dir.file("fehlt"), dir.file("h.mp3")); // dangling, still listed
  EXPECT_EQ(ScanInputDir(dir.path().string() + "/"),
            (std::vector<std::string>{".mp3", "M\xc3\xbcller.Mp3", "a.mp3", "b.MP2", "d.mp",
                                      "h.mp3", "sub.mpx"}));
  EXPECT_TRUE(ScanInputDir(dir.file("fehlt")).empty() && ScanInputDir(dir.file("a.mp3")).empty());
  // Only MP3 files are dropped (a name's case: tests/app).
  EXPECT_TRUE(IsDroppableAudioPath(".MP3") && !IsDroppableAudioPath("mp3"));
}

} // namespace
} // namespace velmora::test
