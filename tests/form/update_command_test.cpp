#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "core/io/block_clone.h"
#include "core/settings/settings_file.h"
#include "form/form_test_support.h"
#include "support/id3v2_fixtures.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class UpdateTest : public LogicTest {
protected:
  void Start(const std::string& iniText = "") {
    fs::create_directory(dir.path() / "out");
    WriteBytes(dir.file("FileNameVorlage.txt"), "# Vorschlag\n$0$ - $1$\n");
    WriteBytes(dir.file("BeschreibungVorlage.txt"), "Autor: $0$\r\nTitel: $1$\r\n");
    WriteSettings(iniText);
    StartUp();
    LoadFile("Meier - Der Fall.mp3",
             sourceBytes = Id3v2Tag({"", "Der Fall", "Meier", "Album"}, 200) + audio);
  }
  void UpdateTo(const std::optional<std::string>& target) {
    platform.saveAnswer = target;
    logic.OnAktualisieren();
  }
  std::string Out(const std::string& name) const { return dir.file("out/" + name); }

  const std::string audio = MpegAudio(100000), source = dir.file("Meier - Der Fall.mp3");
  std::string sourceBytes;
};

// SHARE_AUDIO=1: the padding grows by less than a block, so that the audio starts at the same
// offset within a file-system block as in the source; the bytes are otherwise the update's own.
TEST_F(UpdateTest, ShareAudioPadsTheTagToTheSourcesBlockOffset) {
  Start("[SETTINGS]\nSHARE_AUDIO=1\n");
  UpdateTo(Out("geteilt.mp3"));
  const std::string written = ReadBytes(Out("geteilt.mp3"));
  const std::uint64_t block = *FileSystemBlockSize(source);
  const std::uint64_t audioAt = written.size() - 128 - audio.size();
  EXPECT_EQ(audioAt % block, TagOf(sourceBytes).size() % block);
  EXPECT_EQ(audioAt, TagOf(written).size()); // the padding is the tag's own, as its size says
  EXPECT_EQ(written.substr(audioAt - 1024, 1024), std::string(1024, '\0'));
  EXPECT_TRUE(written.substr(audioAt, audio.size()) == audio);
}

TEST_F(UpdateTest, WritesTaggedCopyDescriptionAndUploadInfoUnlessCancelled) {
  Start("[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  UpdateTo(std::nullopt); // writes nothing, not even the settings
  EXPECT_TRUE(fs::is_empty(dir.path() / "out") && platform.clipboardWrites.empty());
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "OUTPUTDIR", "none", members.settingsPath), "none");

  platform.Type(FormField::v2Comment, "Neuer Kommentar");
  platform.Type(FormField::v2Artist, "nicht geschrieben"); // TPE1 takes recAutor
  UpdateTo(Out("Meier - Der Fall.mp3"));
  EXPECT_EQ(platform.MessageTexts(), Texts{});
  EXPECT_EQ(platform.saveRequests.at(1).initialDir + platform.saveRequests[1].proposedName, source);
  EXPECT_EQ(
      ReadBytes(Out("Meier - Der Fall.mp3")),
      Id3v2Tag({"", "Der Fall", "Meier", "Album", "", "(101)Speech", "Neuer Kommentar"}, 1024) +
          audio + Id3v1Bytes({}));
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  EXPECT_EQ(ReadBytes(Out("Meier - Der Fall.txt")), "Autor: Meier\r\nTitel: Der Fall");
  EXPECT_EQ(platform.clipboardWrites, Texts{"Uploadinfo: Meier - Der Fall"});
  // The status line confirms each written document; the cancelled update said nothing there.
  EXPECT_EQ(platform.statuses, Texts{messages::UpdatedStatus(Out("Meier - Der Fall.mp3"),
                                                             Out("Meier - Der Fall.txt"), true)});
  EXPECT_EQ(members.oldTagLength, TagOf(sourceBytes).size());
  EXPECT_FALSE(platform.progressVisible || logic.UpdateRunning());

  // The next update offers the directory chosen last; without a chosen or typed genre TCON says
  // Speech (a chosen and a typed one: tests/cli and tests/app).
  platform.v2Genre = {std::nullopt, ""};
  UpdateTo(Out("g.mp3"));
  EXPECT_EQ(FrameBody(TagOf(ReadBytes(Out("g.mp3"))), "TCON"), "\0(101)Speech"s);
  EXPECT_EQ(platform.saveRequests.back().initialDir, dir.file("out/"));
}

