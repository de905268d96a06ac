#include "core/lookup/apply_record.h"

#include <gtest/gtest.h>

#include "core/lookup/hoerdat_record.h"
#include "lookup/answer_samples.h"

namespace velmora {
namespace {

using test::RecordText;
using Texts = std::vector<std::string>;

bool Apply(const std::string& answer, TagForm& form, WindowMembers& members) {
  return ApplyRecord(PadAnswer(answer), form, members);
}

TEST(ApplyRecord, FillsTheFormAndTheRecordMembers) {
  TagForm form;
  WindowMembers members;
  members.defaultUrl = "http://hoerspiele.example";
  members.defaultEncodedBy = "Velmora";
  members.partDesignation = "2v3";
  members.prefixKomponist = "Regie:";
  members.prefixOrigArtist = "Sprecher:";
  EXPECT_FALSE(Apply(RecordText({.bearbeitung = "Klara Mohn"}), form, members));
  EXPECT_EQ((Texts{form.v2Url, form.v2EncodedBy, form.v2Artist, form.v2Title, form.v2Comment,
                   form.v2OrigArtist, form.v2Composer, form.v2Year, form.v2Copyright, form.v2Album,
                   members.recTitel1, members.recBearbeitung, members.recGenre}),
            (Texts{"http://hoerspiele.example", "Velmora", "Berger,Anna", "Der Garten 2v3",
                   "Erster Satz.\r\nZweiter Satz.", "Sprecher: Anna Berger", "Regie: Hans Bauer",
                   "1998", "RBX 1998", "Krimi", "Der Garten", "Klara Mohn", "Thriller"}));
}

TEST(ApplyRecord, ComposesEachTextAfterTheMode) {
  const auto artist = &TagForm::v2Artist, title = &TagForm::v2Title, cast = &TagForm::v2OrigArtist,
             album = &TagForm::v2Album, comment = &TagForm::v2Comment;
  const std::string rest = "\r\n\r\nErster Satz.\r\nZweiter Satz.\r\n\r\nMit:\r\nAnna Berger";
  const std::string five = "A\r\nB\r\nC\r\nD\r\nE", k(15, 'k'), huge(30000, 'k');
  const std::tuple<int, test::SampleRecord, std::string TagForm::*, std::string> rows[] = {
      {0, {}, artist, "Berger,Anna"},
      {1, {}, artist, "Anna Berger"},
      {1, {.autor = " Berger ,  Anna Maria"}, artist, "Anna Maria Berger"},
      {1, {.autor = "Berger"}, artist, "Berger"},
      // Without a part designation the title ends without a blank; only "Der" is an article.
      {0, {}, title, "Der Garten"},
      {0, {.titel1 = "Garten, der"}, title, "Garten, der"},
      // An empty prefix leaves a leading blank.
      {0, {}, &TagForm::v2Composer, " Hans Bauer"},
      {0, {.mitwirkende = five}, cast, " A, B, C, D, E"},
      // The mode cuts the cast at its third separator, counting line breaks and then commas
      // from the start (the comma inside "Ott, Anna" is the third).
      {1, {.mitwirkende = five}, cast, " A, B, C"},
      {1, {.mitwirkende = "A, B"}, cast, " A, B"},
      {1, {.mitwirkende = "A\r\nB, C, D"}, cast, " A, B, C"},
      {1, {.mitwirkende = "Ott, Anna\r\nB\r\nC"}, cast, " Ott"},
      {1, {}, album, "Krimi"},
      {1, {.bearbeitung = "Klara Mohn"}, album, " Klara Mohn"},
      // The mode frames the comment with a first line of 30 characters at least and the cast.
      {1, {}, comment, "Krimi Thriller" + std::string(16, ' ') + rest},
      {1, {.hspTyp = k, .genre = k.substr(1)}, comment, k + " " + k.substr(1) + rest},
      {1, {.hspTyp = k, .genre = k}, comment, k + " " + k + rest},
      {1,
       {.hspTyp = huge, .genre = huge},
       comment,
       huge + " " + std::string(kMaxFieldBytes - huge.size() - 1, 'k') + rest},
  };
  for (const auto& [mode, record, field, expected] : rows) {
    TagForm form;
    WindowMembers members;
    members.wafranyoflMode = mode;
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
  members.defaultUrl = "--";
  members.autoId3v1Copy = 1;
  EXPECT_TRUE(Apply(" Kein Treffer", form, members));
  EXPECT_EQ((Texts{form.v2Title, form.v2Url, form.v2Copyright}),
            (Texts{"Alter Titel", "--", "KLX 1977"}));
  form.v2Year.clear();
  members.recProduktion.clear();
  members.autoId3v1Copy = 2; // only exactly 1 asks for the copy into ID3v1
  EXPECT_FALSE(Apply("", form, members));
  EXPECT_EQ(form.v2Copyright, " ");
}

} // namespace
} // namespace velmora
