#include "collection_run_panel.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "core/lookup/hoerdat_record.h"
#include "core/lookup/result_rows.h"
#include "core/model/messages.h"
#include "core/run/plays_to_write.h"
#include "core/run/user_folders.h"
#include "hoerdat_result_dlg.h"
#include "modal_dialogs.h"
#include "qt_text.h"

namespace messages = velmora::messages;

namespace {

QString Native(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

void Tell(ModalDialogs& dialogs, const std::string& text, bool failure) {
  dialogs.Message(ToQString(text),
                  QString::fromUtf8(failure ? messages::kError : messages::kVelmora),
                  failure ? velmora::MessageIcon::Exclamation : velmora::MessageIcon::Information,
                  velmora::MessageButtons::Ok);
}

} // namespace

CollectionRunPanel::CollectionRunPanel(velmora::RunSetup setup,
                                       std::shared_ptr<velmora::HttpClient> http,
                                       ModalDialogs& dialogs, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), http_(std::move(http)), dialogs_(dialogs),
      lookupButton_(new QPushButton(QStringLiteral("Alle &nachschlagen"), this)),
      copyButton_(new QPushButton(QStringLiteral("Alle &schreiben"), this)),
      inPlaceButton_(new QPushButton(QStringLiteral("In die &Dateien schreiben"), this)),
      undoButton_(new QPushButton(QStringLiteral("Letzten Lauf &rückgängig machen"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)),
      progressBar_(new QProgressBar(this)), runStatus_(new QLabel(this)),
      reviewPane_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("runPanel"));
  reviewPane_->setObjectName(QStringLiteral("reviewPane"));
  reviewPane_->setReadOnly(true);
  reviewPane_->setPlaceholderText(
      QStringLiteral("Was das Schreiben am gewählten Hörspiel ändert (alt → neu)"));
  reviewPane_->setMaximumHeight(160);
  progressBar_->hide();
  cancelButton_->hide();
  connect(lookupButton_, &QPushButton::clicked, this, &CollectionRunPanel::LookUpAll);
  connect(copyButton_, &QPushButton::clicked, this,
          [this] { WriteAll(velmora::RunTarget::Copies); });
  connect(inPlaceButton_, &QPushButton::clicked, this,
          [this] { WriteAll(velmora::RunTarget::InPlace); });
  connect(undoButton_, &QPushButton::clicked, this, &CollectionRunPanel::UndoLastRun);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { progress_.cancelled = true; });
  connect(&progressTimer_, &QTimer::timeout, this, &CollectionRunPanel::ShowProgress);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {lookupButton_, copyButton_, inPlaceButton_, undoButton_})
    buttons->addWidget(button);
  buttons->addStretch(1);
  auto* running = new QHBoxLayout;
  running->addWidget(progressBar_, 1);
  running->addWidget(runStatus_);
  running->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(reviewPane_);
  layout->addLayout(buttons);
  layout->addLayout(running);
  SetButtonsEnabled(false);
}

// Closed while a worker runs: it is stopped after its current step, and waited for.
CollectionRunPanel::~CollectionRunPanel() {
  progress_.cancelled = true;
  if (worker_) worker_->wait();
}

bool CollectionRunPanel::Progress::Continue(std::uint64_t doneNow, std::uint64_t totalNow) {
  done = doneNow;
  total = totalNow;
  return !cancelled;
}

void CollectionRunPanel::SetCollection(const velmora::Collection* collection) {
  collection_ = collection;
  SetButtonsEnabled(collection_ != nullptr);
}

void CollectionRunPanel::SetButtonsEnabled(bool enabled) {
  for (QPushButton* button : {lookupButton_, copyButton_, inPlaceButton_, undoButton_})
    button->setEnabled(enabled && !worker_);
}

std::optional<velmora::PlayLookup>
CollectionRunPanel::LookupOf(const velmora::CollectionPlay& play) const {
  std::vector<velmora::PlayLookup> lookups = setup_.store.Lookups();
  const velmora::PlayLookup* lookup = velmora::LookupOf(lookups, velmora::KeyOfPlay(play.play));
  return lookup ? std::optional(*lookup) : std::nullopt;
}

QString CollectionRunPanel::ChoiceText(const velmora::CollectionPlay& play) const {
  const auto lookup = LookupOf(play);
  if (!lookup) return {};
  if (lookup->chosen < 0 || !lookup->answer)
    return lookup->skipped ? QStringLiteral("–") : QStringLiteral("wählen …");
  const auto rows = velmora::BuildResultRows(velmora::PadAnswer(*lookup->answer));
  const auto row = static_cast<std::size_t>(lookup->chosen);
  if (row >= rows.size()) return {};
  const std::string part = velmora::PartOfRow(rows[row]);
  return ToQString(rows[row].title) +
         (part.empty() ? QString() : QStringLiteral(" – ") + ToQString(part)) +
         QStringLiteral(" (") + ToQString(rows[row].year) + QStringLiteral(")");
}

QString CollectionRunPanel::ChoiceWhy(const velmora::CollectionPlay& play) const {
  const auto lookup = LookupOf(play);
  return lookup ? ToQString(lookup->why) : QString();
}

void CollectionRunPanel::Choose(const velmora::CollectionPlay& play) {
  if (!collection_ || worker_) return;
  const auto lookup = LookupOf(play);
  if (!lookup || !lookup->answer || lookup->hits < 2) return;
  CHoerdatResultDlg choice(velmora::BuildResultRows(velmora::PadAnswer(*lookup->answer)),
                           lookup->chosen, this);
  const int row = dialogs_.ChooseRecord(choice);
  if (row < 0) return;
  const std::string refused = velmora::ChoosePlay(setup_, *collection_, play.id, row);
  if (!refused.empty()) Tell(dialogs_, refused, true);
  emit choicesChanged();
}

