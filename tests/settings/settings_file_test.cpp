#include "core/settings/settings_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace velmora {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class SettingsFileTest : public ::testing::Test {
protected:
  test::TempDir dir;
  std::string ini = dir.file("Tonfeld.ini");
  std::string workDir = dir.path().string() + "/";
};

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault) {
  SettingsValues values;
  values.genTxtFile = 7; // every member is set, not merely left alone
  ReadFirstSettings(ini, workDir, values);
  ReadLaterSettings(ini, values);
  EXPECT_EQ(values.inputDirPath, workDir);
  EXPECT_EQ(values.outputDirPath, workDir);
  EXPECT_EQ(values.hoerdatUrl, "");
  EXPECT_EQ(values.hoerdatScript, "");
  EXPECT_EQ(values.genTxtFile, 0);
  EXPECT_EQ(values.autoId3v1Tagging, 1);
  EXPECT_EQ(values.autoId3v1Copy, 0);
  EXPECT_EQ(values.wafranyoflMode, 0);
  EXPECT_EQ(values.uploadInfo, 0);
  EXPECT_EQ(values.stationSeparator, ""); // default " " loses its trailing blank
  EXPECT_EQ(values.defaultUrl, "--");
  EXPECT_EQ(values.defaultEncodedBy, "");
  EXPECT_EQ(values.prefixKomponist, "");
  EXPECT_EQ(values.paddingSize, 1024);
  EXPECT_FALSE(std::filesystem::exists(ini)); // reading never creates the file
}

TEST_F(SettingsFileTest, ReadsEveryKeyOfTheTable) {
  WriteBytes(ini, "[DIRECTORIES]\nINPUTDIR=/daten/H\xc3\xb6rspiele/\nOUTPUTDIR=/aus/\n"
                  "[WWW]\nURL-HOERDAT=http://127.0.0.1:8080\nSCRIPT-HOERDAT=/cgi/suche.pl\n"
                  "[SETTINGS]\nGEN_TXT_FILE=1\nAUTO_ID3V1_TAGGING=0\nAUTO_ID3V1_COPY=2\n"
                  "WAFRANYOFL=1\nUPLOADINFO=1\nPADDING=abc\n"
                  "[AKTUALISIEREN]\nSENDERNAMEN_TRENNER=\" - \"\n"
                  "[DEFAULTS]\nURL=http://h\xc3\xb6rdat\nEncodedVON=Gr\xc3\xbc\xc3\x9f"
                  "e \xe2\x82\xac\n"
                  "[PREFIXES]\nKOMPONIST=Regie:\nURSPRUENGLICHER_KUENSTLER=Mit:\n"
                  "BEARBEITUNG=Bearb.:\n");
  SettingsValues values;
  ReadFirstSettings(ini, workDir, values);
  ReadLaterSettings(ini, values);
  EXPECT_EQ(values.inputDirPath, "/daten/H\xc3\xb6rspiele/"); // paths stay UTF-8
  EXPECT_EQ(values.outputDirPath, "/aus/");
  EXPECT_EQ(values.hoerdatUrl, "http://127.0.0.1:8080");
  EXPECT_EQ(values.hoerdatScript, "/cgi/suche.pl");
  EXPECT_EQ(values.genTxtFile, 1);
  EXPECT_EQ(values.autoId3v1Tagging, 0);
  EXPECT_EQ(values.autoId3v1Copy, 2);
  EXPECT_EQ(values.wafranyoflMode, 1);
  EXPECT_EQ(values.uploadInfo, 1);
  EXPECT_EQ(values.paddingSize, 0);
  EXPECT_EQ(values.stationSeparator, " - ");
  EXPECT_EQ(values.defaultUrl, "http://h\xf6rdat"); // texts become Windows-1252
  EXPECT_EQ(values.defaultEncodedBy, "Gr\xfc\xdf"
                                     "e \x80");
  EXPECT_EQ(values.prefixKomponist, "Regie:");
  EXPECT_EQ(values.prefixOrigArtist, "Mit:");
  EXPECT_EQ(values.prefixBearbeitung, "Bearb.:");
}

