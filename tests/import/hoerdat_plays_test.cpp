// Today's Hördat pages: the HTML turned into text, the plays read from the label layout.
#include <gtest/gtest.h>

#include "core/import/hoerdat_plays.h"
#include "core/import/html_text.h"
#include "core/text/encoding.h"
#include "support/hoerdat_pages.h"

namespace velmora {
namespace {

std::string Shown(const std::optional<std::string>& value) {
  return value ? Cp1252ToUtf8(*value) : "(none)";
}

// Every value of a play, one "name=value" a line (UTF-8), for comparisons at a glance.
std::string Describe(const HoerdatPlay& play) {
  const HoerdatPageFields& f = play.fields;
  std::string text = "title=" + Shown(f.title) + "\nauthor=" + Shown(f.author) +
                     "\nsecond=" + Cp1252ToUtf8(play.secondTitle) +
                     "\nbroadcast=" + Cp1252ToUtf8(play.broadcast);
  if (f.production)
    text += "\nproduction=" + Cp1252ToUtf8(f.production->copyright) + "|" +
            Cp1252ToUtf8(f.production->year) + "|" + Cp1252ToUtf8(f.production->station);
  else
    text += "\nproduction=(none)";
  return text + "\nlength=" + Shown(f.length) + "\nkind=" + Shown(f.kind) +
         "\ngenre=" + Shown(f.genre) + "\ndirector=" + Shown(f.director) +
         "\nadaptation=" + Shown(f.adaptation) + "\nsynopsis=" + Shown(f.synopsis) +
         "\ncast=" + Shown(f.cast);
}

const std::string kGlocke =
    "title=Die Glocke von Arnsfeld\nauthor=Marta Quell, Bernd Quell\nsecond=Der Fund (1. Teil)\n"
    "broadcast=WDR 5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3, (angekündigte Länge: 54:00)\n"
    "production=RBX 2014|2014|RBX\nlength=ca. 52 min.\nkind=Originalhörspiel dt.\n"
    "genre=Krimi\ndirector=Ida Sommer\nadaptation=Ida Sommer\n"
    "synopsis=Ein Dorf, eine Glocke, die nicht läutet. Als der Küster verschwindet, sucht seine "
    "Tochter nach ihm.\r\nIm Turm findet sie einen Brief.\n"
    "cast=Erzählerin Petra Lind, Küster Hans Ober";

TEST(HoerdatPlays, OnePlayAsTextAndAsHtml) {
  const auto fromText = ReadHoerdatPlays(Utf8ToCp1252(test::kGlockeText));
  ASSERT_EQ(fromText.size(), 1U);
  EXPECT_EQ(Describe(fromText[0]), kGlocke);

  // The HTML: labels in cells, bold and spans, entities, a paragraph break, script and comment.
  const auto fromHtml = ReadClipboardPlays("", Utf8ToCp1252(test::kGlockeHtml));
  ASSERT_EQ(fromHtml.size(), 1U);
  EXPECT_EQ(Describe(fromHtml[0]), kGlocke + " – „Gast“");
  // The page source copied as text reads the same.
  EXPECT_EQ(Describe(ReadClipboardPlays(Utf8ToCp1252(test::kGlockeHtml), std::nullopt).at(0)),
            Describe(fromHtml[0]));
}

TEST(HoerdatPlays, ADayPageListsItsPlaysAfterTheHeader) {
  const auto plays = ReadHoerdatPlays(Utf8ToCp1252(test::kDayText));
  ASSERT_EQ(plays.size(), 3U);
  // The article moves to the front; "Genre(s):" of the header belongs to no play.
  EXPECT_EQ(Describe(plays[0]),
            "title=Die Glocke von Arnsfeld (1. Teil)\nauthor=Marta Quell\nsecond=\n"
            "broadcast=WDR 5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3\n"
            "production=RBX 2014|2014|RBX\nlength=ca. 52 min.\nkind=Originalhörspiel dt.\n"
            "genre=(none)\ndirector=Ida Sommer\nadaptation=(none)\n"
            "synopsis=Ein Dorf, eine Glocke.\ncast=Erzählerin Petra Lind");
  // Without "Regie:"; a station of two words; the comment of an expert ends the cast.
  EXPECT_EQ(Describe(plays[1]),
            "title=Der Leuchtturm\nauthor=Jan Ohlsen\nsecond=\n"
            "broadcast=NDR Info - Sonntag, 2. Jun 2019 21:05\n"
            "production=Radio Bremen 1975|1975|Radio Bremen\nlength=ca. 45 min.\n"
            "kind=Hörspielbearbeitung\ngenre=Drama\ndirector=(none)\nadaptation=(none)\n"
            "synopsis=Ein Sturm.\ncast=Wärter Karl Brandt");
  // A station with "/", a length without "ca.", an empty kind; the last play ends the page.
  EXPECT_EQ(Describe(plays[2]),
            "title=Funkstille\nauthor=Ute Mai\nsecond=\n"
            "broadcast=DLF - Sonntag, 2. Jun 2019 22:05\n"
            "production=DLF/DLR 2019|2019|DLF/DLR\nlength=38 min.\nkind=\ngenre=(none)\n"
            "director=Ute Mai\nadaptation=(none)\nsynopsis=(none)\ncast=Sprecherin Ute Mai");
}

TEST(HoerdatPlays, JunkHoldsNoPlay) {
  for (const std::string& junk :
       {std::string(), std::string("Sendetermine:"), std::string("<<<>>>&&&;;"),
        std::string("Regie: Ida Sommer\nProduktion: RBX 2014"), std::string("\0\r\r\n", 4)}) {
    const auto plays = ReadClipboardPlays(junk, junk);
    // A lone broadcast line is a play without a title; anything else is no play.
    EXPECT_LE(plays.size(), junk == "Sendetermine:" ? 1U : 0U) << junk;
  }
}

TEST(HtmlText, BlocksLinesCellsAndEntities) {
  const std::pair<std::string, std::string> rows[] = {
      {"a<br>b<br/>c", "a\nb\nc\n"},
      {"<p>eins</p><p>zwei</p>", "eins\n\nzwei\n"},
      {"<td>Regie:</td><td>Ida</td>", "Regie: Ida\n"},
      {"x  \r\n\t y<b>z</b>", "x yz\n"},
      {"&lt;&amp;&gt;&quot;&#65;&#x42;&unbekannt;&#0;&#xFFFFFF;",
       "<&>\"AB&unbekannt;&#0;&#xFFFFFF;\n"},
      {"&#8209;&#8212;&#322;&#x2009;|", "-\x97l |\n"}, // nearest forms; a thin space is a blank
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
