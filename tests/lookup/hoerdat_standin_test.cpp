// The stand-in Hördat service, asked over plain HTTP as Velmora's search asks it.
#include <gtest/gtest.h>

#include "core/text/string_helpers.h"
#include "lookup/loopback_http.h"
#include "lookup/standin_process.h"

namespace velmora {
namespace {

class StandinTest : public ::testing::Test {
protected:
  void SetUp() override {
    standin_ = std::make_unique<test::StandinProcess>(std::vector<std::string>{"--limit", "12"});
    ASSERT_TRUE(standin_->Running()) << standin_->firstLine();
  }
  std::string Raw(const std::string& target) { return test::RawGet(standin_->port(), target); }
  // The body of a 200 answer; empty (and a test failure) for any other status.
  std::string Body(const std::string& target) {
    const std::string response = Raw(target);
    EXPECT_EQ(response.rfind("HTTP/1.1 200 ", 0), 0u) << response;
    const auto end = response.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : response.substr(end + 4);
  }
  static int Records(const std::string& body) { return CountOccurrences(body + " ", "$end$"); }

  std::unique_ptr<test::StandinProcess> standin_;
};

TEST_F(StandinTest, AnswersOneRecordInTheMarkerFormatAsWindows1252) {
  const std::string response = Raw("/hoerdat.php?a=&b=Garten%2c%20Der&c=&d=");
  EXPECT_NE(response.find("\r\nContent-Type: text/plain; charset=windows-1252\r\n"),
            std::string::npos)
      << response;
  EXPECT_EQ(Body("/hoerdat.php?a=&b=Garten%2c%20Der&c=&d="),
            "$titel1$Garten, Der$titel2$$autor$Berger, Anna$produktion$RBX$jahr$1998$laenge$54"
            "$hsp-typ$Krimi$genre$Thriller$regie$Hans Bauer$bearbeitung$$komposition$"
            "$inhaltsangabe$Im Garten der Villa Lindqvist liegt ein Toter.<br />Kommissarin "
            "Roth sucht den G\xe4rtner.$mitwirkende$Kommissarin Roth: Anna Berger\r\nG\xe4rtner: "
            "Otto Klee\r\nVillenbesitzer: Paul Dornbusch\r\nNachbarin: Hedwig Sauer$end$\r\n");
}

TEST_F(StandinTest, MatchesWithoutRegardToCaseIncludingUmlauts) {
  // 'MÜLLER' in capitals (Ü is 0xDC) finds 'Müller, Jürgen': the three parts of one play.
  const std::string body = Body("/x?a=M%dcLLER&b=&c=&d=");
  EXPECT_EQ(Records(body), 3);
  EXPECT_LT(body.find("$titel2$Teil 1$"), body.find("$titel2$Teil 2$"));
  EXPECT_LT(body.find("$titel2$Teil 2$"), body.find("$titel2$Teil 3$"));
  EXPECT_EQ(Records(Body("/x?a=wei%df&b=&c=&d=")), 1); // 'Weiß, Helene'
}

TEST_F(StandinTest, AValueMatchesTheBeginningAndTheWildcardAnyText) {
  EXPECT_EQ(Records(Body("/x?a=Berg&b=&c=&d=")), 4);
  EXPECT_EQ(Records(Body("/x?a=&b=%2e%2agarten&c=&d=")), 4); // 'Garten, Der', 'Stille Garten, Der'
  EXPECT_EQ(Records(Body("/x?a=&b=Stille%2e%2aDer&c=&d=2001")), 3);
  EXPECT_EQ(Records(Body("/x?a=&b=Garten&c=&d=")), 1);
  EXPECT_EQ(Records(Body("/x?a=&b=&c=RBX%2fNDX&d=")), 1); // a co-production
  EXPECT_EQ(Records(Body("/x?a=Ostwald&b=&c=RBX&d=")), 2);
}

TEST_F(StandinTest, NoHitAndTooManyHitsGiveTheDatabaseMessages) {
  EXPECT_EQ(Body("/x?a=Niemand&b=&c=&d="), " Kein Datensatz gefunden.");
  EXPECT_EQ(Body("/x?a=&b=&c=&d=19"),
            "Mehr als 12 Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.");
}

TEST_F(StandinTest, BadRequestsGetStatus400) {
  for (const char* target :
       {"/hoerdat.php", "/x?a=%g1", "/x?a=%4", "/x?a=%", "/x?e=1", "/x?a=1&a=2", "/x?ab=1"}) {
    const std::string response = Raw(target);
    EXPECT_EQ(response.rfind("HTTP/1.1 400 ", 0), 0u) << target << "\n" << response;
  }
  // Still serving afterwards.
  EXPECT_EQ(Records(Body("/x?a=Dreyer")), 4);
}

TEST_F(StandinTest, StopsCleanlyOnSigterm) {
  EXPECT_EQ(standin_->Stop(), 0);
}

TEST(StandinOptions, ShipsAtLeastFortyPlaysWithTheirSpecialCases) {
  test::StandinProcess standin({"--limit", "1000"});
  ASSERT_TRUE(standin.Running());
  const std::string response = test::RawGet(standin.port(), "/?a=&b=&c=&d=");
  EXPECT_GE(CountOccurrences(response, "$end$"), 40);
  EXPECT_NE(response.find("\xdf"), std::string::npos);   // ß
  EXPECT_NE(response.find("<br />"), std::string::npos); // synopsis line breaks
  EXPECT_NE(response.find("$produktion$HRW/KLX$"), std::string::npos);
  EXPECT_NE(response.find(", Die$titel2$Teil 3$"), std::string::npos); // multi-part, article last
}

TEST(StandinOptions, RefusesAnAddressOffThisMachineAndAMissingDataFile) {
  test::StandinProcess remote({"--host", "192.0.2.1"});
  EXPECT_FALSE(remote.Running());
  EXPECT_EQ(remote.Stop(), 2);
  test::StandinProcess missing({"--data", "/nonexistent/plays.tsv"});
  EXPECT_FALSE(missing.Running());
  EXPECT_EQ(missing.Stop(), 1);
}

} // namespace
} // namespace velmora
