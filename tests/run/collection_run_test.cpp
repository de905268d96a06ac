// A run over a collection against a service that answers from a table: pacing and cache, the
// choices made by themselves and by the user, the review, copies and writes in place, undo back
// to the byte, and a run stopped in the middle and started again.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>

#include "core/form/field_commands.h"
#include "core/io/file_status.h"
#include "core/run/collection_run.h"
#include "form/audio_test_files.h"
#include "lookup/answer_samples.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Time stands still until someone sleeps.
struct FakeClock : RunClock {
  std::int64_t SteadyMilliseconds() override { return now; }
  std::int64_t WallSeconds() override { return std::time(nullptr) + now / 1000; }
  void SleepMilliseconds(std::int64_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  std::int64_t now = 0;
  std::vector<std::int64_t> sleeps;
};

// Answers by the title asked ("b="); an unknown title gets no hit, "Fehler" no connection.
struct TableService : HttpClient {
  HttpResult Get(const std::string& url) override {
    asked.push_back(url);
    const std::string title = url.substr(url.find("b=") + 2, url.find("&c=") - url.find("b=") - 2);
    if (title == "Fehler") return {};
    const auto found = answers.find(title);
    HttpResult result;
    result.connected = true;
    result.status = 200;
    result.body = found == answers.end() ? " Kein Datensatz gefunden" : found->second;
    return result;
  }
  std::map<std::string, std::string> answers;
  std::vector<std::string> asked;
};

std::string Part(const std::string& title, const std::string& second) {
  SampleRecord record;
  record.titel1 = title;
  std::string text = RecordText(record);
  return text.replace(text.find("$titel2$ "), 9, "$titel2$" + second + " ");
}

// "Abbrechen" pressed once something was written, or never.
struct CancelOnceWritten : RunProgress {
  explicit CancelOnceWritten(bool cancelling) : cancel(cancelling) {}
  bool Continue(std::uint64_t done, std::uint64_t) override { return !cancel || done == 0; }
  bool cancel;
};

class CollectionRunTest : public ::testing::Test {
protected:
  CollectionRunTest() {
    fs::create_directories(dir.path() / "in");
    fs::create_directories(dir.path() / "out");
    service->answers = {{"Garten", RecordText({})},
                        {"Moor", Part("Moor", "Teil 1") + Part("Moor", "Teil 2")},
                        {"Zwei", RecordText({}) + Part("Anders", "")}};
    WriteBytes(dir.file("Tonfeld.ini"), "[DIRECTORIES]\nOUTPUTDIR=" + dir.file("out/") +
                                            "\n[WWW]\nURL-HOERDAT=http://x/\nSCRIPT-HOERDAT=h\n");
    RunPlatform platform;
    ReadFirstSettings(started, platform, dir.path().string());
    ReadLaterSettings(started);
  }
  void Add(const std::string& name, const std::string& bytes) { WriteBytes(In(name), bytes); }
  std::string In(const std::string& name) const { return dir.file("in/" + name); }
  Collection Read() {
    struct All : CollectionProgress {
      bool Continue(std::size_t, std::size_t) override { return true; }
    } all;
    return *ReadCollection(dir.file("in/"), "", all);
  }
  RunSetup Setup(const std::string& state = "state/") {
    return {dir.file("in/"), started, RunStore(dir.file(state), dir.file("in/"))};
  }
  std::vector<LookupLine> Lookup(const RunSetup& setup, int cacheDays = 30) {
    PacedLookup paced(service, AnswerCache(dir.file("cache/"), cacheDays), 1000, clock);
    struct All : RunProgress {
      bool Continue(std::uint64_t, std::uint64_t) override { return true; }
    } all;
    std::string failure;
    auto lines = LookupPlays(setup, Read(), paced, all, failure);
    EXPECT_EQ(failure, "");
    return lines;
  }
  std::vector<WriteLine> Write(const RunSetup& setup, RunTarget target, bool cancel = false) {
    std::vector<WriteLine> lines;
    CancelOnceWritten progress(cancel);
    WritePlays(setup, Read(), target, progress, [&](const WriteLine& l) { lines.push_back(l); });
    return lines;
  }
  TempDir dir;
  WindowState started;
  FakeClock clock;
  std::shared_ptr<TableService> service = std::make_shared<TableService>();
};

// One record and the parts of one play choose themselves (the first part's record); several
// plays, no hit and a failure wait. Requests are spaced by the pause; the answers come from the
// cache the second time, failures are asked again, and CACHE_DAYS 0 or an old answer asks anew.
TEST_F(CollectionRunTest, LookupChoosesPacesAndCaches) {
  Add("Anna Berger - Garten - RBX, 98.mp3", MpegAudio(100));
  Add("Anna Berger - Moor 2v2 - RBX, 98.mp3", MpegAudio(100));
  Add("Anna Berger - Zwei - RBX, 98.mp3", MpegAudio(100));
  Add("Anna Berger - Nichts - RBX, 98.mp3", MpegAudio(100));
  Add("Anna Berger - Fehler - RBX, 98.mp3", MpegAudio(100));
  Add("Anna Berger - Fertig - RBX, 98.mp3", Id3v2Tag({"", "Fertig", "Anna Berger"}) + MpegAudio(9));
  const auto lines = Lookup(Setup());
  ASSERT_EQ(lines.size(), 5u);                      // the tagged play is not looked up
  std::map<std::string, std::pair<int, int>> found; // title: hits, chosen
  const Collection collection = Read();
  for (const LookupLine& line : lines)
    found[collection.plays[static_cast<std::size_t>(line.id - 1)].play.title] = {
        line.lookup.hits, line.lookup.chosen};
  EXPECT_EQ(found["Garten"], std::make_pair(1, 0));
  EXPECT_EQ(found["Moor"], std::make_pair(2, 1)); // part 2 is the first one present
  EXPECT_EQ(found["Zwei"], std::make_pair(2, -1));
  EXPECT_EQ(found["Nichts"], std::make_pair(0, -1));
  EXPECT_EQ(found["Fehler"], std::make_pair(0, -1));
  EXPECT_EQ(clock.sleeps, std::vector<std::int64_t>(4, 1000));
  EXPECT_NE(service->asked[0].find("http://x/h?a=Berger&b="), std::string::npos);

  Lookup(Setup());         // kept: only the failure is asked again
  Lookup(Setup("other/")); // a new state: the cache answers, the failure is asked
  EXPECT_EQ(service->asked.size(), 7u);
  Lookup(Setup("third/"), 0); // no cache
  EXPECT_EQ(service->asked.size(), 12u);
  clock.now += 31LL * 86400 * 1000; // older than CACHE_DAYS
  Lookup(Setup("fourth/"));
  EXPECT_EQ(service->asked.size(), 17u);
}

// A choice belongs to the play, not to its id: a play added in front moves the ids, the choice
// stays. Rows beyond the hits and plays not looked up are refused; none skips.
TEST_F(CollectionRunTest, ChoicesFollowThePlay) {
  Add("Anna Berger - Zwei - RBX, 98.mp3", MpegAudio(100));
  const RunSetup setup = Setup();
  EXPECT_NE(ChoosePlay(setup, Read(), 1, 0), ""); // not looked up yet
  Lookup(setup);
  EXPECT_NE(ChoosePlay(setup, Read(), 1, 2), "");
  EXPECT_NE(ChoosePlay(setup, Read(), 9, 0), "");
  EXPECT_EQ(ChoosePlay(setup, Read(), 1, 1), "");
  Add("Anna Berger - Aaa - RBX, 98.mp3", MpegAudio(100));
  const auto lines = Lookup(setup);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].id, 2);
  EXPECT_EQ(lines[1].lookup.chosen, 1);
  EXPECT_EQ(ChoosePlay(setup, Read(), 2, std::nullopt), "");
  EXPECT_TRUE(Lookup(setup)[1].lookup.skipped);
  EXPECT_TRUE(ReviewPlays(setup, Read(), RunTarget::Copies).empty());
}

