#include <gtest/gtest.h>

#include <array>

#include "form/form_test_support.h"

namespace velmora::test {
namespace {

using FormCommandsTest = LogicTest;

TEST_F(FormCommandsTest, ShowAndTakeWalkAllFieldsAndStopAtATooLongYear) {
  for (const FormField field : kExchangeOrder) {
    FieldOf(form, field) = FieldName(field);
    EXPECT_EQ(FieldByName(FieldName(field)), field);
  }
  logic.ShowForm();
  for (const FormField field : kExchangeOrder) {
    EXPECT_EQ(Control(field), FieldName(field)); // each field has a member of its own
    platform.Type(field, "neu");
  }
  platform.Type(FormField::v2Year, "123456"); // exactly the limit
  EXPECT_TRUE(logic.TakeControls());
  EXPECT_EQ(form.v2Year + form.v2Artist, "123456neu");

  // Fields up to the year are taken, the later ones keep their values.
  for (const FormField field : kExchangeOrder)
    platform.Type(field, "getippt");
  platform.Type(FormField::v2Year, "1234567");
  EXPECT_FALSE(logic.TakeControls());
  EXPECT_EQ(platform.MessageTexts(), Texts{"Bitte geben Sie nicht mehr als 6 Zeichen ein."});
  EXPECT_EQ(platform.Captions(), Texts{"Velmora"});
  EXPECT_EQ(platform.focused, FormField::v2Year);
  EXPECT_EQ((Texts{form.v2Album, form.v2Comment, form.v2Year, form.v2Composer, form.v2Artist}),
            (Texts{"getippt", "getippt", "1234567", "neu", "neu"}));
}

TEST_F(FormCommandsTest, ClearMaskRestoresTheStoredValuesOfTheOtherFields) {
  form.maskAuthor = form.maskTitle = form.maskStation = form.maskYear = "x";
  form.v2Title = "gespeichert";
  logic.ShowForm();
  platform.Type(FormField::v2Title, "getippt");
  logic.OnClearMask();
  EXPECT_EQ(form.maskAuthor + form.maskTitle + form.maskStation + form.maskYear +
                Control(FormField::maskTitle),
            "");
  EXPECT_EQ(Control(FormField::v2Title), "gespeichert");
}

TEST_F(FormCommandsTest, FilenameButtonCutsAtTheLastDotOnly) {
  // Input file, title, control. A name ending in "/" or no file at all changes nothing.
  const std::vector<std::array<std::string, 3>> rows = {
      {"/x/y.z/Hoerspiel.Teil1.mp3", "Hoerspiel.Teil1", "Hoerspiel.Teil1"},
      {"/x/ohne Punkt", "ohne Punkt", "ohne Punkt"},
      {"/x/y/", "ohne Punkt", "getippt"},
      {"", "ohne Punkt", "getippt"}};
  for (const auto& [file, title, control] : rows) {
    platform.Type(FormField::v2Title, "getippt");
    form.inputFile = file;
    logic.OnFilename();
    EXPECT_EQ(form.v2Title + "|" + Control(FormField::v2Title), title + "|" + control) << file;
  }
}

} // namespace
} // namespace velmora::test
