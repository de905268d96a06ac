#pragma once
// The rows of the choice among several Hördat records: author, title, station and year as the
// answer has them (the author not reordered, the article not moved).
#include <string_view>
#include <vector>

#include "core/model/result_row.h"

namespace velmora {

// Sets the row's four texts from the record that begins at record (the padded answer from there
// on); a field the record lacks leaves the row's text as it was.
void ParseRowFields(std::string_view record, ResultRow& row);

// One row per "$end$" of the padded answer. A field missing from a record shows the value of the
// row above (nothing in the first row). A row without its own "$titel1$" is not parsed: it shows
// its row number as author and cannot be applied.
std::vector<ResultRow> BuildResultRows(std::string_view paddedAnswer);

} // namespace velmora
