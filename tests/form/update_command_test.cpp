#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

#include "core/settings/settings_file.h"
#include "core/tags/genres.h"
#include "form/form_test_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

constexpr long kDefaultPadding = 1024;

class UpdateTest : public LogicTest {
protected:
  void SetUp() override {
    fs::create_directory(dir.path() / "in");
    fs::create_directory(dir.path() / "out");
    WriteBytes(WorkFile("FileNameVorlage.txt"), "# Vorschlag\n$0$ - $1$\n");
  }

  void Start(const std::string& iniText = "") {
    if (!iniText.empty()) WriteSettings(iniText);
    StartUp();
  }

  // A source with an old tag of the author Meier and the title Der Fall, loaded as by a click.
  void LoadSource(const std::string& name = "Meier - Der Fall.mp3") {
    Id3v2FrameTexts texts{};
    texts[1] = "Der Fall";
    texts[2] = "Meier";
    texts[3] = "Album";
    oldTag = Id3v2Tag(texts, 200);
    audio = MpegAudio(100000);
    source = WorkFile("in/" + name);
    sourceBytes = oldTag + audio;
    WriteBytes(source, sourceBytes);
    const std::size_t messagesBefore = platform.messages.size();
    Load(source);
    ASSERT_EQ(platform.messages.size(), messagesBefore);
  }

  std::string OutFile(const std::string& name) const { return dir.file("out/" + name); }
  std::string TagOf(const std::string& fileBytes) {
    return fileBytes.substr(0, MeasureId3v2Tag(fileBytes));
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : platform.messages)
      texts.push_back(message.text);
    return texts;
  }

  std::string oldTag, audio, source, sourceBytes;
};

TEST_F(UpdateTest, WritesTaggedCopyDescriptionAndUploadInfo) {
  Start("[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  WriteBytes(WorkFile("BeschreibungVorlage.txt"), "Autor: $0$\r\nTitel: $1$\r\n");
  LoadSource();
  platform.Type(FormField::v2Comment, "Neuer Kommentar");
  platform.Type(FormField::v2Artist, "nicht geschrieben"); // TPE1 takes recAutor
  const std::string target = OutFile("Meier - Der Fall.mp3");
  platform.saveAnswer = target;

  logic.OnAktualisieren();

  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(MessageTexts());
  ASSERT_EQ(platform.saveRequests.size(), 1u);
  EXPECT_EQ(platform.saveRequests[0].initialDir, dir.path().string() + "/");
  EXPECT_EQ(platform.saveRequests[0].proposedName, "Meier - Der Fall.mp3");

  const Id3v2FrameTexts expected{
      "", "Der Fall", "Meier", "Album", "", "(101)Speech", "Neuer Kommentar", "", "", "", "", ""};
  const std::string newTag = ComposeId3v2Tag(expected, kDefaultPadding);
  EXPECT_EQ(ReadBytes(target), newTag + std::string(kDefaultPadding, '\0') + audio +
                                   Id3v1Bytes({"", "", "", "", "", ""}));
  EXPECT_EQ(ReadBytes(source), sourceBytes);

  EXPECT_EQ(members.outputDirPath, dir.path().string() + "/out/");
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "OUTPUTDIR", "", members.settingsPath),
            dir.path().string() + "/out/");
  EXPECT_EQ(ReadBytes(OutFile("Meier - Der Fall.txt")), "Autor: Meier\r\nTitel: Der Fall");
  EXPECT_EQ(platform.clipboardWrites, std::vector<std::string>{"Uploadinfo: Meier - Der Fall"});
  // The form still names the source; the progress bar is hidden again.
  EXPECT_EQ(form.inputFile, source);
  EXPECT_EQ(members.oldTagLength, oldTag.size());
  EXPECT_FALSE(platform.progressVisible);
  EXPECT_FALSE(logic.UpdateRunning());

  // The next update offers the directory chosen last.
  logic.OnAktualisieren();
  ASSERT_EQ(platform.saveRequests.size(), 2u);
  EXPECT_EQ(platform.saveRequests[1].initialDir, dir.path().string() + "/out/");
}

