#pragma once
// The values that the main window shows and edits. Every field is UTF-8 text, empty when
// the window is created. The two genre lists are not part of the form: they are read and set on
// the drop-down lists themselves (see GenreSelection).
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct TagForm {
  std::string v2Track, v2Title, v2Artist, v2Album, v2Year, v2Comment, v2Composer, v2OrigArtist,
      v2Copyright, v2Url, v2EncodedBy;
  std::string v1Track, v1Title, v1Artist, v1Album, v1Year, v1Comment;
  std::string inputFile, inputDir;
  std::string maskAuthor, maskTitle, maskStation, maskYear;
};

// The 23 text fields, in the order of the data exchange (take and show use the same order).
enum class FormField {
  v2Album,
  inputFile,
  v2Track,
  v2Comment,
  v2Year,
  v2Composer,
  v2OrigArtist,
  v2Copyright,
  v2EncodedBy,
  v2Url,
  inputDir,
  maskAuthor,
  maskStation,
  maskTitle,
  maskYear,
  v2Title,
  v1Album,
  v1Year,
  v1Comment,
  v1Artist,
  v1Title,
  v1Track,
  v2Artist,
};
inline constexpr std::size_t kFormFieldCount = 23;

// The fields in exchange order.
extern const std::array<FormField, kFormFieldCount> kExchangeOrder;

// The field's name as written in code ("v2Title"); used by the CLI and as widget object names.
std::string_view FieldName(FormField field);
std::optional<FormField> FieldByName(std::string_view name);

std::string& FieldOf(TagForm& form, FormField field);
const std::string& FieldOf(const TagForm& form, FormField field);

// The ID3v2 year accepts at most this many characters when taken from its control.
inline constexpr std::size_t kV2YearLimit = 6;

// State of the ID3v2 genre drop-down list: the genre number of the selected entry, or the text
// typed into its edit field when that text matches no entry.
struct GenreSelection {
  std::optional<int> number;
  std::string typedText;
};

} // namespace velmora
