#include "core/tags/genres.h"

#include <gtest/gtest.h>
#include <set>

namespace velmora {
namespace {

TEST(GenresTest, TconTextUsesTheTableName) {
  EXPECT_EQ(FormatTconText(kSpeechGenre), "(101)Speech");
  EXPECT_EQ(FormatTconText(0), "(000)Blues");
  EXPECT_EQ(FormatTconText(40), "(040)Alternative Rock");
  EXPECT_EQ(FormatTconText(67), "(067)Psychedelic");
  EXPECT_EQ(FormatTconText(125), "(125)Dance Hall");
}

TEST(GenresTest, OfferListDiffersInFourSpellings) {
  int differing = 0;
  std::set<std::string_view> names;
  for (int number = 0; number < kOfferedGenreCount; ++number) {
    ASSERT_FALSE(OfferListName(number).empty()) << number;
    names.insert(OfferListName(number));
    if (OfferListName(number) != GenreTableName(number)) ++differing;
  }
  EXPECT_EQ(names.size(), 126u); // every entry of the drop-down lists is distinct
  EXPECT_EQ(differing, 4);
  EXPECT_EQ(OfferListName(40), "AlternRock");
  EXPECT_EQ(OfferListName(66), "Wave");
  EXPECT_EQ(GenreTableName(66), "New Wave");
  EXPECT_EQ(OfferListName(67), "Psychadelic");
  EXPECT_EQ(OfferListName(123), "A capella");
  EXPECT_EQ(GenreTableName(123), "Acapella");
  EXPECT_EQ(OfferListName(101), "Speech");
}

TEST(GenresTest, TableReachesTheWinampExtensionsAndNothingElse) {
  EXPECT_EQ(GenreTableName(126), "Goa");
  EXPECT_EQ(GenreTableName(137), "Heavy Metal");
  EXPECT_EQ(GenreTableName(144), "Trash Metal");
  EXPECT_EQ(GenreTableName(145), "");
  EXPECT_EQ(GenreTableName(-1), "");
  EXPECT_EQ(OfferListName(126), "");
  EXPECT_EQ(OfferListName(-1), "");
}

} // namespace
} // namespace velmora
