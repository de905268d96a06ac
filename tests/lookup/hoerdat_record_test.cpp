#include "core/lookup/hoerdat_record.h"

#include <gtest/gtest.h>

#include "core/lookup/http_client.h"

namespace velmora {
namespace {

constexpr const char* kOneRecord =
    "$titel1$ Garten, Der $titel2$ $autor$ Berger, Anna $produktion$ RBX $jahr$ 1998 $laenge$ 54 "
    "$hsp-typ$ Krimi $genre$ Thriller $regie$ Hans Bauer $bearbeitung$ $komposition$ "
    "$inhaltsangabe$ Erster Satz.<br />Zweiter Satz. $mitwirkende$ Anna Berger $end$";

TEST(HoerdatRecord, ParsesTheOneRecordAnswer) {
  const std::string answer = PadAnswer(kOneRecord);
  EXPECT_EQ(CountRecords(answer), 1);
  const HoerdatRecord record = ParseHoerdatRecord(answer);
  EXPECT_EQ(record.titel1, "Garten, Der");
  EXPECT_EQ(record.autor, "Berger, Anna");
  EXPECT_EQ(record.produktion, "RBX");
  EXPECT_EQ(record.jahr, "1998");
  EXPECT_EQ(record.laenge, "54");
  EXPECT_EQ(record.hspTyp, "Krimi");
  EXPECT_EQ(record.genre, "Thriller");
  EXPECT_EQ(record.regie, "Hans Bauer");
  EXPECT_EQ(record.bearbeitung, std::optional<std::string>(""));
  EXPECT_EQ(record.inhaltsangabe, "Erster Satz.<br />Zweiter Satz.");
  EXPECT_EQ(record.mitwirkende, "Anna Berger");
}

TEST(HoerdatRecord, EndMarkerRightAfterStartGivesAPresentEmptyValue) {
  const std::string answer = PadAnswer("$titel1$T$titel2$$autor$$produktion$RBX$jahr$$end$");
  EXPECT_EQ(ExtractBetween(answer, "$autor$", "$produktion$"), std::optional<std::string>(""));
  EXPECT_EQ(ExtractBetween(answer, "$produktion$", "$jahr$"), "RBX");
}

TEST(HoerdatRecord, MissingMarkerMakesTheFieldAbsent) {
  const std::string answer = PadAnswer("$titel1$T$titel2$$autor$Berger$end$");
  const HoerdatRecord record = ParseHoerdatRecord(answer);
  EXPECT_EQ(record.titel1, "T");
  EXPECT_FALSE(record.autor); // no "$produktion$" behind it
  EXPECT_FALSE(record.regie); // neither marker
  EXPECT_FALSE(record.mitwirkende);
}

TEST(HoerdatRecord, AFieldMissingInTheRecordIsTakenFromTheNextRecord) {
  const std::string answer =
      PadAnswer("$titel1$Erster$titel2$$genre$G1$bearbeitung$$komposition$$end$"
                "$titel1$Zweiter$titel2$$genre$G2$regie$Ute Ohm$bearbeitung$$komposition$$end$");
  const HoerdatRecord first = ParseHoerdatRecord(answer);
  EXPECT_EQ(first.titel1, "Erster");
  EXPECT_EQ(first.regie, "Ute Ohm");
  // The genre runs to the first "$regie$", which is the next record's.
  EXPECT_EQ(first.genre, "G1$bearbeitung$$komposition$$end$$titel1$Zweiter$titel2$$genre$G2");
  const auto second = FindRecordStart(answer, 1);
  ASSERT_TRUE(second);
  EXPECT_EQ(ParseHoerdatRecord(std::string_view(answer).substr(*second)).titel1, "Zweiter");
}

TEST(HoerdatRecord, ValuesAreTrimmedAndCutToTheWorkBuffer) {
  const std::string longValue(kMaxFieldBytes + 10, 'x');
  const std::string answer = PadAnswer("$regie$\r\n " + longValue + "$bearbeitung$$end$");
  const auto regie = ExtractBetween(answer, "$regie$", "$bearbeitung$");
  ASSERT_TRUE(regie);
  // The raw value is cut first, then trimmed: three of its bytes were white space.
  EXPECT_EQ(regie->size(), kMaxFieldBytes - 3);
  EXPECT_EQ(*regie, std::string(kMaxFieldBytes - 3, 'x'));

  const std::string exact(kMaxFieldBytes, 'y');
  EXPECT_EQ(
      ExtractBetween(PadAnswer("$regie$" + exact + "$bearbeitung$"), "$regie$", "$bearbeitung$"),
      exact);
}

TEST(HoerdatRecord, MarkersInTheLastBytesOfAnUnpaddedTextAreNotFound) {
  // Without the padding the bounds of the search exclude markers at the very end.
  EXPECT_FALSE(ExtractBetween("$jahr$1998$laenge$", "$jahr$", "$laenge$"));
  EXPECT_EQ(ExtractBetween(PadAnswer("$jahr$1998$laenge$"), "$jahr$", "$laenge$"), "1998");
  EXPECT_EQ(CountRecords("a$end$"), 0);
  EXPECT_EQ(CountRecords(PadAnswer("a$end$")), 1);
}

TEST(HoerdatRecord, ShortAndEmptyTextsHaveNoFields) {
  EXPECT_FALSE(ExtractBetween("", "$jahr$", "$laenge$"));
  EXPECT_FALSE(ExtractBetween("$", "$jahr$", "$laenge$"));
  const HoerdatRecord empty = ParseHoerdatRecord(PadAnswer(""));
  EXPECT_FALSE(empty.titel1 || empty.autor || empty.mitwirkende);
}

TEST(PadAnswer, AppendsFortySevenBlanksAndEndsAtTheFirstZeroByte) {
  EXPECT_EQ(PadAnswer("abc"), "abc" + std::string(47, ' '));
  EXPECT_EQ(PadAnswer(std::string("ab\0cd", 5)), "ab" + std::string(47, ' '));
  EXPECT_EQ(PadAnswer(""), std::string(47, ' '));
}

TEST(PadAnswer, KeepsAFullAnswerWholeAndCutsALongerOne) {
  const std::string full(kMaxAnswerBytes, 'a');
  EXPECT_EQ(PadAnswer(full), full + std::string(47, ' '));
  EXPECT_EQ(PadAnswer(full + "bbb"), full + std::string(47, ' '));
}

TEST(SpecialAnswers, AreRecognisedOnlyAtTheVeryStart) {
  EXPECT_TRUE(IsNoRecordAnswer(" Kein Datensatz gefunden."));
  EXPECT_FALSE(IsNoRecordAnswer("Kein Datensatz gefunden."));
  EXPECT_FALSE(IsNoRecordAnswer("  Kein Datensatz"));
  EXPECT_FALSE(IsNoRecordAnswer(" Kein Daten"));
  EXPECT_TRUE(IsTooManyAnswer("Mehr als 20 Datens\xe4tze gefunden."));
  EXPECT_FALSE(IsTooManyAnswer(" Mehr als"));
  EXPECT_FALSE(IsTooManyAnswer("mehr als"));
}

} // namespace
} // namespace velmora