TEST_F(UpdateTest, InPlaceTwiceKeepsTheAudioWhole) {
  Start();
  LoadSource();
  platform.saveAnswer = source;
  logic.OnAktualisieren();
  ASSERT_TRUE(platform.messages.empty()) << ::testing::PrintToString(MessageTexts());

  std::string bytes = ReadBytes(source);
  const std::string firstTag = TagOf(bytes);
  EXPECT_EQ(members.oldTagLength, firstTag.size());
  EXPECT_EQ(bytes.size(), firstTag.size() + audio.size() + 128);
  EXPECT_EQ(bytes.substr(firstTag.size(), audio.size()), audio);

  platform.Type(FormField::v2Title, "Zweiter Durchgang");
  platform.Type(FormField::v1Title, "v1 Titel");
  // The same file under another spelling still takes the temporary route.
  platform.saveAnswer = dir.file("in/../in/Meier - Der Fall.mp3");
  logic.OnAktualisieren();
  ASSERT_TRUE(platform.messages.empty()) << ::testing::PrintToString(MessageTexts());

  bytes = ReadBytes(source);
  const std::string secondTag = TagOf(bytes);
  EXPECT_EQ(FrameBody(secondTag, "TIT2"), std::string(1, '\0') + "Zweiter Durchgang");
  // The record was replaced, not appended; the audio follows the new tag unchanged.
  EXPECT_EQ(bytes.size(), secondTag.size() + audio.size() + 128);
  EXPECT_EQ(bytes.substr(secondTag.size(), audio.size()), audio);
  EXPECT_EQ(ReadId3v1Record(bytes)->title, "v1 Titel");
  EXPECT_EQ(members.oldTagLength, secondTag.size());
  EXPECT_FALSE(fs::exists(dir.path() / "in" / "temp$$$"));
}

TEST_F(UpdateTest, TargetThroughASymbolicLinkReplacesTheFileItPointsTo) {
  Start();
  LoadSource();
  const fs::path link = dir.path() / "out" / "link.mp3";
  fs::create_symlink(source, link);
  platform.saveAnswer = link.string();
  logic.OnAktualisieren();
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(MessageTexts());
  EXPECT_TRUE(fs::is_symlink(link));
  const std::string bytes = ReadBytes(source);
  EXPECT_EQ(bytes.substr(TagOf(bytes).size(), audio.size()), audio);
  EXPECT_NE(TagOf(bytes), oldTag);
}

TEST_F(UpdateTest, TconFromTheGenreList) {
  Start("[SETTINGS]\nAUTO_ID3V1_TAGGING=0\n");
  LoadSource();
  const std::string target = OutFile("g.mp3");
  platform.saveAnswer = target;
  const auto tcon = [&] { return FrameBody(TagOf(ReadBytes(target)), "TCON").substr(1); };

  platform.v2Genre = {12, ""};
  logic.OnAktualisieren();
  EXPECT_EQ(tcon(), FormatTconText(12));

  platform.v2Genre = {std::nullopt, "H\xf6rspiel"};
  logic.OnAktualisieren();
  EXPECT_EQ(tcon(), "H\xf6rspiel");

  platform.v2Genre = {std::nullopt, ""};
  logic.OnAktualisieren();
  EXPECT_EQ(tcon(), "(101)Speech");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(UpdateTest, CopyToId3v1Modes) {
  Start("[SETTINGS]\nAUTO_ID3V1_COPY=1\n");
  LoadSource("A - Serie 2v5.mp3");
  members.recGenre = "Kriminalh\xf6rspiel";
  members.recProduktion = "Radio Bremen mit einem sehr langen Namen";
  platform.Type(FormField::v2Comment, "Ein Kommentar, der l\xe4nger als drei\xdfig Zeichen ist");
  platform.Type(FormField::v2Track, "2");
  const std::string target = OutFile("v1.mp3");
  platform.saveAnswer = target;
  logic.OnAktualisieren();

  auto record = ReadId3v1Record(ReadBytes(target));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->comment, "Kriminalh\xf6rspiel");
  EXPECT_EQ(record->album, "Radio Bremen mit einem sehr la"); // cut to the field's 30 bytes
  EXPECT_EQ(record->artist, "Meier");
  EXPECT_EQ(record->track, "2");
  EXPECT_EQ(Control(FormField::v1Album), members.recProduktion); // the copy is shown whole

  members.wafranyoflMode = 1;
  logic.OnAktualisieren();
  record = ReadId3v1Record(ReadBytes(target));
  ASSERT_TRUE(record);
  EXPECT_EQ(form.v1Comment, "Ein Kommentar, der l\xe4nger als ");
  EXPECT_EQ(record->comment, "Ein Kommentar, der l\xe4nger al"); // 28 bytes beside a track
  EXPECT_EQ(record->album, "Album");
}

