#pragma once
// The rows of the choice among several Hördat records: author, title, station and year as the
// answer has them (the author not reordered, the article not moved).
#include <string>
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
// The detail texts of each row come from its own record only.
std::vector<ResultRow> BuildResultRows(std::string_view paddedAnswer);

// What tells the row's part of a play apart from the others: its second title, or else the part
// its broadcast names ("Teil 2", "2. Teil"); empty when neither does.
std::string PartOfRow(const ResultRow& row);

// The one row whose second title or broadcast names part partNumber ("Teil 2", "2. Teil"); -1
// when none or several do, or partNumber is not positive.
int RowOfPart(const std::vector<ResultRow>& rows, int partNumber);

} // namespace velmora
