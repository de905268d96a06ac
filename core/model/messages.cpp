#include "core/model/messages.h"

#include <string_view>

#include "core/text/encoding.h"

namespace velmora::messages {

namespace {

// "Das File "<path>" <rest>"
std::string AboutFile(const std::string& path, std::string_view restUtf8) {
  return std::string("Das File \"") + ValidUtf8(path) + "\" " + std::string(restUtf8);
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

// The file's name without its folder, quoted as the messages quote names.
std::string QuotedName(const std::string& path) {
  return ValidUtf8("„" + path.substr(path.rfind('/') + 1) + "“");
}

} // namespace

std::string CannotOpenFile(const std::string& path) {
  return AboutFile(path, "kann nicht geöffnet werden!");
}
std::string NotMpegFile(const std::string& path) {
  return AboutFile(path, "ist kein mp2/mp3-File!");
}
std::string NotARegularFile(const std::string& path) {
  return AboutFile(path, "ist keine Datei, sondern ein Ordner, ein Gerät oder eine Pipe. Bitte "
                         "eine mp2/mp3-Datei wählen.");
}
std::string CannotWriteFile(const std::string& path) {
  return AboutFile(path, "kann nicht geschrieben werden!");
}
std::string DamagedTag(const std::string& path) {
  return AboutFile(path, "hat einen beschädigten ID3v2-Tag!");
}
std::string FileNameTooLong(std::size_t bytes, std::size_t limit) {
  return std::string("Der Dateiname ist mit " + std::to_string(bytes) +
                     " Bytes zu lang; erlaubt sind " + std::to_string(limit) +
                     ". Bitte einen kürzeren Namen wählen oder FileNameVorlage.txt kürzen.");
}
std::string SourceChanged(const std::string& path) {
  return AboutFile(path, "wurde von einem anderen Programm verändert, seit Velmora es gelesen hat. "
                         "Es wurde nichts geschrieben; bitte die Datei neu laden und noch einmal "
                         "aktualisieren.");
}
std::string FileBusy(const std::string& path) {
  return AboutFile(path, "wird gerade von einer anderen Aktualisierung geschrieben. Es wurde "
                         "nichts geschrieben; bitte warten, bis sie fertig ist, die Datei neu "
                         "laden und noch einmal aktualisieren.");
}
std::string InterruptedWriteNotRepaired(const std::string& path) {
  return AboutFile(path, "wurde beim letzten Schreiben unterbrochen und konnte noch nicht "
                         "wiederhergestellt werden. Das Journal daneben (\".velmora-journal\") "
                         "bleibt erhalten; bitte Schreibrechte und freien Platz prüfen und die "
                         "Datei neu laden.");
}
std::string DescriptionNotWritten(const std::string& path) {
  return std::string("Die Beschreibungsdatei \"") + ValidUtf8(path) +
         std::string("\" konnte nicht geschrieben werden; die Audiodatei ist geschrieben. "
                     "Bitte Schreibrechte und freien Platz im Ausgabeordner prüfen.");
}
std::string CannotReplaceFile(const std::string& path) {
  return AboutFile(path, "kann nicht ersetzt werden!");
}
std::string CannotOpenTemporaryFile() {
  return std::string("Kann temporäres File nicht öffnen! \r\nOperation fehlgeschlagen");
}
std::string NoFileSelected() {
  return std::string("Sie müssen zuerst ein File auswählen!");
}
std::string YearTooLong() {
  return std::string("Bitte geben Sie nicht mehr als 6 Zeichen ein.");
}
std::string AllSearchFieldsEmpty() {
  return std::string("Alle Suchfelder sind leer!");
}
std::string ConnectionFailed() {
  return std::string("Connection to Server Failed");
}
std::string NoAnswerFrom(const std::string& address, HttpFailure failure) {
  std::string_view reason = "Übertragungsfehler";
  switch (failure) {
  case HttpFailure::BadAddress:
    reason = "die Adresse ist ungültig";
    break;
  case HttpFailure::UnknownHost:
    reason = "der Rechnername ist unbekannt";
    break;
  case HttpFailure::Refused:
    reason = "die Verbindung wurde abgelehnt";
    break;
  case HttpFailure::Timeout:
    reason = "keine Antwort in der vorgesehenen Zeit";
    break;
  case HttpFailure::Tls:
    reason = "die sichere Verbindung kam nicht zustande";
    break;
  case HttpFailure::TooManyRedirects:
    reason = "zu viele Weiterleitungen";
    break;
  case HttpFailure::None:
  case HttpFailure::Init:
  case HttpFailure::Other:
    break;
  }
  return ConnectionFailed() + "\n" + std::string("Keine Antwort von ") + address + " (" +
         std::string(reason) +
         std::string("). Bitte URL-HOERDAT und SCRIPT-HOERDAT in \"Tonfeld.ini\" und die "
                     "Netzverbindung prüfen.");
}
std::string NotAnAnswerFrom(const std::string& address, long status) {
  const std::string what = status >= 400 ? std::string("mit HTTP-Status ") + std::to_string(status)
                                         : std::string("nicht im Format der Hördat-Abfrage");
  return ConnectionFailed() + "\n" + std::string("Der Server antwortete ") + what +
         std::string(" (Adresse: ") + address + ").";
}
std::string SocketInitFailed() {
  return std::string("Fehler beim Initialisieren der Windows-Sockets.");
}
std::string ClipboardCannotOpen() {
  return std::string("Clipboard kann nicht geöffnet werden!");
}
std::string ClipboardEmptyOrInvalid() {
  return std::string("ClipBoard ist leer oder enthält ungültige Daten!");
}
std::string PageCannotBeRead(const std::string& path) {
  return AboutFile(path, "kann nicht gelesen werden!");
}
std::string PageIsNoFile(const std::string& path) {
  return AboutFile(path, "ist keine Datei (sondern ein Ordner oder ein Gerät) und wird nicht "
                         "als Hördat-Seite gelesen.");
}
std::string PageTooLarge(const std::string& path, int limitMegabytes) {
  return AboutFile(path, "ist größer als " + std::to_string(limitMegabytes) +
                             " MB und damit keine Hördat-Seite.");
}
std::string OutOfMemory() {
  return std::string("Nicht genügend Arbeitsspeicher verfügbar!");
}
std::string TagTooLarge() {
  return std::string("Der neue ID3v2-Tag wäre größer als die 256 MB, die ein Tag haben kann. "
                     "Es wurde nichts geschrieben.");
}
namespace {

std::string IdList(const std::vector<std::string>& ids) {
  std::string list;
  for (const std::string& id : ids)
    list += (list.empty() ? "" : ", ") + id;
  return list;
}

} // namespace

std::string FramesLeftOut(const std::vector<std::string>& ids) {
  return std::string("Diese Frames des alten Tags ließen sich nicht in den neuen Tag übernehmen "
                     "und fehlen darin: ") +
         IdList(ids);
}
std::string FramesNotUnpacked(const std::vector<std::string>& ids) {
  return std::string("Diese gepackten Frames des Tags lassen sich nicht entpacken und wurden "
                     "übergangen: ") +
         IdList(ids);
}

std::string UpdatedStatus(const std::string& targetPath,
                          const std::optional<std::string>& descriptionPath, bool uploadInfo) {
  std::string text = std::string("Geschrieben: ") + ValidUtf8(targetPath);
  // The description lies beside the written file: its name says enough.
  if (descriptionPath)
    text += std::string(" · Beschreibung: ") +
            ValidUtf8(descriptionPath->substr(descriptionPath->rfind('/') + 1));
  if (uploadInfo) text += std::string(" · Uploadinfo in der Zwischenablage");
  return text;
}
std::string NotUpdatedStatus(const std::string& targetPath, const std::string& failureText) {
  return std::string("Nicht aktualisiert: ") +
         (failureText.empty() ? AboutFile(targetPath, "wurde nicht geschrieben.")
                              : OneLine(failureText));
}
std::string FailureStatus(const std::string& failureText) {
  return std::string("Fehler: ") + OneLine(failureText);
}
std::string NotListedStatus(const std::vector<std::string>& paths) {
  std::string text = std::string("Nicht in die Liste übernommen (nur Dateien auf .mp3): ");
  for (std::size_t i = 0; i < paths.size(); ++i)
    text += (i == 0 ? "" : ", ") + ValidUtf8(paths[i]);
  return text;
}
std::string NoSettingsStatus(const std::string& settingsPath) {
  return std::string("Keine Einstellungen in \"") + ValidUtf8(settingsPath) +
         std::string("\", es gelten die Voreinstellungen. Die Demo-Arbeitsumgebung öffnet "
                     "./scripts/run.sh im Quellverzeichnis von Velmora.");
}

std::string NoOtherParts() {
  return std::string("Die Liste enthält keine weiteren Teile dieses Hörspiels: Dateien mit "
                     "gleichem Autor, Titel und Sender und gleicher Teilezahl (wie „1v3“, "
                     "„2v3“, „3v3“).");
}
std::string PartsShareTarget(const std::string& targetPath) {
  return std::string("Mehrere Teile bekämen denselben Namen \"") + ValidUtf8(targetPath) +
         std::string("\". Es wurde nichts geschrieben.\r\nBitte nehmen Sie Titel oder "
                     "Titelnummer in die FileNameVorlage.txt auf.");
}
std::string PartTargetIsOtherSource(const std::string& targetPath) {
  return std::string("Der Name \"") + ValidUtf8(targetPath) +
         std::string("\" ist die Quelle eines anderen Teils, die überschrieben würde, bevor "
                     "sie gelesen ist. Es wurde nichts geschrieben.");
}
std::string FailedPart(int partNumber, const std::string& sourcePath, const std::string& text) {
  return "Teil " + std::to_string(partNumber) + " (" +
         ValidUtf8(sourcePath.substr(sourcePath.rfind('/') + 1)) + "): " + OneLine(text);
}
std::string PartsWritten(std::size_t written, std::size_t total,
                         const std::vector<std::string>& failedParts) {
  if (failedParts.empty()) return PartsWrittenStatus(written, total);
  std::string text = PartsWrittenStatus(written, total) + "\r\n\r\nNicht geschrieben:";
  for (const std::string& part : failedParts)
    text += "\r\n" + part;
  return text;
}
std::string PartsWrittenStatus(std::size_t written, std::size_t total) {
  if (written == total) return std::to_string(written) + " Teile geschrieben.";
  return std::to_string(written) + " von " + std::to_string(total) + " Teilen geschrieben.";
}
std::string MissingParts(const std::vector<int>& numbers, int partCount) {
  std::string list;
  for (std::size_t i = 0; i < numbers.size(); ++i)
    list += (i == 0 ? "" : i + 1 == numbers.size() ? " und " : ", ") + std::to_string(numbers[i]);
  return "Es fehl" + std::string(numbers.size() == 1 ? "t" : "en") + " Teil " + list + " von " +
         std::to_string(partCount) + ".";
}

std::string NameOutsideHabit() {
  return std::string("Der Name folgt nicht dem Muster „Autor - Titel 1v3 - Sender, Jahr“; "
                     "bitte die Datei so benennen, damit sie einem Hörspiel zugeordnet wird.");
}
std::string PartBeyondCount(const std::string& designation) {
  return std::string("Die Teilangabe „") + designation +
         std::string("“ nennt einen Teil über der Teilezahl; bitte die Teilangabe im Namen "
                     "berichtigen.");
}
std::string SecondFileForPart(int partNumber, const std::string& otherPath) {
  const std::string part =
      partNumber == 0 ? std::string("dieses Hörspiel") : "Teil " + std::to_string(partNumber);
  return std::string("Eine zweite Datei für " + part + " neben ") + QuotedName(otherPath) +
         std::string("; bitte eine der beiden umbenennen oder entfernen.");
}
std::string LinkToOtherPart(const std::string& otherPath) {
  return std::string("Ein Verweis auf ") + QuotedName(otherPath) +
         std::string(", die Datei eines anderen Teils; bitte den Verweis entfernen und den "
                     "fehlenden Teil selbst ablegen.");
}
std::string CollectionCancelled() {
  return std::string("Das Lesen der Sammlung wurde abgebrochen.");
}
std::string CollectionStatus(std::size_t plays, std::size_t strayFiles) {
  return std::string(std::to_string(plays) + (plays == 1 ? " Hörspiel" : " Hörspiele") + ", " +
                     std::to_string(strayFiles) + (strayFiles == 1 ? " Datei" : " Dateien") +
                     " ohne Hörspiel.");
}
std::string CatalogueWritten(const std::string& path, std::size_t plays) {
  return ValidUtf8("Katalog mit " + std::to_string(plays) + " Hörspielen gespeichert: " + path);
}
std::string CannotWriteCatalogue(const std::string& path) {
  return ValidUtf8("Der Katalog \"" + path +
                   "\" kann nicht geschrieben werden! Bitte einen anderen Ort wählen.");
}
std::string UnknownCatalogueFormat(const std::string& path) {
  return ValidUtf8("Der Katalog \"" + path +
                   "\" braucht die Endung .csv oder .html; bitte den Namen so wählen.");
}

std::string LeaveProgram() {
  return "Programm verlassen ?";
}
std::string AboutCaption() {
  return std::string("Info über Velmora");
}
std::string AboutVelmora(const std::string& version) {
  return std::string("Velmora " + version +
                     "\n\nID3-Tag-Editor für Hörspielsammlungen:\nDateiliste, ID3v2- und "
                     "ID3v1-Felder, Hördat-Suche und Aktualisieren.");
}
std::string UnexpectedError(const std::string& what) {
  return std::string("Ein unerwarteter Fehler ist aufgetreten (") + what +
         "). Velmora wird beendet.";
}

std::string NoSuchRow(std::size_t rowCount, int row) {
  return std::string("Die Suche fand " + std::to_string(rowCount) + " Einträge (Zeilen 0 bis " +
                     std::to_string(rowCount - 1) + "); eine Zeile " + std::to_string(row) +
                     " gibt es nicht.");
}

std::string NoHoerdatEntryOnClipboard() {
  return std::string("Die Zwischenablage enthält keinen Hördat-Eintrag.");
}

std::string RunOneHit() {
  return std::string("ein Treffer");
}
std::string RunOnePlayInParts(int hits) {
  return std::string(std::to_string(hits) +
                     " Treffer, alle dasselbe Hörspiel: der Eintrag seines ersten Teils");
}
std::string RunSeveralPlays(int hits) {
  return std::string(std::to_string(hits) +
                     " Treffer für verschiedene Hörspiele: bitte einen wählen oder überspringen");
}
std::string RunNoHit() {
  return std::string("kein Treffer bei Hördat: einzeln suchen oder überspringen");
}
std::string RunChosenByUser() {
  return std::string("von Hand gewählt");
}
std::string RunSkipped() {
  return std::string("übersprungen: wird nicht geschrieben");
}
std::string RunTooManyToChoose(int hits) {
  return std::string(std::to_string(hits) +
                     " Treffer sind zu viele für die Auswahl. Suchen Sie das Hörspiel einzeln "
                     "mit einer genaueren Maske.");
}
std::string RunNoSuchPlay(int id) {
  return std::string("Ein Hörspiel " + std::to_string(id) +
                     " gibt es in diesem Ordner nicht. \"plays\" zeigt die Nummern.");
}
std::string RunPlayNotLookedUp(int id) {
  return std::string("Hörspiel " + std::to_string(id) +
                     " wurde noch nicht nachgeschlagen. Schlagen Sie zuerst alle nach.");
}
std::string RunTargetExists(const std::string& path) {
  return std::string("Die Datei ") + QuotedName(path) +
         std::string(" gibt es schon; der Lauf überschreibt keine Datei, die er nicht selbst "
                     "geschrieben hat. Verschieben Sie sie und schreiben Sie erneut.");
}
std::string RunCannotKeepState(const std::string& path) {
  return ValidUtf8("Der Stand des Laufs kann nicht in \"" + path +
                   "\" gespeichert werden. Prüfen Sie den Ordner und den freien Platz; es "
                   "wurde nichts geschrieben.");
}
std::string RunNothingToUndo() {
  return std::string("Es gibt keinen Lauf, der rückgängig zu machen wäre.");
}
std::string RunCopyRemoved() {
  return std::string("Kopie entfernt");
}
std::string RunFileRestored() {
  return std::string("früherer Inhalt zurückgeschrieben");
}
std::string RunChangedSince(const std::string& path) {
  return std::string("Die Datei ") + QuotedName(path) +
         std::string(" wurde seit dem Lauf geändert und bleibt, wie sie ist.");
}
std::string RunCannotUndo(const std::string& path) {
  return std::string("Die Datei ") + QuotedName(path) +
         std::string(" konnte nicht zurückgeschrieben werden; sie ist, wie der Lauf sie "
                     "schrieb. Prüfen Sie die Rechte und versuchen Sie es erneut.");
}
std::string RunLookupStatus(std::size_t lookedUp, std::size_t chosen, std::size_t waiting) {
  return std::string(std::to_string(lookedUp) +
                     " Hörspiele nachgeschlagen: " + std::to_string(chosen) + " mit Eintrag, " +
                     std::to_string(waiting) + " warten auf Ihre Wahl.");
}
std::string RunConfirmCopies(std::size_t files, const std::string& folder) {
  return std::string(std::to_string(files) + " Dateien als Kopien mit den vorgeschlagenen " +
                     "Namen nach \"" + folder + "\" schreiben?");
}
std::string RunConfirmInPlace(std::size_t files) {
  return std::string(std::to_string(files) +
                     " Dateien in sich selbst schreiben (die Namen bleiben)? \"Letzten Lauf "
                     "rückgängig machen\" holt ihren früheren Inhalt zurück.");
}
std::string RunWritten(std::size_t written, std::size_t failed,
                       const std::vector<std::string>& failures) {
  std::string text = std::string(std::to_string(written) + " Dateien geschrieben, " +
                                 std::to_string(failed) + " fehlgeschlagen.");
  for (const std::string& line : failures)
    text += "\r\n" + line;
  return text;
}
std::string RunUndone(std::size_t undone, const std::vector<std::string>& leftAlone) {
  std::string text = std::string(std::to_string(undone) + " Dateien zurückgenommen.");
  for (const std::string& line : leftAlone)
    text += "\r\n" + line;
  return text;
}
std::string RunCancelled() {
  return std::string("Abgebrochen; ein neuer Start macht weiter, wo der Lauf aufhörte.");
}
std::string RunFileLine(const std::string& path, const std::string& text) {
  return QuotedName(path) + ": " + OneLine(text);
}

std::string RunProgressStatus(int percent, std::optional<long long> remainingSeconds) {
  std::string text = std::to_string(percent) + " %";
  if (remainingSeconds)
    text +=
        ", noch etwa " + (*remainingSeconds >= 120 ? std::to_string(*remainingSeconds / 60) + " min"
                                                   : std::to_string(*remainingSeconds) + " s");
  return text;
}
std::string RunFieldLabel(std::string_view fieldName) {
  static constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
      {"v2Title", "Titel"},
      {"v2Artist", "Künstler"},
      {"v2Album", "Album"},
      {"v2Year", "Jahr"},
      {"v2Comment", "Kommentar"},
      {"v2Composer", "Komponist"},
      {"v2OrigArtist", "Urspr. Künstler"},
      {"v2Copyright", "Copyright"},
      {"v2Track", "Track"}};
  for (const auto& [name, label] : kLabels)
    if (name == fieldName) return std::string(label);
  return std::string(fieldName);
}

} // namespace velmora::messages
