#include "core/documents/output_documents.h"
#include "core/documents/template_file.h"
#include "core/io/file_contents.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {

std::optional<std::string> WriteDescriptionFile(const std::string& workDir,
                                                const std::string& outputDirPath,
                                                const std::string& fileNameTemplateText,
                                                const TemplateFields& fields,
                                                TemplateClock& clock) {
  std::optional<std::string> text = ReadTemplateFile(workDir + kDescriptionTemplate);
  if (!text) return std::nullopt;
  TrimText(*text);
  StripCommentLines(*text);
  ExpandMarkers(*text, fields, clock);

  const std::string path = outputDirPath + Cp1252ToUtf8(fileNameTemplateText) + ".txt";
  // An optional document: a failure is not reported.
  if (!WriteWholeFile(path, Cp1252ToUtf8(*text))) return std::nullopt;
  return path;
}

} // namespace velmora
