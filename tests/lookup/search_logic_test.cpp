// The search: the download worker, the search button and the handling of the answer in the
// window's logic (which answers open the choice, show a message or fill the form).
#include <gtest/gtest.h>

#include <latch>
#include <semaphore>
#include <thread>

#include "core/form/velmora_logic.h"
#include "core/lookup/search_download.h"
#include "lookup/answer_samples.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

using test::RecordText;
using Texts = std::vector<std::string>;

// Stands in for the network: every GET waits until the test releases the client (release first
// for an answer at once), so that a download can be caught while it runs.
class GatedHttpClient : public HttpClient {
public:
  explicit GatedHttpClient(HttpResult answer = {true, "body"}) : result_(std::move(answer)) {}
  HttpResult Get(const std::string& url) override {
    urls.push_back(url); // read by the test only after the download's end was posted
    begun_.release();
    gate_.wait();
    return result_;
  }
  void Release() { gate_.count_down(); } // once
  bool WaitForCall() { return begun_.try_acquire_for(std::chrono::seconds(30)); }
  // Waits until only the test and `owners` others hold the client: every worker has ended.
  static bool WorkersEnded(const std::shared_ptr<GatedHttpClient>& client, long owners = 0) {
    for (int i = 0; i < 3000 && client.use_count() > 1 + owners; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return client.use_count() == 1 + owners;
  }
  Texts urls;

private:
  HttpResult result_;
  std::latch gate_{1};
  std::counting_semaphore<> begun_{0};
};

TEST(SearchDownload, RunsOneAtATimeUntilItsCompletionHasRunOnTheWindowThread) {
  test::FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  SearchDownload download(client, platform);
  Texts results;
  const auto done = [&](bool connected, std::string body) {
    results.push_back(std::to_string(connected) + body);
  };
  ASSERT_TRUE(download.Start("http://a/", done));
  ASSERT_TRUE(client->WaitForCall());
  EXPECT_FALSE(download.Start("http://b/", done));
  client->Release();
  ASSERT_TRUE(GatedHttpClient::WorkersEnded(client, 1));
  EXPECT_TRUE(download.Running()); // until the posted completion has run
  EXPECT_EQ(platform.RunPosted(), 1);
  EXPECT_FALSE(download.Running());
  EXPECT_EQ(results, Texts{"1body"});
  EXPECT_EQ(client->urls, Texts{"http://a/"});
}

TEST(SearchDownload, DestroyingItDropsTheAnswerWhetherRunningOrAlreadyPosted) {
  for (const bool posted : {false, true}) {
    test::FakePlatform platform;
    auto client = std::make_shared<GatedHttpClient>();
    auto download = std::make_unique<SearchDownload>(client, platform);
    int calls = 0;
    if (posted) client->Release();
    ASSERT_TRUE(download->Start("http://a/", [&](bool, std::string) { ++calls; }));
    ASSERT_TRUE(posted ? GatedHttpClient::WorkersEnded(client, 1) : client->WaitForCall());
    download.reset(); // does not wait for the download
    if (!posted) client->Release();
    ASSERT_TRUE(GatedHttpClient::WorkersEnded(client));
    EXPECT_EQ(platform.RunPosted(), posted ? 1 : 0);
    EXPECT_EQ(calls, 0) << posted;
  }
}

// A window whose form holds what a loaded file left, with "getippt" typed into the title; it
// copies an applied record into the ID3v1 fields.
struct LoadedWindow {
  explicit LoadedWindow(HttpResult answer = {})
      : client(std::make_shared<GatedHttpClient>(std::move(answer))) {
    client->Release();
    form.v1Title = "v1 Titel";
    form.v2Title = "Alter Titel";
    form.v2Composer = "Alter Komponist";
    form.v2Year = "1977";
    members.recProduktion = "KLX";
    members.defaultUrl = "--";
    members.hoerdatUrl = "http://h/";
    members.hoerdatScript = "s.php";
    members.autoId3v1Copy = 1;
    platform.Type(FormField::v2Title, "getippt");
  }
  // The first message with its caption; ID3v2 and ID3v1 title, composer and URL; the title shown.
  std::string State() {
    const auto& shown = platform.messages;
    return (shown.empty() ? "" : shown[0].text + " (" + shown[0].caption + ")") + "|" +
           form.v2Title + "|" + form.v1Title + "|" + form.v2Composer + "|" + form.v2Url + "|" +
           platform.ControlText(FormField::v2Title);
  }
  test::FakePlatform platform;
  std::shared_ptr<GatedHttpClient> client;
  VelmoraLogic logic{platform, client};
  TagForm& form = logic.form();
  WindowMembers& members = logic.members();
};

TEST(HoerdatSearch, TakesTheCleanedMaskAndReportsAnEmptyMaskOrAFailedConnection) {
  // The search takes every control into the form: the ID3v1 title and composer are empty there.
  const std::tuple<FormField, std::string, HttpResult, std::string, std::string> rows[] = {
      {FormField::maskTitle,
       "  Wei\xdf ",
       {true, RecordText({})},
       "http://h/s.php?a=&b=Weiss&c=&d=",
       "|Der Garten|Der Garten| Hans Bauer|--|Der Garten"},
      {FormField::maskYear,
       " \t ",
       {},
       "",
       "Alle Suchfelder sind leer! (Fehler)|getippt||||getippt"},
      // A failed connection is handled as an empty answer.
      {FormField::maskAuthor,
       "%ller",
       {false, "lost"},
       "http://h/s.php?a=%2e%2aller&b=&c=&d=",
       "Connection to Server Failed (Velmora)|getippt|getippt||--|getippt"},
  };
  for (const auto& [field, typed, answer, url, state] : rows) {
    LoadedWindow window(answer);
    window.platform.Type(field, typed);
    window.logic.OnHoerdatSearch();
    EXPECT_EQ(window.platform.spinnerTimerStarts, url.empty() ? 0 : 1);
    if (!url.empty()) {
      ASSERT_TRUE(window.platform.WaitAndRunPosted());
    }
    EXPECT_EQ(window.client->urls, url.empty() ? Texts{} : Texts{url});
    EXPECT_FALSE(window.platform.spinnerTimerRunning);
    EXPECT_EQ(window.platform.spinnerTexts, url.empty() ? Texts{} : Texts{"        "});
    EXPECT_EQ(window.State(), state);
  }
}

TEST(HoerdatSearch, EachKindOfAnswer) {
  const std::string tooMany =
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
      {ten, 9, 10, "|Titel 9|Titel 9| Hans Bauer|--|Titel 9"},
      {ten, -1, 10, kept + "|getippt"},
      {RecordText({}) + "$end$ ", 1, 2, kept + "|getippt"}, // the row has no record of its own
      {eleven, -1, 0, "|Titel 0|Titel 0| Hans Bauer|--|Titel 0"},
      // The database's messages are shown trimmed and empty the fields.
      {" Kein Datensatz gefunden.\r\n", -1, 0, "Kein Datensatz gefunden. (Velmora)|||||"},
      {tooMany + "\n", -1, 0, tooMany + " (Velmora)|||||"},
      // Without the leading blank it is no message but a record without fields.
      {"Kein Datensatz gefunden.", -1, 0,
       "|Alter Titel|Alter Titel|Alter Komponist|--|Alter Titel"},
      {"", -1, 0, "|Alter Titel|Alter Titel|Alter Komponist|--|Alter Titel"},
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

} // namespace
} // namespace velmora
