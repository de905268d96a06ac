#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

class WindowLogicTest : public LogicTest {
protected:
  void SetUp() override { StartUp(); }

  // Writes a file in the work directory (name in UTF-8) and loads it; its path.
  std::string LoadFile(const std::string& name, const std::string& bytes = MpegAudio(4000)) {
    WriteBytes(dir.file(name), bytes);
    logic.LoadSelectedFile(dir.file(name));
    return dir.file(name);
  }
};

TEST_F(WindowLogicTest, AMissingSettingsFileIsToldInTheStatusLine) {
  EXPECT_EQ(platform.statuses,
            Texts{"Keine Einstellungen in \"" + dir.file("Tonfeld.ini") +
                  "\", es gelten die Voreinstellungen. Die Demo-Arbeitsumgebung \xf6"
                  "ffnet "
                  "./scripts/run.sh im Quellverzeichnis von Velmora."});
  WriteSettings("");
  platform.statuses.clear();
  StartUp();
  EXPECT_EQ(platform.statuses, Texts{});
}

TEST_F(WindowLogicTest, FillsMaskTrackAndPathsFromTheName) {
  // Expected: mask author, title, station, year, part designation, v2 and v1 track.
  const std::vector<std::pair<std::string, Texts>> rows = {
      {"Max Muster - Der stille Garten 2v3 - RBX, 98.mp3",
       {"Muster", "Der stille Garten", "RBX", "1998", "2v3", "2", "2"}},
      // The UTF-8 name is taken apart in Windows-1252; the native path stays UTF-8.
      {"Karl Müller - Die Rückkehr 12V6, 05.mp3",
       {"M\374ller", "Die R\374ckkehr", "", "2005", "12V6", "12", "12"}}};
  for (const auto& [name, expected] : rows) {
    const std::string path = LoadFile(name);
    EXPECT_EQ(members.inputFilePath, path);
    EXPECT_EQ((Texts{form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear,
                     members.partDesignation, form.v2Track, Control(FormField::v1Track)}),
              expected);
  }
  EXPECT_EQ(form.inputFile, dir.path().string() + "/Karl M\374ller - Die R\374ckkehr 12V6, 05.mp3");
  EXPECT_EQ(members.inputFileExt + std::to_string(members.oldTagLength), "mp30");
}

TEST_F(WindowLogicTest, PartsOfOnePlayKeepTheFieldsOfTheFirstPart) {
  LoadFile("M - Der Fall 1v2 - RBX, 90.mp3",
           Id3v2Tag({"", "", "Meier", "Krimi-Reihe"}) + MpegAudio(100));
  platform.Type(FormField::v2Comment, "Notiz"); // taken into the form before the next load
  const auto kept = [&] {
    return Texts{form.v2Album, form.v2Artist, members.recAutor, form.v2Comment, form.v1Title};
  };
  LoadFile("M - Der Fall 2v2 - RBX, 90.mp3");
  EXPECT_EQ(kept(), (Texts{"Krimi-Reihe", "Meier", "Meier", "Notiz", "Der Fall 2v2"}));
  EXPECT_EQ(form.v2Title + form.v2Track, "Der Fall 2v22");
  LoadFile("X - Anderes Spiel - RBX, 91.mp3"); // another title empties them
  EXPECT_EQ(kept(), Texts(5));
}

TEST_F(WindowLogicTest, MpegCheckByTheFirstBytesKeepsThePreviousFileOnFailure) {
  LoadFile("ff.mp3", "\xFF");
  const std::string tag = Id3v2Tag({"", "Titel aus dem Tag"}, 50);
  const std::string tagged = LoadFile("tag.mp3", tag + "RIFF not audio"); // whatever follows
  EXPECT_EQ(form.v2Title, "Titel aus dem Tag");

  platform.Type(FormField::v2Title, "getippt");
  const std::string wave = LoadFile("wave.mp3", "RIFF....WAVE"), empty = LoadFile("0.mp3", "");
  const std::string missing = dir.file("fehlt.mp3");
  logic.LoadSelectedFile(missing);
  EXPECT_EQ(platform.MessageTexts(),
            (Texts{"Das File \"" + wave + "\" ist kein mp2/mp3-File!",
                   "Das File \"" + empty + "\" ist kein mp2/mp3-File!",
                   "Das File \"" + missing + "\" kann nicht ge\366ffnet werden!"}));
  EXPECT_EQ(platform.Captions(), Texts(3, "Fehler"));
  // The file loaded before is still the loaded one; the typed text was taken and is shown.
  EXPECT_EQ(
      (Texts{form.inputFile, std::to_string(members.oldTagLength), Control(FormField::v2Title)}),
      (Texts{tagged, std::to_string(tag.size()), "getippt"}));
}

