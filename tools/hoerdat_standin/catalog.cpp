#include "catalog.h"

#include <fstream>
#include <string_view>

#include "core/text/encoding.h"

namespace hoerdat_standin {
namespace {

constexpr std::size_t kColumnCount = 13;

std::vector<std::string> SplitColumns(std::string_view line) {
  std::vector<std::string> columns;
  std::size_t begin = 0;
  while (true) {
    const auto tab = line.find('\t', begin);
    columns.emplace_back(line.substr(begin, tab == std::string_view::npos ? tab : tab - begin));
    if (tab == std::string_view::npos) return columns;
    begin = tab + 1;
  }
}

// The file's "\n" escape becomes the CR LF of the answer; the text becomes Windows-1252.
std::string ToAnswerText(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
      text += "\r\n";
      ++i;
    } else {
      text += value[i];
    }
  }
  return velmora::Utf8ToNearestCp1252(text);
}

} // namespace

std::optional<std::vector<PlayRecord>> LoadCatalog(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::vector<PlayRecord> records;
  std::string line;
  for (int lineNumber = 1; std::getline(file, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    auto columns = SplitColumns(line);
    if (columns.size() != kColumnCount) {
      error = path + ":" + std::to_string(lineNumber) + ": expected " +
              std::to_string(kColumnCount) + " columns, found " + std::to_string(columns.size());
      return std::nullopt;
    }
    for (auto& column : columns)
      column = ToAnswerText(column);
    records.push_back(PlayRecord{columns[0], columns[1], columns[2], columns[3], columns[4],
                                 columns[5], columns[6], columns[7], columns[8], columns[9],
                                 columns[10], columns[11], columns[12]});
  }
  return records;
}

} // namespace hoerdat_standin