TEST_F(UpdateTest, CopyToId3v1FromTheRecordOrWithWafranyoflFromTheComment) {
  Start("[SETTINGS]\nAUTO_ID3V1_COPY=1\n");
  members.recGenre = "Kriminalhörspiel";
  members.recProduktion = "Radio Bremen mit einem sehr langen Namen";
  platform.Type(FormField::v2Comment, "Ein Kommentar,\r\nder länger als dreißig Zeichen ist");
  platform.Type(FormField::v2Track, "2");
  UpdateTo(Out("v1.mp3"));
  auto record = ReadId3v1Record(ReadBytes(Out("v1.mp3")));
  EXPECT_EQ((Texts{record->title, record->artist, record->track, record->comment, record->album}),
            (Texts{"Der Fall", "Meier", "2", "Kriminalhörspiel",
                   "Radio Bremen mit einem sehr la"}));          // cut to the field's 30 bytes
  EXPECT_EQ(Control(FormField::v1Album), members.recProduktion); // the copy is shown whole

  members.settings.wafranyoflMode = 2; // any value but 0 is on
  UpdateTo(Out("v1.mp3"));
  record = ReadId3v1Record(ReadBytes(Out("v1.mp3")));
  EXPECT_EQ(form.v1Comment, "Ein Kommentar,\r\nder länger als");
  // 28 bytes beside a track, the line break as one blank.
  EXPECT_EQ(record->comment + "|" + record->album, "Ein Kommentar, der länger al|Album");
}

