#include <gtest/gtest.h>

#include <sys/stat.h>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

class WindowLogicTest : public LogicTest {
protected:
  void SetUp() override { StartUp(); }
};

TEST_F(WindowLogicTest, FillsMaskTrackAndPathsFromTheName) {
  // The name is taken apart as it is spelled; the native path is kept for file operations.
  const std::string path = LoadFile("Karl Müller - Die Rückkehr 12V6 - RBX, 05.mp3");
  EXPECT_EQ((Texts{form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear,
                   members.partDesignation, form.v2Track, Control(FormField::v1Track)}),
            (Texts{"Müller", "Die Rückkehr", "RBX", "2005", "12V6", "12", "12"}));
  EXPECT_EQ(members.inputFilePath, path);
  EXPECT_EQ(form.inputFile, dir.path().string() + "/Karl Müller - Die Rückkehr 12V6 - RBX, 05.mp3");
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
  // A pipe nobody writes to (it would stall the open) and a folder are no files.
  const std::string missing = dir.file("fehlt.mp3"), fifo = dir.file("fifo.mp3");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {missing, fifo, dir.path().string()})
    logic.LoadSelectedFile(path);
  EXPECT_EQ(platform.MessageTexts(),
            (Texts{messages::NotMpegFile(wave), messages::NotMpegFile(empty),
                   messages::CannotOpenFile(missing), messages::NotARegularFile(fifo),
                   messages::NotARegularFile(dir.path().string())}));
  EXPECT_EQ(platform.Captions(), Texts(5, messages::kError));
  // The file loaded before is still the loaded one; the typed text was taken and is shown.
  EXPECT_EQ(
      (Texts{form.inputFile, std::to_string(members.oldTagLength), Control(FormField::v2Title)}),
      (Texts{tagged, std::to_string(tag.size()), "getippt"}));
}

// Every text of a tag written before comes back whole: a title beyond the old 9999-byte buffer, a
// comment of two lines with every kind of Windows-1252 character and one beyond it.
TEST_F(WindowLogicTest, ReadsBothTagsOfAReadOnlyFile) {
  const std::string path = dir.file("Autor - Titel.mp3"), t2(70000, 'T');
  const std::string c2 = "Teil 1\r\nTeil 2 „ä“ €\u0081\u008dÿ Č";
  WriteBytes(path, Id3v2Tag({"7", t2, "Künstler", "A2", "1987", "(12)Other", c2, "Regie",
                             "Mitwirkende", "(c) RBX", "http://x", "Enc"}) +
                       MpegAudio(500) + Id3v1Bytes({"T1", "A1", "Al1", "1988", "C1", "200"}));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  logic.LoadSelectedFile(path);
  // TCON is not read: the genre list is not the loader's business.
  EXPECT_EQ((Texts{form.v2Track, form.v2Title, form.v2Artist, members.recAutor, form.v2Album,
                   form.v2Year, form.v2Comment, form.v2Composer, form.v2OrigArtist,
                   form.v2Copyright, form.v2Url, form.v2EncodedBy, form.v1Title, form.v1Artist,
                   form.v1Album, form.v1Year, form.v1Comment, Control(FormField::v1Track)}),
            (Texts{"7", t2, "Künstler", "Künstler", "A2", "1987", c2, "Regie", "Mitwirkende",
                   "(c) RBX", "http://x", "Enc", "T1", "A1", "Al1", "1988", "C1", "200"}));
}

TEST_F(WindowLogicTest, TakeStopsAtATooLongYearKeepingTheLaterFields) {
  platform.Type(FormField::v2Year, "123456"); // exactly the limit
  EXPECT_TRUE(logic.TakeControls());
  for (const FormField field : kExchangeOrder)
    platform.Type(field, "neu");
  platform.Type(FormField::v2Year, "1234567");
  EXPECT_FALSE(logic.TakeControls());
  EXPECT_EQ(platform.MessageTexts(), Texts{messages::YearTooLong()});
  EXPECT_EQ(platform.focused, FormField::v2Year);
  // The album comes before the year in the exchange, the artist after it.
  EXPECT_EQ((Texts{form.v2Album, form.v2Year, form.v2Artist}), (Texts{"neu", "1234567", ""}));

  // Loading another file still works: the message, then the file's values.
  const std::string other =
      LoadFile("Meier - Der Fall.mp3", Id3v2Tag({"", "Der Fall"}) + MpegAudio(100));
  EXPECT_EQ(platform.MessageTexts(), Texts(2, messages::YearTooLong()));
  EXPECT_EQ(form.inputFile, other);
  EXPECT_EQ(platform.ControlText(FormField::v2Title), "Der Fall");
}

TEST_F(WindowLogicTest, FilenameButtonCutsAtTheLastDotOnly) {
  // The input file, then the title and the control after it; a name ending in "/" changes nothing.
  for (const auto& [file, shown] :
       {std::pair{"/x/y.z/Hoerspiel.Teil1.mp3", "Hoerspiel.Teil1|Hoerspiel.Teil1"},
        {"/x/ohne Punkt", "ohne Punkt|ohne Punkt"},
        {"/x/y/", "ohne Punkt|getippt"}}) {
    platform.Type(FormField::v2Title, "getippt");
    form.inputFile = file;
    logic.OnFilename();
    EXPECT_EQ(form.v2Title + "|" + Control(FormField::v2Title), shown) << file;
  }
}

} // namespace
} // namespace velmora::test
