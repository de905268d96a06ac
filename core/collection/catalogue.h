#pragma once
// The catalogue of a collection: one row a play, as a CSV file or as one HTML page that sorts by
// a click on a column head, needs no network and prints. The window's table shows the same cells.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/collection/collection.h"

namespace velmora {

inline constexpr std::array<const char*, 9> kCatalogueColumns = {
    "Autor", "Titel", "Sender", "Jahr", "Teile", "vorhanden", "fehlend", "getaggt", "Dateien"};

// The cells of one play in the order of kCatalogueColumns, UTF-8: parts empty for a play in one
// file, present and missing as "1, 3", tagged "ja" or "nein", the files one a line.
std::array<std::string, kCatalogueColumns.size()> CatalogueRow(const CollectionPlay& entry);

// UTF-8 with a byte order mark (so that spreadsheets take it as UTF-8), a header row, CR LF
// between rows, cells quoted where they must be.
std::string CatalogueCsv(const Collection& collection);
// One page in UTF-8 titled after the name of the collection's folder (a native path).
std::string CatalogueHtml(const Collection& collection, std::string_view folder);

enum class CatalogueFormat { Csv, Html };
// By the extension, without regard to case: ".csv", ".html" or ".htm"; nullopt for any other.
std::optional<CatalogueFormat> CatalogueFormatOf(std::string_view path);

// Writes the catalogue to path in the format of its extension; the message when it
// cannot, empty on success.
std::string WriteCatalogue(const std::string& path, const Collection& collection,
                           std::string_view folder);

} // namespace velmora