// Each failure (a missing folder, a damaged tag to a new name and in place, a quit request during
// the copy) is reported and leaves the source as it was; no description or upload line follows.
TEST_F(UpdateTest, FailedWritesLeaveTheSourceAndAreReported) {
  Start("[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  UpdateTo(dir.file("fehlt/x.mp3"));
  EXPECT_EQ(platform.messages.at(0).buttons, MessageButtons::YesNo);
  platform.quitRequested = true; // no box: nobody is left to read it
  UpdateTo(Out("x.mp3"));
  platform.quitRequested = false;
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  LoadFile("Meier - Der Fall.mp3",
           sourceBytes = ComposeId3v2Tag({"", "Der Fall", "Meier"}, 100000) + MpegAudio(1000));
  UpdateTo(Out("x.mp3"));
  EXPECT_TRUE(fs::is_empty(dir.path() / "out") && TemporaryFilesIn(dir.path()).empty());
  UpdateTo(source);
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  EXPECT_EQ(TemporaryFilesIn(dir.path()), Texts{});
  EXPECT_TRUE(platform.clipboardWrites.empty());
  // The damaged tag is told when the file is loaded, and again by each refused update.
  const std::string damaged = messages::DamagedTag(source);
  EXPECT_EQ(platform.MessageTexts(),
            (Texts{messages::CannotOpenTemporaryFile(), damaged, damaged, damaged}));
  const std::string failed = messages::FailureStatus(damaged),
                    notUpdated = messages::NotUpdatedStatus(source, damaged);
  EXPECT_EQ(platform.statuses,
            (Texts{messages::NotUpdatedStatus("", messages::CannotOpenTemporaryFile()),
                   messages::NotUpdatedStatus(Out("x.mp3"), ""), failed, failed, notUpdated, failed,
                   notUpdated}));
  EXPECT_EQ(platform.statuses[0].find('\r'), std::string::npos); // the failure on one line
}

// Tags as other programs write them: the loader shows what they hold, and the update replaces
// the whole tag area, so that the copy holds exactly one tag and then the audio.
TEST_F(UpdateTest, QuirkyTagsLoadTheirValuesAndUpdateToOneTagThenTheAudio) {
  Start();
  const std::string shortAudio = MpegAudio(1000);
  for (const QuirkyTag& quirk : QuirkyTags()) {
    SCOPED_TRACE(quirk.name);
    LoadFile(quirk.name + ".mp3", quirk.bytes + shortAudio);
    EXPECT_EQ(Control(FormField::v2Title) + "|" + Control(FormField::v2Artist) + "|" +
                  std::to_string(members.oldTagLength),
              quirk.title + "|" + quirk.artist + "|" + std::to_string(quirk.tagArea));

    const std::string target = Out(quirk.name + ".mp3");
    UpdateTo(target);
    EXPECT_EQ(fs::exists(target), !quirk.damaged);
    EXPECT_TRUE(quirk.damaged || IsTagThen(ReadBytes(target), shortAudio));
  }
}

// A file with a cover, lyrics and a v2.4-only frame: KEEP_OTHER_FRAMES=0 writes the twelve frames
// as always; 1 carries cover and lyrics behind them, names the one left out and keeps it all
// across an update in place.
TEST_F(UpdateTest, KeepOtherFramesCarriesTheCoverOrWritesTheTwelveAlone) {
  const std::string apic = F23("APIC", "\0image/jpeg\0\x03\0"s + std::string(70000, 'j'));
  const std::string uslt = F23("USLT", "\0gerd\0Zeile"s);
  const auto updateWith = [&](const std::string& keep) {
    Start("[SETTINGS]\nKEEP_OTHER_FRAMES=" + keep + "\n");
    platform.messages.clear();
    LoadFile("Meier - Der Fall.mp3",
             Tag(4, 0,
                 F24("TIT2", "\0Der Fall"s) + F24("APIC", apic.substr(10)) +
                     F24("TDRC", "\0"s + "2019") + F24("USLT", uslt.substr(10))) +
                 audio);
    EXPECT_EQ(platform.cover ? platform.cover->data.size() : 0u, 70000u);
    UpdateTo(source);
    return ReadBytes(source);
  };
  // Author and album stay from the first load of the same play; the year comes from TDRC.
  const Id3v2FrameTexts texts = {"", "Der Fall", "Meier", "Album", "2019", "(101)Speech"};
  const std::string twelve = updateWith("0");
  EXPECT_EQ(twelve.substr(0, twelve.size() - kId3v1RecordSize), Id3v2Tag(texts, 1024) + audio);
  EXPECT_EQ(platform.MessageTexts(), Texts{});
  EXPECT_FALSE(platform.cover); // the file no longer has it

  const std::string kept = updateWith("1");
  EXPECT_EQ(kept.substr(0, kept.size() - kId3v1RecordSize),
            ComposeId3v2Tag(texts, 1024, apic + uslt) + std::string(1024, '\0') + audio);
  EXPECT_EQ(platform.MessageTexts(), Texts{messages::FramesLeftOut({"TDRC"})});
  EXPECT_EQ(platform.Captions(), Texts{messages::kVelmora});
  // What was carried is carried again, the tag written before skipped exactly; the same file
  // under another name still takes the temporary route.
  fs::create_symlink(source, Out("link.mp3"));
  UpdateTo(Out("link.mp3"));
  EXPECT_EQ(platform.MessageTexts(), Texts(2, messages::FramesLeftOut({"TDRC"})));
  EXPECT_TRUE(fs::is_symlink(Out("link.mp3")));
  EXPECT_TRUE(ReadBytes(source) == kept);
  EXPECT_EQ(platform.cover ? platform.cover->data.size() : 0u, 70000u);
  EXPECT_EQ(members.oldTagLength, TagOf(kept).size());
  EXPECT_EQ(TemporaryFilesIn(dir.path()), Texts{});
}

// Two windows (or a window and a script) update two files of one folder in place at the same
// time: each update has its own temporary file, so each file ends with its own audio and tag.
TEST(ConcurrentUpdateTest, TwoInPlaceUpdatesInOneFolderKeepEachFilesAudio) {
  TempDir dir;
  const std::string a = dir.file("A - Eins.mp3"), b = dir.file("B - Zwei.mp3");
  const std::string audioA = MpegAudio(300000), audioB = "\xff\xfb" + std::string(300000, 'b');
  const auto update = [&](const std::string& path) {
    FakePlatform platform;
    VelmoraLogic logic{platform, nullptr};
    logic.ReadFirstSettings(dir.path().string());
    logic.ReadLaterSettings();
    logic.LoadSelectedFile(path);
    platform.saveAnswer = path;
    EXPECT_TRUE(logic.OnAktualisieren()) << ::testing::PrintToString(platform.MessageTexts());
  };
  for (int round = 0; round < 20; ++round) {
    WriteBytes(a, Id3v2Tag({"", "Eins"}, 10) + audioA);
    WriteBytes(b, Id3v2Tag({"", "Zwei"}, 3000) + audioB);
    std::thread first(update, a), second(update, b);
    first.join();
    second.join();
    const std::string bytesA = ReadBytes(a), bytesB = ReadBytes(b);
    ASSERT_TRUE(IsTagThen(bytesA, audioA) && FrameBody(bytesA, "TIT2") == "\0Eins"s) << round;
    ASSERT_TRUE(IsTagThen(bytesB, audioB) && FrameBody(bytesB, "TIT2") == "\0Zwei"s) << round;
  }
  EXPECT_EQ(TemporaryFilesIn(dir.path()), Texts{});
}

// A name too long for the file system is refused with its own message, and nothing is written.
TEST_F(UpdateTest, ATooLongNameIsSaidSo) {
  Start();
  UpdateTo(Out(std::string(256, 'x')));
  EXPECT_EQ(platform.MessageTexts(), Texts{messages::FileNameTooLong(256, 255)});
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
  UpdateTo(Out(std::string(251, 'x') + ".mp3")); // exactly the limit
  EXPECT_TRUE(fs::exists(Out(std::string(251, 'x') + ".mp3")));
}

TEST_F(UpdateTest, CommandsDuringTheCopyAreRefusedAndAnswersHeld) {
  Start();
  std::size_t messagesDuringCopy = 1;
  platform.onPumpEvents = [&] {
    logic.LoadSelectedFile(dir.file("fehlt.mp3")); // would report the missing file
    logic.OnAktualisieren();
    platform.Type(FormField::v1Title, "getippt");
    logic.OnCopyToId3v1();
    logic.OnFilename();
    logic.OnHoerdatSearch();   // would take the typed title into the form
    logic.ImportHoerdatPage(); // would report the empty clipboard
    EXPECT_FALSE(logic.ChooseInputDirectory("/"));
    logic.OnDownloadFinished({false, "", 0, HttpFailure::Refused, "http://h/"});
    messagesDuringCopy = platform.messages.size();
  };
  UpdateTo(Out("x.mp3"));

  EXPECT_EQ(messagesDuringCopy, 0u);
  EXPECT_EQ(platform.saveRequests.size(), 1u);
  EXPECT_EQ((Texts{form.inputFile, form.v2Title, form.v1Title, members.settings.inputDirPath}),
            (Texts{source, "Der Fall", "", dir.file("")}));
  EXPECT_TRUE(IsTagThen(ReadBytes(Out("x.mp3")), audio));
  // The answer that arrived meanwhile is handled once the update has ended.
  EXPECT_EQ(platform.MessageTexts(),
            Texts{messages::NoAnswerFrom("http://h/", HttpFailure::Refused)});
}

} // namespace
} // namespace velmora::test
