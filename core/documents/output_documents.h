#pragma once
// The documents of the update command: the proposed file name, the description text file and the
// upload info. Template and description files are UTF-8 (Windows-1252 accepted); the texts here
// are Windows-1252.
#include <optional>
#include <string>

#include "core/documents/templates.h"

namespace velmora {

inline constexpr const char* kFileNameTemplate = "FileNameVorlage.txt";
inline constexpr const char* kDescriptionTemplate = "BeschreibungVorlage.txt";

// workDir/FileNameVorlage.txt: snapshot, comment lines, trim, markers, "/" -> stationSeparator.
// nullopt when the template cannot be read.
std::optional<std::string> ExpandFileNameTemplate(const std::string& workDir,
                                                  const TemplateFields& fields,
                                                  TemplateClock& clock,
                                                  const std::string& stationSeparator);

// workDir/BeschreibungVorlage.txt expanded into outputDirPath + fileNameTemplateText + ".txt".
// Silent: a missing template or an unwritable file writes nothing. The path written (native), or
// nullopt when nothing was.
std::optional<std::string> WriteDescriptionFile(const std::string& workDir,
                                                const std::string& outputDirPath,
                                                const std::string& fileNameTemplateText,
                                                const TemplateFields& fields, TemplateClock& clock);

// "Uploadinfo: %s".
std::string UploadInfoText(const std::string& fileNameTemplateText);

} // namespace velmora
