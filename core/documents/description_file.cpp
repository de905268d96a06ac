#include "core/documents/output_documents.h"
#include "core/documents/template_file.h"
#include "core/io/atomic_replace.h"
#include "core/text/string_helpers.h"

namespace velmora {

WrittenDescription WriteDescriptionFile(const std::string& workDir,
                                        const std::string& outputDirPath,
                                        const std::string& fileNameTemplateText,
                                        const TemplateFields& fields, TemplateClock& clock) {
  std::optional<std::string> text = ReadTemplateFile(workDir + kDescriptionTemplate);
  if (!text) return {};
  TrimText(*text);
  StripCommentLines(*text);
  ExpandMarkers(*text, fields, clock);

  const std::string path = outputDirPath + fileNameTemplateText + ".txt";
  // Replaced whole, so that a full disk leaves no empty or cut description behind.
  if (!ReplaceFileContents(path, *text)) return {std::nullopt, path};
  return {path, std::nullopt};
}

} // namespace velmora
