#include "collection_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "collection_run_panel.h"
#include "core/collection/catalogue.h"
#include "core/model/messages.h"
#include "core/run/user_folders.h"
#include "modal_dialogs.h"
#include "qt_text.h"

namespace {

constexpr int kPlayIndexRole = Qt::UserRole;
constexpr int kYearColumn = 3, kPartsColumn = 4, kMissingColumn = 6, kTaggedColumn = 7;
constexpr int kFilesColumn = 8, kChoiceColumn = 9;

// Year and part count sort as numbers, the texts by the user's language.
class PlayItem : public QTreeWidgetItem {
public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (column == kYearColumn || column == kPartsColumn)
      return text(column).toInt() < other.text(column).toInt();
    return QString::localeAwareCompare(text(column), other.text(column)) < 0;
  }
};

QString Native(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

QString StrayList(const velmora::Collection& collection) {
  QStringList lines;
  for (const velmora::CollectionStray& stray : collection.strays)
    lines << Native(stray.file) + QStringLiteral(": ") + ToQString(stray.why);
  return lines.join(QLatin1Char('\n'));
}

} // namespace

CollectionWindow::CollectionWindow(std::string folder, std::string stationSeparator,
                                   ModalDialogs& dialogs,
                                   std::function<void(const std::string&)> loadFile,
                                   QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), stationSeparator_(std::move(stationSeparator)),
      dialogs_(dialogs), loadFile_(std::move(loadFile)), filterEdit_(new QLineEdit(this)),
      playTable_(new QTreeWidget(this)), progressBar_(new QProgressBar(this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)),
      saveButton_(new QPushButton(QStringLiteral("&Katalog speichern…"), this)),
      statusLabel_(new QLabel(this)) {
  setObjectName(QStringLiteral("collectionWindow"));
  setWindowTitle(QStringLiteral("Sammlung – %1").arg(Native(folder_)));
  setSizeGripEnabled(true);
  resize(1000, 560);
  filterEdit_->setObjectName(QStringLiteral("filterEdit"));
  filterEdit_->setPlaceholderText(QStringLiteral("Filter: Autor, Titel, Sender, Jahr, Datei …"));
  filterEdit_->setClearButtonEnabled(true);
  playTable_->setObjectName(QStringLiteral("playTable"));
  playTable_->setRootIsDecorated(false);
  playTable_->setUniformRowHeights(true);
  QStringList heads;
  for (const char* column : velmora::kCatalogueColumns)
    heads << QString::fromUtf8(column);
  playTable_->setHeaderLabels(heads);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  saveButton_->setObjectName(QStringLiteral("saveButton"));
  statusLabel_->setObjectName(QStringLiteral("statusLabel"));
  auto* close = new QPushButton(QStringLiteral("Schließen"), this);

  connect(filterEdit_, &QLineEdit::textChanged, this, &CollectionWindow::ApplyFilter);
  connect(playTable_, &QTreeWidget::itemActivated, this, &CollectionWindow::OnItemActivated);
  connect(playTable_, &QTreeWidget::itemSelectionChanged, this,
          &CollectionWindow::ShowSelectedReview);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { progress_.cancelled = true; });
  connect(saveButton_, &QPushButton::clicked, this, &CollectionWindow::OnSaveCatalogue);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(&progressTimer_, &QTimer::timeout, this, &CollectionWindow::ShowProgress);

  auto* reading = new QHBoxLayout;
  reading->addWidget(progressBar_, 1);
  reading->addWidget(cancelButton_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(statusLabel_, 1);
  buttons->addWidget(saveButton_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filterEdit_);
  layout->addWidget(playTable_, 1);
  layout->addLayout(reading);
  layout->addLayout(buttons);
  StartReading();
}

// A window closed while reading ends the worker first: it writes into this window.
CollectionWindow::~CollectionWindow() {
  progress_.cancelled = true;
  if (worker_) worker_->wait();
}

void CollectionWindow::EnableRun(velmora::WindowState started,
                                 std::shared_ptr<velmora::HttpClient> http) {
  const std::string folder = folder_.ends_with('/') ? folder_ : folder_ + '/';
  runPanel_ = new CollectionRunPanel(
      velmora::RunSetup{folder, std::move(started),
                        velmora::RunStore(velmora::UserStateFolder(), folder)},
      std::move(http), dialogs_, this);
  static_cast<QVBoxLayout*>(layout())->insertWidget(2, runPanel_);
  playTable_->headerItem()->setText(kChoiceColumn, QStringLiteral("Hördat"));
  connect(runPanel_, &CollectionRunPanel::choicesChanged, this, &CollectionWindow::ShowChoices);
  connect(runPanel_, &CollectionRunPanel::runFinished, this, &CollectionWindow::ShowSelectedReview);
  if (collection_) {
    runPanel_->SetCollection(&*collection_);
    ShowChoices();
  }
}

const velmora::CollectionPlay* CollectionWindow::PlayOf(const QTreeWidgetItem* item) const {
  if (!item || !collection_) return nullptr;
  return &collection_->plays[item->data(0, kPlayIndexRole).toULongLong()];
}

