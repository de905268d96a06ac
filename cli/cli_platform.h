#pragma once
// The window's platform on a terminal: controls are an in-memory copy, message boxes go to
// stderr and are answered with their first button, the save dialog answers a scripted target,
// the clipboard text goes to stdout.
#include <condition_variable>
#include <deque>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/model/window_platform.h"

namespace velmora::cli {

class CliPlatform : public WindowPlatform {
public:
  CliPlatform(std::ostream& out, std::ostream& err);

  // True once a box with the caption "Fehler" or "Warnung" was shown, or MarkFailure was called.
  bool FailureShown() const { return failureShown_; }
  void MarkFailure() { failureShown_ = true; }
  std::size_t MessagesShown() const { return messagesShown_; }
  // True once a choice was answered by printing the hits, for want of a ROW.
  bool ChoiceListed() const { return choiceListed_; }

  void SelectV2Genre(GenreSelection genre) { v2Genre_ = std::move(genre); }
  // The save dialog's answer: the target (made absolute, ".mp3" added when its name has no
  // dot), or the proposed name in the offered directory when nullopt.
  void AnswerSaveDialogWith(std::optional<std::string> target) { saveTarget_ = std::move(target); }
  void AnswerChoiceWith(int row) { chosenRow_ = row; }
  // Puts a text on the clipboard without printing it (a page copied in a browser).
  void PutOnClipboard(std::string text) { clipboard_ = std::move(text); }
  // Runs the functions posted to the window's thread, waiting for more, until done() holds.
  void RunPostedUntil(const std::function<bool()>& done);

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;
  std::string ControlText(FormField field) override;
  void SetControlText(FormField field, const std::string& text) override;
  void FocusControl(FormField) override {}
  GenreSelection SelectedV2Genre() override { return v2Genre_; }
  void ShowCoverPicture(const TagPicture*) override {} // show lists the pictures
  std::optional<std::string> AskSaveTarget(const std::string& initialDir,
                                           const std::string& proposedName) override;
  void ShowProgress(bool) override {}
  void SetProgress(int) override {}
  bool PumpEvents() override { return true; }
  void SetClipboardText(const std::string& text) override;
  ClipboardText ReadClipboardText() override;
  int ChooseRecord(const std::vector<ResultRow>& rows, int preselected) override;
  void SetSpinnerText(const std::string&) override {}
  void StartSpinnerTimer() override {}
  void StopSpinnerTimer() override {}
  void PostToWindowThread(std::function<void()> fn) override;
  // The list is the input directory's audio files; the confirmation is answered with OK.
  std::vector<std::string> ListedFiles() override;
  bool ConfirmParts(const PartsConfirmation&) override { return true; }
  void UseInputDirectory(std::string dirPath) { inputDir_ = std::move(dirPath); }

private:
  std::ostream& out_;
  std::ostream& err_;
  bool failureShown_ = false;
  std::size_t messagesShown_ = 0;
  std::vector<std::string> controls_;
  GenreSelection v2Genre_;
  std::optional<std::string> saveTarget_;
  int chosenRow_ = -1;
  bool choiceListed_ = false;
  std::string clipboard_;
  std::string inputDir_; // ends in "/"

  std::mutex postedMutex_;
  std::condition_variable postedSignal_;
  std::deque<std::function<void()>> posted_;
};

} // namespace velmora::cli
