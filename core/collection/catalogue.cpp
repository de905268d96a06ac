#include "core/collection/catalogue.h"

#include "core/io/file_contents.h"
#include "core/model/messages.h"
#include "core/text/encoding.h"

namespace velmora {

namespace {

std::string NumberList(const std::vector<int>& numbers) {
  std::string list;
  for (const int number : numbers)
    list += (list.empty() ? "" : ", ") + std::to_string(number);
  return list;
}

std::string CsvCell(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string HtmlText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
    case '&':
      escaped += "&amp;";
      break;
    case '<':
      escaped += "&lt;";
      break;
    case '>':
      escaped += "&gt;";
      break;
    case '"':
      escaped += "&quot;";
      break;
    case '\n':
      escaped += "<br>";
      break;
    default:
      escaped += c;
    }
  }
  return escaped;
}

constexpr std::string_view kPageStyle = R"(<style>
body { font-family: sans-serif; margin: 1em; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #999; padding: 0.2em 0.4em; text-align: left; vertical-align: top; }
th { background: #eee; cursor: pointer; }
th[data-order="asc"]::after { content: " \25B2"; }
th[data-order="desc"]::after { content: " \25BC"; }
td.missing { color: #b00000; font-weight: bold; }
@media print { th { cursor: auto; } body { margin: 0; font-size: 9pt; } tr { break-inside: avoid; } }
</style>
)";

// Sorts the rows by the clicked column, numbers by their value, a second click the other way.
constexpr std::string_view kSortScript = R"(<script>
document.querySelectorAll("#plays th").forEach(function (head, column) {
  head.addEventListener("click", function () {
    var body = document.querySelector("#plays tbody");
    var ascending = head.dataset.order !== "asc";
    document.querySelectorAll("#plays th").forEach(function (other) { delete other.dataset.order; });
    head.dataset.order = ascending ? "asc" : "desc";
    Array.from(body.rows).sort(function (a, b) {
      var order = a.cells[column].textContent.localeCompare(b.cells[column].textContent, "de",
                                                           { numeric: true });
      return ascending ? order : -order;
    }).forEach(function (row) { body.appendChild(row); });
  });
});
</script>
)";

constexpr std::size_t kMissingColumn = 6;

std::string HtmlRow(const CollectionPlay& play) {
  std::string row = "<tr>";
  const auto cells = CatalogueRow(play);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    const bool missing = column == kMissingColumn && !cells[column].empty();
    row += (missing ? "<td class=\"missing\">" : "<td>") + HtmlText(cells[column]) + "</td>";
  }
  return row + "</tr>\n";
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::array<std::string, kCatalogueColumns.size()> CatalogueRow(const CollectionPlay& entry) {
  const Play& play = entry.play;
  std::string files;
  for (const PlayPart& part : play.parts)
    files += (files.empty() ? "" : "\n") + ValidUtf8(part.path);
  std::vector<int> present;
  for (const PlayPart& part : play.parts)
    if (part.partNumber != 0) present.push_back(part.partNumber);
  return {play.author,
          play.title,
          play.station,
          play.year,
          play.partCount == 0 ? std::string() : std::to_string(play.partCount),
          NumberList(present),
          NumberList(play.missing),
          entry.tagged ? "ja" : "nein",
          files};
}

std::string CatalogueCsv(const Collection& collection) {
  std::string csv = "\xEF\xBB\xBF";
  for (std::size_t column = 0; column < kCatalogueColumns.size(); ++column)
    csv += (column == 0 ? "" : ",") + std::string(kCatalogueColumns[column]);
  csv += "\r\n";
  for (const CollectionPlay& play : collection.plays) {
    const auto cells = CatalogueRow(play);
    for (std::size_t column = 0; column < cells.size(); ++column)
      csv += (column == 0 ? "" : ",") + CsvCell(cells[column]);
    csv += "\r\n";
  }
  return csv;
}

std::string CatalogueHtml(const Collection& collection, std::string_view folder) {
  while (folder.size() > 1 && folder.ends_with('/'))
    folder.remove_suffix(1);
  const std::string title = "Sammlung " + HtmlText(ValidUtf8(folder.substr(folder.rfind('/') + 1)));
  std::string page = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                     "<title>" +
                     title + "</title>\n" + std::string(kPageStyle) + "</head>\n<body>\n<h1>" +
                     title + "</h1>\n<p>" +
                     messages::CollectionStatus(collection.plays.size(), collection.strays.size()) +
                     "</p>\n<table id=\"plays\">\n<thead><tr>";
  for (const char* column : kCatalogueColumns)
    page += "<th>" + std::string(column) + "</th>";
  page += "</tr></thead>\n<tbody>\n";
  for (const CollectionPlay& play : collection.plays)
    page += HtmlRow(play);
  return page + "</tbody>\n</table>\n" + std::string(kSortScript) + "</body>\n</html>\n";
}

std::optional<CatalogueFormat> CatalogueFormatOf(std::string_view path) {
  std::string extension;
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return {};
  for (const char c : path.substr(dot))
    extension += AsciiLower(c);
  if (extension == ".csv") return CatalogueFormat::Csv;
  if (extension == ".html" || extension == ".htm") return CatalogueFormat::Html;
  return std::nullopt;
}

std::string WriteCatalogue(const std::string& path, const Collection& collection,
                           std::string_view folder) {
  const auto format = CatalogueFormatOf(path);
  if (!format) return messages::UnknownCatalogueFormat(path);
  const std::string bytes = *format == CatalogueFormat::Csv ? CatalogueCsv(collection)
                                                            : CatalogueHtml(collection, folder);
  return WriteWholeFile(path, bytes) ? std::string() : messages::CannotWriteCatalogue(path);
}

} // namespace velmora
