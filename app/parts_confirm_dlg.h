#pragma once
// The one confirmation of "Alle Teile aktualisieren": each part's source and the name it is
// written to, a target that exists marked "wird überschrieben", the missing parts and the files
// left alone with their reasons; "OK" or "Abbrechen".
#include <vector>

#include <QDialog>

#include "core/model/part_target.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class PartsConfirmDlg : public QDialog {
  Q_OBJECT
public:
  explicit PartsConfirmDlg(const velmora::PartsConfirmation& confirmation,
                           QWidget* parent = nullptr);

  QTreeWidget* partList() const { return partList_; }
  // The missing parts and the files left alone; hidden when there are none.
  QLabel* noticeLabel() const { return noticeLabel_; }
  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

private:
  QTreeWidget* partList_;
  QLabel* folderLabel_;
  QLabel* noticeLabel_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};
