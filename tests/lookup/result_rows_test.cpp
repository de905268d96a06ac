#include "core/lookup/result_rows.h"

#include <gtest/gtest.h>

#include "core/lookup/hoerdat_record.h"
#include "lookup/answer_samples.h"

namespace velmora {
namespace {

using test::RecordText;
using test::SampleRecord;

using Texts = std::vector<std::string>;

// The four column texts of a row, in column order.
Texts TextsOf(const ResultRow& row) {
  return {row.author, row.title, row.station, row.year};
}

TEST(ResultRows, ShowTheRawTextsOfEveryRecord) {
  SampleRecord second;
  second.titel1 = "Fall, Der";
  second.autor = "Engel, Sibylle";
  second.produktion = "HRW/KLX";
  second.jahr = "1979";
  SampleRecord third;
  third.titel1 = "Insel, Die";
  third.autor = "Falkenberg, Otto";
  third.produktion = "NDX";
  third.jahr = "1956";
  const auto rows =
      BuildResultRows(PadAnswer(RecordText({}) + RecordText(second) + RecordText(third)));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(TextsOf(rows[0]), (Texts{"Berger, Anna", "Garten, Der", "RBX", "1998"}));
  EXPECT_EQ(TextsOf(rows[1]), (Texts{"Engel, Sibylle", "Fall, Der", "HRW/KLX", "1979"}));
  EXPECT_EQ(TextsOf(rows[2]), (Texts{"Falkenberg, Otto", "Insel, Die", "NDX", "1956"}));
}

TEST(ResultRows, AFieldMissingInTheLastRecordShowsTheRowAbove) {
  const std::string answer = RecordText({}) + "$titel1$Zweiter$titel2$$autor$Ohm, Ute"
                                              "$produktion$KLX$laenge$50$end$";
  const auto rows = BuildResultRows(PadAnswer(answer));
  ASSERT_EQ(rows.size(), 2u);
  // Neither "$jahr$" follows: station and year are absent and show the first row's.
  EXPECT_EQ(TextsOf(rows[1]), (Texts{"Ohm, Ute", "Zweiter", "RBX", "1998"}));
}

TEST(ResultRows, AMissingFieldInTheFirstRowIsEmpty) {
  const auto rows = BuildResultRows(PadAnswer("$titel1$Nur Titel$titel2$$end$$end$"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(TextsOf(rows[0]), (Texts{"", "Nur Titel", "", ""}));
}

TEST(ResultRows, ARowWithoutItsOwnTitleMarkerShowsItsNumber) {
  const auto rows = BuildResultRows(PadAnswer(RecordText({}) + "$end$ $end$"));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].author, "Berger, Anna");
  EXPECT_EQ(TextsOf(rows[1]), (Texts{"1", "", "", ""}));
  EXPECT_EQ(TextsOf(rows[2]), (Texts{"2", "", "", ""}));
}

TEST(ResultRows, NoRecordsNoRows) {
  EXPECT_TRUE(BuildResultRows(PadAnswer(" Kein Datensatz gefunden.")).empty());
  EXPECT_TRUE(BuildResultRows(PadAnswer("")).empty());
}

} // namespace
} // namespace velmora
