// The search: the download worker, the search button and the answer in the window's logic.
#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "core/form/velmora_logic.h"
#include "core/lookup/search_download.h"
#include "core/model/messages.h"
#include "core/text/encoding.h"
#include "lookup/answer_samples.h"
#include "support/fake_platform.h"

namespace velmora::test {
namespace {

using Texts = std::vector<std::string>;

HttpResult Answer(std::string body, long status = 200) {
  return {true, std::move(body), status, HttpFailure::None, {}};
}

// Stands in for the network; every GET waits at the gate, so that a download can be caught running.
struct GatedHttpClient : HttpClient {
  explicit GatedHttpClient(HttpResult answer = Answer("body")) : result(std::move(answer)) {}
  HttpResult Get(const std::string& url) override {
    urls.push_back(url); // read by the test only after the worker has ended
    gate.wait();
    return result;
  }
  HttpResult result;
  std::latch gate{1}; // count_down() once opens it
  Texts urls;
};

// Waits until only the test and `owners` others hold the client: every worker has ended.
bool WorkersEnded(const std::shared_ptr<GatedHttpClient>& client, long owners = 0) {
  for (int i = 0; i < 3000 && client.use_count() > 1 + owners; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return client.use_count() == 1 + owners;
}

TEST(SearchDownload, RunsOneAtATimeAndDropsTheAnswerWhenDestroyedBeforeItsCompletionRan) {
  // 0: kept; 1: destroyed while the GET runs; 2: destroyed with its completion already posted
  for (const int end : {0, 1, 2}) {
    FakePlatform platform;
    auto client = std::make_shared<GatedHttpClient>();
    auto download = std::make_unique<SearchDownload>(client, platform);
    Texts results;
    const auto done = [&](HttpResult r) {
      results.push_back(std::to_string(r.connected) + r.body + " " + r.address);
    };
    ASSERT_TRUE(download->Start("http://a/", done));
    EXPECT_FALSE(download->Start("http://b/", done));
    if (end == 1) download.reset(); // does not wait for the download
    client->gate.count_down();
    ASSERT_TRUE(WorkersEnded(client, end == 1 ? 0 : 1));
    if (end == 2) download.reset();
    EXPECT_EQ(download && download->Running(), end == 0); // until its completion has run
    EXPECT_EQ(platform.RunPosted(), end == 1 ? 0 : 1);
    EXPECT_EQ(download && download->Running(), false);
    EXPECT_EQ(results, end == 0 ? Texts{"1body http://a/"} : Texts{}) << end;
    EXPECT_EQ(client->urls, Texts{"http://a/"});
  }
}

// A loaded file's form, "getippt" typed into the title; an applied record is copied into ID3v1.
struct LoadedWindow {
  explicit LoadedWindow(HttpResult answer = {})
      : client(std::make_shared<GatedHttpClient>(std::move(answer))) {
    client->gate.count_down();
    form.v1Title = "v1 Titel";
    form.v2Title = "Alter Titel";
    form.v2Composer = "Alter Komponist";
    members.settings.defaultUrl = "--";
    members.settings.autoId3v1Copy = 1;
    platform.Type(FormField::v2Title, "getippt");
  }
  // The first message with its caption; ID3v2 and ID3v1 title, composer and URL; the title shown.
  std::string State() {
    const auto& shown = platform.messages;
    return (shown.empty() ? "" : shown[0].text + " (" + shown[0].caption + ")") + "|" +
           form.v2Title + "|" + form.v1Title + "|" + form.v2Composer + "|" + form.v2Url + "|" +
           platform.ControlText(FormField::v2Title);
  }
  FakePlatform platform;
  std::shared_ptr<GatedHttpClient> client;
  VelmoraLogic logic{platform, client};
  TagForm& form = logic.state().form;
  WindowMembers& members = logic.state().members;
};

TEST(HoerdatSearch, AnEmptyMaskIsReportedAndNothingIsSent) {
  LoadedWindow blank;
  blank.platform.Type(FormField::maskYear, " \t ");
  blank.logic.OnHoerdatSearch();
  EXPECT_EQ(blank.State(),
            messages::AllSearchFieldsEmpty() + " (" + messages::kError + ")|getippt||||getippt");
  EXPECT_EQ(blank.platform.spinnerTimerStarts, 0);
  EXPECT_TRUE(blank.client->urls.empty());
}

TEST(HoerdatSearch, EachKindOfAnswer) {
  const std::string many =
      "Mehr als 20 Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.";
  std::string ten;
  for (int i = 0; i < 11; ++i)
    ten += RecordText({.titel1 = "Titel " + std::to_string(i)});
  const std::string eleven = ten;
  ten.resize(ten.rfind("$titel1$"));
  const std::string kept = "|Alter Titel|v1 Titel|Alter Komponist|";
  // answer, the row chosen, the rows offered (0: no choice), the state afterwards
  const std::tuple<std::string, int, std::size_t, std::string> rows[] = {
      // One record is applied at once, nothing emptied.
      {"$titel1$ Garten, Der $titel2$ $end$", -1, 0,
       "|Der Garten|Der Garten|Alter Komponist|--|Der Garten"},
      // The chosen row k applies record k+1 after emptying the fields.
      {RecordText({}) + "$titel1$Zweiter$titel2$$autor$Ohm, Ute$produktion$$end$", 1, 2,
       "|Zweiter|Zweiter||--|Zweiter"},
      {ten, -1, 10, kept + "|getippt"},
      {RecordText({}) + "$end$ ", 1, 2, kept + "|getippt"}, // the row has no record of its own
      {eleven, -1, 0, "|Titel 0|Titel 0| Hans Bauer|--|Titel 0"},
      // The database's messages are shown trimmed; the form and what was typed stay.
      {" Kein Datensatz gefunden.\r\n", -1, 0,
       "Kein Datensatz gefunden. (Velmora)" + kept + "|getippt"},
      // The script answers in Windows-1252.
      {many + "\n", -1, 0, Cp1252ToUtf8(many) + " (Velmora)" + kept + "|getippt"},
      // Without the leading blank it is no message, and without a record nothing is applied.
      {"Kein Datensatz gefunden.", -1, 0, kept + "|getippt"},
  };
  for (const auto& [answer, chosenRow, offered, state] : rows) {
    LoadedWindow window;
    window.platform.chosenRow = chosenRow;
    window.logic.HandleSearchAnswer(answer);
    const auto& choices = window.platform.choiceRequests;
    EXPECT_EQ(choices.empty() ? 0 : choices[0].size(), offered) << answer.substr(0, 60);
    EXPECT_EQ(window.State(), state) << answer.substr(0, 60);
  }
}

// A failed download keeps the form and what was typed while it ran; the message tells what happened
// and where, the query built from the cleaned mask. (No connection or no libcurl: tests/cli
// search_e2e_test; an answer without a record: the table above.)
TEST(HoerdatSearch, FailedDownloadsKeepWhatWasTyped) {
  // The search took the controls into the form; the controls then got more typing.
  const std::string kept = "|getippt||||später getippt";
  const std::string address = "http://hoerdat.example/h.php?a=&b=&c=&d=98";
  const std::string velmora = std::string(" (") + messages::kVelmora + ")";
  const std::pair<HttpResult, std::string> rows[] = {
      {Answer("<html>Internal Server Error</html>", 500),
       messages::NotAnAnswerFrom(address, 500) + velmora + kept},
      // A record is applied, even with an error status.
      {Answer(RecordText({}), 500), "|Der Garten|Der Garten| Hans Bauer|--|Der Garten"},
  };
  for (const auto& [result, state] : rows) {
    LoadedWindow window(result);
    window.members.settings.hoerdatUrl = "http://hoerdat.example/";
    window.members.settings.hoerdatScript = "h.php";
    window.platform.Type(FormField::maskYear, " 98\t");
    window.logic.OnHoerdatSearch();
    window.platform.Type(FormField::v2Title, "später getippt");
    ASSERT_TRUE(window.platform.WaitAndRunPosted());
    EXPECT_EQ(window.State(), state) << result.body.substr(0, 40);
    EXPECT_FALSE(window.platform.spinnerTimerRunning);
  }
}

} // namespace
} // namespace velmora::test
