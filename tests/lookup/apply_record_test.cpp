#include "core/lookup/apply_record.h"

#include <gtest/gtest.h>

#include "core/lookup/hoerdat_record.h"
#include "lookup/answer_samples.h"

namespace velmora {
namespace {

using test::RecordText;
using test::SampleRecord;

class ApplyRecordTest : public ::testing::Test {
protected:
  bool Apply(const SampleRecord& record) { return Apply(RecordText(record)); }
  bool Apply(const std::string& answer) { return ApplyRecord(PadAnswer(answer), form, members); }
  void ModeOn() { members.wafranyoflMode = 1; }

  TagForm form;
  WindowMembers members;
};

TEST_F(ApplyRecordTest, FillsTheFormAndTheRecordMembers) {
  members.defaultUrl = "http://hoerspiele.example";
  members.defaultEncodedBy = "Velmora";
  members.partDesignation = "2v3";
  members.prefixKomponist = "Regie:";
  members.prefixOrigArtist = "Sprecher:";
  SampleRecord record;
  record.bearbeitung = "Klara Mohn";
  EXPECT_FALSE(Apply(record));

  EXPECT_EQ(form.v2Url, "http://hoerspiele.example");
  EXPECT_EQ(form.v2EncodedBy, "Velmora");
  EXPECT_EQ(form.v2Artist, "Berger,Anna");
  EXPECT_EQ(members.recAutor, "Berger,Anna");
  EXPECT_EQ(form.v2Title, "Der Garten 2v3");
  EXPECT_EQ(members.recTitel1, "Der Garten");
  EXPECT_EQ(form.v2Comment, "Erster Satz.\r\nZweiter Satz.");
  EXPECT_EQ(members.recInhaltsangabe, form.v2Comment);
  EXPECT_EQ(members.recBearbeitung, "Klara Mohn");
  EXPECT_EQ(members.recMitwirkende, "Anna Berger");
  EXPECT_EQ(form.v2OrigArtist, "Sprecher: Anna Berger");
  EXPECT_EQ(members.recRegie, "Hans Bauer");
  EXPECT_EQ(form.v2Composer, "Regie: Hans Bauer");
  EXPECT_EQ(members.recLaenge, "54");
  EXPECT_EQ(members.recProduktion, "RBX");
  EXPECT_EQ(form.v2Year, "1998");
  EXPECT_EQ(form.v2Copyright, "RBX 1998");
  EXPECT_EQ(form.v2Album, "Krimi");
  EXPECT_EQ(members.recHspTyp, "Krimi");
  EXPECT_EQ(members.recGenre, "Thriller");
}

TEST_F(ApplyRecordTest, AuthorOrderFollowsTheMode) {
  Apply(SampleRecord{});
  EXPECT_EQ(form.v2Artist, "Berger,Anna");
  ModeOn();
  Apply(SampleRecord{});
  EXPECT_EQ(form.v2Artist, "Anna Berger");

  SampleRecord spaced;
  spaced.autor = " Berger ,  Anna Maria";
  Apply(spaced);
  EXPECT_EQ(form.v2Artist, "Anna Maria Berger");

  SampleRecord single;
  single.autor = "Berger";
  Apply(single);
  EXPECT_EQ(form.v2Artist, "Berger");
  members.wafranyoflMode = 0;
  Apply(single);
  EXPECT_EQ(form.v2Artist, "Berger");
}

TEST_F(ApplyRecordTest, TitleWithoutPartDesignationEndsWithoutBlank) {
  Apply(SampleRecord{});
  EXPECT_EQ(form.v2Title, "Der Garten");
  SampleRecord noArticle;
  noArticle.titel1 = "Garten, der";
  Apply(noArticle);
  EXPECT_EQ(form.v2Title, "Garten, der");
  EXPECT_EQ(members.recTitel1, "Garten, der");
}

TEST_F(ApplyRecordTest, CastIsJoinedWholeWithTheModeOffAndCutAfterThreeWithItOn) {
  SampleRecord record;
  record.mitwirkende = "A\r\nB\r\nC\r\nD\r\nE";
  members.prefixOrigArtist = "Mit:";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, "Mit: A, B, C, D, E");
  EXPECT_EQ(members.recMitwirkende, "A\r\nB\r\nC\r\nD\r\nE");
  ModeOn();
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, "Mit: A, B, C");
  EXPECT_EQ(members.recMitwirkende, "A\r\nB\r\nC\r\nD\r\nE");
}

TEST_F(ApplyRecordTest, CastCutCountsLineBreaksFirstThenCommas) {
  ModeOn();
  SampleRecord record;
  record.mitwirkende = "A, B";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, " A, B");

  record.mitwirkende = "A\r\nB, C, D";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, " A, B, C");

  // Commas are counted from the start, also before the line breaks: two line breaks and the
  // comma inside the first name make three, and the cut falls at that comma.
  record.mitwirkende = "Ott, Anna\r\nB\r\nC";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, " Ott");

  record.mitwirkende = "A, B, C, D";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, " A, B, C");

  record.mitwirkende = "A\r\nB\r\nC";
  Apply(record);
  EXPECT_EQ(form.v2OrigArtist, " A, B, C");
}

