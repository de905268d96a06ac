#pragma once
// The choice among two to ten Hördat records: one row per record with author, title, station and
// year as the answer has them. OK, Return and a double click return the row selected at that
// moment (by mouse or keyboard); "Abbrechen", Escape and the close box return -1.
#include <vector>

#include <QDialog>

#include "core/model/window_platform.h"

class QPushButton;
class QTreeWidget;

class CHoerdatResultDlg : public QDialog {
  Q_OBJECT
public:
  explicit CHoerdatResultDlg(const std::vector<velmora::ResultRow>& rows,
                             QWidget* parent = nullptr);

  // The chosen row after the dialog has closed, -1 when none.
  int selectedIndex() const { return selectedIndex_; }

  QTreeWidget* resultList() const { return resultList_; }
  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

  void accept() override;
  void reject() override;

private:
  QTreeWidget* resultList_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  int selectedIndex_ = -1;
};