TEST_F(WindowLogicTest, ReadsBothTagsOfAReadOnlyFile) {
  const std::string path = dir.file("Autor - Titel.mp3");
  WriteBytes(path, Id3v2Tag({"7", "T2", "K\374nstler", "A2", "1987", "(12)Other", "C2", "Regie",
                             "Mitwirkende", "(c) RBX", "http://x", "Enc"}) +
                       MpegAudio(500) + Id3v1Bytes({"T1", "A1", "Al1", "1988", "C1", "200"}));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  logic.LoadSelectedFile(path);
  // TCON is not read: the genre list is not the loader's business.
  EXPECT_EQ(
      (Texts{form.v2Track, form.v2Title, form.v2Artist, members.recAutor, form.v2Album, form.v2Year,
             form.v2Comment, form.v2Composer, form.v2OrigArtist, form.v2Copyright, form.v2Url,
             form.v2EncodedBy, form.v1Title, form.v1Artist, form.v1Album, form.v1Year,
             form.v1Comment, Control(FormField::v1Track)}),
      (Texts{"7", "T2", "K\374nstler", "K\374nstler", "A2", "1987", "C2", "Regie", "Mitwirkende",
             "(c) RBX", "http://x", "Enc", "T1", "A1", "Al1", "1988", "C1", "200"}));
}

TEST_F(WindowLogicTest, TakeStopsAtATooLongYearKeepingTheLaterFields) {
  platform.Type(FormField::v2Year, "123456"); // exactly the limit
  EXPECT_TRUE(logic.TakeControls());
  for (const FormField field : kExchangeOrder)
    platform.Type(field, "neu");
  platform.Type(FormField::v2Year, "1234567");
  EXPECT_FALSE(logic.TakeControls());
  EXPECT_EQ(platform.MessageTexts(), Texts{"Bitte geben Sie nicht mehr als 6 Zeichen ein."});
  EXPECT_EQ(platform.focused, FormField::v2Year);
  // The album comes before the year in the exchange, the artist after it.
  EXPECT_EQ((Texts{form.v2Album, form.v2Year, form.v2Artist}), (Texts{"neu", "1234567", ""}));

  // Loading another file still works: the message, then the file's values.
  const std::string other = dir.file("Meier - Der Fall.mp3");
  WriteBytes(other, Id3v2Tag({"", "Der Fall"}) + MpegAudio(100));
  logic.LoadSelectedFile(other);
  EXPECT_EQ(platform.MessageTexts(), (Texts(2, "Bitte geben Sie nicht mehr als 6 Zeichen ein.")));
  EXPECT_EQ(form.inputFile, other);
  EXPECT_EQ(platform.ControlText(FormField::v2Title), "Der Fall");
}

TEST_F(WindowLogicTest, ClearMaskRestoresTheStoredValuesOfTheOtherFields) {
  form.maskAuthor = form.maskTitle = form.maskStation = form.maskYear = "x";
  form.v2Title = "gespeichert";
  logic.ShowForm();
  platform.Type(FormField::v2Title, "getippt");
  logic.OnClearMask();
  EXPECT_EQ((Texts{form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear,
                   Control(FormField::maskTitle), Control(FormField::v2Title)}),
            (Texts{"", "", "", "", "", "gespeichert"}));
}

TEST_F(WindowLogicTest, FilenameButtonCutsAtTheLastDotOnly) {
  // Input file, title, control. A name ending in "/" changes nothing.
  const std::vector<std::array<std::string, 3>> rows = {
      {"/x/y.z/Hoerspiel.Teil1.mp3", "Hoerspiel.Teil1", "Hoerspiel.Teil1"},
      {"/x/ohne Punkt", "ohne Punkt", "ohne Punkt"},
      {"/x/y/", "ohne Punkt", "getippt"}};
  for (const auto& [file, title, control] : rows) {
    platform.Type(FormField::v2Title, "getippt");
    form.inputFile = file;
    logic.OnFilename();
    EXPECT_EQ(form.v2Title + "|" + Control(FormField::v2Title), title + "|" + control) << file;
  }
}

} // namespace
} // namespace velmora::test
