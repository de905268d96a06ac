#include "core/lookup/search_download.h"

#include <gtest/gtest.h>

#include "lookup/fake_http_clients.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

using test::FakePlatform;
using test::GatedHttpClient;

struct Completion {
  int calls = 0;
  bool connected = false;
  std::string body;
  SearchDownload::Completion Callback() {
    return [this](bool c, std::string b) {
      ++calls;
      connected = c;
      body = std::move(b);
    };
  }
};

TEST(SearchDownload, RunsOneDownloadAtATimeAndCompletesOnTheWindowThread) {
  FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  SearchDownload download(client, platform);
  Completion first, second;

  ASSERT_TRUE(download.Start("http://a/", first.Callback()));
  EXPECT_TRUE(download.Running());
  ASSERT_TRUE(client->WaitForCalls(1));
  EXPECT_FALSE(download.Start("http://b/", second.Callback()));

  client->Release();
  ASSERT_TRUE(platform.WaitAndRunPosted());
  EXPECT_EQ(first.calls, 1);
  EXPECT_TRUE(first.connected);
  EXPECT_EQ(first.body, "body");
  EXPECT_EQ(second.calls, 0);
  EXPECT_FALSE(download.Running());
  EXPECT_EQ(client->calls(), 1u);

  ASSERT_TRUE(download.Start("http://c/", second.Callback()));
  ASSERT_TRUE(platform.WaitAndRunPosted());
  EXPECT_EQ(second.calls, 1);
  EXPECT_TRUE(test::WaitUntilWorkersEnded(client, 1));
}

TEST(SearchDownload, StaysRunningUntilTheCompletionHasRun) {
  FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  client->Release();
  SearchDownload download(client, platform);
  Completion done;
  ASSERT_TRUE(download.Start("http://a/", done.Callback()));
  ASSERT_TRUE(test::WaitUntilWorkersEnded(client, 1));
  EXPECT_EQ(platform.PostedCount(), 1u);
  EXPECT_TRUE(download.Running());
  platform.RunPosted();
  EXPECT_FALSE(download.Running());
  EXPECT_EQ(done.calls, 1);
}

TEST(SearchDownload, AFailingClientCountsAsAFailedConnection) {
  FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  client->throwOnRelease = true;
  client->Release();
  SearchDownload download(client, platform);
  Completion done;
  done.body = "old";
  ASSERT_TRUE(download.Start("http://a/", done.Callback()));
  ASSERT_TRUE(platform.WaitAndRunPosted());
  EXPECT_EQ(done.calls, 1);
  EXPECT_FALSE(done.connected);
  EXPECT_EQ(done.body, "");
}

TEST(SearchDownload, DestroyingWhileItRunsDropsTheLateAnswer) {
  FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  auto download = std::make_unique<SearchDownload>(client, platform);
  Completion done;
  ASSERT_TRUE(download->Start("http://a/", done.Callback()));
  ASSERT_TRUE(client->WaitForCalls(1));
  download.reset(); // does not wait for the download
  client->Release();
  ASSERT_TRUE(test::WaitUntilWorkersEnded(client));
  EXPECT_EQ(platform.PostedCount(), 0u);
  EXPECT_EQ(done.calls, 0);
}

TEST(SearchDownload, ACompletionPostedBeforeTheEndIsDropped) {
  FakePlatform platform;
  auto client = std::make_shared<GatedHttpClient>();
  client->Release();
  auto download = std::make_unique<SearchDownload>(client, platform);
  Completion done;
  ASSERT_TRUE(download->Start("http://a/", done.Callback()));
  ASSERT_TRUE(test::WaitUntilWorkersEnded(client, 1));
  ASSERT_EQ(platform.PostedCount(), 1u);
  download.reset();
  EXPECT_EQ(platform.RunPosted(), 1);
  EXPECT_EQ(done.calls, 0);
}

} // namespace
} // namespace velmora
