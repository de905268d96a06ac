// The Hördat query, the answer's records and rows, and a record applied to the form.
#include <gtest/gtest.h>

#include "core/form/apply_record.h"
#include "core/lookup/hoerdat_record.h"
#include "core/lookup/query.h"
#include "core/lookup/result_rows.h"
#include "lookup/answer_samples.h"

namespace velmora::test {
namespace {

using Texts = std::vector<std::string>;
using namespace std::string_literals;

TEST(EncodeQueryValue, KeepsDigitsAndAsciiLettersAndEncodesEveryOtherByte) {
  EXPECT_EQ(EncodeQueryValue("Der Garten.*M\xfcller-/2\t\0\xff%&=?+AZaz09"s),
            "Der%20Garten%2e%2aM%fcller%2d%2f2%09%00%ff%25%26%3d%3f%2bAZaz09");
}

TEST(SearchQuery, CleansTheMaskInTheFormAndBuildsTheQuery) {
  // The mask as typed (author, title, station, year), as the form keeps it cleaned, the query.
  const std::tuple<Texts, std::string, std::string> rows[] = {
      {{"\tGroßß", "Der Garten", " RBX\r\n", "1998"},
       "Grossss|Der Garten|RBX|1998",
       "?a=Grossss&b=Der%20Garten&c=RBX&d=1998"},
      // Only a leading "%" is sent as the pattern ".*"; the form keeps its "%".
      {{"%ller", "Gar%ten%", "%", ""},
       "%ller|Gar%ten%|%|",
       "?a=%2e%2aller&b=Gar%25ten%25&c=%2e%2a&d="},
      // The script reads Windows-1252: its own letters as they are, the others nearest.
      {{"Čapek", "Stanisław – Müller", "", ""},
       "Čapek|Stanisław – Müller||",
       "?a=Capek&b=Stanislaw%20%96%20M%fcller&c=&d="},
  };
  for (const auto& [typed, cleaned, query] : rows) {
    const SearchMask mask = CleanSearchMask({typed[0], typed[1], typed[2], typed[3]});
    EXPECT_EQ(mask.author + "|" + mask.title + "|" + mask.station + "|" + mask.year, cleaned);
    EXPECT_EQ(BuildQuery(mask), query);
  }
}

using Fields = std::vector<std::optional<std::string>>;
Fields FieldsOf(const std::string& answer) {
  const HoerdatRecord r = ParseHoerdatRecord(PadAnswer(answer));
  return {r.titel1, r.autor, r.produktion,  r.jahr,          r.laenge,     r.hspTyp,
          r.genre,  r.regie, r.bearbeitung, r.inhaltsangabe, r.mitwirkende};
}

// Every field is parsed into its place: the form filled from a whole record below.
TEST(HoerdatRecord, DropsZeroBytesAndTakesMissingMarkersFromTheNextRecord) {
  // A zero byte inside the synopsis is dropped, not the end of the answer.
  EXPECT_EQ(FieldsOf("$titel1$T$titel2$$inhaltsangabe$Ers\0ter$mitwirkende$Ute$end$"s).back(),
            "Ute");
  // A field is absent when its end marker (the next field's start) is missing; blanks go.
  Fields expected(11);
  expected[0] = "T";
  EXPECT_EQ(FieldsOf("$titel1$ T $titel2$$autor$Berger$end$"), expected);
  // A marker missing in the record is taken from the next record.
  const std::string answer =
      PadAnswer("$titel1$Erster$titel2$$genre$G1$bearbeitung$$komposition$$end$"
                "$titel1$Zweiter$titel2$$genre$G2$regie$Ute Ohm$bearbeitung$$komposition$$end$");
  const HoerdatRecord first = ParseHoerdatRecord(answer);
  EXPECT_EQ(first.regie, "Ute Ohm");
  // The genre runs to the first "$regie$", which is the next record's.
  EXPECT_EQ(first.genre, "G1$bearbeitung$$komposition$$end$$titel1$Zweiter$titel2$$genre$G2");
}

TEST(ResultRows, ShowRawTextsTheRowAboveForAMissingFieldAndTheNumberWithoutARecord) {
  // The second record lacks "$jahr$" (station and year absent); the third has no "$titel1$".
  const auto rows = BuildResultRows(PadAnswer(
      RecordText({}) + "$titel1$Zweiter$titel2$$autor$Ohm, Ute$produktion$KLX$end$ $end$"));
  std::vector<Texts> texts;
  for (const ResultRow& row : rows)
    texts.push_back({row.author, row.title, row.station, row.year});
  EXPECT_EQ(texts, (std::vector<Texts>{{"Berger, Anna", "Garten, Der", "RBX", "1998"},
                                       {"Ohm, Ute", "Zweiter", "RBX", "1998"},
                                       {"2", "", "", ""}}));
}

TEST(ResultRows, DetailsComeFromTheRowsOwnRecordAndNameItsPart) {
  const auto rows = BuildResultRows(PadAnswer(
      "$titel1$Spur$titel2$Teil 2: Die Ernte$autor$A$produktion$NDX$jahr$1975$laenge$58"
      "$hsp-typ$Krimi$genre$Thriller$regie$Ute Ohm$bearbeitung$$komposition$$inhaltsangabe$Eine "
      "Leiche.<br />Kein Zeuge.$mitwirkende$Jan Pieper$end$"
      "$titel1$Spur$titel2$12. Teil$autor$A$produktion$NDX$jahr$1975$end$"));
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ((Texts{rows[0].secondTitle, rows[0].length, rows[0].kind, rows[0].genre,
                   rows[0].director, rows[0].synopsis, rows[0].cast}),
            (Texts{"Teil 2: Die Ernte", "58", "Krimi", "Thriller", "Ute Ohm",
                   "Eine Leiche.\r\nKein Zeuge.", "Jan Pieper"}));
  EXPECT_EQ((Texts{rows[1].secondTitle, rows[1].length, rows[1].director}),
            (Texts{"12. Teil", "", ""}));

  // The part row: exactly one row names the part as a whole number.
  EXPECT_EQ(RowOfPart(rows, 2), 0);
  EXPECT_EQ(RowOfPart(rows, 12), 1);
  EXPECT_EQ(RowOfPart(rows, 1), -1); // "12. Teil" and "Teil 2" do not name the first part
  EXPECT_EQ(RowOfPart(rows, 0), -1);
  std::vector<ResultRow> twice(2);
  twice[0].secondTitle = "2. Teil";
  twice[1].broadcast = "WDR 5 - Teil 2/3";
  EXPECT_EQ(RowOfPart(twice, 2), -1);
  // The choice's own column names the part: the second title, else the broadcast's part.
  twice[1].broadcast = "WDR 5, 3. Teil";
  EXPECT_EQ((Texts{PartOfRow(twice[0]), PartOfRow(twice[1]), PartOfRow(ResultRow{})}),
            (Texts{"2. Teil", "3. Teil", ""}));
  twice[1].broadcast = "WDR 5 - Teil 2/3";
  EXPECT_EQ(PartOfRow(twice[1]), "Teil 2/3");
}

bool Apply(const std::string& answer, TagForm& form, WindowMembers& members) {
  return ApplyRecord(PadAnswer(answer), form, members);
}

TEST(ApplyRecord, FillsTheFormAndTheRecordMembers) {
  TagForm form;
  WindowMembers members;
  members.settings.defaultUrl = "http://hoerspiele.example";
  members.partDesignation = "2v3";
  members.settings.prefixKomponist = "Regie:";
  members.settings.prefixOrigArtist = "Sprecher:";
  EXPECT_FALSE(Apply(RecordText({.bearbeitung = "Klara Mohn"}), form, members));
  EXPECT_EQ((Texts{form.v2Url, form.v2Artist, form.v2Title, form.v2Comment, form.v2OrigArtist,
                   form.v2Composer, form.v2Year, form.v2Copyright, form.v2Album, members.recTitel1,
                   members.recBearbeitung, members.recGenre, members.recLaenge}),
            (Texts{"http://hoerspiele.example", "Berger,Anna", "Der Garten 2v3",
                   "Erster Satz.\r\nZweiter Satz.", "Sprecher: Anna Berger", "Regie: Hans Bauer",
                   "1998", "RBX 1998", "Krimi", "Der Garten", "Klara Mohn", "Thriller", "54"}));
}

// The answer is Windows-1252: a field cut after its 51199 characters, which are more bytes in
// UTF-8, splits none of them.
TEST(ExtractBetween, CutsALongFieldAtAWholeCharacter) {
  const std::string x(kMaxFieldBytes - 1, 'x');
  const std::string answer = PadAnswer("$inhaltsangabe$" + x + "\xe4\xe4$mitwirkende$$end$");
  EXPECT_EQ(ExtractBetween(answer, "$inhaltsangabe$", "$mitwirkende$"), x + "ä");
}

TEST(ApplyRecord, ComposesEachTextAfterTheMode) {
  const auto artist = &TagForm::v2Artist, title = &TagForm::v2Title, cast = &TagForm::v2OrigArtist,
             album = &TagForm::v2Album, comment = &TagForm::v2Comment;
  const std::string rest = "\r\n\r\nErster Satz.\r\nZweiter Satz.\r\n\r\nMit:\r\nAnna Berger";
  const std::string five = "A\r\nB\r\nC\r\nD\r\nE", k(15, 'k'), huge(30000, 'k');
  const std::string cut = huge + " " + huge.substr(0, kMaxFieldBytes - 30001) + rest;
  const std::tuple<int, SampleRecord, std::string TagForm::*, std::string> rows[] = {
      {1, {.autor = " Berger ,  Anna Maria"}, artist, "Anna Maria Berger"},
      // Without a part designation the title ends without a blank.
      {0, {}, title, "Der Garten"},
      {0, {.mitwirkende = five}, cast, " A, B, C, D, E"},
      // The mode cuts the cast at its third separator: line breaks, then commas from the start.
      {1, {.mitwirkende = five}, cast, " A, B, C"},
      {1, {.mitwirkende = "A, B"}, cast, " A, B"},
      {1, {.mitwirkende = "Ott, Anna\r\nB\r\nC"}, cast, " Ott"},
      {1, {}, album, "Krimi"},
      {1, {.bearbeitung = "Klara Mohn"}, album, " Klara Mohn"},
      // The mode frames the comment with a first line of 30 characters at least and the cast.
      {1, {}, comment, "Krimi Thriller" + std::string(16, ' ') + rest},
      {1, {.genre = "Kom\366die"}, comment, "Krimi Komödie" + std::string(17, ' ') + rest},
      {1, {.hspTyp = k, .genre = k.substr(1)}, comment, k + " " + k.substr(1) + rest},
      {1, {.hspTyp = huge, .genre = huge}, comment, cut}, // the first line fills the buffer
  };
  for (const auto& [mode, record, field, expected] : rows) {
    TagForm form;
    WindowMembers members;
    members.settings.wafranyoflMode = mode;
    (void)Apply(RecordText(record), form, members);
    EXPECT_EQ(form.*field, expected) << "mode " << mode << ": " << RecordText(record);
  }
}

TEST(ApplyRecord, AnEmptyRecordKeepsTheFieldsSetsDefaultsAndCopyrightAndMayAskForTheCopy) {
  TagForm form;
  WindowMembers members;
  form.v2Title = "Alter Titel";
  form.v2Year = "1977";
  members.recProduktion = "KLX";
  members.settings.defaultUrl = "--";
  members.settings.autoId3v1Copy = 1;
  EXPECT_TRUE(Apply(" Kein Treffer", form, members));
  EXPECT_EQ((Texts{form.v2Title, form.v2Url, form.v2Copyright}),
            (Texts{"Alter Titel", "--", "KLX 1977"}));
  form.v2Year.clear();
  members.recProduktion.clear();
  members.settings.autoId3v1Copy = 2; // only exactly 1 asks for the copy into ID3v1
  EXPECT_FALSE(Apply("", form, members));
  EXPECT_EQ(form.v2Copyright, " ");
}

} // namespace
} // namespace velmora::test
