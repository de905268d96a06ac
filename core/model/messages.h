#pragma once
// Every text the core shows in a message box, in one place, as UTF-8. Paths are native paths; a
// byte of one that is not UTF-8 is shown as U+FFFD.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/http_failure.h"

namespace velmora::messages {

inline constexpr const char* kError = "Fehler";
inline constexpr const char* kWarning = "Warnung";
inline constexpr const char* kVelmora = "Velmora";

std::string CannotOpenFile(const std::string& path);
std::string NotMpegFile(const std::string& path);
// A folder, a device or a pipe under an audio file's name.
std::string NotARegularFile(const std::string& path);
std::string CannotWriteFile(const std::string& path);
std::string DamagedTag(const std::string& path);
std::string CannotReplaceFile(const std::string& path);
// Changed by another program since it was measured (at load, or before the confirmation of the
// parts), or while it was copied.
std::string SourceChanged(const std::string& path);
// Another update (another Velmora, say) writes the file right now.
std::string FileBusy(const std::string& path);
// A journal of an interrupted write stays because the file could not be repaired.
std::string InterruptedWriteNotRepaired(const std::string& path);
// The description file of a written file could not be written; none of it stays.
std::string DescriptionNotWritten(const std::string& path);
std::string FileNameTooLong(std::size_t bytes, std::size_t limit);
std::string CannotOpenTemporaryFile();
std::string NoFileSelected();
std::string YearTooLong();
std::string AllSearchFieldsEmpty();
std::string ConnectionFailed();
// "Connection to Server Failed" and, on a second line, what happened at the query address
// (as the settings give it): no answer at all, or an answer that is neither a
// record nor a message of the database.
std::string NoAnswerFrom(const std::string& address, HttpFailure failure);
std::string NotAnAnswerFrom(const std::string& address, long status);
std::string SocketInitFailed();
std::string ClipboardCannotOpen();
std::string ClipboardEmptyOrInvalid();
std::string OutOfMemory();
// The page file of an import: not readable, not a file, or larger than limitMegabytes.
std::string PageCannotBeRead(const std::string& path);
std::string PageIsNoFile(const std::string& path);
std::string PageTooLarge(const std::string& path, int limitMegabytes);
std::string TagTooLarge();
std::string FramesLeftOut(const std::vector<std::string>& ids);
// At load: compressed frames whose data do not decompress.
std::string FramesNotUnpacked(const std::vector<std::string>& ids);

// The status line at the bottom of the window: what the last update wrote (the description by its
// name, it lies beside the written file), or why it did not.
std::string UpdatedStatus(const std::string& targetPath,
                          const std::optional<std::string>& descriptionPath, bool uploadInfo);
// failureText is the message shown for the failure, empty when it is not known.
std::string NotUpdatedStatus(const std::string& targetPath, const std::string& failureText);
std::string FailureStatus(const std::string& failureText);
// Files given to the window that the list does not take (only names ending in ".mp3" are).
std::string NotListedStatus(const std::vector<std::string>& paths);
// Started where there is no settings file: where it would be read from, how the demo is opened.
std::string NoSettingsStatus(const std::string& settingsPath);

// The update of all parts of a play.
std::string NoOtherParts();
std::string PartsShareTarget(const std::string& targetPath);
std::string PartTargetIsOtherSource(const std::string& targetPath);
// "Teil N (name): text", a failed part in the summary.
std::string FailedPart(int partNumber, const std::string& sourcePath, const std::string& text);
// All written, or written of total with the failed parts below.
std::string PartsWritten(std::size_t written, std::size_t total,
                         const std::vector<std::string>& failedParts);
std::string PartsWrittenStatus(std::size_t written, std::size_t total);
// "Es fehlen Teil 2 und 4 von 5." for the confirmation of all parts.
std::string MissingParts(const std::vector<int>& numbers, int partCount);

// Why an audio file is no part of a play (paths native; other names the file kept instead).
std::string NameOutsideHabit();
std::string PartBeyondCount(const std::string& designation);
std::string SecondFileForPart(int partNumber, const std::string& otherPath);
std::string LinkToOtherPart(const std::string& otherPath);
// Reading a collection, and writing its catalogue.
std::string CollectionCancelled();
std::string CollectionStatus(std::size_t plays, std::size_t strayFiles);
std::string CatalogueWritten(const std::string& path, std::size_t plays);
std::string CannotWriteCatalogue(const std::string& path);
std::string UnknownCatalogueFormat(const std::string& path);
// The window's leave question (caption kWarning), its about box (caption AboutCaption()), and the
// last word of the window and the CLI when an error escaped every handler.
std::string LeaveProgram();
std::string AboutCaption();
std::string AboutVelmora(const std::string& version);
std::string UnexpectedError(const std::string& what);
// velmora-cli: a ROW beyond the hits of a search or a page.
std::string NoSuchRow(std::size_t rowCount, int row);

// A run over a collection: why a play got its record or waits for a choice, what writing and
// undoing did with a file, and the window's questions and summaries.
std::string RunOneHit();
std::string RunOnePlayInParts(int hits);
std::string RunSeveralPlays(int hits);
std::string RunNoHit();
std::string RunChosenByUser();
std::string RunSkipped();
std::string RunTooManyToChoose(int hits);
std::string RunNoSuchPlay(int id);
std::string RunPlayNotLookedUp(int id);
std::string RunTargetExists(const std::string& path);
std::string RunCannotKeepState(const std::string& path);
std::string RunNothingToUndo();
std::string RunCopyRemoved();
std::string RunFileRestored();
std::string RunChangedSince(const std::string& path);
std::string RunCannotUndo(const std::string& path);
std::string RunLookupStatus(std::size_t lookedUp, std::size_t chosen, std::size_t waiting);
std::string RunConfirmCopies(std::size_t files, const std::string& folder);
std::string RunConfirmInPlace(std::size_t files);
std::string RunWritten(std::size_t written, std::size_t failed,
                       const std::vector<std::string>& failures);
std::string RunUndone(std::size_t undone, const std::vector<std::string>& leftAlone);
std::string RunCancelled();
// The window's progress line of a run: done of total, and the time still to go when known.
std::string RunProgressStatus(int percent, std::optional<long long> remainingSeconds);
// The German label of a reviewed field, by its name in the form ("v2Title" -> "Titel").
std::string RunFieldLabel(std::string_view fieldName);
// "name: text", one file in a summary.
std::string RunFileLine(const std::string& path, const std::string& text);

// The clipboard holds neither a Hördat page of the older layout nor a play of today's.
std::string NoHoerdatEntryOnClipboard();

} // namespace velmora::messages
