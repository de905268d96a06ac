#include "core/model/tag_form.h"

namespace velmora {

const std::array<FormField, kFormFieldCount> kExchangeOrder = {
    FormField::v2Album,     FormField::inputFile,  FormField::v2Track,      FormField::v2Comment,
    FormField::v2Year,      FormField::v2Composer, FormField::v2OrigArtist, FormField::v2Copyright,
    FormField::v2EncodedBy, FormField::v2Url,      FormField::inputDir,     FormField::maskAuthor,
    FormField::maskStation, FormField::maskTitle,  FormField::maskYear,     FormField::v2Title,
    FormField::v1Album,     FormField::v1Year,     FormField::v1Comment,    FormField::v1Artist,
    FormField::v1Title,     FormField::v1Track,    FormField::v2Artist,
};

namespace {

struct FieldEntry {
  FormField field;
  std::string_view name;
  std::string TagForm::*member;
};

constexpr FieldEntry kFields[] = {
    {FormField::v2Album, "v2Album", &TagForm::v2Album},
    {FormField::inputFile, "inputFile", &TagForm::inputFile},
    {FormField::v2Track, "v2Track", &TagForm::v2Track},
    {FormField::v2Comment, "v2Comment", &TagForm::v2Comment},
    {FormField::v2Year, "v2Year", &TagForm::v2Year},
    {FormField::v2Composer, "v2Composer", &TagForm::v2Composer},
    {FormField::v2OrigArtist, "v2OrigArtist", &TagForm::v2OrigArtist},
    {FormField::v2Copyright, "v2Copyright", &TagForm::v2Copyright},
    {FormField::v2EncodedBy, "v2EncodedBy", &TagForm::v2EncodedBy},
    {FormField::v2Url, "v2Url", &TagForm::v2Url},
    {FormField::inputDir, "inputDir", &TagForm::inputDir},
    {FormField::maskAuthor, "maskAuthor", &TagForm::maskAuthor},
    {FormField::maskStation, "maskStation", &TagForm::maskStation},
    {FormField::maskTitle, "maskTitle", &TagForm::maskTitle},
    {FormField::maskYear, "maskYear", &TagForm::maskYear},
    {FormField::v2Title, "v2Title", &TagForm::v2Title},
    {FormField::v1Album, "v1Album", &TagForm::v1Album},
    {FormField::v1Year, "v1Year", &TagForm::v1Year},
    {FormField::v1Comment, "v1Comment", &TagForm::v1Comment},
    {FormField::v1Artist, "v1Artist", &TagForm::v1Artist},
    {FormField::v1Title, "v1Title", &TagForm::v1Title},
    {FormField::v1Track, "v1Track", &TagForm::v1Track},
    {FormField::v2Artist, "v2Artist", &TagForm::v2Artist},
};

// The table is listed in enum order, so a field's entry is found by its value.
const FieldEntry& EntryOf(FormField field) {
  return kFields[static_cast<std::size_t>(field)];
}

} // namespace

std::string_view FieldName(FormField field) {
  return EntryOf(field).name;
}

std::optional<FormField> FieldByName(std::string_view name) {
  for (const auto& entry : kFields)
    if (entry.name == name) return entry.field;
  return std::nullopt;
}

std::string& FieldOf(TagForm& form, FormField field) {
  return form.*EntryOf(field).member;
}
const std::string& FieldOf(const TagForm& form, FormField field) {
  return form.*EntryOf(field).member;
}

} // namespace velmora
