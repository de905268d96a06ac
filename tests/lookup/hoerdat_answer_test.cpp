// The Hördat query and answer: the encoded mask, the padding, the fields of a record and the
// rows of the choice.
#include <gtest/gtest.h>

#include "core/lookup/hoerdat_record.h"
#include "core/lookup/http_client.h"
#include "core/lookup/query.h"
#include "core/lookup/result_rows.h"
#include "lookup/answer_samples.h"

namespace velmora {
namespace {

using Texts = std::vector<std::string>;

TEST(EncodeQueryValue, KeepsDigitsAndAsciiLettersAndEncodesEveryOtherByte) {
  const std::pair<std::string, std::string> rows[] = {{"Der Garten", "Der%20Garten"},
                                                      {".*Garten", "%2e%2aGarten"},
                                                      {"M\xfcller", "M%fcller"},
                                                      {"1998", "1998"},
                                                      {"Sender-Name/2", "Sender%2dName%2f2"},
                                                      {"a\tb", "a%09b"},
                                                      {std::string("\x00\x01", 2), "%00%01"},
                                                      {"\xff\xdf\x80", "%ff%df%80"},
                                                      {"%&=?+AZaz09", "%25%26%3d%3f%2bAZaz09"}};
  for (const auto& [value, encoded] : rows)
    EXPECT_EQ(EncodeQueryValue(value), encoded) << value;
}

TEST(SearchQuery, CleansTheMaskInTheFormAndBuildsTheQuery) {
  // author, title, station, year as typed; then as cleaned; then the query.
  const std::tuple<Texts, Texts, std::string> rows[] = {
      {{"", "  Wei\xdf ", "", ""}, {"", "Weiss", "", ""}, "?a=&b=Weiss&c=&d="},
      {{"\tGro\xdf\xdf  ", "Der\tGarten", " RBX KLX\r\n", " 1998 "},
       {"Grossss", "Der\tGarten", "RBX KLX", "1998"},
       "?a=Grossss&b=Der%09Garten&c=RBX%20KLX&d=1998"},
      // Only a leading "%" is sent as the pattern ".*"; the form keeps its "%".
      {{"%ller", "Gar%ten%", "%", ""},
       {"%ller", "Gar%ten%", "%", ""},
       "?a=%2e%2aller&b=Gar%25ten%25&c=%2e%2a&d="},
  };
  for (const auto& [typed, cleaned, query] : rows) {
    TagForm form;
    std::string* mask[] = {&form.maskAuthor, &form.maskTitle, &form.maskStation, &form.maskYear};
    for (int i = 0; i < 4; ++i)
      *mask[i] = typed[i];
    CleanSearchMask(form);
    EXPECT_EQ((Texts{*mask[0], *mask[1], *mask[2], *mask[3]}), cleaned);
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

TEST(HoerdatRecord, TheAnswerEndsAtAZeroByteAndValuesAreCutToTheWorkBufferThenTrimmed) {
  EXPECT_EQ(PadAnswer(std::string("ab\0cd", 5)), "ab" + std::string(kAnswerPadding, ' '));
  const std::string answer =
      PadAnswer("$regie$\r\n " + std::string(kMaxFieldBytes + 10, 'x') + "$bearbeitung$");
  EXPECT_EQ(ExtractBetween(answer, "$regie$", "$bearbeitung$"),
            std::string(kMaxFieldBytes - 3, 'x'));
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
  // Nothing above the first row.
  EXPECT_EQ(BuildResultRows(PadAnswer("$titel1$Nur$titel2$$end$$end$"))[0].station, "");
}

} // namespace
} // namespace velmora
