#pragma once
// "Sammlung…": the input folder with its subfolders as radio plays. The folder is read on a
// worker thread while a progress bar moves (the window stays usable; "Abbrechen" ends the
// reading); then a table of the plays with their parts present and missing and whether they are
// tagged, a filter, sorting by a click on a column head, a double click that loads the play's
// first part in the main window, and "Katalog speichern…". With the run enabled, also the
// look-up of every untagged play, the choices, the review and the writing (CollectionRunPanel).
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QTimer>

#include "core/collection/collection.h"
#include "core/lookup/http_client.h"
#include "core/run/collection_run.h"

class CollectionRunPanel;
class ModalDialogs;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

class CollectionWindow : public QDialog {
  Q_OBJECT
public:
  // folder: native path; loadFile loads a file (native path) in the main window.
  CollectionWindow(std::string folder, std::string stationSeparator, ModalDialogs& dialogs,
                   std::function<void(const std::string&)> loadFile, QWidget* parent);
  ~CollectionWindow() override;
  // Adds the run over the collection (core/run) with its choice column and review pane.
  void EnableRun(velmora::WindowState started, std::shared_ptr<velmora::HttpClient> http);

  QTreeWidget* playTable() const { return playTable_; }
  QLineEdit* filterEdit() const { return filterEdit_; }
  QProgressBar* progressBar() const { return progressBar_; }
  QPushButton* cancelButton() const { return cancelButton_; }
  QPushButton* saveButton() const { return saveButton_; }
  QLabel* statusLabel() const { return statusLabel_; }
  CollectionRunPanel* runPanel() const { return runPanel_; }
  bool reading() const { return worker_ != nullptr; }

signals:
  void readingFinished();

private:
  // Counts what the worker read; the window's timer shows it, "Abbrechen" sets cancelled.
  struct Progress : velmora::CollectionProgress {
    bool Continue(std::size_t filesRead, std::size_t filesFound) override;
    std::atomic<std::size_t> read{0}, found{0};
    std::atomic<bool> cancelled{false};
  };

  void StartReading();
  void ShowProgress();
  void OnReadingFinished();
  void FillTable();
  void ApplyFilter();
  void OnItemActivated(QTreeWidgetItem* item, int column);
  void ShowChoices();
  void ShowSelectedReview();
  const velmora::CollectionPlay* PlayOf(const QTreeWidgetItem* item) const;
  void OnSaveCatalogue();

  std::string folder_, stationSeparator_;
  ModalDialogs& dialogs_;
  std::function<void(const std::string&)> loadFile_;
  Progress progress_;
  QThread* worker_ = nullptr;
  std::optional<velmora::Collection> result_; // written by the worker, read when it has ended
  std::optional<velmora::Collection> collection_;
  QTimer progressTimer_;

  QLineEdit* filterEdit_;
  QTreeWidget* playTable_;
  QProgressBar* progressBar_;
  QPushButton* cancelButton_;
  QPushButton* saveButton_;
  QLabel* statusLabel_;
  CollectionRunPanel* runPanel_ = nullptr;
};
