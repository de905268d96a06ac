#include "core/settings/settings_file.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

auto Tie(const SettingsValues& v) {
  return std::tie(v.inputDirPath, v.outputDirPath, v.hoerdatUrl, v.hoerdatScript, v.genTxtFile,
                  v.autoId3v1Tagging, v.autoId3v1Copy, v.wafranyoflMode, v.uploadInfo,
                  v.stationSeparator, v.defaultUrl, v.defaultEncodedBy, v.prefixKomponist,
                  v.prefixOrigArtist, v.prefixBearbeitung, v.paddingSize);
}

class SettingsFileTest : public ::testing::Test {
protected:
  SettingsValues ReadAll() {
    // Every member starts out wrong, so that a key left unset shows.
    SettingsValues values{"x", "x", "x", "x", 7, 7, 7, 7, 7, "x", "x", "x", "x", "x", "x", 7};
    ReadFirstSettings(ini, workDir, values);
    ReadLaterSettings(ini, values);
    return values;
  }
  TempDir dir;
  std::string ini = dir.file("Tonfeld.ini"), workDir = dir.path().string() + "/";
};

TEST_F(SettingsFileTest, EveryKeyIsReadOrDefaulted) {
  SettingsValues defaults; // the separator's default " " loses its trailing blank
  defaults.inputDirPath = defaults.outputDirPath = workDir;
  EXPECT_EQ(Tie(ReadAll()), Tie(defaults));
  WriteBytes(ini,
             "[DIRECTORIES]\nINPUTDIR=/daten/H\xc3\xb6rspiele/\nOUTPUTDIR=/aus/\n[WWW]\n"
             "URL-HOERDAT=http://127.0.0.1:8080\nSCRIPT-HOERDAT=/cgi/suche.pl\n[SETTINGS]\n"
             "GEN_TXT_FILE=1\nAUTO_ID3V1_TAGGING=0\nAUTO_ID3V1_COPY=2\nWAFRANYOFL=1\n"
             "UPLOADINFO=1\nPADDING=abc\n[AKTUALISIEREN]\nSENDERNAMEN_TRENNER=\" - \"\n"
             "[DEFAULTS]\nURL=http://h\xc3\xb6rdat\nEncodedVON=Gr\xc3\xbc\xc3\x9f \xe2\x82\xac\n"
             "[PREFIXES]\nKOMPONIST=Regie:\nURSPRUENGLICHER_KUENSTLER=Mit:\nBEARBEITUNG=B:\n");
  // Paths and texts stay UTF-8.
  EXPECT_EQ(Tie(ReadAll()),
            Tie(SettingsValues{"/daten/H\xc3\xb6rspiele/", "/aus/", "http://127.0.0.1:8080",
                               "/cgi/suche.pl", 1, 0, 2, 1, 1, " - ", "http://hördat", "Grüß €",
                               "Regie:", "Mit:", "B:", 0}));
}

TEST_F(SettingsFileTest, ProfileRules) {
  std::string umlauts;
  for (int i = 0; i < 600; ++i)
    umlauts += "\xc3\xa4";
  WriteBytes(ini,
             "[q]\r\n  pad  =  /a b/  \r\nd=\"x\"\r\ns='y'\r\ntwo=\"\"z\"\"\r\n"
             "empty=\r\n;k=c\n#k=c\nk=1\nk=2\nwide=" +
                 umlauts +
                 "\n[Q]\nk=3\n[n]\na= 12abc\nb=-3\nc=abc\nd=\ne=99999999999\nf=-99999999999\n");
  // Names ignore case, blanks around the value and one pair of quotes go, the first section and
  // key win, comment lines are no keys, and values end after 511 characters (not bytes).
  const std::array<std::string, 3> rows[] = {
      {"PAD", "", "/a b/"},  {"D", "", "x"},
      {"S", "", "y"},        {"TWO", "", "\"z\""},
      {"EMPTY", "dflt", ""}, {"MISSING", "dflt  ", "dflt"},
      {"k", "", "1"},        {"wide", "", umlauts.substr(0, 1022)}};
  for (const auto& [key, fallback, value] : rows)
    EXPECT_EQ(ReadProfileString("Q", key, fallback, ini), value) << key;
  EXPECT_EQ(ReadProfileString("Q", "D", "dflt ", dir.file("missing.ini")), "dflt");
  // Numbers are read as atoi reads them (keys a to g); only a missing key gives the default.
  const int numbers[] = {12, -3, 0, 0, INT_MAX, INT_MIN, 5};
  for (char key = 'a'; key <= 'g'; ++key)
    EXPECT_EQ(ReadProfileInt("N", std::string(1, key), 5, ini), numbers[key - 'a']) << key;
}

