#include <gtest/gtest.h>

#include <sys/stat.h>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

class LoaderTest : public LogicTest {
protected:
  void SetUp() override { StartUp(); }

  // A file in the work directory (name in UTF-8) with the given bytes; its path.
  std::string MakeFile(const std::string& name, const std::string& bytes) {
    const std::string path = WorkFile(name);
    WriteBytes(path, bytes);
    return path;
  }
  std::string MakeMp3(const std::string& name) { return MakeFile(name, MpegAudio(4000)); }
};

TEST_F(LoaderTest, FillsMaskTrackAndPathsFromTheName) {
  const std::string path = MakeMp3("Max Muster - Der stille Garten 2v3 - RBX, 98.mp3");
  Load(path);

  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form.maskAuthor, "Muster");
  EXPECT_EQ(form.maskTitle, "Der stille Garten");
  EXPECT_EQ(form.maskStation, "RBX");
  EXPECT_EQ(form.maskYear, "1998");
  EXPECT_EQ(members.partDesignation, "2v3");
  EXPECT_EQ(form.v2Track, "2");
  EXPECT_EQ(form.v1Track, "2");
  EXPECT_EQ(form.inputFile, path);
  EXPECT_EQ(members.inputFilePath, path);
  EXPECT_EQ(members.inputFileExt, "mp3");
  EXPECT_EQ(members.oldTagLength, 0u);
  // A new title empties the fields of the file before, and the URL defaults.
  EXPECT_EQ(form.v2Title, "");
  EXPECT_EQ(form.v2Url, "");
  EXPECT_EQ(form.v2EncodedBy, "");
  // The controls show the result.
  EXPECT_EQ(Control(FormField::maskAuthor), "Muster");
  EXPECT_EQ(Control(FormField::v2Track), "2");
}

TEST_F(LoaderTest, TakesTheUtf8NameApartInWindows1252) {
  const std::string path = MakeMp3("Karl Müller - Die Rückkehr 12V6, 05.mp3");
  Load(path);
  EXPECT_EQ(form.maskAuthor, "M\xfcller");
  EXPECT_EQ(form.maskTitle, "Die R\xfc"
                            "ckkehr");
  EXPECT_EQ(form.maskYear, "2005");
  EXPECT_EQ(form.v2Track, "12");
  EXPECT_EQ(form.inputFile, dir.path().string() + "/Karl M\xfcller - Die R\xfc"
                                                  "ckkehr 12V6, 05.mp3");
  EXPECT_EQ(members.inputFilePath, path); // the native path stays UTF-8
}

TEST_F(LoaderTest, StationSeparatorFromTheSettings) {
  WriteSettings("[AKTUALISIEREN]\nSENDERNAMEN_TRENNER=\" \"\n");
  StartUp();
  Load(MakeMp3("A - T - RBX KLX.mp3"));
  EXPECT_EQ(form.maskStation, "RBX/KLX");
}

TEST_F(LoaderTest, PartsOfOnePlayKeepTheFieldsOfTheFirstPart) {
  Id3v2FrameTexts texts{};
  texts[2] = "Meier";       // TPE1
  texts[3] = "Krimi-Reihe"; // TALB
  Load(MakeFile("M - Der Fall 1v2 - RBX, 90.mp3", Id3v2Tag(texts) + MpegAudio(100)));
  ASSERT_EQ(form.v2Album, "Krimi-Reihe");
  // Typed since the last exchange: taken into the form before the next load.
  platform.Type(FormField::v2Comment, "Notiz");
  platform.Type(FormField::v1Album, "Album v1");

  Load(MakeMp3("M - Der Fall 2v2 - RBX, 90.mp3"));
  EXPECT_EQ(form.v2Title, "Der Fall 2v2");
  EXPECT_EQ(form.v1Title, "Der Fall 2v2");
  EXPECT_EQ(form.v2Track, "2");
  EXPECT_EQ(form.v2Album, "Krimi-Reihe");
  EXPECT_EQ(form.v2Artist, "Meier");
  EXPECT_EQ(members.recAutor, "Meier");
  EXPECT_EQ(form.v2Comment, "Notiz");
  EXPECT_EQ(form.v1Album, "Album v1");

  Load(MakeMp3("X - Anderes Spiel - RBX, 91.mp3"));
  EXPECT_EQ(logic.previousTitle(), "Anderes Spiel");
  EXPECT_EQ(form.v2Title, "");
  EXPECT_EQ(form.v2Album, "");
  EXPECT_EQ(form.v2Artist, "");
  EXPECT_EQ(form.v2Comment, "");
  EXPECT_EQ(form.v1Album, "");
  EXPECT_EQ(members.recAutor, "");
}

TEST_F(LoaderTest, EmptyTitlesCountAsTheSameTitle) {
  members.recAutor = "bleibt";
  Load(MakeMp3(", 98.mp3"));
  EXPECT_EQ(form.maskTitle, "");
  EXPECT_EQ(form.v2Title, " ");
  EXPECT_EQ(form.v1Title, " ");
  EXPECT_EQ(members.recAutor, "bleibt");
  Load(MakeMp3(", 99.mp3"));
  EXPECT_EQ(form.v2Title, " ");
  EXPECT_EQ(members.recAutor, "bleibt");
}

