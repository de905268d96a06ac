#include "core/lookup/query.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(EncodeQueryValue, KeepsDigitsAndAsciiLettersAndEncodesEverythingElse) {
  EXPECT_EQ(EncodeQueryValue("Der Garten"), "Der%20Garten");
  EXPECT_EQ(EncodeQueryValue(".*Garten"), "%2e%2aGarten");
  EXPECT_EQ(EncodeQueryValue("M\xfcller"), "M%fcller");
  EXPECT_EQ(EncodeQueryValue("1998"), "1998");
  EXPECT_EQ(EncodeQueryValue("Sender-Name/2"), "Sender%2dName%2f2");
  EXPECT_EQ(EncodeQueryValue(""), "");
}

TEST(EncodeQueryValue, WritesTwoSmallHexDigitsForEveryOtherByte) {
  EXPECT_EQ(EncodeQueryValue("a\tb"), "a%09b");
  EXPECT_EQ(EncodeQueryValue(std::string("\x00\x01", 2)), "%00%01");
  EXPECT_EQ(EncodeQueryValue("\xff\xdf\x80"), "%ff%df%80");
  EXPECT_EQ(EncodeQueryValue("%&=?+"), "%25%26%3d%3f%2b");
  EXPECT_EQ(EncodeQueryValue("AZaz09"), "AZaz09");
}

TEST(SearchQuery, CleaningTrimsAndReplacesSharpSInTheForm) {
  TagForm form;
  form.maskTitle = "  Wei\xdf ";
  CleanSearchMask(form);
  EXPECT_EQ(form.maskTitle, "Weiss");
  EXPECT_EQ(BuildQuery(form), "?a=&b=Weiss&c=&d=");
}

TEST(SearchQuery, CleansAllFourFieldsButKeepsInnerWhiteSpace) {
  TagForm form;
  form.maskAuthor = "\tGro\xdf\xdf  ";
  form.maskStation = " RBX KLX\r\n";
  form.maskYear = " 1998 ";
  form.maskTitle = "Der\tGarten";
  CleanSearchMask(form);
  EXPECT_EQ(form.maskAuthor, "Grossss");
  EXPECT_EQ(form.maskStation, "RBX KLX");
  EXPECT_EQ(form.maskYear, "1998");
  EXPECT_EQ(form.maskTitle, "Der\tGarten");
  EXPECT_EQ(BuildQuery(form), "?a=Grossss&b=Der%09Garten&c=RBX%20KLX&d=1998");
}

TEST(SearchQuery, OnlyALeadingPercentBecomesTheWildcardAndTheFormKeepsIt) {
  TagForm form;
  form.maskAuthor = "%ller";
  CleanSearchMask(form);
  EXPECT_EQ(BuildQuery(form), "?a=%2e%2aller&b=&c=&d=");
  EXPECT_EQ(form.maskAuthor, "%ller");

  form.maskAuthor.clear();
  form.maskTitle = "Gar%ten%";
  form.maskStation = "%";
  EXPECT_EQ(BuildQuery(form), "?a=&b=Gar%25ten%25&c=%2e%2a&d=");
}

TEST(SearchQuery, OnlyTheYear) {
  TagForm form;
  form.maskYear = "1998";
  EXPECT_EQ(BuildQuery(form), "?a=&b=&c=&d=1998");
}

TEST(SearchQuery, BlankFieldsCountAsEmptyAfterCleaning) {
  TagForm form;
  form.maskAuthor = "   ";
  form.maskTitle = "\t";
  EXPECT_FALSE(SearchMaskEmpty(form));
  CleanSearchMask(form);
  EXPECT_TRUE(SearchMaskEmpty(form));
  form.maskStation = "x";
  EXPECT_FALSE(SearchMaskEmpty(form));
}

TEST(SearchQuery, AddressJoinsBaseScriptAndQueryWithoutSeparator) {
  SettingsValues settings;
  settings.hoerdatUrl = "http://127.0.0.1:8080/";
  settings.hoerdatScript = "hoerdat.php";
  TagForm form;
  form.maskYear = "1975";
  EXPECT_EQ(BuildQueryAddress(settings, form), "http://127.0.0.1:8080/hoerdat.php?a=&b=&c=&d=1975");
  settings.hoerdatUrl = "http://host";
  EXPECT_EQ(BuildQueryAddress(settings, form), "http://hosthoerdat.php?a=&b=&c=&d=1975");
  settings.hoerdatUrl.clear();
  settings.hoerdatScript.clear();
  EXPECT_EQ(BuildQueryAddress(settings, form), "?a=&b=&c=&d=1975");
}

} // namespace
} // namespace velmora