void CollectionWindow::ShowChoices() {
  if (!runPanel_) return;
  for (int row = 0; row < playTable_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = playTable_->topLevelItem(row);
    item->setText(kChoiceColumn, runPanel_->ChoiceText(*PlayOf(item)));
    item->setToolTip(kChoiceColumn, runPanel_->ChoiceWhy(*PlayOf(item)));
  }
  playTable_->resizeColumnToContents(kChoiceColumn);
  ShowSelectedReview();
}

void CollectionWindow::ShowSelectedReview() {
  if (!runPanel_ || runPanel_->busy()) return;
  const QList<QTreeWidgetItem*> selected = playTable_->selectedItems();
  runPanel_->ShowReview(selected.isEmpty() ? nullptr : PlayOf(selected.front()));
}

bool CollectionWindow::Progress::Continue(std::size_t filesRead, std::size_t filesFound) {
  read = filesRead;
  found = filesFound;
  return !cancelled;
}

void CollectionWindow::StartReading() {
  saveButton_->setEnabled(false);
  statusLabel_->setText(QStringLiteral("Die Sammlung wird gelesen …"));
  worker_ = QThread::create(
      [this] { result_ = velmora::ReadCollection(folder_, stationSeparator_, progress_); });
  // Owned by the window, so that a window closed while reading deletes it after the wait.
  worker_->setParent(this);
  // finished is sent from the worker; the window's thread handles it (a queued connection).
  connect(worker_, &QThread::finished, this, &CollectionWindow::OnReadingFinished);
  progressTimer_.start(100);
  worker_->start();
}

void CollectionWindow::ShowProgress() {
  const auto found = static_cast<int>(progress_.found.load());
  progressBar_->setRange(0, std::max(found, 1));
  progressBar_->setValue(static_cast<int>(progress_.read.load()));
}

void CollectionWindow::OnReadingFinished() {
  progressTimer_.stop();
  worker_->deleteLater();
  worker_ = nullptr;
  progressBar_->hide();
  cancelButton_->hide();
  collection_ = std::move(result_);
  if (!collection_) {
    statusLabel_->setText(ToQString(velmora::messages::CollectionCancelled()));
  } else {
    FillTable();
    statusLabel_->setText(ToQString(velmora::messages::CollectionStatus(
        collection_->plays.size(), collection_->strays.size())));
    statusLabel_->setToolTip(StrayList(*collection_));
    saveButton_->setEnabled(true);
    if (runPanel_) {
      runPanel_->SetCollection(&*collection_);
      ShowChoices();
    }
  }
  emit readingFinished();
}

void CollectionWindow::FillTable() {
  playTable_->setSortingEnabled(false);
  for (std::size_t index = 0; index < collection_->plays.size(); ++index) {
    const auto cells = velmora::CatalogueRow(collection_->plays[index]);
    auto* item = new PlayItem(playTable_);
    for (int column = 0; column < static_cast<int>(cells.size()); ++column)
      item->setText(column, QString::fromStdString(cells[static_cast<std::size_t>(column)]));
    item->setText(kFilesColumn,
                  item->text(kFilesColumn).replace(QLatin1Char('\n'), QStringLiteral(" · ")));
    item->setToolTip(kFilesColumn, QString::fromStdString(cells[kFilesColumn]));
    item->setData(0, kPlayIndexRole, static_cast<qulonglong>(index));
    for (const int column : {kMissingColumn, kTaggedColumn})
      if (!item->text(column).isEmpty() && item->text(column) != QStringLiteral("ja"))
        item->setForeground(column, QColor(0xb0, 0, 0));
  }
  for (int column = 0; column < kFilesColumn; ++column)
    playTable_->resizeColumnToContents(column);
  playTable_->setSortingEnabled(true);
  playTable_->sortByColumn(0, Qt::AscendingOrder);
  ApplyFilter();
}

void CollectionWindow::ApplyFilter() {
  if (!collection_) return;
  const std::string filter = FromQString(filterEdit_->text());
  for (int row = 0; row < playTable_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = playTable_->topLevelItem(row);
    const auto index = item->data(0, kPlayIndexRole).toULongLong();
    item->setHidden(!velmora::PlayMatches(collection_->plays[index], filter));
  }
}

// On the choice column the choice dialog, elsewhere the play's first part in the main window.
void CollectionWindow::OnItemActivated(QTreeWidgetItem* item, int column) {
  if (column == kChoiceColumn && runPanel_) {
    runPanel_->Choose(*PlayOf(item));
    return;
  }
  const velmora::Play& play = PlayOf(item)->play;
  if (play.parts.empty()) return;
  const std::string root = folder_.ends_with('/') ? folder_ : folder_ + '/';
  loadFile_(root + play.parts.front().path);
}

void CollectionWindow::OnSaveCatalogue() {
  const QString proposed = QStringLiteral("Sammlung.html");
  const std::optional<QString> target = dialogs_.CatalogueTarget(Native(folder_), proposed);
  if (!target || !collection_) return;
  const std::string path = QFile::encodeName(*target).toStdString();
  const std::string failure = velmora::WriteCatalogue(path, *collection_, folder_);
  if (!failure.empty()) {
    dialogs_.Message(ToQString(failure), QString::fromUtf8(velmora::messages::kError),
                     velmora::MessageIcon::Exclamation, velmora::MessageButtons::Ok);
    return;
  }
  statusLabel_->setText(
      ToQString(velmora::messages::CatalogueWritten(path, collection_->plays.size())));
}
