#pragma once
// The window's modal dialogs and the player launch. The window opens the real ones
// (QtModalDialogs); the GUI tests answer them instead, so that no test waits on a modal dialog.
#include <optional>

#include <QString>

#include "core/model/window_platform.h"

class CHoerdatResultDlg;
class PartsConfirmDlg;
class QWidget;

class ModalDialogs {
public:
  virtual ~ModalDialogs() = default;
  virtual velmora::MessageAnswer Message(const QString& text, const QString& caption,
                                         velmora::MessageIcon icon,
                                         velmora::MessageButtons buttons) = 0;
  // The save dialog at initialDir with proposedName: the chosen path, nullopt when cancelled.
  virtual std::optional<QString> SaveTarget(const QString& initialDir,
                                            const QString& proposedName) = 0;
  // The save dialog of a collection's catalogue (HTML or CSV by the chosen name): the chosen path,
  // nullopt when cancelled.
  virtual std::optional<QString> CatalogueTarget(const QString& initialDir,
                                                 const QString& proposedName) = 0;
  // The directory chooser at folder: the chosen folder, nullopt when cancelled.
  virtual std::optional<QString> Directory(const QString& title, const QString& folder) = 0;
  // Runs the built choice dialog and returns its selectedIndex().
  virtual int ChooseRecord(CHoerdatResultDlg& choice) = 0;
  // Runs the built confirmation of all parts; true for OK.
  virtual bool ConfirmParts(PartsConfirmDlg& confirmation) = 0;
  // Opens the file with the desktop's player.
  virtual void Play(const QString& path) = 0;
};

// The real dialogs, modal over parent.
class QtModalDialogs : public ModalDialogs {
public:
  explicit QtModalDialogs(QWidget* parent) : parent_(parent) {}

  velmora::MessageAnswer Message(const QString& text, const QString& caption,
                                 velmora::MessageIcon icon,
                                 velmora::MessageButtons buttons) override;
  std::optional<QString> SaveTarget(const QString& initialDir,
                                    const QString& proposedName) override;
  std::optional<QString> CatalogueTarget(const QString& initialDir,
                                         const QString& proposedName) override;
  std::optional<QString> Directory(const QString& title, const QString& folder) override;
  int ChooseRecord(CHoerdatResultDlg& choice) override;
  bool ConfirmParts(PartsConfirmDlg& confirmation) override;
  void Play(const QString& path) override;

private:
  QWidget* parent_;
};
