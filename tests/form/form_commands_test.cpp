#include <gtest/gtest.h>

#include "core/settings/settings_file.h"
#include "form/form_test_support.h"

namespace velmora::test {
namespace {

using FormCommandsTest = LogicTest;

TEST_F(FormCommandsTest, StartUpWithoutSettingsFile) {
  StartUp();
  const std::string workDir = dir.path().string() + "/";
  EXPECT_EQ(members.workDir, workDir);
  EXPECT_EQ(members.settingsPath, workDir + "Tonfeld.ini");
  EXPECT_EQ(members.inputDirPath, workDir);
  EXPECT_EQ(members.outputDirPath, workDir);
  EXPECT_EQ(form.inputDir, workDir);
  EXPECT_EQ(form.v2Url, "--");
  EXPECT_EQ(form.v2EncodedBy, "");
  EXPECT_EQ(Control(FormField::v2Url), "--");
  EXPECT_EQ(Control(FormField::inputDir), workDir);
}

TEST_F(FormCommandsTest, StartUpTakesDirectoriesAndDefaultsFromTheSettings) {
  WriteSettings("[Directories]\nInputDir=/srv/H\xc3\xb6rspiele/\n"
                "[DEFAULTS]\nURL=http://hoerdat\nEncodedVON=Sammler\n");
  logic.ReadFirstSettings(dir.path().string() + "/"); // a trailing "/" is not doubled
  logic.ReadLaterSettings();
  EXPECT_EQ(members.workDir, dir.path().string() + "/");
  EXPECT_EQ(members.inputDirPath, "/srv/H\xc3\xb6rspiele/");
  EXPECT_EQ(form.inputDir, "/srv/H\xf6rspiele/");
  EXPECT_EQ(form.v2Url, "http://hoerdat");
  EXPECT_EQ(form.v2EncodedBy, "Sammler");
}

TEST_F(FormCommandsTest, ShowAndTakeWalkAllFields) {
  for (const FormField field : kExchangeOrder)
    FieldOf(form, field) = std::string(FieldName(field)) + "!";
  logic.ShowForm();
  for (const FormField field : kExchangeOrder)
    EXPECT_EQ(Control(field), std::string(FieldName(field)) + "!");

  for (const FormField field : kExchangeOrder)
    platform.Type(field, "neu " + std::string(FieldName(field)));
  platform.Type(FormField::v2Year, "123456"); // exactly the limit
  EXPECT_TRUE(logic.TakeControls());
  EXPECT_EQ(form.v2Year, "123456");
  EXPECT_EQ(form.v2Artist, "neu v2Artist");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FormCommandsTest, TakeStopsAtATooLongYear) {
  for (const FormField field : kExchangeOrder)
    platform.Type(field, "getippt");
  platform.Type(FormField::v2Year, "1234567");
  EXPECT_FALSE(logic.TakeControls());

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Bitte geben Sie nicht mehr als 6 Zeichen ein.");
  EXPECT_EQ(platform.messages[0].caption, "Velmora");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(platform.focused, FormField::v2Year);
  // Fields up to the year were taken, the later ones keep their values.
  EXPECT_EQ(form.v2Album, "getippt");
  EXPECT_EQ(form.v2Comment, "getippt");
  EXPECT_EQ(form.v2Year, "1234567");
  EXPECT_EQ(form.v2Composer, "");
  EXPECT_EQ(form.v2Artist, "");
}

TEST_F(FormCommandsTest, CopyToId3v1FromRecordOrFromTheComment) {
  form.v2Track = "3";
  form.v2Title = "Titel";
  form.v2Year = "1999";
  form.v2Artist = "getippter K\xfcnstler";
  form.v2Comment = "Eine Zeile\r\nund noch eine, die weit \xfc"
                   "ber dreissig Zeichen hinaus geht";
  form.v2Album = "Album";
  members.recAutor = "Meier";
  members.recGenre = "Krimi";
  members.recProduktion = "RBX";

  logic.CopyToId3v1();
  EXPECT_EQ(form.v1Track, "3");
  EXPECT_EQ(form.v1Title, "Titel");
  EXPECT_EQ(form.v1Year, "1999");
  EXPECT_EQ(form.v1Artist, "Meier");
  EXPECT_EQ(form.v1Comment, "Krimi");
  EXPECT_EQ(form.v1Album, "RBX");

  members.wafranyoflMode = 2; // any value but 0 is on
  logic.CopyToId3v1();
  EXPECT_EQ(form.v1Comment, form.v2Comment.substr(0, 30));
  EXPECT_EQ(form.v1Comment.size(), 30u);
  EXPECT_NE(form.v1Comment.find("\r\n"), std::string::npos);
  EXPECT_EQ(form.v1Album, "Album");

  const TagForm once = form;
  logic.CopyToId3v1();
  EXPECT_EQ(form.v1Comment, once.v1Comment);
  EXPECT_EQ(form.v1Album, once.v1Album);
}

TEST_F(FormCommandsTest, CopyButtonTakesCopiesAndShows) {
  StartUp();
  platform.Type(FormField::v2Title, "Getippt");
  logic.OnCopyToId3v1();
  EXPECT_EQ(form.v1Title, "Getippt");
  EXPECT_EQ(Control(FormField::v1Title), "Getippt");

  platform.Type(FormField::v2Title, "Anders");
  platform.Type(FormField::v2Year, "1234567");
  logic.OnCopyToId3v1();
  EXPECT_EQ(form.v1Title, "Getippt"); // stopped at the year
  EXPECT_EQ(Control(FormField::v2Title), "Anders");
}

TEST_F(FormCommandsTest, ClearMaskDoesNotTakeTheControls) {
  form.maskAuthor = "A";
  form.maskTitle = "T";
  form.maskStation = "S";
  form.maskYear = "1990";
  form.v2Title = "gespeichert";
  logic.ShowForm();
  platform.Type(FormField::v2Title, "getippt");
  logic.OnClearMask();
  EXPECT_EQ(form.maskAuthor, "");
  EXPECT_EQ(form.maskTitle, "");
  EXPECT_EQ(form.maskStation, "");
  EXPECT_EQ(form.maskYear, "");
  EXPECT_EQ(Control(FormField::maskTitle), "");
  EXPECT_EQ(Control(FormField::v2Title), "gespeichert");
}

TEST_F(FormCommandsTest, FilenameButtonCutsAtTheLastDotOnly) {
  form.inputFile = "/x/y.z/Hoerspiel.Teil1.mp3";
  logic.OnFilename();
  EXPECT_EQ(form.v2Title, "Hoerspiel.Teil1");
  EXPECT_EQ(Control(FormField::v2Title), "Hoerspiel.Teil1");

  form.inputFile = "/x/ohne Punkt";
  logic.OnFilename();
  EXPECT_EQ(form.v2Title, "ohne Punkt");

  // Nothing happens for a name that ends in "/" or for no file at all.
  platform.Type(FormField::v2Title, "getippt");
  form.inputFile = "/x/y/";
  logic.OnFilename();
  form.inputFile = "";
  logic.OnFilename();
  EXPECT_EQ(form.v2Title, "ohne Punkt");
  EXPECT_EQ(Control(FormField::v2Title), "getippt");
}

TEST_F(FormCommandsTest, ChoosingAnInputDirectory) {
  StartUp();
  const std::string workDir = dir.path().string() + "/";
  form.inputFile = workDir + "a.mp3";

  // The same directory (the browser returns it without the "/") keeps the file.
  EXPECT_TRUE(logic.ChooseInputDirectory(dir.path().string()));
  EXPECT_EQ(form.inputDir, dir.path().string());
  EXPECT_EQ(members.inputDirPath, workDir);
  EXPECT_EQ(form.inputFile, workDir + "a.mp3");
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "INPUTDIR", "", members.settingsPath), workDir);