TEST_F(SettingsFileTest, NamesIgnoreCaseAndValuesLoseBlanksAndOneQuotePair) {
  WriteBytes(ini, "; Einstellungen\r\n[directories]\r\n  inputdir  =  /a b/  \r\n"
                  "[Aktualisieren]\r\nSendernamen_Trenner= - \r\n[q]\r\nd=\"x\"\r\ns='y'\r\n"
                  "two=\"\"z\"\"\r\nmixed=\"z'\r\nlone=\"\r\nempty=\r\n");
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "INPUTDIR", "", ini), "/a b/");
  EXPECT_EQ(ReadProfileString("AKTUALISIEREN", "SENDERNAMEN_TRENNER", "", ini), "-");
  EXPECT_EQ(ReadProfileString("Q", "D", "", ini), "x");
  EXPECT_EQ(ReadProfileString("Q", "S", "", ini), "y");
  EXPECT_EQ(ReadProfileString("Q", "TWO", "", ini), "\"z\"");
  EXPECT_EQ(ReadProfileString("Q", "MIXED", "", ini), "\"z'");
  EXPECT_EQ(ReadProfileString("Q", "LONE", "", ini), "\"");
  EXPECT_EQ(ReadProfileString("Q", "EMPTY", "default", ini), ""); // present but empty
  EXPECT_EQ(ReadProfileString("Q", "MISSING", "dflt  ", ini), "dflt");
  EXPECT_EQ(ReadProfileString("NONE", "D", " ", ini), "");
}

TEST_F(SettingsFileTest, FirstSectionAndFirstKeyWinCommentsAreNoKeys) {
  WriteBytes(ini, "orphan=0\n[S]\n;k=comment\n#k=comment\nk=1\nk=2\n[S]\nk=3\nother\n");
  EXPECT_EQ(ReadProfileString("S", "k", "", ini), "1");
  EXPECT_EQ(ReadProfileString("S", "orphan", "none", ini), "none");
  EXPECT_EQ(ReadProfileString("S", "other", "none", ini), "none");
}

TEST_F(SettingsFileTest, NumbersAreReadAsAtoiReads) {
  WriteBytes(ini, "[SETTINGS]\nA= 12abc\nB=-3\nC=abc\nD=\nE=99999999999\n");
  EXPECT_EQ(ReadProfileInt("SETTINGS", "A", 5, ini), 12);
  EXPECT_EQ(ReadProfileInt("SETTINGS", "B", 5, ini), -3);
  EXPECT_EQ(ReadProfileInt("SETTINGS", "C", 5, ini), 0);
  EXPECT_EQ(ReadProfileInt("SETTINGS", "D", 5, ini), 0);
  EXPECT_EQ(ReadProfileInt("SETTINGS", "E", 5, ini), INT_MAX);
  EXPECT_EQ(ReadProfileInt("SETTINGS", "F", 5, ini), 5);
}

TEST_F(SettingsFileTest, ValuesAreCutAt511Characters) {
  WriteBytes(
      ini, "[WWW]\nURL-HOERDAT=" + std::string(600, 'u') + "\nSCRIPT-HOERDAT=" +
               std::string(300, 'x') + std::string(300, '\0') + "\n[DIRECTORIES]\nINPUTDIR=" +
               [] {
                 std::string umlauts;
                 for (int i = 0; i < 600; ++i)
                   umlauts += "\xc3\xa4";
                 return umlauts;
               }() +
               "\n");
  SettingsValues values;
  ReadFirstSettings(ini, workDir, values);
  EXPECT_EQ(values.hoerdatUrl, std::string(600, 'u').substr(0, 511));
  EXPECT_EQ(values.hoerdatScript.size(), 511u);
  EXPECT_EQ(values.inputDirPath.size(), 511u * 2); // characters, not bytes: no cut sequence
  EXPECT_EQ(values.inputDirPath.substr(0, 2), "\xc3\xa4");
}

