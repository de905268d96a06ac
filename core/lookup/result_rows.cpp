#include "core/lookup/result_rows.h"

#include <string>

#include "core/lookup/hoerdat_record.h"

namespace velmora {
namespace {

void SetIfPresent(std::string& target, std::optional<std::string> value) {
  if (value) target = std::move(*value);
}

} // namespace

void ParseRowFields(std::string_view record, ResultRow& row) {
  SetIfPresent(row.author, ExtractBetween(record, "$autor$", "$produktion$"));
  SetIfPresent(row.title, ExtractBetween(record, "$titel1$", "$titel2$"));
  SetIfPresent(row.station, ExtractBetween(record, "$produktion$", "$jahr$"));
  SetIfPresent(row.year, ExtractBetween(record, "$jahr$", "$laenge$"));
}

std::vector<ResultRow> BuildResultRows(std::string_view paddedAnswer) {
  const int count = CountRecords(paddedAnswer);
  std::vector<ResultRow> rows;
  rows.reserve(static_cast<std::size_t>(count));
  ResultRow carried; // the texts of the last parsed row, shown where a record lacks a field
  for (int i = 0; i < count; ++i) {
    const auto start = FindRecordStart(paddedAnswer, i);
    if (!start) {
      rows.push_back(ResultRow{std::to_string(i), {}, {}, {}});
      continue;
    }
    ParseRowFields(paddedAnswer.substr(*start), carried);
    rows.push_back(carried);
  }
  return rows;
}

} // namespace velmora
