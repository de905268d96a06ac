#include "core/documents/output_documents.h"
#include "core/documents/template_file.h"
#include "core/text/string_helpers.h"

namespace velmora {

std::optional<std::string> ExpandFileNameTemplate(const std::string& workDir,
                                                  const TemplateFields& fields,
                                                  TemplateClock& clock,
                                                  const std::string& stationSeparator) {
  std::optional<std::string> text = ReadTemplateFile(workDir + kFileNameTemplate);
  if (!text) return std::nullopt;
  StripCommentLines(*text);
  TrimText(*text);
  TemplateFields values = fields;
  for (std::string& value : values)
    value = WithoutControlCharacters(std::move(value));
  ExpandMarkers(*text, values, clock);
  // A co-production "A/B" must not become a directory; a text too long for the helper stays.
  ReplaceAll(*text, "/", stationSeparator);
  return SafeFileName(std::move(*text));
}

} // namespace velmora