// Review names each part's changes and writes nothing; copies carry the record's frames and the
// source's audio, a second apply writes nothing again, undo removes the copies; an existing file
// at a target is left alone.
TEST_F(CollectionRunTest, ReviewCopiesAndUndo) {
  const std::string audio = MpegAudio(5000);
  Add("Anna Berger - Moor 1v2 - RBX, 98.mp3", audio);
  Add("Anna Berger - Moor 2v2 - RBX, 98.mp3", audio);
  const RunSetup setup = Setup();
  Lookup(setup);
  const auto review = ReviewPlays(setup, Read(), RunTarget::Copies);
  ASSERT_EQ(review.size(), 2u);
  EXPECT_EQ(review[1].changes[0].field, FormField::v2Title);
  EXPECT_EQ(review[1].changes[0].after, "Moor 2v2");
  EXPECT_EQ(review[1].target, dir.file("out/") + "Anna Berger - Moor 2v2 - RBX, 98.mp3");
  EXPECT_TRUE(ReadBytes(In("Anna Berger - Moor 1v2 - RBX, 98.mp3")) == audio);
  EXPECT_FALSE(fs::exists(review[0].target));

  WriteBytes(review[1].target, "mine");
  auto lines = Write(setup, RunTarget::Copies);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ok);
  EXPECT_FALSE(lines[1].ok);
  EXPECT_EQ(ReadBytes(review[1].target), "mine");
  fs::remove(review[1].target);
  const auto before = StatusOfPath(review[0].target);
  lines = Write(setup, RunTarget::Copies);
  EXPECT_TRUE(lines[0].ok && lines[1].ok);
  EXPECT_TRUE(SameVersion(*before, *StatusOfPath(review[0].target))); // not written twice
  const std::string copy = ReadBytes(review[1].target);
  EXPECT_EQ(FrameBody(TagOf(copy), "TIT2"), std::string("\0Moor 2v2", 9));
  EXPECT_EQ(FrameBody(TagOf(copy), "TPE1"), std::string("\0Berger,Anna", 12));
  EXPECT_TRUE(copy.substr(TagOf(copy).size()) == audio + Id3v1Bytes({"", "", "", "", "", "2"}));

  const auto undone = UndoLastRun(setup);
  ASSERT_EQ(undone.size(), 2u);
  EXPECT_TRUE(undone[0].undone && undone[1].undone);
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
  EXPECT_TRUE(UndoLastRun(setup).empty());
}

