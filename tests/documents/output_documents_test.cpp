#include "core/documents/output_documents.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "core/text/encoding.h"
#include "documents/fixed_clock.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class OutputDocumentsTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directory(dir.file("work"));
    fs::create_directory(dir.file("out"));
    fields[0] = "Meier";
    fields[1] = "Der Fall";
  }
  std::optional<std::string> FileName(const std::string& templateText,
                                      const std::string& separator = "") {
    WriteBytes(workDir + kFileNameTemplate, templateText);
    return ExpandFileNameTemplate(workDir, fields, clock, separator);
  }
  std::string Description(const std::string& templateText, const std::string& name) {
    WriteBytes(workDir + kDescriptionTemplate, templateText);
    WriteDescriptionFile(workDir, outputDir, name, fields, clock);
    return ReadBytes(outputDir + Cp1252ToUtf8(name) + ".txt");
  }

  test::TempDir dir;
  const std::string workDir = dir.file("work") + "/";
  const std::string outputDir = dir.file("out") + "/";
  TemplateFields fields;
  test::FixedClock clock;
};

TEST_F(OutputDocumentsTest, FileNameTemplateIsExpandedAndTrimmed) {
  EXPECT_EQ(FileName("$0$ - $1$"), "Meier - Der Fall");
  EXPECT_EQ(FileName("# Vorschlag\r\n  $0$ - $1$ ($T$)  \r\n"), "Meier - Der Fall (14:05:09)");
  // Comment lines go before the trimming: an indented "#" line stays.
  EXPECT_EQ(FileName("  #x\n$0$"), "#x\nMeier");
  EXPECT_EQ(FileName(";$0$"), ";$0$");
}

TEST_F(OutputDocumentsTest, SlashesBecomeTheStationSeparator) {
  fields[2] = "SWF/NDR";
  EXPECT_EQ(FileName("$0$ - $1$ ($2$)", " + "), "Meier - Der Fall (SWF + NDR)");
  EXPECT_EQ(FileName("$2$/1999"), "SWFNDR1999");
}

TEST_F(OutputDocumentsTest, TemplateFilesAreUtf8OrWindows1252) {
  fields[0] = "M\xfcller";
  EXPECT_EQ(FileName("H\xc3\xb6rspiel von $0$"), "H\xf6rspiel von M\xfcller");
  EXPECT_EQ(FileName("H\xf6rspiel"), "H\xf6rspiel"); // carried over from Windows
  EXPECT_EQ(FileName(std::string("vorher\0nachher", 14)), "vorher");
}

TEST_F(OutputDocumentsTest, MissingOrUnreadableFileNameTemplateGivesNoName) {
  EXPECT_EQ(ExpandFileNameTemplate(workDir, fields, clock, "-"), std::nullopt);
  fs::create_directory(workDir + kFileNameTemplate);
  EXPECT_EQ(ExpandFileNameTemplate(workDir, fields, clock, "-"), std::nullopt);
}

TEST_F(OutputDocumentsTest, DescriptionFileIsExpandedBesideTheAudioFile) {
  EXPECT_EQ(Description("\r\nAutor: $0$\r\nTitel: $1$\r\n\r\n", "Meier - Der Fall"),
            "Autor: Meier\r\nTitel: Der Fall");
  // The trimming comes first here, so an indented comment line is removed too.
  EXPECT_EQ(Description("  #x\n$0$", "Meier - Der Fall"), "Meier");
  EXPECT_EQ(Description(";$0$\n#weg\n$1$", "Meier - Der Fall"), ";$0$\n$1$");
}

TEST_F(OutputDocumentsTest, DescriptionReplacesAnOlderOneAndIsWrittenAsUtf8) {
  WriteBytes(outputDir + "M\xc3\xbcller.txt", std::string(5000, 'x'));
  fields[4] = "Ein Fall f\xfcr zwei";
  EXPECT_EQ(Description("$4$", "M\xfcller"), "Ein Fall f\xc3\xbcr zwei");
}

TEST_F(OutputDocumentsTest, DescriptionFailsSilently) {
  WriteDescriptionFile(workDir, outputDir, "ohne Vorlage", fields, clock);
  EXPECT_TRUE(fs::is_empty(dir.file("out")));
  WriteBytes(workDir + kDescriptionTemplate, "$0$");
  WriteDescriptionFile(workDir, dir.file("missing") + "/", "name", fields, clock);
  EXPECT_FALSE(fs::exists(dir.file("missing")));
}

TEST_F(OutputDocumentsTest, UploadInfoIsTheLabelAndTheName) {
  EXPECT_EQ(UploadInfoText("Meier - Der Fall"), "Uploadinfo: Meier - Der Fall");
  EXPECT_EQ(UploadInfoText(""), "Uploadinfo: ");
}

} // namespace
} // namespace velmora
