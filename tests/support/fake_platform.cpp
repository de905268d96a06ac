#include "support/fake_platform.h"

namespace velmora::test {

std::vector<std::string> FakePlatform::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : messages)
    texts.push_back(message.text);
  return texts;
}

std::vector<std::string> FakePlatform::Captions() const {
  std::vector<std::string> captions;
  for (const auto& message : messages)
    captions.push_back(message.caption);
  return captions;
}

MessageAnswer FakePlatform::ShowMessage(const std::string& text, const std::string& caption,
                                        MessageIcon icon, MessageButtons buttons) {
  messages.push_back({text, caption, icon, buttons});
  return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::string FakePlatform::ControlText(FormField field) {
  const auto it = controls.find(field);
  return it == controls.end() ? std::string() : it->second;
}

void FakePlatform::SetControlText(FormField field, const std::string& text) {
  controls[field] = text;
}

std::optional<std::string> FakePlatform::AskSaveTarget(const std::string& initialDir,
                                                       const std::string& proposedName) {
  saveRequests.push_back({initialDir, proposedName});
  return saveAnswer;
}

bool FakePlatform::PumpEvents() {
  ++pumpCount;
  if (onPumpEvents) onPumpEvents();
  return !quitRequested;
}

int FakePlatform::ChooseRecord(const std::vector<ResultRow>& rows, int preselected) {
  preselections.push_back(preselected);
  choiceRequests.push_back(rows);
  return chosenRow;
}

void FakePlatform::StartSpinnerTimer() {
  spinnerTimerRunning = true;
  ++spinnerTimerStarts;
}

void FakePlatform::PostToWindowThread(std::function<void()> fn) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(fn));
  }
  postedSignal_.notify_all();
}

int FakePlatform::RunPosted() {
  int ran = 0;
  for (;;) {
    std::function<void()> fn;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return ran;
      fn = std::move(posted_.front());
      posted_.pop_front();
    }
    fn();
    ++ran;
  }
}

bool FakePlatform::WaitAndRunPosted(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(postedMutex_);
    if (!postedSignal_.wait_for(lock, timeout, [this] { return !posted_.empty(); })) return false;
  }
  RunPosted();
  return true;
}

std::size_t FakePlatform::PostedCount() const {
  std::lock_guard lock(postedMutex_);
  return posted_.size();
}

} // namespace velmora::test
