// The search button, the spinner and the completion of the download in the window's logic.
#include <gtest/gtest.h>

#include "core/form/velmora_logic.h"
#include "lookup/answer_samples.h"
#include "lookup/fake_http_clients.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

using test::CannedHttpClient;
using test::GatedHttpClient;

class SearchCommandTest : public ::testing::Test {
protected:
  void Configure(VelmoraLogic& logic) {
    logic.members().hoerdatUrl = "http://127.0.0.1:9/";
    logic.members().hoerdatScript = "hoerdat.php";
    logic.members().defaultUrl = "--";
  }
  test::FakePlatform platform;
};

TEST_F(SearchCommandTest, SearchTakesTheMaskCleansItAndAppliesTheAnswer) {
  auto client = std::make_shared<CannedHttpClient>(HttpResult{true, test::RecordText({})});
  VelmoraLogic logic(platform, client);
  Configure(logic);
  platform.Type(FormField::maskTitle, "  Wei\xdf ");
  platform.Type(FormField::maskAuthor, "%ller");

  logic.OnHoerdatSearch();
  EXPECT_EQ(logic.form().maskTitle, "Weiss");
  EXPECT_EQ(logic.form().maskAuthor, "%ller");
  EXPECT_TRUE(platform.spinnerTimerRunning);
  EXPECT_TRUE(logic.SearchRunning());

  ASSERT_TRUE(platform.WaitAndRunPosted());
  EXPECT_EQ(client->urls(),
            std::vector<std::string>{"http://127.0.0.1:9/hoerdat.php?a=%2e%2aller&b=Weiss&c=&d="});
  EXPECT_FALSE(logic.SearchRunning());
  EXPECT_FALSE(platform.spinnerTimerRunning);
  EXPECT_EQ(platform.spinnerTexts.back(), "        ");
  EXPECT_EQ(logic.form().v2Title, "Der Garten");
  EXPECT_EQ(platform.ControlText(FormField::v2Title), "Der Garten");
  EXPECT_EQ(platform.ControlText(FormField::maskTitle), "Weiss");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SearchCommandTest, AnEmptyMaskIsRefusedWithAMessageAndNothingStarts) {
  auto client = std::make_shared<CannedHttpClient>(HttpResult{true, ""});
  VelmoraLogic logic(platform, client);
  platform.Type(FormField::maskYear, "   ");
  platform.Type(FormField::maskStation, "\t");
  logic.OnHoerdatSearch();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Alle Suchfelder sind leer!");
  EXPECT_EQ(platform.messages[0].caption, "Fehler");
  EXPECT_EQ(platform.spinnerTimerStarts, 0);
  EXPECT_FALSE(logic.SearchRunning());
  EXPECT_EQ(logic.form().maskYear, "");
  EXPECT_TRUE(client->urls().empty());
}

TEST_F(SearchCommandTest, ASecondSearchWhileOneRunsIsRefusedWithoutSideEffects) {
  auto client = std::make_shared<GatedHttpClient>();
  client->result = HttpResult{true, test::RecordText({})};
  {
    VelmoraLogic logic(platform, client);
    Configure(logic);
    platform.Type(FormField::maskTitle, "Erste");
    logic.OnHoerdatSearch();
    ASSERT_TRUE(client->WaitForCalls(1));

    platform.Type(FormField::maskTitle, "Zweite");
    logic.OnHoerdatSearch();
    EXPECT_EQ(logic.form().maskTitle, "Erste"); // the controls were not even taken
    EXPECT_EQ(platform.spinnerTimerStarts, 1);
    EXPECT_TRUE(platform.messages.empty());

    client->Release();
    ASSERT_TRUE(platform.WaitAndRunPosted());
    EXPECT_EQ(client->calls(), 1u);
    EXPECT_EQ(logic.form().v2Title, "Der Garten");
  }
  EXPECT_TRUE(test::WaitUntilWorkersEnded(client));
}

TEST_F(SearchCommandTest, AFailedConnectionIsReportedAndHandledAsAnEmptyAnswer) {
  auto client = std::make_shared<CannedHttpClient>(HttpResult{false, "ignored"});
  VelmoraLogic logic(platform, client);
  Configure(logic);
  platform.Type(FormField::v2Title, "Alter Titel");
  platform.Type(FormField::maskYear, "1998");
  logic.OnHoerdatSearch();
  ASSERT_TRUE(platform.WaitAndRunPosted());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Connection to Server Failed");
  EXPECT_EQ(platform.messages[0].caption, "Velmora");
  EXPECT_EQ(logic.form().v2Url, "--");
  EXPECT_EQ(logic.form().v2Title, "Alter Titel");
  EXPECT_FALSE(platform.spinnerTimerRunning);
}

TEST_F(SearchCommandTest, ClosingTheWindowWhileADownloadRunsDropsTheAnswer) {
  auto client = std::make_shared<GatedHttpClient>();
  auto logic = std::make_unique<VelmoraLogic>(platform, client);
  Configure(*logic);
  platform.Type(FormField::maskTitle, "Garten");
  logic->OnHoerdatSearch();
  ASSERT_TRUE(client->WaitForCalls(1));
  logic.reset();
  client->Release();
  ASSERT_TRUE(test::WaitUntilWorkersEnded(client));
  EXPECT_EQ(platform.RunPosted(), 0);
}

TEST_F(SearchCommandTest, SpinnerTurnsAndContinuesAcrossSearches) {
  auto client = std::make_shared<CannedHttpClient>(HttpResult{true, ""});
  VelmoraLogic logic(platform, client);
  for (int i = 0; i < 6; ++i)
    logic.OnSpinnerTick();
  EXPECT_EQ(platform.spinnerTexts, (std::vector<std::string>{" |", "/", "---", "\\", " |", "/"}));
  platform.Type(FormField::maskYear, "1998");
  logic.OnHoerdatSearch();
  ASSERT_TRUE(platform.WaitAndRunPosted());
  platform.spinnerTexts.clear();
  logic.OnSpinnerTick();
  EXPECT_EQ(platform.spinnerTexts, std::vector<std::string>{"---"});
}

} // namespace
} // namespace velmora
