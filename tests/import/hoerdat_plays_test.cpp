// Today's Hördat pages: the HTML turned into text, the plays read from the label layout.
#include <gtest/gtest.h>

#include "core/import/hoerdat_page.h"
#include "core/import/hoerdat_plays.h"
#include "core/import/html_text.h"
#include "support/hoerdat_pages.h"

namespace velmora {
namespace {

using namespace std::string_literals;

// Every value of a play, "|" between them, "-" for one the page lacks: the second title,
// the broadcast, title, author, production (copyright/year/station), length, kind, genre, director,
// adaptation, synopsis, cast.
std::string Describe(const HoerdatPlay& play) {
  const HoerdatPageFields& f = play.fields;
  const auto& p = f.production;
  const auto production =
      p ? std::optional(p->copyright + "/" + p->year + "/" + p->station) : std::nullopt;
  std::string text = play.secondTitle + "|" + play.broadcast;
  for (const auto& value : {f.title, f.author, production, f.length, f.kind, f.genre, f.director,
                            f.adaptation, f.synopsis, f.cast})
    text += "|" + value.value_or("-");
  return text;
}

const std::string kGlocke =
    "Der Fund (1. Teil)|WDR 5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3, (angekündigte Länge: 54:00)|"
    "Die Glocke von Arnsfeld|Marta Quell, Bernd Quell|RBX 2014/2014/RBX|ca. 52 min.|"
    "Originalhörspiel dt.|Krimi|Ida Sommer|Ida Sommer|Ein Dorf, eine Glocke, die nicht läutet. "
    "Als der Küster verschwindet, sucht seine Tochter nach ihm.\r\nIm Turm findet sie einen "
    "Brief.|Erzählerin Petra Lind, Küster Hans Ober – „Gast“";

// Labels in cells, bold and spans, entities, line and paragraph breaks, labels the reader skips,
// script and comment.
TEST(HoerdatPlays, OnePlayFromItsHtml) {
  const auto fromHtml = ReadClipboardPlays("", test::kGlockeHtml);
  ASSERT_EQ(fromHtml.size(), 1U);
  EXPECT_EQ(Describe(fromHtml[0]), kGlocke);
  // The page source copied as text reads the same.
  EXPECT_EQ(Describe(ReadClipboardPlays(test::kGlockeHtml, std::nullopt).at(0)),
            Describe(fromHtml[0]));
}

TEST(HoerdatPlays, ADayPageListsItsPlaysAfterTheHeader) {
  const auto plays = ReadHoerdatPlays(test::kDayText);
  ASSERT_EQ(plays.size(), 3U);
  // The article moves to the front; "Genre(s):" of the header belongs to no play.
  EXPECT_EQ(Describe(plays[0]),
            "|WDR 5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3|Die Glocke von Arnsfeld (1. Teil)|"
            "Marta Quell|RBX 2014/2014/RBX|ca. 52 min.|Originalhörspiel dt.|-|Ida Sommer|-|"
            "Ein Dorf, eine Glocke.|Erzählerin Petra Lind");
  // Without "Regie:"; a station of two words; the comment of an expert ends the cast.
  EXPECT_EQ(Describe(plays[1]), "|NDR Info - Sonntag, 2. Jun 2019 21:05|Der Leuchtturm|Jan Ohlsen|"
                                "Radio Bremen 1975/1975/Radio Bremen|ca. 45 min.|"
                                "Hörspielbearbeitung|Drama|-|-|Ein Sturm.|Wärter Karl Brandt");
  // A station with "/", a length without "ca.", an empty kind; the last play ends the page.
  EXPECT_EQ(Describe(plays[2]), "|DLF - Sonntag, 2. Jun 2019 22:05|Funkstille|Ute Mai|"
                                "DLF/DLR 2019/2019/DLF/DLR|38 min.||-|Ute Mai|-|-|"
                                "Sprecherin Ute Mai");
}

TEST(HoerdatPlays, JunkHoldsNoPlay) {
  for (const std::string& junk : {""s, "Sendetermine:"s, "<<<>>>&&&;;"s,
                                  "Regie: Ida Sommer\nProduktion: RBX 2014"s, "\0\r\r\n"s}) {
    const auto plays = ReadClipboardPlays(junk, junk);
    // A lone broadcast line is a play without a title; anything else is no play.
    EXPECT_LE(plays.size(), junk == "Sendetermine:" ? 1U : 0U) << junk;
  }
  // Pages of 8 MiB of "&" without ";" and "<" without ">" are read in one pass each (a reading
  // that searched to the page's end for every one of them would outlast the test's time limit).
  for (const std::string& page :
       {"<p>" + std::string(8 << 20, '&'), "<p><a" + std::string(8 << 20, '<')}) {
    EXPECT_TRUE(ReadClipboardPlays(page, page).empty());
    EXPECT_FALSE(HasAnyField(ReadHoerdatPage(page)));
  }
}

// Line breaks, paragraphs, cells, script and comment are the Glocke page's above.
TEST(HtmlText, BlanksAndEntities) {
  const std::pair<std::string, std::string> rows[] = {
      {"x  \r\n\t y<b>z</b>", "x yz\n"},
      {"&lt;&amp;&gt;&quot;&#65;&#x42;&unbekannt;&#0;&#xFFFFFF;",
       "<&>\"AB&unbekannt;&#0;&#xFFFFFF;\n"},
      // Letters as spelled; a non-breaking hyphen is "-", a thin space a blank.
      {"&#8209;&#8212;&#322;&#x2009;|", "-—ł |\n"},
      {"a<!-- <p> -->b<script>x<p>y</script>c", "abc\n"},
      {"1 < 2 > 0", "1 < 2 > 0\n"},
  };
  for (const auto& [html, text] : rows)
    EXPECT_EQ(HtmlToText(html), text) << html;
  EXPECT_TRUE(LooksLikeHtml("<b>Regie:</b>"));
  EXPECT_FALSE(LooksLikeHtml("1 < 2, Regie: <Ida>"));
}

} // namespace
} // namespace velmora
