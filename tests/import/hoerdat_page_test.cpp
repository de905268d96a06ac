#include "core/import/hoerdat_page.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Enough bytes behind every end fragment for the field to be taken.
const std::string kTail = "\r\n</td></tr></table></body></html>";

class HoerdatPageTest : public ::testing::Test {
protected:
  void Import(const std::string& page) { ApplyHoerdatPage(page, form, members); }
  TagForm form;
  WindowMembers members;
};

TEST_F(HoerdatPageTest, ReadsAllSevenFields) {
  members.prefixOrigArtist = "Sprecher:";
  members.prefixKomponist = "Regie:";
  Import("<html><font class=ti>Fall, Der</font><br><font class=au> Meier, Hans </font>\r\n"
         "<font class=ab>Erste Zeile.<br />Zweite Zeile.</font>\r\n"
         "<font class=mi>Mit: </font> <font class=ab>Anna<br />\r\nOtto</font>\r\n"
         "<i>Regie:</i> Hans Bauer<br><i>L\xe4nge:</i> 54<br>"
         "<i>Produktion:</i> WDR 1975.<i>Erstsendung</i>" +
         kTail);
  EXPECT_EQ(members.recAutor, "Meier, Hans");
  EXPECT_EQ(form.v2Artist, ""); // the author goes only into the record member
  EXPECT_EQ(form.v2Title, "Der Fall");
  EXPECT_EQ(form.v2Comment, "Erste Zeile.\r\nZweite Zeile.");
  EXPECT_EQ(members.recInhaltsangabe, form.v2Comment);
  EXPECT_EQ(members.recMitwirkende, "Anna, Otto");
  EXPECT_EQ(form.v2OrigArtist, "Sprecher: Anna, Otto");
  EXPECT_EQ(members.recRegie, "Hans Bauer");
  EXPECT_EQ(form.v2Composer, "Regie: Hans Bauer");
  EXPECT_EQ(members.recLaenge, "54 min.");
  EXPECT_EQ(form.v2Copyright, "WDR 1975");
  EXPECT_EQ(form.v2Year, "1975");
  EXPECT_EQ(members.recProduktion, "WDR");
}

TEST_F(HoerdatPageTest, EmptyPrefixLeavesALeadingBlank) {
  Import("<font class=mi>Mit: </font> <font class=ab>Anna<br />Otto</font><i>Regie:</i>Ute<" +
         kTail);
  EXPECT_EQ(form.v2OrigArtist, " Anna, Otto");
  EXPECT_EQ(form.v2Composer, " Ute");
}

TEST_F(HoerdatPageTest, WithoutSynopsisTheCommentTakesTheCast) {
  // The synopsis fragment also stands at the end of the cast fragment.
  Import("<font class=mi>Mit: </font> <font class=ab>Anna<br />\r\nOtto</font>" + kTail);
  EXPECT_EQ(form.v2Comment, "Anna\r\n\r\nOtto");
  EXPECT_EQ(members.recMitwirkende, "Anna, Otto");
}

TEST_F(HoerdatPageTest, LengthGetsItsUnitOnlyWhenNotEmpty) {
  members.recLaenge = "alt";
  Import("<i>L\xe4nge:</i>  <br>" + kTail);
  EXPECT_EQ(members.recLaenge, "");
}

TEST_F(HoerdatPageTest, ProductionSplitsIntoStationAndYear) {
  Import("<i>Produktion:</i> Radio Bremen<i>" + kTail);
  EXPECT_EQ(form.v2Copyright, "Radio Bremen");
  EXPECT_EQ(form.v2Year, "");
  EXPECT_EQ(members.recProduktion, "Radio");

  Import("<i>Produktion:</i>RBX/KLX 1998 ).;<i>" + kTail);
  EXPECT_EQ(form.v2Copyright, "RBX/KLX 1998");
  EXPECT_EQ(form.v2Year, "1998");
  EXPECT_EQ(members.recProduktion, "RBX/KLX");

  Import("<i>Produktion:</i>1975<i>" + kTail);
  EXPECT_EQ(form.v2Year, "1975");
  EXPECT_EQ(members.recProduktion, "1975");

  Import("<i>Produktion:</i> ...!<i>" + kTail);
  EXPECT_EQ(form.v2Copyright, "");
  EXPECT_EQ(form.v2Year, "");
  EXPECT_EQ(members.recProduktion, "");
}

TEST_F(HoerdatPageTest, AFieldNeedsMoreBytesBehindItsEndThanTheEndIsLong) {
  members.recAutor = "alt";
  Import("<font class=au>Neu</font>1234567"); // seven bytes, as long as "</font>"
  EXPECT_EQ(members.recAutor, "alt");
  Import("<font class=au>Neu</font>12345678");
  EXPECT_EQ(members.recAutor, "Neu");
}

TEST_F(HoerdatPageTest, FieldsAreFoundFromThePageStartEachTime) {
  Import("<font class=au>Erster</font> <font class=au>Zweiter</font>" + kTail);
  EXPECT_EQ(members.recAutor, "Erster");
}

TEST_F(HoerdatPageTest, APageWithoutFragmentsOrTooShortChangesNothing) {
  form.v2Title = "bleibt";
  members.recAutor = "bleibt";
  for (const char* page :
       {"", "<font", "<html><body>Nichts</body></html>", "<font class=au>ohne Ende"}) {
    Import(page);
    EXPECT_EQ(form.v2Title, "bleibt");
    EXPECT_EQ(members.recAutor, "bleibt");
    EXPECT_EQ(form.v2Year, "");
  }
}

TEST_F(HoerdatPageTest, AFieldIsCutToTheWorkBuffer) {
  Import("<font class=au>" + std::string(60000, 'x') + "</font>" + kTail);
  EXPECT_EQ(members.recAutor.size(), 51199u);
}

} // namespace
} // namespace velmora
