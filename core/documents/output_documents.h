#pragma once
// The documents of the update command: the proposed file name, the description text file and the
// upload info. Template and description files are UTF-8 (Windows-1252 accepted), as are the texts
// here.
#include <optional>
#include <string>

#include "core/documents/templates.h"

namespace velmora {

inline constexpr const char* kFileNameTemplate = "FileNameVorlage.txt";
inline constexpr const char* kDescriptionTemplate = "BeschreibungVorlage.txt";

// workDir/FileNameVorlage.txt: snapshot, comment lines, trim, markers with the values' control
// characters replaced, "/" -> stationSeparator, made a single file name.
// nullopt when the template cannot be read.
std::optional<std::string> ExpandFileNameTemplate(const std::string& workDir,
                                                  const TemplateFields& fields,
                                                  TemplateClock& clock,
                                                  const std::string& stationSeparator);

// workDir/BeschreibungVorlage.txt expanded into outputDirPath + fileNameTemplateText + ".txt",
// which is replaced whole or not at all. A missing template writes nothing and is no failure.
struct WrittenDescription {
  std::optional<std::string> path;   // the file written (native)
  std::optional<std::string> failed; // the file that could not be written (native)
};
WrittenDescription WriteDescriptionFile(const std::string& workDir,
                                        const std::string& outputDirPath,
                                        const std::string& fileNameTemplateText,
                                        const TemplateFields& fields, TemplateClock& clock);

// A proposed name made a single file name inside the output folder: every "/" still in it (a
// station separator holding one) becomes "_", and a name "." or ".." becomes "_".
std::string SafeFileName(std::string name);
// A value (from Hördat, a tag, a file name) for a file name: NUL and control characters become
// "_", so that no line break or terminal control reaches a name.
std::string WithoutControlCharacters(std::string value);

// "Uploadinfo: %s", on one line (line breaks become blanks).
std::string UploadInfoText(const std::string& fileNameTemplateText);

} // namespace velmora
