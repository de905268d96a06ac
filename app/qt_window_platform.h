#pragma once
// The platform of the window's logic, done with Qt: message boxes, the controls' texts (UTF-8
// both in the widgets and in the core), the save dialog, the progress bar with the event pump,
// the clipboard, the choice dialog, the spinner and the hand-over to the window's thread. It works
// on the window's controls; the modal dialogs go through ModalDialogs.
#include <functional>

#include <QTimer>

#include "core/model/window_platform.h"
#include "modal_dialogs.h"

struct MainDialogWidgets;
class QWidget;

class QtWindowPlatform : public velmora::WindowPlatform {
public:
  // window parents the dialogs and receives what is posted to its thread; spinnerTick runs
  // every 300 ms while the spinner timer runs.
  QtWindowPlatform(QWidget& window, const MainDialogWidgets& widgets,
                   std::function<void()> spinnerTick);

  // The real dialogs at first; tests answer them through their own.
  void UseDialogs(ModalDialogs& dialogs) { dialogs_ = &dialogs; }
  // The same dialogs for the window's own commands.
  ModalDialogs& dialogs() { return *dialogs_; }

  // The user confirmed leaving: a running copy ends at its next event pump.
  void RequestQuit() { quitRequested_ = true; }

  velmora::MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                     velmora::MessageIcon icon,
                                     velmora::MessageButtons buttons) override;
  std::string ControlText(velmora::FormField field) override;
  void SetControlText(velmora::FormField field, const std::string& text) override;
  void FocusControl(velmora::FormField field) override;
  velmora::GenreSelection SelectedV2Genre() override;
  void ShowCoverPicture(const velmora::TagPicture* picture) override;
  std::optional<std::string> AskSaveTarget(const std::string& initialDir,
                                           const std::string& proposedName) override;
  void ShowProgress(bool visible) override;
  void SetProgress(int percent) override;
  bool PumpEvents() override;
  void SetClipboardText(const std::string& text) override;
  velmora::ClipboardText ReadClipboardText() override;
  std::optional<std::string> ReadClipboardHtml() override;
  int ChooseRecord(const std::vector<velmora::ResultRow>& rows, int preselected) override;
  void SetSpinnerText(const std::string& text) override;
  void StartSpinnerTimer() override;
  void StopSpinnerTimer() override;
  void PostToWindowThread(std::function<void()> fn) override;
  void ShowStatus(const std::string& text) override;
  std::vector<std::string> ListedFiles() override;
  bool ConfirmParts(const velmora::PartsConfirmation& confirmation) override;

private:
  QWidget& window_;
  const MainDialogWidgets& widgets_;
  QtModalDialogs qtDialogs_;
  ModalDialogs* dialogs_ = &qtDialogs_;
  QTimer spinnerTimer_;
  bool quitRequested_ = false;
};
