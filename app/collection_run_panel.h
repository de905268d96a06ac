#pragma once
// The run over a collection in its window: "Alle nachschlagen" and the writing on a worker thread
// with a progress bar, the remaining time and "Abbrechen"; the choice of a waiting play in the
// choice dialog; the review of the selected play (old → new); "Alle schreiben", "In die Dateien
// schreiben" after one confirmation, and "Letzten Lauf rückgängig machen". The logic is the
// core's (core/run); this only starts it and shows what it tells.
#include <atomic>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "core/lookup/http_client.h"
#include "core/run/collection_run.h"

class ModalDialogs;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

class CollectionRunPanel : public QWidget {
  Q_OBJECT
public:
  CollectionRunPanel(velmora::RunSetup setup, std::shared_ptr<velmora::HttpClient> http,
                     ModalDialogs& dialogs, QWidget* parent);
  ~CollectionRunPanel() override;

  // The collection read; nullptr disables the run.
  void SetCollection(const velmora::Collection* collection);
  // What the choice column shows for a play, and its tooltip (why).
  QString ChoiceText(const velmora::CollectionPlay& play) const;
  QString ChoiceWhy(const velmora::CollectionPlay& play) const;
  // The choice dialog for a looked-up play.
  void Choose(const velmora::CollectionPlay& play);
  // The review pane for a play (nullptr empties it).
  void ShowReview(const velmora::CollectionPlay* play);

  QPushButton* lookupButton() const { return lookupButton_; }
  QPushButton* copyButton() const { return copyButton_; }
  QPushButton* inPlaceButton() const { return inPlaceButton_; }
  QPushButton* undoButton() const { return undoButton_; }
  QPlainTextEdit* reviewPane() const { return reviewPane_; }
  QProgressBar* progressBar() const { return progressBar_; }
  QLabel* runStatus() const { return runStatus_; }
  bool busy() const { return worker_ != nullptr; }

signals:
  void choicesChanged();
  void runFinished();

private:
  struct Progress : velmora::RunProgress {
    bool Continue(std::uint64_t done, std::uint64_t total) override;
    std::atomic<std::uint64_t> done{0}, total{0};
    std::atomic<bool> cancelled{false};
  };

  void RunOnWorker(std::function<void()> work, std::function<void()> finished);
  void ShowProgress();
  void LookUpAll();
  void WriteAll(velmora::RunTarget target);
  void UndoLastRun();
  void SetButtonsEnabled(bool enabled);
  std::optional<velmora::PlayLookup> LookupOf(const velmora::CollectionPlay& play) const;

  velmora::RunSetup setup_;
  std::shared_ptr<velmora::HttpClient> http_;
  ModalDialogs& dialogs_;
  const velmora::Collection* collection_ = nullptr;
  Progress progress_;
  QThread* worker_ = nullptr;
  std::function<void()> finished_;
  QTimer progressTimer_;
  QElapsedTimer elapsed_;

  QPushButton* lookupButton_;
  QPushButton* copyButton_;
  QPushButton* inPlaceButton_;
  QPushButton* undoButton_;
  QPushButton* cancelButton_;
  QProgressBar* progressBar_;
  QLabel* runStatus_;
  QPlainTextEdit* reviewPane_;
};
