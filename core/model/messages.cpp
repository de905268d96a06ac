#include "core/model/messages.h"

#include <string_view>

#include "core/text/encoding.h"

namespace velmora::messages {

namespace {

// "Das File "<path>" <rest>"
std::string AboutFile(const std::string& path, std::string_view restUtf8) {
  return Utf8ToCp1252("Das File \"") + Utf8ToCp1252(path) + "\" " + Utf8ToCp1252(restUtf8);
}

// A message box text on one line: its line breaks become blanks.
std::string OneLine(std::string_view text) {
  std::string line;
  for (const char c : text) {
    const char shown = c == '\r' || c == '\n' ? ' ' : c;
    if (shown == ' ' && (line.empty() || line.back() == ' ')) continue;
    line += shown;
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

} // namespace

std::string CannotOpenFile(const std::string& path) {
  return AboutFile(path, "kann nicht geöffnet werden!");
}
std::string NotMpegFile(const std::string& path) {
  return AboutFile(path, "ist kein mp2/mp3-File!");
}
std::string CannotWriteFile(const std::string& path) {
  return AboutFile(path, "kann nicht geschrieben werden!");
}
std::string DamagedTag(const std::string& path) {
  return AboutFile(path, "hat einen beschädigten ID3v2-Tag!");
}
std::string CannotReplaceFile(const std::string& path) {
  return AboutFile(path, "kann nicht ersetzt werden!");
}
std::string CannotOpenTemporaryFile() {
  return Utf8ToCp1252("Kann temporäres File nicht öffnen! \r\nOperation fehlgeschlagen");
}
std::string CannotOpenForId3v1() {
  return Utf8ToCp1252("Kann File für ID3V1-Schreiben nicht öffnen! \r\nOperation fehlgeschlagen");
}
std::string NoFileSelected() {
  return Utf8ToCp1252("Sie müssen zuerst ein File auswählen!");
}
std::string YearTooLong() {
  return Utf8ToCp1252("Bitte geben Sie nicht mehr als 6 Zeichen ein.");
}
std::string AllSearchFieldsEmpty() {
  return Utf8ToCp1252("Alle Suchfelder sind leer!");
}
std::string ConnectionFailed() {
  return Utf8ToCp1252("Connection to Server Failed");
}
std::string ClipboardCannotOpen() {
  return Utf8ToCp1252("Clipboard kann nicht geöffnet werden!");
}
std::string ClipboardEmptyOrInvalid() {
  return Utf8ToCp1252("ClipBoard ist leer oder enthält ungültige Daten!");
}
std::string OutOfMemory() {
  return Utf8ToCp1252("Nicht genügend Arbeitsspeicher verfügbar!");
}

std::string UpdatedStatus(const std::string& targetPath,
                          const std::optional<std::string>& descriptionPath, bool uploadInfo) {
  std::string text = Utf8ToCp1252("Geschrieben: ") + Utf8ToCp1252(targetPath);
  // The description lies beside the written file: its name says enough.
  if (descriptionPath)
    text += Utf8ToCp1252(" · Beschreibung: ") +
            Utf8ToCp1252(descriptionPath->substr(descriptionPath->rfind('/') + 1));
  if (uploadInfo) text += Utf8ToCp1252(" · Uploadinfo in der Zwischenablage");
  return text;
}
std::string NotUpdatedStatus(const std::string& targetPath, const std::string& failureText) {
  return Utf8ToCp1252("Nicht aktualisiert: ") +
         (failureText.empty() ? AboutFile(targetPath, "wurde nicht geschrieben.")
                              : OneLine(failureText));
}
std::string FailureStatus(const std::string& failureText) {
  return Utf8ToCp1252("Fehler: ") + OneLine(failureText);
}
std::string NotListedStatus(const std::vector<std::string>& paths) {
  std::string text = Utf8ToCp1252("Nicht in die Liste übernommen (nur Dateien auf .mp3): ");
  for (std::size_t i = 0; i < paths.size(); ++i)
    text += (i == 0 ? "" : ", ") + Utf8ToCp1252(paths[i]);
  return text;
}
std::string NoSettingsStatus(const std::string& settingsPath) {
  return Utf8ToCp1252("Keine Einstellungen in \"") + Utf8ToCp1252(settingsPath) +
         Utf8ToCp1252("\", es gelten die Voreinstellungen. Die Demo-Arbeitsumgebung öffnet "
                      "./scripts/run.sh im Quellverzeichnis von Velmora.");
}

} // namespace velmora::messages