TEST_F(ApplyRecordTest, ModeFramesTheCommentWithTheFirstLineAndTheCast) {
  ModeOn();
  SampleRecord record;
  record.genre = "H\xf6rspiel";
  record.mitwirkende = "Anna Berger\r\nOtto Klee";
  Apply(record);
  const std::string firstLine = "Krimi H\xf6rspiel" + std::string(16, ' ');
  ASSERT_EQ(firstLine.size(), 30u);
  EXPECT_EQ(form.v2Comment, firstLine + "\r\n\r\nErster Satz.\r\nZweiter Satz.\r\n\r\nMit:\r\n"
                                        "Anna Berger\r\nOtto Klee");
  EXPECT_EQ(members.recInhaltsangabe, "Erster Satz.\r\nZweiter Satz.");
}

TEST_F(ApplyRecordTest, FirstLineIsNotFilledWhenKindAndGenreReachThirty) {
  ModeOn();
  SampleRecord record;
  record.hspTyp = std::string(15, 'k');
  record.genre = std::string(15, 'g');
  Apply(record);
  EXPECT_EQ(form.v2Comment.substr(0, 35), record.hspTyp + " " + record.genre + "\r\n\r\n");

  record.hspTyp = std::string(14, 'k');
  Apply(record);
  EXPECT_EQ(form.v2Comment.substr(0, 34), record.hspTyp + " " + record.genre + "\r\n\r\n");
}

TEST_F(ApplyRecordTest, FirstLineOfTwoHugeValuesIsCutToTheWorkBuffer) {
  ModeOn();
  SampleRecord record;
  record.hspTyp = std::string(30000, 'k');
  record.genre = std::string(30000, 'g');
  record.inhaltsangabe = "S";
  record.mitwirkende = "C";
  Apply(record);
  const std::string firstLine =
      record.hspTyp + " " + std::string(kMaxFieldBytes - record.hspTyp.size() - 1, 'g');
  const std::string expected = firstLine + "\r\n\r\nS\r\n\r\nMit:\r\nC";
  EXPECT_EQ(form.v2Comment.size(), expected.size());
  EXPECT_TRUE(form.v2Comment == expected);
}

TEST_F(ApplyRecordTest, ModeTakesTheAlbumFromTheAdaptationWhenThereIsOne) {
  ModeOn();
  members.prefixBearbeitung = "Bearb.:";
  Apply(SampleRecord{});
  EXPECT_EQ(form.v2Album, "Krimi");
  SampleRecord adapted;
  adapted.bearbeitung = "Klara Mohn";
  Apply(adapted);
  EXPECT_EQ(form.v2Album, "Bearb.: Klara Mohn");
}

TEST_F(ApplyRecordTest, EmptyPrefixLeavesALeadingBlank) {
  Apply(SampleRecord{});
  EXPECT_EQ(form.v2Composer, " Hans Bauer");
  EXPECT_EQ(form.v2OrigArtist, " Anna Berger");
}

TEST_F(ApplyRecordTest, CopyToId3v1IsDueOnlyWhenTheSettingIsExactlyOne) {
  members.autoId3v1Copy = 2;
  EXPECT_FALSE(Apply(SampleRecord{}));
  members.autoId3v1Copy = -1;
  EXPECT_FALSE(Apply(SampleRecord{}));
  members.autoId3v1Copy = 1;
  EXPECT_TRUE(Apply(SampleRecord{}));
  EXPECT_TRUE(Apply(std::string()));
}

TEST_F(ApplyRecordTest, AbsentFieldsKeepTheirValuesButDefaultsAndCopyrightAreSet) {
  form.v2Title = "Alter Titel";
  form.v2Artist = "Alter K\xfcnstler";
  form.v2Year = "1977";
  form.v2Url = "alt";
  members.recProduktion = "KLX";
  members.defaultUrl = "--";
  Apply(std::string(" Kein Treffer"));
  EXPECT_EQ(form.v2Title, "Alter Titel");
  EXPECT_EQ(form.v2Artist, "Alter K\xfcnstler");
  EXPECT_EQ(form.v2Url, "--");
  EXPECT_EQ(form.v2Copyright, "KLX 1977");

  form.v2Year.clear();
  members.recProduktion.clear();
  Apply(std::string());
  EXPECT_EQ(form.v2Copyright, " ");
}

TEST_F(ApplyRecordTest, ModeComposesFromEarlierMembersWhenTheRecordIsEmpty) {
  ModeOn();
  members.recHspTyp = "Krimi";
  members.recGenre = "Thriller";
  members.recMitwirkende = "A\r\nB";
  form.v2Comment = "Alt";
  Apply(std::string());
  EXPECT_EQ(form.v2Comment,
            "Krimi Thriller" + std::string(16, ' ') + "\r\n\r\nAlt\r\n\r\nMit:\r\nA\r\nB");
  EXPECT_EQ(form.v2Album, "Krimi");
  EXPECT_EQ(form.v2OrigArtist, " A, B");
}

TEST_F(ApplyRecordTest, AppliesTheRecordThatBeginsAtTheGivenStart) {
  SampleRecord second;
  second.titel1 = "Insel, Die";
  second.autor = "Falkenberg, Otto";
  const std::string answer = PadAnswer(RecordText({}) + RecordText(second));
  const auto start = FindRecordStart(answer, 1);
  ASSERT_TRUE(start);
  (void)ApplyRecord(std::string_view(answer).substr(*start), form, members);
  EXPECT_EQ(form.v2Title, "Die Insel");
  EXPECT_EQ(form.v2Artist, "Falkenberg,Otto");
}

} // namespace
} // namespace velmora
