#include <gtest/gtest.h>

#include <filesystem>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Three parts of Marta Quell's "Die Glocke" and a file of another play in one folder; the first
// listed part is loaded, its fields filled as a search would leave them.
class UpdatePartsTest : public LogicTest {
protected:
  void Start(const std::string& outputDir = "out/") {
    fs::create_directory(dir.path() / "out");
    WriteBytes(dir.file("FileNameVorlage.txt"), "$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "$1$ ($10$)\r\n$4$");
    WriteSettings("[DIRECTORIES]\nOUTPUTDIR=" + dir.file(outputDir) +
                  "\n[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
    StartUp();
    platform.listedFiles = {other};
    for (int number : {1, 2, 3}) {
      // Each part has a tag of its own size (the third none), and audio of its own.
      const std::string n = std::to_string(number);
      audio[number] = MpegAudio(20000 + 1000 * static_cast<std::size_t>(number));
      WriteBytes(Part(number),
                 sourceBytes[number] =
                     (number == 3 ? "" : Id3v2Tag({n, "alt " + n, "Quell,Marta"}, 300L * number)) +
                     audio[number]);
      platform.listedFiles.push_back(Part(number));
    }
    WriteBytes(other, MpegAudio(5000));
    logic.LoadSelectedFile(Part(1));
    platform.Type(FormField::v2Title, "Die Glocke 1v3");
    platform.Type(FormField::v2Album, "Hörspiele");
    platform.Type(FormField::v2Comment, "Ein Dorf, eine Glocke.");
    platform.Type(FormField::v2Copyright, "RBX 2014");
    members.recInhaltsangabe = "Ein Dorf, eine Glocke.";
  }
  std::string Part(int number) const {
    return dir.file("Marta Quell - Die Glocke " + std::to_string(number) + "v3 - RBX, 14.mp3");
  }
  std::string Out(int number, const std::string& extension = "mp3") const {
    return dir.file("out/Quell,Marta - Die Glocke " + std::to_string(number) + "v3." + extension);
  }
  void ExpectWritten(int number, const std::string& path) {
    const std::string n = std::to_string(number);
    EXPECT_EQ(ReadBytes(path),
              Id3v2Tag({n, "Die Glocke " + n + "v3", "Quell,Marta", "Hörspiele", "", "(101)Speech",
                        "Ein Dorf, eine Glocke.", "", "", "RBX 2014"},
                       1024) +
                  audio[number] + Id3v1Bytes({"", "", "", "", "", n}))
        << path;
  }
  std::map<int, std::string> audio, sourceBytes;
  const std::string other = dir.file("Otto Lenz - Der Fall 2v3 - RBX, 14.mp3");
};

TEST_F(UpdatePartsTest, EveryPartWithItsOwnDesignationNumberAndAudioAfterOneConfirmation) {
  Start();
  const std::vector<PartUpdate> results = logic.OnAlleTeileAktualisieren();
  ASSERT_EQ(platform.partConfirmations.size(), 1U);
  ASSERT_EQ(results.size(), 3U);
  for (int number : {1, 2, 3}) {
    const auto i = static_cast<std::size_t>(number - 1);
    const PartTarget& row = platform.partConfirmations[0].parts.at(i);
    EXPECT_TRUE(row.partNumber == number && row.sourcePath == Part(number) &&
                row.targetPath == Out(number) && !row.targetExists && results[i].written);
    ExpectWritten(number, Out(number));
    EXPECT_EQ(ReadBytes(Part(number)), sourceBytes[number]);
    const std::string n = std::to_string(number);
    EXPECT_EQ(ReadBytes(Out(number, "txt")),
              "Die Glocke " + n + "v3 (" + n + "v3)\r\nEin Dorf, eine Glocke.");
  }
  EXPECT_EQ(ReadBytes(other), MpegAudio(5000));
  // One upload line a part, on the clipboard at once; one summary; the form stays the loaded
  // part's.
  EXPECT_EQ(platform.clipboardWrites, Texts{"Uploadinfo: Quell,Marta - Die Glocke 1v3\n"
                                            "Uploadinfo: Quell,Marta - Die Glocke 2v3\n"
                                            "Uploadinfo: Quell,Marta - Die Glocke 3v3"});
  EXPECT_EQ(platform.MessageTexts(), Texts{messages::PartsWritten(3, 3, {})});
  EXPECT_EQ(platform.Captions(), Texts{messages::kVelmora});
  EXPECT_FALSE(platform.progressVisible || logic.UpdateRunning());
  EXPECT_EQ(Control(FormField::v2Title), "Die Glocke 1v3");
}

TEST_F(UpdatePartsTest, ALonePartIsNoPlay) {
  Start();
  EXPECT_TRUE(logic.PlayPartsAvailable());
  logic.LoadSelectedFile(other); // no other part of its play is listed
  EXPECT_FALSE(logic.PlayPartsAvailable());
  EXPECT_TRUE(logic.OnAlleTeileAktualisieren().empty());
  EXPECT_EQ(platform.MessageTexts().back() + "|" + platform.Captions().back(),
            messages::NoOtherParts() + "|" + messages::kError);
  EXPECT_TRUE(platform.partConfirmations.empty());
}

TEST_F(UpdatePartsTest, TheConfirmationNamesAGapAndTheFilesLeftAlone) {
  Start();
  fs::remove(Part(2));
  const std::string beyond = dir.file("Marta Quell - Die Glocke 4v3 - RBX, 14.mp3");
  WriteBytes(beyond, MpegAudio(100));
  platform.listedFiles = {Part(1), Part(3), beyond};
  platform.confirmParts = false;
  logic.OnAlleTeileAktualisieren();
  const PartsConfirmation& confirmation = platform.partConfirmations.at(0);
  EXPECT_EQ(confirmation.parts.size(), 2U);
  EXPECT_EQ(confirmation.partCount, 3);
  EXPECT_EQ(confirmation.missingParts, std::vector<int>{2});
  ASSERT_EQ(confirmation.strays.size(), 1U);
  EXPECT_EQ(confirmation.strays[0].why, messages::PartBeyondCount("4v3"));
  EXPECT_EQ(messages::MissingParts({2, 4}, 5), "Es fehlen Teil 2 und 4 von 5.");

  // Loaded, the file left alone is refused with its reason, and nothing is written.
  logic.LoadSelectedFile(beyond);
  EXPECT_TRUE(logic.OnAlleTeileAktualisieren().empty());
  EXPECT_EQ(platform.MessageTexts().back(), messages::PartBeyondCount("4v3"));
  EXPECT_EQ(platform.partConfirmations.size(), 1U);
}

TEST_F(UpdatePartsTest, AFailedPartLeavesTheOthersWrittenAndIsNamed) {
  Start();
  fs::create_directory(Out(2)); // a folder where the second part would go
  const std::vector<PartUpdate> results = logic.OnAlleTeileAktualisieren();
  EXPECT_TRUE(platform.partConfirmations.at(0).parts.at(1).targetExists);
  ASSERT_EQ(results.size(), 3U);
  EXPECT_TRUE(results[0].written && !results[1].written && results[2].written);
  ExpectWritten(3, Out(3));
  EXPECT_EQ(ReadBytes(Part(2)), sourceBytes[2]);
  EXPECT_EQ(platform.MessageTexts(),
            Texts{messages::PartsWritten(
                2, 3, {messages::FailedPart(2, Part(2), messages::CannotReplaceFile(Out(2)))})});
  EXPECT_EQ(platform.Captions(), Texts{messages::kError});
  EXPECT_EQ(platform.statuses.back(), messages::PartsWrittenStatus(2, 3));

  // A part that is no audio file is named the same way, and not offered for confirmation.
  WriteBytes(Part(3), "kein mp3");
  fs::remove(Out(2));
  EXPECT_FALSE(logic.OnAlleTeileAktualisieren().at(2).written);
  EXPECT_EQ(platform.partConfirmations.at(1).parts.size(), 2U);
  EXPECT_EQ(platform.MessageTexts().back(),
            messages::PartsWritten(
                2, 3, {messages::FailedPart(3, Part(3), messages::NotMpegFile(Part(3)))}));
}

// Another program retags a part while the user reads the confirmation: that part is refused, not
// written with the length measured before (which would cut its audio). A description file that
// cannot be written is named in the summary, and no part of it stays.
TEST_F(UpdatePartsTest, APartChangedAfterTheConfirmationIsRefused) {
  Start();
  const std::string retagged = Id3v2Tag({"2", "neu"}, 5000) + audio[2];
  platform.onConfirmParts = [&] { WriteBytes(Part(2), retagged); };
  fs::create_directory(Out(3, "txt"));
  const std::vector<PartUpdate> results = logic.OnAlleTeileAktualisieren();
  EXPECT_TRUE(results.at(0).written && !results.at(1).written && results.at(2).written);
  EXPECT_EQ(ReadBytes(Part(2)), retagged);
  EXPECT_FALSE(fs::exists(Out(2)));
  ExpectWritten(3, Out(3));
  EXPECT_EQ(
      platform.MessageTexts().back(),
      messages::PartsWritten(
          2, 3,
          {messages::FailedPart(2, Part(2), messages::SourceChanged(Part(2))),
           messages::FailedPart(3, Part(3), messages::DescriptionNotWritten(Out(3, "txt")))}));
  EXPECT_TRUE(fs::is_directory(Out(3, "txt")));
  // Parts 1 and 3 with part 1's description, the folder in part 3's way; no temporary file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "out"), fs::directory_iterator()), 4);
}

TEST_F(UpdatePartsTest, CancelQuitAndCollidingTargetsWriteNothing) {
  Start();
  platform.confirmParts = false;
  EXPECT_TRUE(logic.OnAlleTeileAktualisieren().empty());
  EXPECT_TRUE(platform.messages.empty() && platform.clipboardWrites.empty());
  platform.confirmParts = true;
  // A quit request during the first copy ends the update there, without a summary.
  int pumps = 0;
  platform.onPumpEvents = [&] { platform.quitRequested = ++pumps == 1; };
  for (const PartUpdate& result : logic.OnAlleTeileAktualisieren())
    EXPECT_FALSE(result.written) << result.partNumber;
  platform.onPumpEvents = nullptr;
  EXPECT_TRUE(platform.messages.empty() && fs::is_empty(dir.path() / "out"));

  // A template without title or part would write every part to one name; a target that is
  // another part's source would lose that part's audio. Neither is offered for confirmation.
  WriteBytes(dir.file("FileNameVorlage.txt"), "$0$\n");
  EXPECT_TRUE(logic.OnAlleTeileAktualisieren().empty());
  EXPECT_EQ(platform.MessageTexts().back(),
            messages::PartsShareTarget(dir.file("out/Quell,Marta.mp3")));
  WriteBytes(dir.file("FileNameVorlage.txt"), "$0$ - $1$\n");
  fs::create_symlink(Part(2), Out(1));
  EXPECT_TRUE(logic.OnAlleTeileAktualisieren().empty());
  EXPECT_EQ(platform.MessageTexts().back(), messages::PartTargetIsOtherSource(Out(1)));
  EXPECT_EQ(platform.partConfirmations.size(), 2U);
  for (int number : {1, 2, 3})
    EXPECT_EQ(ReadBytes(Part(number)), sourceBytes[number]);
  EXPECT_FALSE(fs::exists(Out(2)) || fs::exists(Out(3)));
}

TEST_F(UpdatePartsTest, PartsWrittenOverThemselvesGoThroughTheInPlaceRoute) {
  Start("");
  // The template names each part as it is named already.
  WriteBytes(dir.file("FileNameVorlage.txt"), "Marta Quell - $1$ - RBX, 14\n");
  for (const PartUpdate& result : logic.OnAlleTeileAktualisieren())
    ExpectWritten(result.partNumber, Part(result.partNumber));
  EXPECT_EQ(members.oldTagLength, TagOf(ReadBytes(Part(1))).size());
  EXPECT_EQ(TemporaryFilesIn(dir.path()), Texts{});
}

} // namespace
} // namespace velmora::test
