#pragma once
// A scripted WindowPlatform for tests of the window's logic: controls held in a map, message
// boxes recorded, the save dialog, the clipboard, the choice among records, the spinner and a
// queue for what is posted to the window's thread.
#include <algorithm>
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
  std::string text, caption;
  MessageIcon icon;
  MessageButtons buttons;
};

struct SaveRequest {
  std::string initialDir, proposedName; // UTF-8
};

class FakePlatform : public WindowPlatform {
public:
  // Message boxes, recorded and answered with the first button; their texts and captions.
  std::vector<RecordedMessage> messages;
  std::vector<std::string> MessageTexts() const { return Each(&RecordedMessage::text); }
  std::vector<std::string> Captions() const { return Each(&RecordedMessage::caption); }

  std::map<FormField, std::string> controls;
  std::optional<FormField> focused;
  GenreSelection v2Genre{101, {}};
  std::optional<TagPicture> cover; // the cover beside the ID3v2 fields
  void Type(FormField field, const std::string& text) { controls[field] = text; }

  std::optional<std::string> saveAnswer; // nullopt: the save dialog is cancelled
  std::vector<SaveRequest> saveRequests;

  bool progressVisible = false;
  bool quitRequested = false;         // PumpEvents answers false
  std::function<void()> onPumpEvents; // handlers that run while events are pumped

  std::vector<std::string> clipboardWrites;
  ClipboardText clipboard; // what ReadClipboardText returns
  std::optional<std::string> clipboardHtml;
  std::vector<std::string> statuses;

  int chosenRow = -1; // the answer to every choice among records
  std::vector<std::vector<ResultRow>> choiceRequests;
  std::vector<int> preselections; // the row highlighted at the start of each choice

  bool spinnerTimerRunning = false;
  int spinnerTimerStarts = 0;

  std::vector<std::string> listedFiles; // native paths
  bool confirmParts = true;
  std::function<void()> onConfirmParts; // what another program does while the user confirms
  std::vector<PartsConfirmation> partConfirmations;

  // Posted functions wait in a queue for the test: RunPosted runs them (and what they post);
  // WaitAndRunPosted first waits for one, false on timeout.
  int RunPosted();
  bool WaitAndRunPosted(std::chrono::milliseconds timeout = std::chrono::seconds(30));

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  }
  std::string ControlText(FormField field) override { return controls[field]; }
  void SetControlText(FormField field, const std::string& text) override { Type(field, text); }
  void FocusControl(FormField field) override { focused = field; }
  GenreSelection SelectedV2Genre() override { return v2Genre; }
  void ShowCoverPicture(const TagPicture* picture) override {
    cover = picture ? std::optional<TagPicture>(*picture) : std::nullopt;
  }
  std::optional<std::string> AskSaveTarget(const std::string& initialDir,
                                           const std::string& proposedName) override {
    saveRequests.push_back({initialDir, proposedName});
    return saveAnswer;
  }
  void ShowProgress(bool visible) override { progressVisible = visible; }
  void SetProgress(int) override {}
  bool PumpEvents() override {
    if (onPumpEvents) onPumpEvents();
    return !quitRequested;
  }
  void SetClipboardText(const std::string& text) override { clipboardWrites.push_back(text); }
  ClipboardText ReadClipboardText() override { return clipboard; }
  std::optional<std::string> ReadClipboardHtml() override { return clipboardHtml; }
  int ChooseRecord(const std::vector<ResultRow>& rows, int preselected) override {
    preselections.push_back(preselected);
    choiceRequests.push_back(rows);
    return chosenRow;
  }
  void SetSpinnerText(const std::string&) override {}
  void StartSpinnerTimer() override {
    spinnerTimerRunning = true;
    ++spinnerTimerStarts;
  }
  void StopSpinnerTimer() override { spinnerTimerRunning = false; }
  void PostToWindowThread(std::function<void()> fn) override;
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  std::vector<std::string> ListedFiles() override { return listedFiles; }
  bool ConfirmParts(const PartsConfirmation& confirmation) override {
    if (onConfirmParts) onConfirmParts();
    partConfirmations.push_back(confirmation);
    return confirmParts;
  }

private:
  std::vector<std::string> Each(std::string RecordedMessage::*member) const {
    std::vector<std::string> texts(messages.size());
    std::ranges::transform(messages, texts.begin(), member);
    return texts;
  }

  std::mutex postedMutex_;
  std::condition_variable postedSignal_;
  std::deque<std::function<void()>> posted_;
};

} // namespace velmora::test
