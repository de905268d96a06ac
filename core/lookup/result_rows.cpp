#include "core/lookup/result_rows.h"

#include <string>

#include "core/lookup/hoerdat_record.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

void SetIfPresent(std::string& target, std::optional<std::string> value) {
  if (value) target = std::move(*value);
}

// The texts of the detail pane: present or empty, never carried from another row.
void ParseRowDetails(std::string_view record, ResultRow& row) {
  const auto field = [record](AnswerField which) {
    return ExtractField(record, which).value_or("");
  };
  row.secondTitle = field(AnswerField::Titel2);
  row.length = field(AnswerField::Laenge);
  row.kind = field(AnswerField::HspTyp);
  row.genre = field(AnswerField::Genre);
  row.director = field(AnswerField::Regie);
  row.synopsis = field(AnswerField::Inhaltsangabe);
  // The synopsis's line breaks, as the form gets them.
  ReplaceAll(row.synopsis, "<br />", "\r\n");
  row.cast = field(AnswerField::Mitwirkende);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// True when text holds "Teil N" or "N. Teil" with N as a whole number.
bool NamesPart(std::string_view text, int partNumber) {
  const std::string number = std::to_string(partNumber);
  for (const std::string& form : {"Teil " + number, number + ". Teil"}) {
    for (auto at = text.find(form); at != std::string_view::npos; at = text.find(form, at + 1)) {
      const std::size_t end = at + form.size();
      const bool wholeBefore = form[0] == 'T' || at == 0 || !IsDigit(text[at - 1]);
      const bool wholeAfter = form[0] != 'T' || end == text.size() || !IsDigit(text[end]);
      if (wholeBefore && wholeAfter) return true;
    }
  }
  return false;
}

// "Teil N" (with a following "/M") or "N. Teil" as the text has it; empty when it names none.
std::string PartNamed(std::string_view text) {
  for (auto at = text.find("Teil "); at != std::string_view::npos;
       at = text.find("Teil ", at + 1)) {
    std::size_t end = at + 5;
    while (end < text.size() && (IsDigit(text[end]) || (text[end] == '/' && end > at + 5)))
      ++end;
    if (end > at + 5) return std::string(text.substr(at, end - at));
  }
  for (auto at = text.find(". Teil"); at != std::string_view::npos;
       at = text.find(". Teil", at + 1)) {
    std::size_t start = at;
    while (start > 0 && IsDigit(text[start - 1]))
      --start;
    if (start < at) return std::string(text.substr(start, at + 6 - start));
  }
  return {};
}

} // namespace

std::string PartOfRow(const ResultRow& row) {
  return row.secondTitle.empty() ? PartNamed(row.broadcast) : row.secondTitle;
}

int RowOfPart(const std::vector<ResultRow>& rows, int partNumber) {
  if (partNumber <= 0) return -1;
  int found = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!NamesPart(rows[i].secondTitle + " " + rows[i].broadcast, partNumber)) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(i);
  }
  return found;
}

void ParseRowFields(std::string_view record, ResultRow& row) {
  SetIfPresent(row.author, ExtractField(record, AnswerField::Autor));
  SetIfPresent(row.title, ExtractField(record, AnswerField::Titel1));
  SetIfPresent(row.station, ExtractField(record, AnswerField::Produktion));
  SetIfPresent(row.year, ExtractField(record, AnswerField::Jahr));
}

std::vector<ResultRow> BuildResultRows(std::string_view paddedAnswer) {
  const int count = CountRecords(paddedAnswer);
  std::vector<ResultRow> rows;
  rows.reserve(static_cast<std::size_t>(count));
  ResultRow carried; // the texts of the last parsed row, shown where a record lacks a field
  for (int i = 0; i < count; ++i) {
    const auto start = FindRecordStart(paddedAnswer, i);
    if (!start) {
      ResultRow unparsed;
      unparsed.author = std::to_string(i);
      rows.push_back(std::move(unparsed));
      continue;
    }
    ParseRowFields(paddedAnswer.substr(*start), carried);
    rows.push_back(carried);
    ParseRowDetails(paddedAnswer.substr(*start), rows.back());
  }
  return rows;
}

} // namespace velmora