TEST_F(LoaderTest, MpegCheckByTheFirstBytes) {
  const std::string good = MakeFile("ff.mp3", "\xFF");
  Load(good);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form.inputFile, good);

  // An ID3v2 file is accepted whatever follows its tag.
  Id3v2FrameTexts texts{};
  texts[1] = "Titel aus dem Tag";
  const std::string tag = Id3v2Tag(texts, 50);
  Load(MakeFile("tag.mp3", tag + "RIFF not audio"));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(members.oldTagLength, tag.size());
  EXPECT_EQ(form.v2Title, "Titel aus dem Tag");

  const std::string tagged = form.inputFile;
  const std::string riff = MakeFile("wave.mp3", "RIFF\x24\x08\x00\x00WAVE");
  platform.Type(FormField::v2Title, "getippt");
  Load(riff);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Das File \"" + riff + "\" ist kein mp2/mp3-File!");
  EXPECT_EQ(platform.messages[0].caption, "Fehler");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
  // The file loaded before is still the loaded one; the typed text was taken and is shown.
  EXPECT_EQ(form.inputFile, tagged);
  EXPECT_EQ(members.oldTagLength, tag.size());
  EXPECT_EQ(Control(FormField::v2Title), "getippt");

  Load(MakeFile("empty.mp3", ""));
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(form.inputFile, tagged);
}

TEST_F(LoaderTest, MissingFileIsReported) {
  const std::string missing = WorkFile("fehlt.mp3");
  Load(missing);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Das File \"" + missing +
                                           "\" kann nicht ge\xf6"
                                           "ffnet werden!");
  EXPECT_EQ(platform.messages[0].caption, "Fehler");
  EXPECT_EQ(form.inputFile, "");
}

TEST_F(LoaderTest, ReadsBothTagsIntoTheForm) {
  const Id3v2FrameTexts texts{"7",           "Titel v2",  "K\xfcnstler", "Album v2",
                              "1987",        "(12)Other", "Kommentar",   "Regie",
                              "Mitwirkende", "(c) RBX",   "http://x",    "Encoder"};
  const std::string bytes =
      Id3v2Tag(texts, 100) + MpegAudio(500) +
      Id3v1Bytes({"Titel v1", "Artist v1", "Album v1", "1988", "Kommentar v1", "200"});
  Load(MakeFile("Autor - Titel.mp3", bytes));

  EXPECT_EQ(form.v2Track, "7");
  EXPECT_EQ(form.v2Title, "Titel v2");
  EXPECT_EQ(form.v2Artist, "K\xfcnstler");
  EXPECT_EQ(members.recAutor, "K\xfcnstler");
  EXPECT_EQ(form.v2Album, "Album v2");
  EXPECT_EQ(form.v2Year, "1987");
  EXPECT_EQ(form.v2Comment, "Kommentar");
  EXPECT_EQ(form.v2Composer, "Regie");
  EXPECT_EQ(form.v2OrigArtist, "Mitwirkende");
  EXPECT_EQ(form.v2Copyright, "(c) RBX");
  EXPECT_EQ(form.v2Url, "http://x");
  EXPECT_EQ(form.v2EncodedBy, "Encoder");
  EXPECT_EQ(form.v1Title, "Titel v1");
  EXPECT_EQ(form.v1Artist, "Artist v1");
  EXPECT_EQ(form.v1Album, "Album v1");
  EXPECT_EQ(form.v1Year, "1988");
  EXPECT_EQ(form.v1Comment, "Kommentar v1");
  EXPECT_EQ(form.v1Track, "200");
  EXPECT_EQ(Control(FormField::v1Track), "200");
  // The genre list is not the loader's business.
  EXPECT_EQ(platform.v2Genre.number, 101);
}

TEST_F(LoaderTest, TagLongerThanTheFileReadsWhatThereIs) {
  Id3v2FrameTexts texts{};
  texts[1] = "Kurz";
  std::string tag = ComposeId3v2Tag(texts, 5000); // claims 5000 bytes of padding
  Load(MakeFile("kurz.mp3", tag));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form.v2Title, "Kurz");
  EXPECT_EQ(members.oldTagLength, tag.size() + 5000);
}

TEST_F(LoaderTest, ReadOnlyFileShowsBothTags) {
  Id3v2FrameTexts texts{};
  texts[1] = "Schreibgesch\xfctzt";
  const std::string path = MakeFile("ro.mp3", Id3v2Tag(texts) + MpegAudio(300) +
                                                  Id3v1Bytes({"v1 Titel", "", "", "", "", ""}));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  Load(path);
  EXPECT_EQ(form.v2Title, "Schreibgesch\xfctzt");
  EXPECT_EQ(form.v1Title, "v1 Titel");
}

TEST_F(LoaderTest, NoSelectionShowsTheStoredForm) {
  form.v2Title = "gespeichert";
  platform.Type(FormField::v2Title, "getippt");
  logic.LoadSelectedFile(std::nullopt);
  EXPECT_EQ(Control(FormField::v2Title), "gespeichert");
  EXPECT_EQ(form.v2Title, "gespeichert");
}

TEST_F(LoaderTest, TooLongYearStopsTheLoad) {
  const std::string first = MakeMp3("A - Erstes.mp3");
  Load(first);
  platform.Type(FormField::v2Year, "1234567");
  Load(MakeMp3("B - Zweites.mp3"));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "Velmora");
  EXPECT_EQ(platform.focused, FormField::v2Year);
  EXPECT_EQ(form.inputFile, first);
}

} // namespace
} // namespace velmora::test