// In place: a tag area with room is rewritten alone (the audio's bytes untouched), a file
// without one is rewritten whole; undo gives both back to the byte, but not a file changed since.
TEST_F(CollectionRunTest, InPlaceAndUndoToTheByte) {
  const std::string padded =
      Id3v2Tag({"", "", ""}, 4000) + MpegAudio(20000) + Id3v1Bytes({"Alt", "", "", "", "", ""});
  const std::string bare = MpegAudio(20000);
  Add("Anna Berger - Garten - RBX, 98.mp3", padded);
  Add("Anna Berger - Moor 1v2 - RBX, 98.mp3", bare);
  Add("Anna Berger - Moor 2v2 - RBX, 98.mp3", bare);
  const RunSetup setup = Setup();
  Lookup(setup);
  const auto lines = Write(setup, RunTarget::InPlace);
  ASSERT_EQ(lines.size(), 3u);
  for (const WriteLine& line : lines)
    EXPECT_TRUE(line.ok) << line.why;
  const std::string garten = ReadBytes(In("Anna Berger - Garten - RBX, 98.mp3"));
  EXPECT_EQ(garten.size(), padded.size());
  EXPECT_TRUE(garten.substr(4010, 20002) == padded.substr(4010, 20002));
  EXPECT_EQ(FrameBody(TagOf(garten), "TALB"), std::string("\0Krimi", 6));
  EXPECT_NE(ReadBytes(In("Anna Berger - Moor 1v2 - RBX, 98.mp3")), bare);
  EXPECT_TRUE(fs::is_empty(dir.path() / "out"));

  WriteBytes(In("Anna Berger - Moor 2v2 - RBX, 98.mp3"), "changed");
  const auto undone = UndoLastRun(setup);
  ASSERT_EQ(undone.size(), 3u);
  EXPECT_TRUE(ReadBytes(In("Anna Berger - Garten - RBX, 98.mp3")) == padded);
  EXPECT_TRUE(ReadBytes(In("Anna Berger - Moor 1v2 - RBX, 98.mp3")) == bare);
  EXPECT_EQ(ReadBytes(In("Anna Berger - Moor 2v2 - RBX, 98.mp3")), "changed");
  EXPECT_FALSE(undone[2].undone);
}

// Stopped after the first file, and killed between a file's two records: started again, every
// file is written once, and undo still finds the first file's former bytes.
TEST_F(CollectionRunTest, StoppedRunGoesOn) {
  const std::string bare = MpegAudio(3000);
  Add("Anna Berger - Moor 1v2 - RBX, 98.mp3", bare);
  Add("Anna Berger - Moor 2v2 - RBX, 98.mp3", bare);
  const RunSetup setup = Setup();
  Lookup(setup);
  auto lines = Write(setup, RunTarget::InPlace, true);
  ASSERT_EQ(lines.size(), 1u);
  const auto first = StatusOfPath(In("Anna Berger - Moor 1v2 - RBX, 98.mp3"));
  // What a kill right after the second file's first record leaves.
  RunWrite killed;
  killed.inPlace = true;
  killed.source = killed.target = In("Anna Berger - Moor 2v2 - RBX, 98.mp3");
  killed.formerSize = bare.size();
  killed.formerTail = bare.substr(bare.size() - 128);
  ASSERT_TRUE(setup.store.AppendWrite(killed));
  lines = Write(setup, RunTarget::InPlace);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].ok && lines[1].ok);
  EXPECT_TRUE(SameVersion(*first, *StatusOfPath(In("Anna Berger - Moor 1v2 - RBX, 98.mp3"))));
  EXPECT_EQ(UndoLastRun(setup).size(), 2u);
  EXPECT_TRUE(ReadBytes(In("Anna Berger - Moor 1v2 - RBX, 98.mp3")) == bare);
  EXPECT_TRUE(ReadBytes(In("Anna Berger - Moor 2v2 - RBX, 98.mp3")) == bare);
}

} // namespace
} // namespace velmora::test