TEST_F(SettingsFileTest, WritingKeepsCommentsOrderAndOtherLines) {
  const std::string original = "; Tonfeld settings\r\n\r\n[Directories]\r\n; input\r\n"
                               "INPUTDIR = /alt/\r\nOUTPUTDIR=/aus/\r\n\r\n# Hördat\r\n"
                               "[WWW]\r\nURL-HOERDAT=http://x\r\n";
  WriteBytes(ini, original);
  ASSERT_TRUE(WriteProfileString("Directories", "InputDir", "/neu/H\xc3\xb6r/", ini));
  std::string expected = original;
  expected.replace(expected.find("INPUTDIR = /alt/"), 16, "InputDir=/neu/H\xc3\xb6r/");
  EXPECT_EQ(ReadBytes(ini), expected);
  // A new key goes behind the last key of its section, a new section at the end.
  ASSERT_TRUE(WriteProfileString("www", "SCRIPT-HOERDAT", "/s.pl", ini));
  ASSERT_TRUE(WriteProfileString("SETTINGS", "PADDING", "0", ini));
  ASSERT_TRUE(WriteProfileString("Directories", "Extra", "e", ini));
  expected.replace(expected.find("\r\n\r\n# H"), 0, "\r\nExtra=e");
  EXPECT_EQ(ReadBytes(ini), expected + "SCRIPT-HOERDAT=/s.pl\r\n[SETTINGS]\r\nPADDING=0\r\n");
  // A last line without line break, and a Windows-1252 file that comes back as UTF-8.
  WriteBytes(ini, "[A]\nk=M\xfcller");
  ASSERT_TRUE(WriteProfileString("A", "j", "2", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\nk=M\xc3\xbcller\nj=2\n");
}

TEST_F(SettingsFileTest, WritingCreatesTheFileReadsBackWhatWasWrittenAndRefusesInjections) {
  for (std::string value : {" - ", "\"quoted\"", "'x'", "", "a=b;c"}) {
    ASSERT_TRUE(WriteProfileString("Directories", "OutputDir", value, ini)) << value;
    EXPECT_EQ(ReadProfileString("DIRECTORIES", "OUTPUTDIR", "dflt", ini), value);
  }
  EXPECT_EQ(ReadBytes(ini), "[Directories]\nOutputDir=a=b;c\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  WriteBytes(ini, "[A]\nk=1\n");
  EXPECT_FALSE(WriteProfileString("A", "k", "/x\n[B]\nevil=1", ini));
  EXPECT_FALSE(WriteProfileString("A]", "k", "v", ini));
  EXPECT_FALSE(WriteProfileString("A", "k=j", "v", ini));
  EXPECT_FALSE(WriteProfileString("A", "", "v", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\nk=1\n");
  EXPECT_FALSE(WriteProfileString("A", "k", "v", dir.file("missing/Tonfeld.ini")));
  fs::create_directory(dir.file("dir.ini"));
  EXPECT_FALSE(WriteProfileString("A", "k", "2", dir.file("dir.ini")));
}

} // namespace
} // namespace velmora::test
