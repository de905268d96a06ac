#pragma once
// A scripted WindowPlatform for tests of the window's logic: controls held in a map, message
// boxes recorded, the save dialog, the clipboard, the choice among records, the spinner and a
// queue for what is posted to the window's thread.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/model/window_platform.h"

namespace velmora::test {

struct RecordedMessage {
  std::string text, caption; // Windows-1252
  MessageIcon icon;
  MessageButtons buttons;
};

struct SaveRequest {
  std::string initialDir, proposedName; // UTF-8
};

class FakePlatform : public WindowPlatform {
public:
  // --- message boxes: recorded and answered with the first button ---
  std::vector<RecordedMessage> messages;
  // Texts and captions of the recorded messages, in order (for compact expectations).
  std::vector<std::string> MessageTexts() const;
  std::vector<std::string> Captions() const;

  // --- controls ---
  std::map<FormField, std::string> controls; // Windows-1252 texts
  std::optional<FormField> focused;
  GenreSelection v2Genre{101, {}};
  std::optional<TagPicture> cover; // the cover beside the ID3v2 fields
  void Type(FormField field, const std::string& text) { controls[field] = text; }

  // --- save dialog: answers saveAnswer; nullopt means cancel ---
  std::optional<std::string> saveAnswer;
  std::vector<SaveRequest> saveRequests;

  // --- progress and event pump ---
  bool progressVisible = false;
  int pumpCount = 0;
  bool quitRequested = false;         // PumpEvents answers false
  std::function<void()> onPumpEvents; // handlers that run while events are pumped

  // --- clipboard ---
  std::vector<std::string> clipboardWrites; // Windows-1252
  ClipboardText clipboard;                  // what ReadClipboardText returns
  std::optional<std::string> clipboardHtml; // Windows-1252

  // --- choice among records ---
  int chosenRow = -1;
  std::vector<std::vector<ResultRow>> choiceRequests;
  std::vector<int> preselections; // the row highlighted at the start of each choice

  // --- spinner ---
  std::vector<std::string> spinnerTexts;
  bool spinnerTimerRunning = false;
  int spinnerTimerStarts = 0;

  // --- status line ---
  std::vector<std::string> statuses; // Windows-1252

  // --- the file list and the confirmation of the update of all parts ---
  std::vector<std::string> listedFiles; // native paths
  bool confirmParts = true;
  std::vector<std::vector<PartTarget>> partConfirmations;

  // --- posted functions: queued until the test runs them ---
  // Runs what is queued now (and what those functions post); returns how many ran.
  int RunPosted();
  // Waits until something is posted or the timeout passes, then runs the queue; false on timeout.
  bool WaitAndRunPosted(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  std::size_t PostedCount() const;

  // WindowPlatform
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;
  std::string ControlText(FormField field) override;
  void SetControlText(FormField field, const std::string& text) override;
  void FocusControl(FormField field) override { focused = field; }
  GenreSelection SelectedV2Genre() override { return v2Genre; }
  void ShowCoverPicture(const TagPicture* picture) override {
    cover = picture ? std::optional<TagPicture>(*picture) : std::nullopt;
  }
  std::optional<std::string> AskSaveTarget(const std::string& initialDir,
                                           const std::string& proposedName) override;
  void ShowProgress(bool visible) override { progressVisible = visible; }
  void SetProgress(int) override {}
  bool PumpEvents() override;
  void SetClipboardText(const std::string& text) override { clipboardWrites.push_back(text); }
  ClipboardText ReadClipboardText() override { return clipboard; }
  std::optional<std::string> ReadClipboardHtml() override { return clipboardHtml; }
  int ChooseRecord(const std::vector<ResultRow>& rows, int preselected) override;
  void SetSpinnerText(const std::string& text) override { spinnerTexts.push_back(text); }
  void StartSpinnerTimer() override;
  void StopSpinnerTimer() override { spinnerTimerRunning = false; }
  void PostToWindowThread(std::function<void()> fn) override;
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  std::vector<std::string> ListedFiles() override { return listedFiles; }
  bool ConfirmParts(const std::vector<PartTarget>& parts) override {
    partConfirmations.push_back(parts);
    return confirmParts;
  }

private:
  mutable std::mutex postedMutex_;
  std::condition_variable postedSignal_;
  std::deque<std::function<void()>> posted_;
};

} // namespace velmora::test
