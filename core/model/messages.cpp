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

// The file's name without its folder, in Windows-1252, quoted as the messages quote names.
std::string QuotedName(const std::string& path) {
  return Utf8ToCp1252("„" + path.substr(path.rfind('/') + 1) + "“");
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
  return Utf8ToCp1252("Der Dateiname ist mit " + std::to_string(bytes) +
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
  return Utf8ToCp1252("Die Beschreibungsdatei \"") + Utf8ToCp1252(path) +
         Utf8ToCp1252("\" konnte nicht geschrieben werden; die Audiodatei ist geschrieben. "
                      "Bitte Schreibrechte und freien Platz im Ausgabeordner prüfen.");
}
std::string CannotReplaceFile(const std::string& path) {
  return AboutFile(path, "kann nicht ersetzt werden!");
}
std::string CannotOpenTemporaryFile() {
  return Utf8ToCp1252("Kann temporäres File nicht öffnen! \r\nOperation fehlgeschlagen");
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
  return ConnectionFailed() + "\n" + Utf8ToCp1252("Keine Antwort von ") + address + " (" +
         Utf8ToCp1252(reason) +
         Utf8ToCp1252("). Bitte URL-HOERDAT und SCRIPT-HOERDAT in \"Tonfeld.ini\" und die "
                      "Netzverbindung prüfen.");
}
std::string NotAnAnswerFrom(const std::string& address, long status) {
  const std::string what = status >= 400 ? Utf8ToCp1252("mit HTTP-Status ") + std::to_string(status)
                                         : Utf8ToCp1252("nicht im Format der Hördat-Abfrage");
  return ConnectionFailed() + "\n" + Utf8ToCp1252("Der Server antwortete ") + what +
         Utf8ToCp1252(" (Adresse: ") + address + ").";
}
std::string SocketInitFailed() {
  return Utf8ToCp1252("Fehler beim Initialisieren der Windows-Sockets.");
}
std::string ClipboardCannotOpen() {
  return Utf8ToCp1252("Clipboard kann nicht geöffnet werden!");
}
std::string ClipboardEmptyOrInvalid() {
  return Utf8ToCp1252("ClipBoard ist leer oder enthält ungültige Daten!");
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
  return Utf8ToCp1252("Nicht genügend Arbeitsspeicher verfügbar!");
}
std::string TagTooLarge() {
  return Utf8ToCp1252("Der neue ID3v2-Tag wäre größer als die 256 MB, die ein Tag haben kann. "
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
  return Utf8ToCp1252("Diese Frames des alten Tags ließen sich nicht in den neuen Tag übernehmen "
                      "und fehlen darin: ") +
         IdList(ids);
}
std::string FramesNotUnpacked(const std::vector<std::string>& ids) {
  return Utf8ToCp1252("Diese gepackten Frames des Tags lassen sich nicht entpacken und wurden "
                      "übergangen: ") +
         IdList(ids);
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

std::string NoOtherParts() {
  return Utf8ToCp1252("Die Liste enthält keine weiteren Teile dieses Hörspiels: Dateien mit "
                      "gleichem Autor, Titel und Sender und gleicher Teilezahl (wie „1v3“, "
                      "„2v3“, „3v3“).");
}
std::string PartsShareTarget(const std::string& targetPath) {
  return Utf8ToCp1252("Mehrere Teile bekämen denselben Namen \"") + Utf8ToCp1252(targetPath) +
         Utf8ToCp1252("\". Es wurde nichts geschrieben.\r\nBitte nehmen Sie Titel oder "
                      "Titelnummer in die FileNameVorlage.txt auf.");
}
std::string PartTargetIsOtherSource(const std::string& targetPath) {
  return Utf8ToCp1252("Der Name \"") + Utf8ToCp1252(targetPath) +
         Utf8ToCp1252("\" ist die Quelle eines anderen Teils, die überschrieben würde, bevor "
                      "sie gelesen ist. Es wurde nichts geschrieben.");
}
std::string FailedPart(int partNumber, const std::string& sourcePath, const std::string& text) {
  return "Teil " + std::to_string(partNumber) + " (" +
         Utf8ToCp1252(sourcePath.substr(sourcePath.rfind('/') + 1)) + "): " + OneLine(text);
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
  return Utf8ToCp1252("Der Name folgt nicht dem Muster „Autor - Titel 1v3 - Sender, Jahr“; "
                      "bitte die Datei so benennen, damit sie einem Hörspiel zugeordnet wird.");
}
std::string PartBeyondCount(const std::string& designation) {
  return Utf8ToCp1252("Die Teilangabe „") + designation +
         Utf8ToCp1252("“ nennt einen Teil über der Teilezahl; bitte die Teilangabe im Namen "
                      "berichtigen.");
}
std::string SecondFileForPart(int partNumber, const std::string& otherPath) {
  const std::string part =
      partNumber == 0 ? std::string("dieses Hörspiel") : "Teil " + std::to_string(partNumber);
  return Utf8ToCp1252("Eine zweite Datei für " + part + " neben ") + QuotedName(otherPath) +
         Utf8ToCp1252("; bitte eine der beiden umbenennen oder entfernen.");
}
std::string LinkToOtherPart(const std::string& otherPath) {
  return Utf8ToCp1252("Ein Verweis auf ") + QuotedName(otherPath) +
         Utf8ToCp1252(", die Datei eines anderen Teils; bitte den Verweis entfernen und den "
                      "fehlenden Teil selbst ablegen.");
}
std::string CollectionCancelled() {
  return Utf8ToCp1252("Das Lesen der Sammlung wurde abgebrochen.");
}
std::string CollectionStatus(std::size_t plays, std::size_t strayFiles) {
  return Utf8ToCp1252(std::to_string(plays) + (plays == 1 ? " Hörspiel" : " Hörspiele") + ", " +
                      std::to_string(strayFiles) + (strayFiles == 1 ? " Datei" : " Dateien") +
                      " ohne Hörspiel.");
}
std::string CatalogueWritten(const std::string& path, std::size_t plays) {
  return Utf8ToCp1252("Katalog mit " + std::to_string(plays) + " Hörspielen gespeichert: " + path);
}
std::string CannotWriteCatalogue(const std::string& path) {
  return Utf8ToCp1252("Der Katalog \"" + path +
                      "\" kann nicht geschrieben werden! Bitte einen anderen Ort wählen.");
}
std::string UnknownCatalogueFormat(const std::string& path) {
  return Utf8ToCp1252("Der Katalog \"" + path +
                      "\" braucht die Endung .csv oder .html; bitte den Namen so wählen.");
}

std::string LeaveProgram() {
  return "Programm verlassen ?";
}
std::string AboutCaption() {
  return Utf8ToCp1252("Info über Velmora");
}
std::string AboutVelmora(const std::string& version) {
  return Utf8ToCp1252("Velmora " + version +
                      "\n\nID3-Tag-Editor für Hörspielsammlungen:\nDateiliste, ID3v2- und "
                      "ID3v1-Felder, Hördat-Suche und Aktualisieren.");
}
std::string UnexpectedError(const std::string& what) {
  return Utf8ToCp1252("Ein unerwarteter Fehler ist aufgetreten (") + what +
         "). Velmora wird beendet.";
}

std::string NoSuchRow(std::size_t rowCount, int row) {
  return Utf8ToCp1252("Die Suche fand " + std::to_string(rowCount) + " Einträge (Zeilen 0 bis " +
                      std::to_string(rowCount - 1) + "); eine Zeile " + std::to_string(row) +
                      " gibt es nicht.");
}

std::string NoHoerdatEntryOnClipboard() {
  return Utf8ToCp1252("Die Zwischenablage enthält keinen Hördat-Eintrag.");
}

std::string RunOneHit() {
  return Utf8ToCp1252("ein Treffer");
}
std::string RunOnePlayInParts(int hits) {
  return Utf8ToCp1252(std::to_string(hits) +
                      " Treffer, alle dasselbe Hörspiel: der Eintrag seines ersten Teils");
}
std::string RunSeveralPlays(int hits) {
  return Utf8ToCp1252(std::to_string(hits) +
                      " Treffer für verschiedene Hörspiele: bitte einen wählen oder überspringen");
}
std::string RunNoHit() {
  return Utf8ToCp1252("kein Treffer bei Hördat: einzeln suchen oder überspringen");
}
std::string RunChosenByUser() {
  return Utf8ToCp1252("von Hand gewählt");
}
std::string RunSkipped() {
  return Utf8ToCp1252("übersprungen: wird nicht geschrieben");
}
std::string RunTooManyToChoose(int hits) {
  return Utf8ToCp1252(std::to_string(hits) +
                      " Treffer sind zu viele für die Auswahl. Suchen Sie das Hörspiel einzeln "
                      "mit einer genaueren Maske.");
}
std::string RunNoSuchPlay(int id) {
  return Utf8ToCp1252("Ein Hörspiel " + std::to_string(id) +
                      " gibt es in diesem Ordner nicht. \"plays\" zeigt die Nummern.");
}
std::string RunPlayNotLookedUp(int id) {
  return Utf8ToCp1252("Hörspiel " + std::to_string(id) +
                      " wurde noch nicht nachgeschlagen. Schlagen Sie zuerst alle nach.");
}
std::string RunTargetExists(const std::string& path) {
  return Utf8ToCp1252("Die Datei ") + QuotedName(path) +
         Utf8ToCp1252(" gibt es schon; der Lauf überschreibt keine Datei, die er nicht selbst "
                      "geschrieben hat. Verschieben Sie sie und schreiben Sie erneut.");
}
std::string RunCannotKeepState(const std::string& path) {
  return Utf8ToCp1252("Der Stand des Laufs kann nicht in \"" + path +
                      "\" gespeichert werden. Prüfen Sie den Ordner und den freien Platz; es "
                      "wurde nichts geschrieben.");
}
std::string RunNothingToUndo() {
  return Utf8ToCp1252("Es gibt keinen Lauf, der rückgängig zu machen wäre.");
}
std::string RunCopyRemoved() {
  return Utf8ToCp1252("Kopie entfernt");
}
std::string RunFileRestored() {
  return Utf8ToCp1252("früherer Inhalt zurückgeschrieben");
}
std::string RunChangedSince(const std::string& path) {
  return Utf8ToCp1252("Die Datei ") + QuotedName(path) +
         Utf8ToCp1252(" wurde seit dem Lauf geändert und bleibt, wie sie ist.");
}
std::string RunCannotUndo(const std::string& path) {
  return Utf8ToCp1252("Die Datei ") + QuotedName(path) +
         Utf8ToCp1252(" konnte nicht zurückgeschrieben werden; sie ist, wie der Lauf sie "
                      "schrieb. Prüfen Sie die Rechte und versuchen Sie es erneut.");
}
std::string RunLookupStatus(std::size_t lookedUp, std::size_t chosen, std::size_t waiting) {
  return Utf8ToCp1252(std::to_string(lookedUp) +
                      " Hörspiele nachgeschlagen: " + std::to_string(chosen) + " mit Eintrag, " +
                      std::to_string(waiting) + " warten auf Ihre Wahl.");
}
std::string RunConfirmCopies(std::size_t files, const std::string& folder) {
  return Utf8ToCp1252(std::to_string(files) + " Dateien als Kopien mit den vorgeschlagenen " +
                      "Namen nach \"" + folder + "\" schreiben?");
}
std::string RunConfirmInPlace(std::size_t files) {
  return Utf8ToCp1252(std::to_string(files) +
                      " Dateien in sich selbst schreiben (die Namen bleiben)? \"Letzten Lauf "
                      "rückgängig machen\" holt ihren früheren Inhalt zurück.");
}
std::string RunWritten(std::size_t written, std::size_t failed,
                       const std::vector<std::string>& failures) {
  std::string text = Utf8ToCp1252(std::to_string(written) + " Dateien geschrieben, " +
                                  std::to_string(failed) + " fehlgeschlagen.");
  for (const std::string& line : failures)
    text += "\r\n" + line;
  return text;
}
std::string RunUndone(std::size_t undone, const std::vector<std::string>& leftAlone) {
  std::string text = Utf8ToCp1252(std::to_string(undone) + " Dateien zurückgenommen.");
  for (const std::string& line : leftAlone)
    text += "\r\n" + line;
  return text;
}
std::string RunCancelled() {
  return Utf8ToCp1252("Abgebrochen; ein neuer Start macht weiter, wo der Lauf aufhörte.");
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
    if (name == fieldName) return Utf8ToCp1252(label);
  return std::string(fieldName);
}

} // namespace velmora::messages
