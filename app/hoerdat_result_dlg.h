#pragma once
// The choice among several Hördat records (of a search or of a page): one row per record with
// author, title, station and year as the answer has them, and below the list what the
// highlighted row says beyond them (second title, broadcast, length, kind, genre, director, the
// start of synopsis and cast). OK, Return and a double click return the row selected at that
// moment (by mouse or keyboard); "Abbrechen", Escape and the close box return -1.
#include <vector>

#include <QDialog>

#include "core/model/window_platform.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class CHoerdatResultDlg : public QDialog {
  Q_OBJECT
public:
  // preselected: the row highlighted and selected at the start, -1 for none.
  CHoerdatResultDlg(const std::vector<velmora::ResultRow>& rows, int preselected,
                    QWidget* parent = nullptr);

  // The chosen row after the dialog has closed, -1 when none.
  int selectedIndex() const { return selectedIndex_; }

  QTreeWidget* resultList() const { return resultList_; }
  QLabel* detailPane() const { return detailPane_; }
  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

  void accept() override;
  void reject() override;

private:
  // The rows with their columns; the pane showing the current row's details; the start row.
  void FillResultList();
  void SetUpDetailPane();
  void StartOnRow(int preselected);
  void SetUpButtons();
  void LayOut();
  void ShowDetails(int row);

  std::vector<velmora::ResultRow> rows_;
  QTreeWidget* resultList_;
  QLabel* detailPane_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  int selectedIndex_ = -1;
};