TEST_F(UpdateTest, WithoutId3v1TaggingNoRecordIsWritten) {
  Start("[SETTINGS]\nAUTO_ID3V1_TAGGING=0\nPADDING=-5\n");
  LoadSource();
  platform.saveAnswer = source;
  logic.OnAktualisieren();
  const std::string bytes = ReadBytes(source);
  const std::string tag = TagOf(bytes);
  EXPECT_EQ(bytes, tag + audio);
  EXPECT_EQ(members.oldTagLength, tag.size()); // no padding for a negative setting
}

TEST_F(UpdateTest, MissingTemplateProposesTheFileItself) {
  fs::remove(WorkFile("FileNameVorlage.txt"));
  Start("[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  WriteBytes(WorkFile("BeschreibungVorlage.txt"), "Titel: $1$");
  LoadSource("quelle.mp2");
  platform.saveAnswer = OutFile("quelle.mp2");
  logic.OnAktualisieren();
  ASSERT_EQ(platform.saveRequests.size(), 1u);
  EXPECT_EQ(platform.saveRequests[0].proposedName, "quelle.mp2");
  EXPECT_EQ(ReadBytes(OutFile("quelle.txt")), "Titel: Der Fall");
  EXPECT_EQ(platform.clipboardWrites, std::vector<std::string>{"Uploadinfo: quelle"});
}

TEST_F(UpdateTest, StopsBeforeWritingWhenNothingIsToBeWritten) {
  Start("[SETTINGS]\nUPLOADINFO=1\n");
  logic.OnAktualisieren();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Sie m\xfcssen zuerst ein File ausw\xe4hlen!");
  EXPECT_EQ(platform.messages[0].caption, "Fehler");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);

  LoadSource();
  // A too long year stops at the take-over.
  platform.Type(FormField::v2Year, "1234567");
  logic.OnAktualisieren();
  EXPECT_EQ(platform.Captions(), (std::vector<std::string>{"Fehler", "Velmora"}));
  EXPECT_TRUE(platform.saveRequests.empty());

  // A cancelled dialog writes nothing, not even the settings.
  platform.Type(FormField::v2Year, "1999");
  platform.saveAnswer = std::nullopt;
  logic.OnAktualisieren();
  EXPECT_EQ(platform.saveRequests.size(), 1u);
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
  EXPECT_EQ(ReadProfileString("DIRECTORIES", "OUTPUTDIR", "none", members.settingsPath), "none");
  EXPECT_TRUE(platform.clipboardWrites.empty());
  EXPECT_EQ(ReadBytes(source), sourceBytes);
}

TEST_F(UpdateTest, UncreatableTargetIsReportedAndTheDocumentsFollow) {
  Start("[SETTINGS]\nUPLOADINFO=1\n");
  LoadSource();
  platform.saveAnswer = dir.file("fehlt/x.mp3");
  logic.OnAktualisieren();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Kann tempor\xe4res File nicht \xf6"
                                       "ffnen! \r\nOperation fehlgeschlagen");
  EXPECT_EQ(platform.messages[0].caption, "Warnung");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  EXPECT_EQ(platform.clipboardWrites, std::vector<std::string>{"Uploadinfo: Meier - Der Fall"});
}

