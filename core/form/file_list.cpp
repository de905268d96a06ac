#include "core/form/file_list.h"

#include <algorithm>

#include "core/io/file_status.h"

namespace velmora {

namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view upperSuffix) {
  if (text.size() < upperSuffix.size()) return false;
  const auto tail = text.substr(text.size() - upperSuffix.size());
  return std::equal(tail.begin(), tail.end(), upperSuffix.begin(),
                    [](char a, char b) { return AsciiUpper(a) == b; });
}

} // namespace

bool IsAudioFileName(std::string_view name) {
  return EndsWithIgnoringCase(name, ".MP") ||
         (name.size() >= 4 && EndsWithIgnoringCase(name.substr(0, name.size() - 1), ".MP"));
}

std::vector<std::string> ScanInputDir(const std::string& dirPath) {
  std::vector<std::string> names;
  for (std::string& name : NamesInDirectory(dirPath)) {
    if (IsAudioFileName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsDroppableAudioPath(std::string_view path) {
  return EndsWithIgnoringCase(path, ".MP3");
}

} // namespace velmora
