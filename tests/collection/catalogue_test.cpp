#include "collection/collection_fixture.h"
#include "core/collection/catalogue.h"
#include "core/model/messages.h"
#include "support/system_python.h"

namespace velmora::test {
namespace {

// Python's own readers: each row as a list of cells, one a line.
constexpr const char* kCsvRows = R"(import csv, json, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    for row in csv.reader(f):
        print(json.dumps(row, ensure_ascii=False))
)";
constexpr const char* kHtmlRows = R"(import html.parser, json, sys
class Rows(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == "tr": self.rows.append([])
        if tag in ("td", "th"): self.cell = dict(attrs).get("class", "") + ":"
        if tag == "br" and self.cell is not None: self.cell += "\n"
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
    def handle_endtag(self, tag):
        if tag in ("td", "th"): self.rows[-1].append(self.cell); self.cell = None
rows = Rows()
rows.feed(open(sys.argv[1], encoding="utf-8").read())
for row in rows.rows:
    print(json.dumps(row, ensure_ascii=False))
)";

TEST_F(CollectionTest, TheCsvCatalogueReadsBackRowForRow) {
  const std::string path = dir.file("katalog.CSV");
  EXPECT_EQ(WriteCatalogue(path, ReadFixture(dir.path().string()), "Sammlung"), "");
  EXPECT_EQ(Python(kCsvRows, path),
            "[\"Autor\", \"Titel\", \"Sender\", \"Jahr\", \"Teile\", \"vorhanden\", \"fehlend\", "
            "\"getaggt\", \"Dateien\"]\n"
            "[\"Anna Berger\", \"Stille Garten\", \"RBX\", \"2001\", \"3\", \"1, 3\", \"2\", "
            "\"ja\", \"Anna Berger - Stille Garten 1v3 - RBX, 01.mp3\\nsub/Anna Berger - Stille "
            "Garten 3v3 - RBX, 01.mp3\"]\n"
            "[\"Otto Lenz\", \"Das Haus\", \"WDR\", \"1999\", \"\", \"\", \"\", \"nein\", \"Otto "
            "Lenz - Das Haus - WDR, 1999.mp3\"]\n"
            "[\"Zoë Ärger\", \"\\\"Über\\\" <alles> & mehr\", \"RBX\", \"2005\", \"2\", \"1\", "
            "\"2\", \"nein\", \"Zoë Ärger - \\\"Über\\\" <alles> & mehr 1v2 - RBX, 05.mp3\"]\n");
}

TEST_F(CollectionTest, TheHtmlCatalogueIsOneTableWithTheMissingPartsMarkedAndNoAddress) {
  const std::string path = dir.file("katalog.html");
  EXPECT_EQ(WriteCatalogue(path, ReadFixture(dir.path().string()), "/x/Hör<spiele>/"), "");
  const std::string rows = Python(kHtmlRows, path);
  EXPECT_EQ(rows.substr(0, rows.find('\n')),
            "[\":Autor\", \":Titel\", \":Sender\", \":Jahr\", \":Teile\", \":vorhanden\", "
            "\":fehlend\", \":getaggt\", \":Dateien\"]");
  EXPECT_NE(rows.find("[\":Zoë Ärger\", \":\\\"Über\\\" <alles> & mehr\", \":RBX\", \":2005\", "
                      "\":2\", \":1\", \"missing:2\", \":nein\", \":Zoë Ärger - \\\"Über\\\" "
                      "<alles> & mehr 1v2 - RBX, 05.mp3\"]"),
            std::string::npos)
      << rows;
  EXPECT_NE(rows.find("\":1999\", \":\", \":\", \":\", \":nein\""), std::string::npos) << rows;
  const std::string page = ReadBytes(path);
  EXPECT_NE(page.find("<title>Sammlung Hör&lt;spiele&gt;</title>"), std::string::npos);
  for (const char* address : {"://", "src=", "href=", "@import", "url("})
    EXPECT_EQ(page.find(address), std::string::npos) << address;
}

TEST_F(CollectionTest, ACatalogueNeedsAKnownExtensionAndAWritablePlace) {
  const Collection collection = ReadFixture(dir.path().string());
  EXPECT_EQ(WriteCatalogue(dir.file("katalog.txt"), collection, ""),
            messages::UnknownCatalogueFormat(dir.file("katalog.txt")));
  EXPECT_EQ(WriteCatalogue(dir.file("csv"), collection, ""),
            messages::UnknownCatalogueFormat(dir.file("csv")));
  EXPECT_EQ(WriteCatalogue(dir.file("no/katalog.htm"), collection, ""),
            messages::CannotWriteCatalogue(dir.file("no/katalog.htm")));
}

} // namespace
} // namespace velmora::test