TEST_F(UpdateTest, SourceRemovedBeforeTheUpdate) {
  Start();
  LoadSource();
  fs::remove(source);
  platform.saveAnswer = OutFile("x.mp3");
  logic.OnAktualisieren();
  platform.saveAnswer = source; // over itself: there is nothing to read either
  logic.OnAktualisieren();
  const std::string text = "Das File \"" + source +
                           "\" kann nicht ge\xf6"
                           "ffnet werden!";
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{text, text}));
  EXPECT_FALSE(fs::exists(OutFile("x.mp3")));
  EXPECT_FALSE(fs::exists(source));
}

TEST_F(UpdateTest, DamagedTagLengthIsRefused) {
  Start();
  Id3v2FrameTexts texts{};
  texts[1] = "Kaputt";
  source = WorkFile("in/kaputt.mp3");
  sourceBytes = ComposeId3v2Tag(texts, 100000) + MpegAudio(1000);
  WriteBytes(source, sourceBytes);
  Load(source);
  ASSERT_TRUE(platform.messages.empty());

  platform.saveAnswer = OutFile("k.mp3");
  logic.OnAktualisieren();
  platform.saveAnswer = source;
  logic.OnAktualisieren();
  const std::string text = "Das File \"" + source +
                           "\" hat einen besch\xe4"
                           "digten ID3v2-Tag!";
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{text, text}));
  EXPECT_EQ(platform.Captions(), (std::vector<std::string>{"Fehler", "Fehler"}));
  EXPECT_FALSE(fs::exists(OutFile("k.mp3")));
  EXPECT_FALSE(fs::exists(dir.path() / "in" / "temp$$$"));
  EXPECT_EQ(ReadBytes(source), sourceBytes);
}

TEST_F(UpdateTest, DiskFullInPlaceLeavesTheSourceAndReports) {
  Start();
  LoadSource();
  platform.saveAnswer = source;
  const std::string temporary = dir.file("in/temp$$$");
  const int result = RunInChild([&] {
    const rlimit limit{50000, 50000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    logic.OnAktualisieren();
    if (platform.messages.size() != 1) return 11;
    if (platform.messages[0].text !=
        "Das File \"" + temporary + "\" kann nicht geschrieben werden!")
      return 12;
    return platform.messages[0].caption == "Fehler" ? 0 : 13;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadBytes(source), sourceBytes);
  EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(UpdateTest, CommandsDuringTheCopyAreRefusedAndAnswersHeld) {
  Start();
  LoadSource();
  const std::string other = WorkFile("in/B - Anderes.mp3");
  WriteBytes(other, MpegAudio(10));
  platform.saveAnswer = OutFile("x.mp3");
  std::size_t messagesDuringCopy = 0;
  platform.onPumpEvents = [&] {
    logic.LoadSelectedFile(other);
    logic.OnAktualisieren();
    platform.Type(FormField::v1Title, "getippt");
    logic.OnCopyToId3v1();
    logic.OnFilename();
    EXPECT_FALSE(logic.ChooseInputDirectory("/"));
    logic.OnDownloadFinished(false, "");
    messagesDuringCopy = platform.messages.size();
  };
  logic.OnAktualisieren();
  platform.onPumpEvents = nullptr;

  EXPECT_GT(platform.pumpCount, 1);
  EXPECT_EQ(messagesDuringCopy, 0u);
  EXPECT_EQ(platform.saveRequests.size(), 1u);
  EXPECT_EQ(form.inputFile, source);
  EXPECT_EQ(form.v2Title, "Der Fall");
  EXPECT_EQ(form.v1Title, "");
  EXPECT_EQ(ReadId3v1Record(ReadBytes(OutFile("x.mp3")))->title, "");
  EXPECT_EQ(members.inputDirPath, dir.path().string() + "/");
  EXPECT_EQ(
      ReadBytes(OutFile("x.mp3")).substr(TagOf(ReadBytes(OutFile("x.mp3"))).size(), audio.size()),
      audio);
  // The answer that arrived meanwhile is handled once the update has ended.
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_EQ(platform.messages[0].text, "Connection to Server Failed");
}

} // namespace
} // namespace velmora::test