TEST_F(SettingsFileTest, Windows1252FileIsAccepted) {
  WriteBytes(ini, "[DEFAULTS]\nEncodedVON=M\xfcller\n[DIRECTORIES]\nINPUTDIR=/H\xf6r/\n");
  SettingsValues values;
  ReadFirstSettings(ini, workDir, values);
  ReadLaterSettings(ini, values);
  EXPECT_EQ(values.defaultEncodedBy, "M\xfcller");
  EXPECT_EQ(values.inputDirPath, "/H\xc3\xb6r/"); // the path arrives as a native UTF-8 path
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
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "INPUTDIR", "", ini), "/neu/H\xc3\xb6r/");

  // A new key goes behind the last key of its section, a new section at the end.
  ASSERT_TRUE(WriteProfileString("www", "SCRIPT-HOERDAT", "/s.pl", ini));
  ASSERT_TRUE(WriteProfileString("SETTINGS", "PADDING", "0", ini));
  EXPECT_EQ(ReadBytes(ini), expected + "SCRIPT-HOERDAT=/s.pl\r\n[SETTINGS]\r\nPADDING=0\r\n");
  ASSERT_TRUE(WriteProfileString("Directories", "Extra", "e", ini));
  EXPECT_NE(ReadBytes(ini).find("OUTPUTDIR=/aus/\r\nExtra=e\r\n\r\n# H"), std::string::npos);
}

TEST_F(SettingsFileTest, WritingCreatesTheFileAndReadsBackWhatWasWritten) {
  for (std::string value : {" - ", "\"quoted\"", "'x'", "", "plain", "a=b;c"}) {
    ASSERT_TRUE(WriteProfileString("Directories", "OutputDir", value, ini)) << value;
    EXPECT_EQ(ReadProfileString("DIRECTORIES", "OUTPUTDIR", "dflt", ini), value);
  }
  EXPECT_EQ(ReadBytes(ini), "[Directories]\nOutputDir=a=b;c\n");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(SettingsFileTest, WritingAFileWithoutFinalLineBreakAndAWindows1252File) {
  WriteBytes(ini, "[A]\nk=1");
  ASSERT_TRUE(WriteProfileString("A", "j", "2", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\nk=1\nj=2\n");
  WriteBytes(ini, "[A]\r\nk=1\r");
  ASSERT_TRUE(WriteProfileString("B", "j", "2", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\r\nk=1\r\n[B]\r\nj=2\r\n");
  EXPECT_EQ(ReadProfileString("A", "k", "", ini), "1");
  WriteBytes(ini, "[A]\nk=M\xfcller");
  ASSERT_TRUE(WriteProfileString("B", "dir", "/\xc3\xa4/", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\nk=M\xc3\xbcller\n[B]\ndir=/\xc3\xa4/\n"); // now all UTF-8
}

TEST_F(SettingsFileTest, WritingRefusesLineBreaksAndFailsCleanly) {
  WriteBytes(ini, "[A]\nk=1\n");
  EXPECT_FALSE(WriteProfileString("A", "k", "/x\n[B]\nevil=1", ini));
  EXPECT_FALSE(WriteProfileString("A]", "k", "v", ini));
  EXPECT_FALSE(WriteProfileString("A", "k=j", "v", ini));
  EXPECT_FALSE(WriteProfileString("A", "", "v", ini));
  EXPECT_EQ(ReadBytes(ini), "[A]\nk=1\n");
  EXPECT_FALSE(WriteProfileString("A", "k", "v", dir.file("missing/Tonfeld.ini")));
}

TEST_F(SettingsFileTest, WritingKeepsPermissionsAndSymbolicLinks) {
  const std::string real = dir.file("real.ini");
  WriteBytes(real, "[A]\nk=1\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  std::filesystem::create_symlink(real, ini);
  ASSERT_TRUE(WriteProfileString("A", "k", "2", ini));
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(ReadBytes(real), "[A]\nk=2\n");
  struct stat status {};
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(SettingsFileTest, FailedWritesAreReported) {
  // A directory where the file should be cannot be read or replaced.
  std::filesystem::create_directory(ini);
  EXPECT_FALSE(WriteProfileString("A", "k", "2", ini));
  EXPECT_TRUE(std::filesystem::is_directory(ini));
  // No file can be created here, not even by root.
  EXPECT_FALSE(WriteProfileString("A", "k", "2", "/proc/Tonfeld.ini"));
}

} // namespace
} // namespace velmora
