#pragma once
// The window's modal dialogs and the player launch, answered without opening them. The GUI tests
// install one so that no test waits on a modal dialog; while one is installed every dialog goes
// through it, and a hook that is not set gives the cancelling answer.
#include <functional>
#include <optional>

#include <QString>

#include "core/model/window_platform.h"

class CHoerdatResultDlg;
class PartsConfirmDlg;

struct DialogResponder {
  std::function<velmora::MessageAnswer(const QString& text, const QString& caption,
                                       velmora::MessageIcon icon, velmora::MessageButtons buttons)>
      message;
  // Initial directory and proposed name of the save dialog; the chosen path or nullopt.
  std::function<std::optional<QString>(const QString& initialDir, const QString& proposedName)>
      saveTarget;
  // Title and preselected folder of the directory chooser; the chosen folder or nullopt.
  std::function<std::optional<QString>(const QString& title, const QString& folder)> directory;
  // Drives the shown, not yet modal, choice dialog and returns its selectedIndex().
  std::function<int(CHoerdatResultDlg& dialog)> choice;
  // Reads the shown, not yet modal, confirmation of all parts; true for OK.
  std::function<bool(PartsConfirmDlg& dialog)> confirmParts;
  // The file that a double click would open with the desktop's player.
  std::function<void(const QString& path)> play;
};
