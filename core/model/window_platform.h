#pragma once
// What the window's logic needs from the platform. The Qt window, the command-line companion and
// the tests' fakes implement it. All texts are UTF-8; paths are native paths (UTF-8 here, but a
// name need not be valid UTF-8).
#include <optional>
#include <string>
#include <vector>

#include "core/io/copy_progress.h"
#include "core/model/part_target.h"
#include "core/model/result_row.h"
#include "core/model/tag_form.h"
#include "core/model/window_thread.h"
#include "core/tags/tag_picture.h"

namespace velmora {

enum class MessageIcon { None, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct ClipboardText {
  enum class Status { Ok, CannotOpen, Empty } status = Status::Empty;
  std::string text;
};

class WindowPlatform : public CopyProgress, public WindowThreadExecutor {
public:
  ~WindowPlatform() override = default;

  // A modal message box; returns the button pressed.
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons) = 0;

  // The data exchange: the core walks the fields in exchange order and checks the year; the
  // platform only reads and writes one control's text.
  virtual std::string ControlText(FormField field) = 0;
  virtual void SetControlText(FormField field, const std::string& text) = 0;
  virtual void FocusControl(FormField field) = 0;

  // The loaded tag's cover beside the ID3v2 fields; nullptr hides it.
  virtual void ShowCoverPicture(const TagPicture* picture) = 0;

  // The ID3v2 genre drop-down list.
  virtual GenreSelection SelectedV2Genre() = 0;

  // The save dialog: initial directory, proposed file name, default suffix "mp3", confirmation
  // before an existing file is overwritten, no filter. nullopt when the user cancelled.
  virtual std::optional<std::string> AskSaveTarget(const std::string& initialDir,
                                                   const std::string& proposedName) = 0;

  // ShowProgress, SetProgress and PumpEvents (CopyProgress): the progress bar of the file copy
  // and the event pump that keeps the window alive while a large file is copied.

  // Plain text on the clipboard, replacing whatever it held; and the clipboard's text.
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual ClipboardText ReadClipboardText() = 0;
  // The clipboard's HTML beside its text (browsers put both); nullopt when it holds none. Platforms
  // without one have none.
  virtual std::optional<std::string> ReadClipboardHtml() { return std::nullopt; }

  // The choice among several Hördat records (of a search or of a page); the row chosen with OK,
  // Return or a double click, -1 for "Abbrechen", Escape or the close box. preselected is the
  // row highlighted at the start, -1 for none.
  virtual int ChooseRecord(const std::vector<ResultRow>& rows, int preselected) = 0;

  // The spinner beside the search button: its text, and the 300 ms timer that calls
  // VelmoraLogic::OnSpinnerTick while a search runs.
  virtual void SetSpinnerText(const std::string& text) = 0;
  virtual void StartSpinnerTimer() = 0;
  virtual void StopSpinnerTimer() = 0;

  // PostToWindowThread (WindowThreadExecutor): how a download's completion reaches the window.

  // The status line at the bottom of the window: what the last command did or why it failed,
  // beside the message boxes. Platforms without one ignore it.
  virtual void ShowStatus(const std::string& /*text*/) {}

  // The files of the file list, in the list's order (native paths).
  virtual std::vector<std::string> ListedFiles() = 0;

  // The one confirmation of the update of all parts of a play: each part's source and target,
  // the missing parts and the files left alone; true for "OK", false for "Abbrechen", Escape or
  // the close box.
  virtual bool ConfirmParts(const PartsConfirmation& confirmation) = 0;
};

} // namespace velmora
