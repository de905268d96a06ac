// The Hördat query and answer: the encoded mask, the padding, the fields of a record and the
// rows of the choice.
#include <gtest/gtest.h>

#include "core/lookup/hoerdat_record.h"
#include "core/lookup/query.h"
#include "core/lookup/result_rows.h"
#include "lookup/answer_samples.h"

namespace velmora {
namespace {

using Texts = std::vector<std::string>;

TEST(EncodeQueryValue, KeepsDigitsAndAsciiLettersAndEncodesEveryOtherByte) {
  EXPECT_EQ(EncodeQueryValue("Der Garten"), "Der%20Garten");
  EXPECT_EQ(EncodeQueryValue(".*Garten"), "%2e%2aGarten");
  EXPECT_EQ(EncodeQueryValue("M\xfcller"), "M%fcller");
  EXPECT_EQ(EncodeQueryValue("1998"), "1998");
  EXPECT_EQ(EncodeQueryValue("Sender-Name/2"), "Sender%2dName%2f2");
  EXPECT_EQ(EncodeQueryValue(std::string("a\t\0\xff", 4)), "a%09%00%ff");
  EXPECT_EQ(EncodeQueryValue("%&=?+AZaz09"), "%25%26%3d%3f%2bAZaz09");
}

TEST(SearchQuery, CleansTheMaskInTheFormAndBuildsTheQuery) {
  // The mask as typed (author, title, station, year), as the form keeps it cleaned, the query.
  const std::tuple<Texts, std::string, std::string> rows[] = {
      {{"", "  Wei\xdf ", "", ""}, "|Weiss||", "?a=&b=Weiss&c=&d="},
      {{"\tGro\xdf\xdf  ", "Der\tGarten", " RBX KLX\r\n", " 1998 "},
       "Grossss|Der\tGarten|RBX KLX|1998",
       "?a=Grossss&b=Der%09Garten&c=RBX%20KLX&d=1998"},
      // Only a leading "%" is sent as the pattern ".*"; the form keeps its "%".
      {{"%ller", "Gar%ten%", "%", ""},
       "%ller|Gar%ten%|%|",
       "?a=%2e%2aller&b=Gar%25ten%25&c=%2e%2a&d="},
  };
  for (const auto& [typed, cleaned, query] : rows) {
    TagForm form;
    form.maskAuthor = typed[0], form.maskTitle = typed[1];
    form.maskStation = typed[2], form.maskYear = typed[3];
    CleanSearchMask(form);
    EXPECT_EQ(form.maskAuthor + "|" + form.maskTitle + "|" + form.maskStation + "|" + form.maskYear,
              cleaned);
    EXPECT_EQ(BuildQuery(form), query);
  }
}

using Fields = std::vector<std::optional<std::string>>;
Fields FieldsOf(const std::string& answer) {
  const HoerdatRecord r = ParseHoerdatRecord(PadAnswer(answer));
  return {r.titel1, r.autor, r.produktion,  r.jahr,          r.laenge,     r.hspTyp,
          r.genre,  r.regie, r.bearbeitung, r.inhaltsangabe, r.mitwirkende};
}

TEST(HoerdatRecord, ParsesTheOneRecordAnswerFieldByField) {
  EXPECT_EQ(FieldsOf("$titel1$ Garten, Der $titel2$ $autor$ Berger, Anna $produktion$ RBX $jahr$ "
                     "1998 $laenge$ 54 $hsp-typ$ Krimi $genre$ Thriller $regie$ Hans Bauer "
                     "$bearbeitung$ $komposition$ $inhaltsangabe$ Erster Satz.<br />Zweiter "
                     "Satz. $mitwirkende$ Anna Berger $end$"),
            (Fields{"Garten, Der", "Berger, Anna", "RBX", "1998", "54", "Krimi", "Thriller",
                    "Hans Bauer", "", "Erster Satz.<br />Zweiter Satz.", "Anna Berger"}));
  // A field is absent when its end marker (the next field's start) is missing.
  Fields expected(11);
  expected[0] = "T";
  EXPECT_EQ(FieldsOf("$titel1$T$titel2$$autor$Berger$end$"), expected);
}

TEST(HoerdatRecord, AMarkerMissingInTheRecordIsTakenFromTheNextRecord) {
  const std::string answer =
      PadAnswer("$titel1$Erster$titel2$$genre$G1$bearbeitung$$komposition$$end$"
                "$titel1$Zweiter$titel2$$genre$G2$regie$Ute Ohm$bearbeitung$$komposition$$end$");
  const HoerdatRecord first = ParseHoerdatRecord(answer);
  EXPECT_EQ(first.regie, "Ute Ohm");
  // The genre runs to the first "$regie$", which is the next record's.
  EXPECT_EQ(first.genre, "G1$bearbeitung$$komposition$$end$$titel1$Zweiter$titel2$$genre$G2");
  EXPECT_EQ(ParseHoerdatRecord(std::string_view(answer).substr(FindRecordStart(answer, 1).value()))
                .titel1,
            "Zweiter");
}

TEST(ResultRows, ShowRawTextsTheRowAboveForAMissingFieldAndTheNumberWithoutARecord) {
  // The second record lacks "$jahr$", so its station and year are absent; the third "$end$"
  // has no record of its own.
  const auto rows = BuildResultRows(PadAnswer(
      test::RecordText({}) + "$titel1$Zweiter$titel2$$autor$Ohm, Ute$produktion$KLX$end$ $end$"));
  std::vector<Texts> texts;
  for (const ResultRow& row : rows)
    texts.push_back({row.author, row.title, row.station, row.year});
  EXPECT_EQ(texts, (std::vector<Texts>{{"Berger, Anna", "Garten, Der", "RBX", "1998"},
                                       {"Ohm, Ute", "Zweiter", "RBX", "1998"},
                                       {"2", "", "", ""}}));
}

} // namespace
} // namespace velmora
