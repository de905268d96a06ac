#include "core/form/tag_form.h"

#include <gtest/gtest.h>
#include <set>

namespace velmora {
namespace {

TEST(TagFormTest, EveryFieldHasItsOwnNameAndMember) {
  TagForm form;
  std::set<std::string_view> names;
  std::set<const std::string*> members;
  for (FormField field : kExchangeOrder) {
    names.insert(FieldName(field));
    members.insert(&FieldOf(form, field));
    EXPECT_EQ(FieldByName(FieldName(field)), field);
  }
  EXPECT_EQ(names.size(), kFormFieldCount);
  EXPECT_EQ(members.size(), kFormFieldCount);
  EXPECT_EQ(&FieldOf(form, FormField::v2Year), &form.v2Year);
  EXPECT_EQ(&FieldOf(form, FormField::maskTitle), &form.maskTitle);
  EXPECT_FALSE(FieldByName("v3Title"));
}

TEST(TagFormTest, ExchangeOrderStartsWithAlbumAndEndsWithArtist) {
  EXPECT_EQ(kExchangeOrder.front(), FormField::v2Album);
  EXPECT_EQ(kExchangeOrder[4], FormField::v2Year);
  EXPECT_EQ(kExchangeOrder.back(), FormField::v2Artist);
}

} // namespace
} // namespace velmora
