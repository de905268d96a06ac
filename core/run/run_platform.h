#pragma once
// The window's platform for a run over many plays, where no one sits at each step: the controls
// are an in-memory copy, a message box is kept as the file's failure instead of shown, the choice
// among records answers the row chosen for the play, and the progress of a file's copy is passed
// on as its share of the whole run.
#include <functional>
#include <string>
#include <vector>

#include "core/model/window_platform.h"

namespace velmora {

class RunPlatform : public WindowPlatform {
public:
  // copyPercent gets each file's copy progress (0 to 100).
  explicit RunPlatform(std::function<void(int)> copyPercent = {});

  void AnswerChoiceWith(int row) { chosenRow_ = row; }
  // The texts of the boxes shown since the last call.
  std::vector<std::string> TakeMessages();

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                            MessageButtons buttons) override;
  std::string ControlText(FormField field) override;
  void SetControlText(FormField field, const std::string& text) override;
  void FocusControl(FormField) override {}
  void ShowCoverPicture(const TagPicture*) override {}
  GenreSelection SelectedV2Genre() override;
  std::optional<std::string> AskSaveTarget(const std::string&, const std::string&) override {
    return std::nullopt; // a run names its targets itself
  }
  void ShowProgress(bool) override {}
  void SetProgress(int percent) override;
  bool PumpEvents() override { return true; } // a started file is finished
  void SetClipboardText(const std::string&) override {}
  ClipboardText ReadClipboardText() override { return {}; }
  int ChooseRecord(const std::vector<ResultRow>&, int) override { return chosenRow_; }
  void SetSpinnerText(const std::string&) override {}
  void StartSpinnerTimer() override {}
  void StopSpinnerTimer() override {}
  void PostToWindowThread(std::function<void()> fn) override { fn(); }
  std::vector<std::string> ListedFiles() override { return {}; }
  bool ConfirmParts(const PartsConfirmation&) override { return true; }

private:
  std::function<void(int)> copyPercent_;
  std::vector<std::string> controls_;
  std::vector<std::string> messages_;
  int chosenRow_ = -1;
};

} // namespace velmora
