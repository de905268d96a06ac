#pragma once
// An INI file as lines, read and changed by the rules of the Windows profile functions: section
// and key names without regard to case, the first section and the first key of a name count.
// Every line that is not changed is written back byte for byte.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class IniFile {
public:
  // Parses UTF-8 text; text that is not valid UTF-8 is taken as Windows-1252 and converted.
  explicit IniFile(std::string_view bytes);

  // The value of section/key without the blanks around it and without one pair of surrounding
  // double or single quotes; nullopt when the section or the key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Sets section/key to value, adding the section or the key when missing. A value that would
  // lose blanks or quotes on reading is written in double quotes, so that it reads back as is.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  // The whole file as UTF-8 bytes.
  std::string Bytes() const;

private:
  struct Line {
    std::string text;
    std::string ending; // "\n", "\r\n"; "\r" or "" only for the last line
  };
  // Gives a line that a new line is to follow a full line end.
  static void EndLine(Line& line, const std::string& ending);
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // First key line of the section beginning at sectionLine, and the line after its last key.
  std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;
  std::size_t InsertionPoint(std::size_t sectionLine) const;
  std::string NewLineEnding() const;

  bool byteOrderMark_ = false;
  std::vector<Line> lines_;
};

} // namespace velmora