void CollectionRunPanel::ShowReview(const velmora::CollectionPlay* play) {
  reviewPane_->clear();
  if (!play || !collection_) return;
  velmora::Collection one;
  one.plays.push_back(*play);
  QStringList lines;
  for (const velmora::ReviewLine& line :
       velmora::ReviewPlays(setup_, one, velmora::RunTarget::Copies)) {
    lines << Native(line.file.substr(setup_.folder.size())) + QStringLiteral("  →  ") +
                 Native(line.target);
    if (!line.failure.empty()) lines << QStringLiteral("    ") + ToQString(line.failure);
    for (const velmora::FieldChange& change : line.changes)
      lines << QStringLiteral("    ") +
                   ToQString(messages::RunFieldLabel(velmora::FieldName(change.field))) +
                   QStringLiteral(": „") + ToQString(change.before).simplified() +
                   QStringLiteral("“ → „") + ToQString(change.after).simplified() +
                   QStringLiteral("“");
  }
  reviewPane_->setPlainText(lines.join(QLatin1Char('\n')));
}

void CollectionRunPanel::RunOnWorker(std::function<void()> work, std::function<void()> finished) {
  progress_.cancelled = false;
  progress_.done = 0;
  progress_.total = 0;
  finished_ = std::move(finished);
  worker_ = QThread::create(std::move(work));
  worker_->setParent(this);
  connect(worker_, &QThread::finished, this, [this] {
    progressTimer_.stop();
    worker_->deleteLater();
    worker_ = nullptr;
    progressBar_->hide();
    cancelButton_->hide();
    runStatus_->clear();
    SetButtonsEnabled(true);
    finished_();
    emit runFinished();
  });
  SetButtonsEnabled(false);
  progressBar_->setValue(0);
  progressBar_->show();
  cancelButton_->show();
  elapsed_.start();
  progressTimer_.start(200);
  worker_->start();
}

void CollectionRunPanel::ShowProgress() {
  const std::uint64_t total = progress_.total, done = progress_.done;
  const int percent = total == 0 ? 0 : static_cast<int>(done * 100 / total);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(percent);
  runStatus_->setText(ToQString(messages::RunProgressStatus(
      percent, velmora::RemainingSeconds(elapsed_.elapsed(), done, total))));
}

void CollectionRunPanel::LookUpAll() {
  if (!collection_) return;
  const velmora::SettingsValues& settings = setup_.started.members.settings;
  auto paced = std::make_shared<velmora::PacedLookup>(
      http_, velmora::AnswerCache(velmora::UserCacheFolder(), settings.cacheDays),
      settings.hoerdatPauseMs, velmora::SystemRunClock());
  auto lines = std::make_shared<std::vector<velmora::LookupLine>>();
  auto failure = std::make_shared<std::string>();
  RunOnWorker(
      [this, paced, lines, failure] {
        *lines = velmora::LookupPlays(setup_, *collection_, *paced, progress_, *failure);
      },
      [this, lines, failure] {
        if (!failure->empty()) Tell(dialogs_, *failure, true);
        std::size_t chosen = 0;
        for (const velmora::LookupLine& line : *lines)
          if (line.lookup.chosen >= 0) ++chosen;
        runStatus_->setText(ToQString(
            lines->empty() && progress_.cancelled
                ? messages::RunCancelled()
                : messages::RunLookupStatus(lines->size(), chosen, lines->size() - chosen)));
        emit choicesChanged();
      });
}

void CollectionRunPanel::WriteAll(velmora::RunTarget target) {
  if (!collection_) return;
  std::size_t files = 0;
  for (const auto& [entry, lookup] : velmora::PlaysToWrite(setup_.store, *collection_))
    files += entry->play.parts.size();
  const std::string question =
      target == velmora::RunTarget::Copies
          ? messages::RunConfirmCopies(files, setup_.started.members.settings.outputDirPath)
          : messages::RunConfirmInPlace(files);
  if (files == 0 ||
      dialogs_.Message(ToQString(question), QString::fromUtf8(messages::kVelmora),
                       velmora::MessageIcon::Question,
                       velmora::MessageButtons::OkCancel) != velmora::MessageAnswer::Ok)
    return;
  auto failures = std::make_shared<std::vector<std::string>>();
  auto summary = std::make_shared<velmora::WriteSummary>();
  RunOnWorker(
      [this, target, failures, summary] {
        *summary = velmora::WritePlays(
            setup_, *collection_, target, progress_, [&](const velmora::WriteLine& line) {
              if (!line.ok) failures->push_back(messages::RunFileLine(line.file, line.why));
            });
      },
      [this, failures, summary] {
        std::string text = messages::RunWritten(summary->written, summary->failed, *failures);
        if (summary->cancelled) text += "\r\n" + messages::RunCancelled();
        Tell(dialogs_, text, summary->failed != 0);
      });
}

void CollectionRunPanel::UndoLastRun() {
  std::size_t undone = 0;
  std::vector<std::string> leftAlone;
  const std::vector<velmora::UndoLine> lines = velmora::UndoLastRun(setup_);
  for (const velmora::UndoLine& line : lines) {
    if (line.undone)
      ++undone;
    else
      leftAlone.push_back(messages::RunFileLine(line.file, line.why));
  }
  Tell(dialogs_,
       lines.empty() ? messages::RunNothingToUndo() : messages::RunUndone(undone, leftAlone),
       !leftAlone.empty());
}
