#include <gtest/gtest.h>

#include <sys/stat.h>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

class LoaderTest : public LogicTest {
protected:
  void SetUp() override { StartUp(); }

  // Writes a file in the work directory (name in UTF-8) and loads it; its path.
  std::string LoadFile(const std::string& name, const std::string& bytes = MpegAudio(4000)) {
    WriteBytes(WorkFile(name), bytes);
    Load(WorkFile(name));
    return WorkFile(name);
  }
};

TEST_F(LoaderTest, FillsMaskTrackAndPathsFromTheName) {
  // Expected: mask author, title, station, year, part designation, v2 and v1 track.
  const std::vector<std::pair<std::string, Texts>> rows = {
      {"Max Muster - Der stille Garten 2v3 - RBX, 98.mp3",
       {"Muster", "Der stille Garten", "RBX", "1998", "2v3", "2", "2"}},
      // The UTF-8 name is taken apart in Windows-1252; the native path stays UTF-8.
      {"Karl Müller - Die Rückkehr 12V6, 05.mp3",
       {"M\374ller", "Die R\374ckkehr", "", "2005", "12V6", "12", "12"}}};
  for (const auto& [name, expected] : rows) {
    EXPECT_EQ(members.inputFilePath, LoadFile(name));
    EXPECT_EQ((Texts{form.maskAuthor, form.maskTitle, form.maskStation, form.maskYear,
                     members.partDesignation, form.v2Track, Control(FormField::v1Track)}),
              expected);
  }
  EXPECT_EQ(form.inputFile, dir.path().string() + "/Karl M\374ller - Die R\374ckkehr 12V6, 05.mp3");
  EXPECT_EQ(members.inputFileExt + std::to_string(members.oldTagLength), "mp30");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoaderTest, PartsOfOnePlayKeepTheFieldsOfTheFirstPart) {
  LoadFile("M - Der Fall 1v2 - RBX, 90.mp3",
           Id3v2Tag({"", "", "Meier", "Krimi-Reihe"}) + MpegAudio(100));
  // Typed since the last exchange: taken into the form before the next load.
  platform.Type(FormField::v2Comment, "Notiz");
  const auto kept = [&] {
    return Texts{form.v2Album, form.v2Artist, members.recAutor, form.v2Comment, form.v1Title};
  };
  LoadFile("M - Der Fall 2v2 - RBX, 90.mp3");
  EXPECT_EQ(kept(), (Texts{"Krimi-Reihe", "Meier", "Meier", "Notiz", "Der Fall 2v2"}));
  EXPECT_EQ(form.v2Title + form.v2Track, "Der Fall 2v22");
  // Another title empties them.
  LoadFile("X - Anderes Spiel - RBX, 91.mp3");
  EXPECT_EQ(logic.previousTitle(), "Anderes Spiel");
  EXPECT_EQ(kept(), Texts(5));
}

TEST_F(LoaderTest, MpegCheckByTheFirstBytesKeepsThePreviousFileOnFailure) {
  LoadFile("ff.mp3", "\xFF");
  // An ID3v2 file is accepted whatever follows its tag.
  const std::string tag = Id3v2Tag({"", "Titel aus dem Tag"}, 50);
  const std::string tagged = LoadFile("tag.mp3", tag + "RIFF not audio");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form.v2Title, "Titel aus dem Tag");

  platform.Type(FormField::v2Title, "getippt");
  const std::string wave = LoadFile("wave.mp3", "RIFF....WAVE"), empty = LoadFile("0.mp3", "");
  const std::string missing = WorkFile("fehlt.mp3");
  Load(missing);
  EXPECT_EQ(platform.MessageTexts(),
            (Texts{"Das File \"" + wave + "\" ist kein mp2/mp3-File!",
                   "Das File \"" + empty + "\" ist kein mp2/mp3-File!",
                   "Das File \"" + missing + "\" kann nicht ge\366ffnet werden!"}));
  EXPECT_EQ(platform.Captions(), Texts(3, "Fehler"));
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
  // The file loaded before is still the loaded one; the typed text was taken and is shown.
  EXPECT_EQ(form.inputFile, tagged);
  EXPECT_EQ(members.oldTagLength, tag.size());
  EXPECT_EQ(Control(FormField::v2Title), "getippt");
}

TEST_F(LoaderTest, ReadsBothTagsOfAReadOnlyFile) {
  const Id3v2FrameTexts v2{"7",    "Titel v2", "K\374nstler", "Album v2", "1987",     "(12)Other",
                           "Komm", "Regie",    "Mitwirkende", "(c) RBX",  "http://x", "Encoder"};
  const std::string path = WorkFile("Autor - Titel.mp3");
  WriteBytes(path, Id3v2Tag(v2, 100) + MpegAudio(500) +
                       Id3v1Bytes({"Titel v1", "Artist v1", "Album v1", "1988", "Komm v1", "200"}));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  Load(path);
  Texts expected(v2.begin(), v2.end());
  expected[5] = v2[2]; // TCON is not read: the genre list is not the loader's business
  EXPECT_EQ((Texts{form.v2Track, form.v2Title, members.recAutor, form.v2Album, form.v2Year,
                   form.v2Artist, form.v2Comment, form.v2Composer, form.v2OrigArtist,
                   form.v2Copyright, form.v2Url, form.v2EncodedBy}),
            expected);
  EXPECT_EQ((Texts{form.v1Title, form.v1Artist, form.v1Album, form.v1Year, form.v1Comment,
                   Control(FormField::v1Track)}),
            (Texts{"Titel v1", "Artist v1", "Album v1", "1988", "Komm v1", "200"}));
}

} // namespace
} // namespace velmora::test