  EXPECT_TRUE(logic.ChooseInputDirectory("/srv/Hörspiele"));
  EXPECT_EQ(form.inputDir, "/srv/H\xf6rspiele");
  EXPECT_EQ(members.inputDirPath, "/srv/Hörspiele/");
  EXPECT_EQ(form.inputFile, "");
  EXPECT_EQ(Control(FormField::inputDir), "/srv/H\xf6rspiele");
  EXPECT_EQ(ReadProfileString("Directories", "InputDir", "", members.settingsPath),
            "/srv/Hörspiele/");

  EXPECT_TRUE(logic.ChooseInputDirectory("/"));
  EXPECT_EQ(members.inputDirPath, "/");
  EXPECT_FALSE(logic.ChooseInputDirectory(""));
  EXPECT_EQ(members.inputDirPath, "/");
}

TEST_F(FormCommandsTest, ClearingFields) {
  for (const FormField field : kExchangeOrder)
    FieldOf(form, field) = "x";
  members.recTitel1 = members.recAutor = members.recProduktion = members.recGenre = "r";
  logic.ClearId3v1Fields();
  EXPECT_EQ(form.v1Title + form.v1Year + form.v1Artist + form.v1Comment + form.v1Album, "");
  EXPECT_EQ(form.v1Track, "x");
  logic.ClearRecordFields();
  EXPECT_EQ(form.v2Title + form.v2Artist + form.v2Album + form.v2Year + form.v2Comment +
                form.v2Composer + form.v2OrigArtist + form.v2Copyright,
            "");
  EXPECT_EQ(members.recTitel1 + members.recAutor + members.recProduktion, "");
  EXPECT_EQ(form.v2Track, "x");
  EXPECT_EQ(form.v2Url, "x");
  EXPECT_EQ(members.recGenre, "r");
}

} // namespace
} // namespace velmora::test
