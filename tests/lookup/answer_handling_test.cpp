// The answer handling of the window's logic: which answers open the choice, show a message or
// fill the form, and what is emptied on the way.
#include <gtest/gtest.h>

#include "core/form/velmora_logic.h"
#include "lookup/answer_samples.h"
#include "support/fake_platform.h"

namespace velmora {
namespace {

using test::NumberedRecords;
using test::RecordText;
using test::SampleRecord;

class AnswerHandlingTest : public ::testing::Test {
protected:
  AnswerHandlingTest() {
    // What a loaded file left in the form.
    form.v1Title = "v1 Titel";
    form.v1Artist = "v1 K\xfcnstler";
    form.v2Title = "Alter Titel";
    form.v2Composer = "Alter Komponist";
    form.v2Year = "1977";
    members.recProduktion = "KLX";
    members.defaultUrl = "--";
  }
  int MessageCount() const { return static_cast<int>(platform.messages.size()); }
  std::string Control(FormField field) { return platform.ControlText(field); }

  test::FakePlatform platform;
  VelmoraLogic logic{platform, nullptr};
  TagForm& form = logic.form();
  WindowMembers& members = logic.members();
};

TEST_F(AnswerHandlingTest, OneRecordIsAppliedAtOnceKeepingWhatItLacks) {
  logic.HandleSearchAnswer("$titel1$ Garten, Der $titel2$ $autor$ Berger, Anna $produktion$ RBX "
                           "$jahr$ 1998 $laenge$ 54 $hsp-typ$ Krimi $genre$ Thriller $end$");
  EXPECT_TRUE(platform.choiceRequests.empty());
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(form.v2Title, "Der Garten");
  EXPECT_EQ(form.v2Copyright, "RBX 1998");
  EXPECT_EQ(form.v2Composer, "Alter Komponist"); // no "$regie$"
  EXPECT_EQ(form.v1Title, "v1 Titel");           // nothing emptied
  EXPECT_EQ(Control(FormField::v2Title), "Der Garten");
}

TEST_F(AnswerHandlingTest, TwoToTenRecordsOpenTheChoiceAndTheChosenRecordIsApplied) {
  for (const int count : {2, 10}) {
    platform.chosenRow = count - 1;
    logic.HandleSearchAnswer(NumberedRecords(count));
    ASSERT_EQ(platform.choiceRequests.size(), 1u) << count;
    const auto& rows = platform.choiceRequests.back();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(rows[0].author, "Autor0, A");
    EXPECT_EQ(rows[0].title, "Titel 0");
    EXPECT_EQ(form.v2Title, "Titel " + std::to_string(count - 1));
    EXPECT_EQ(Control(FormField::v2Title), form.v2Title);
    platform.choiceRequests.clear();
  }
}

TEST_F(AnswerHandlingTest, AChosenRecordStartsFromEmptiedFields) {
  platform.chosenRow = 1;
  const std::string answer = RecordText({}) + "$titel1$Zweiter$titel2$$autor$Ohm, Ute$produktion$"
                                              "$end$\r\n";
  logic.HandleSearchAnswer(answer);
  EXPECT_EQ(form.v2Title, "Zweiter");
  EXPECT_EQ(form.v2Artist, "Ohm,Ute");
  EXPECT_EQ(form.v2Composer, "");   // emptied, and the record has no director
  EXPECT_EQ(form.v1Title, "");      // ID3v1 fields emptied
  EXPECT_EQ(form.v2Year, "");       // emptied; the record has no year
  EXPECT_EQ(form.v2Copyright, " "); // production and year both empty
}

TEST_F(AnswerHandlingTest, CancellingTheChoiceChangesNothing) {
  platform.chosenRow = -1;
  platform.Type(FormField::v2Title, "getippt");
  logic.HandleSearchAnswer(NumberedRecords(3));
  EXPECT_EQ(platform.choiceRequests.size(), 1u);
  EXPECT_EQ(form.v2Title, "Alter Titel");
  EXPECT_EQ(form.v1Title, "v1 Titel");
  EXPECT_EQ(Control(FormField::v2Title), "getippt"); // the form was not shown again
}

TEST_F(AnswerHandlingTest, ARowWithoutItsOwnRecordAppliesNothing) {
  platform.chosenRow = 1;
  logic.HandleSearchAnswer(RecordText({}) + "$end$ ");
  ASSERT_EQ(platform.choiceRequests.size(), 1u);
  EXPECT_EQ(platform.choiceRequests[0][1].author, "1");
  EXPECT_EQ(form.v2Title, "Alter Titel");
  EXPECT_EQ(form.v1Title, "v1 Titel");
}

TEST_F(AnswerHandlingTest, ElevenRecordsApplyTheFirstWithoutChoice) {
  logic.HandleSearchAnswer(NumberedRecords(11));
  EXPECT_TRUE(platform.choiceRequests.empty());
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(form.v2Title, "Titel 0");
  EXPECT_EQ(form.v1Title, "v1 Titel");
}

TEST_F(AnswerHandlingTest, NoRecordAnswerIsShownTrimmedAndEmptiesTheFields) {
  platform.Type(FormField::v2Title, "getippt");
  logic.HandleSearchAnswer(" Kein Datensatz gefunden.\r\n");
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(platform.messages[0].text, "Kein Datensatz gefunden.");
  EXPECT_EQ(platform.messages[0].caption, "Velmora");
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(form.v1Title, "");
  EXPECT_EQ(form.v1Artist, "");
  EXPECT_EQ(form.v2Title, "");
  EXPECT_EQ(form.v2Composer, "");
  EXPECT_EQ(members.recProduktion, "");
  EXPECT_EQ(form.v2Url, "");                  // not set: nothing was applied
  EXPECT_EQ(Control(FormField::v2Title), ""); // the form was shown
}

TEST_F(AnswerHandlingTest, KeinDatensatzWithoutTheBlankIsNoMessage) {
  logic.HandleSearchAnswer("Kein Datensatz gefunden.");
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(form.v1Title, "v1 Titel");
  EXPECT_EQ(form.v2Title, "Alter Titel");
  EXPECT_EQ(form.v2Url, "--"); // applied as a record without fields
  EXPECT_EQ(form.v2Copyright, "KLX 1977");
}

TEST_F(AnswerHandlingTest, TooManyAnswerIsShownTrimmedAndEmptiesTheFields) {
  logic.HandleSearchAnswer(
      "Mehr als 20 Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.\n");
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(platform.messages[0].text,
            "Mehr als 20 Datens\xe4tze gefunden. Bitte schr\xe4nken Sie die Suche ein.");
  EXPECT_EQ(platform.messages[0].caption, "Velmora");
  EXPECT_EQ(form.v1Title, "");
  EXPECT_EQ(form.v2Title, "");
}

TEST_F(AnswerHandlingTest, EmptyAnswerSetsOnlyTheDefaultsAndTheCopyright) {
  logic.HandleSearchAnswer("");
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_TRUE(platform.choiceRequests.empty());
  EXPECT_EQ(form.v2Title, "Alter Titel");
  EXPECT_EQ(form.v2Url, "--");
  EXPECT_EQ(form.v2Copyright, "KLX 1977");
}

TEST_F(AnswerHandlingTest, CopiesIntoId3v1OnlyWhenTheSettingIsOne) {
  members.autoId3v1Copy = 2;
  logic.HandleSearchAnswer(RecordText({}));
  EXPECT_EQ(form.v1Title, "v1 Titel");
  members.autoId3v1Copy = 1;
  logic.HandleSearchAnswer(RecordText({}));
  EXPECT_EQ(form.v1Title, "Der Garten");
  EXPECT_EQ(form.v1Artist, "Berger,Anna");
  EXPECT_EQ(Control(FormField::v1Title), "Der Garten");
}

} // namespace
} // namespace velmora
