#include <gtest/gtest.h>

#include "core/form/file_name_parts.h"

namespace velmora {
namespace {

struct NameCase {
  const char* name;
  const char* separator;
  const char* author;
  const char* title;
  const char* station;
  const char* year;
  const char* part;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << "'" << c.name << "'";
}

class FileNamePartsTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNamePartsTest, TakesTheNameApart) {
  const NameCase& c = GetParam();
  const FileNameParts parts = ParseFileName(c.name, c.separator);
  EXPECT_EQ(parts.author, c.author);
  EXPECT_EQ(parts.title, c.title);
  EXPECT_EQ(parts.station, c.station);
  EXPECT_EQ(parts.year, c.year);
  EXPECT_EQ(parts.partDesignation, c.part);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FileNamePartsTest,
    ::testing::Values(
        NameCase{"Max Muster - Der stille Garten 2v3 - RBX, 98", "", "Muster", "Der stille Garten",
                 "RBX", "1998", "2v3"},
        NameCase{"Der stille Garten, 1998", "", "", "Der stille Garten", "", "1998", ""},
        // Umlauts arrive as Windows-1252 bytes.
        NameCase{"Karl M\xfcller - Die R\xfc"
                 "ckkehr",
                 "", "M\xfcller",
                 "Die R\xfc"
                 "ckkehr",
                 "", "", ""},
        // Dashes split everywhere, also inside a word; empty pieces count.
        NameCase{"Hans-Peter Weber - Titel", "", "Hans", "Peter Weber", "Titel", "", ""},
        NameCase{"Autor -  - Sender", "", "", "Autor", "Sender", "", ""},
        NameCase{"A - B - C - D - E", "", "A", "B", "C", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    Years, FileNamePartsTest,
    ::testing::Values(NameCase{"Titel, 05", "", "", "Titel", "", "2005", ""},
                      NameCase{"Titel, 19", "", "", "Titel", "", "2019", ""},
                      NameCase{"Titel, 20", "", "", "Titel", "", "1920", ""},
                      NameCase{"Titel, 150", "", "", "Titel", "", "150", ""},
                      NameCase{"Titel,  -5 ", "", "", "Titel", "", "-5", ""},
                      // A zero year is no year, and the comma stays in the last piece.
                      NameCase{"Autor - Titel, 00", "", "Autor", "Titel, 00", "", "", ""},
                      NameCase{"Titel, ohne Jahr", "", "", "Titel, ohne Jahr", "", "", ""},
                      // Without a comma the whole name is read for a leading number.
                      NameCase{"1001 Nacht - Erz\xe4hlung", "", "Nacht", "Erz\xe4hlung", "",
                               "1001 Nacht - Erz\xe4hlung", ""},
                      NameCase{"01 - Intro", "", "01", "Intro", "", "2001", ""},
                      // Only the last comma counts.
                      NameCase{"Eins, zwei - Drei, 77", "", "zwei", "Drei", "", "1977", ""}));

INSTANTIATE_TEST_SUITE_P(
    Parts, FileNamePartsTest,
    ::testing::Values(NameCase{"A - Titel 12V6", "", "A", "Titel", "", "", "12V6"},
                      NameCase{"A - Teil 3v", "", "A", "Teil", "", "", "3v"},
                      NameCase{"A - Garten2v3", "", "A", "Garten", "", "", "2v3"},
                      NameCase{"A - Garten 0v3", "", "A", "Garten 0v3", "", "", ""},
                      NameCase{"A - Garten v3", "", "A", "Garten v3", "", "", ""},
                      NameCase{"A - Garten 2x3", "", "A", "Garten 2x3", "", "", ""},
                      // Nothing but digits, "v" and digits is no designation.
                      NameCase{"A - 2v3", "", "A", "2v3", "", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    Separators, FileNamePartsTest,
    ::testing::Values(NameCase{"A - T - RBX KLX", " ", "A", "T", "RBX/KLX", "", ""},
                      NameCase{"A - T - RBX KLX", "+", "A", "T", "RBX", "", ""},
                      NameCase{"A - T - RBX+KLX OST", "+", "A", "T", "RBX/KLX OST", "", ""},
                      NameCase{"A - T - RBX KLX", "", "A", "T", "RBX KLX", "", ""}));

TEST(FileNameOfPath, CutsDirectoryAndLastExtensionOnly) {
  EXPECT_EQ(BaseNameWithoutExtension("/a/b.c/Hoerspiel.Teil1.mp3"), "Hoerspiel.Teil1");
  EXPECT_EQ(BaseNameWithoutExtension("/a/b.c/ohne"), "ohne");
  EXPECT_EQ(BaseNameWithoutExtension("name.mp2"), "name");
  EXPECT_EQ(ExtensionOf("/a/b.c/Hoerspiel.Teil1.MP3"), "MP3");
  EXPECT_EQ(ExtensionOf("/a/b.c/ohne"), "");
  EXPECT_EQ(ExtensionOf("/a/name."), "");
}

} // namespace
} // namespace velmora
