#include "velmora_dlg.h"

#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTreeWidget>

#include "app_icon.h"
#include "collection_window.h"
#include "core/form/file_list.h"
#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "cover_view.h"
#include "genre_lists.h"
#include "qt_text.h"
#include "qt_window_platform.h"
#include "tab_chain.h"
#include "window_geometry.h"

using velmora::FormField;

namespace {

// The explanation on the ID3v1 page in the automatic copy mode.
constexpr const char* kAutoCopyNote =
    "Sie arbeiten im AutoID3V1copy-Modus, d. h. Ihre ID3V1-Tags\r\nwerden automatisch beim "
    "Aktualisieren aus ID3V2 übernommen.\r\n\r\nDeswegen ist es sinnlos, diese Felder zu "
    "editieren.\r\n";

constexpr FormField kV2PageFields[] = {
    FormField::v2Track,     FormField::v2Title, FormField::v2Artist,   FormField::v2Album,
    FormField::v2Comment,   FormField::v2Year,  FormField::v2Composer, FormField::v2OrigArtist,
    FormField::v2Copyright, FormField::v2Url,   FormField::v2EncodedBy};
constexpr FormField kV1PageFields[] = {FormField::v1Track,   FormField::v1Title,
                                       FormField::v1Artist,  FormField::v1Album,
                                       FormField::v1Comment, FormField::v1Year};

constexpr int kHeaderScrollRow = 2; // the column-header click shows the third entry

QString DisplayName(const std::string& nativeName) {
  return QFile::decodeName(nativeName.c_str());
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + '/' + name;
}

bool HasLocalFiles(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return false;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) return true;
  return false;
}

} // namespace

CVelmoraDlg::CVelmoraDlg(std::shared_ptr<velmora::HttpClient> httpClient, QWidget* parent)
    : QDialog(parent), widgets_(BuildMainDialogWidgets(this)),
      platform_(
          std::make_unique<QtWindowPlatform>(*this, widgets_, [this] { logic_->OnSpinnerTick(); })),
      logic_(std::make_unique<velmora::VelmoraLogic>(*platform_, httpClient)),
      httpClient_(std::move(httpClient)) {
  setObjectName(QStringLiteral("velmoraDlg"));
  setWindowTitle(QStringLiteral("Velmora"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAcceptDrops(true);
  ConnectCommands();
  InitDialog();
  RestoreWindowGeometry(*this, *widgets_.columns);
}

// The logic goes first: a download that is still running then finds no window to report to.
CVelmoraDlg::~CVelmoraDlg() {
  logic_.reset();
}

void CVelmoraDlg::InitDialog() {
  setWindowIcon(VelmoraIcon());
  logic_->ReadFirstSettings(QFile::encodeName(QDir::currentPath()).toStdString());

  widgets_.fileList->setHeaderLabels({QStringLiteral("mp3-Files")});
  widgets_.fileList->header()->resizeSection(0, 330);
  ScanInputDir();

  FillGenreList(widgets_.v2GenreCombo);
  FillGenreList(widgets_.v1GenreCombo);
  ShowTagPage(0);
  logic_->ReadLaterSettings();
  widgets_.progressBar->hide();

  SetAutoId3v1CopyMode();
  logic_->ShowForm();
  SetTabChain(widgets_);
  widgets_.field(FormField::maskAuthor)->setFocus(Qt::OtherFocusReason);
}

void CVelmoraDlg::ConnectCommands() {
  const MainDialogWidgets& w = widgets_;
  connect(w.tagTabs, &QTabBar::currentChanged, this, &CVelmoraDlg::ShowTagPage);
  connect(w.fileList, &QTreeWidget::clicked, this, &CVelmoraDlg::OnListClicked);
  // Moving the current row with the keyboard loads that file as a click does; a click itself
  // loads through clicked, once.
  // The selection follows the current row only after this signal: the row itself is loaded.
  connect(w.fileList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current && QApplication::mouseButtons() == Qt::NoButton && widgets_.fileList->hasFocus())
      LoadFile(current->data(0, kListPathRole).toByteArray().toStdString());
  });
  connect(w.fileList, &QTreeWidget::itemDoubleClicked, this, &CVelmoraDlg::OnListDoubleClicked);
  connect(w.fileList->header(), &QHeaderView::sectionClicked, this, &CVelmoraDlg::OnHeaderClicked);
  w.fileList->viewport()->installEventFilter(this);
  connect(w.dirButton, &QPushButton::clicked, this, &CVelmoraDlg::OnDir);
  connect(w.sammlungButton, &QPushButton::clicked, this, &CVelmoraDlg::OnSammlung);
  connect(w.aktualisierenButton, &QPushButton::clicked, this, &CVelmoraDlg::OnAktualisieren);
  connect(w.alleTeileButton, &QPushButton::clicked, this, &CVelmoraDlg::OnAlleTeileAktualisieren);
  connect(w.exitButton, &QPushButton::clicked, this, &CVelmoraDlg::reject);
  connect(w.copyToId3v1Button, &QPushButton::clicked, this, [this] { logic_->OnCopyToId3v1(); });
  connect(w.maskeLoeschenButton, &QPushButton::clicked, this, [this] { logic_->OnClearMask(); });
  connect(w.filenameButton, &QPushButton::clicked, this, [this] { logic_->OnFilename(); });
  connect(w.hoerdatSuchenButton, &QPushButton::clicked, this,
          [this] { logic_->OnHoerdatSearch(); });
  connect(w.seiteEinfuegenButton, &QPushButton::clicked, this,
          [this] { logic_->ImportHoerdatPage(); });
  connect(w.infoButton, &QPushButton::clicked, this, &CVelmoraDlg::OnAbout);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &CVelmoraDlg::OnAbout);

  // Files dropped on a text field belong to the window, as on the rest of it.
  for (QWidget* child : findChildren<QWidget*>())
    if (child->acceptDrops()) child->installEventFilter(this);
}

void CVelmoraDlg::SetAutoId3v1CopyMode() {
  const bool autoCopy = logic_->members().settings.autoId3v1Copy != 0;
  widgets_.copyToId3v1Button->setVisible(!autoCopy);
  if (!autoCopy) return;
  for (FormField field : kV1PageFields)
    widgets_.lineEdit(field)->setReadOnly(true);
}

void CVelmoraDlg::ShowTagPage(int page) {
  if (page != 0 && page != 1) return;
  const bool v2 = page == 0;
  for (QLabel* label : widgets_.v2OnlyLabels)
    label->setVisible(v2);
  for (FormField field : kV2PageFields)
    widgets_.field(field)->setVisible(v2);
  widgets_.v2GenreCombo->setVisible(v2);
  widgets_.coverLabel->setVisible(v2 && HoldsCover(widgets_.coverLabel));
  for (FormField field : kV1PageFields)
    widgets_.field(field)->setVisible(!v2);
  widgets_.v1GenreCombo->setVisible(!v2);

  const bool note = !v2 && logic_->members().settings.autoId3v1Copy != 0;
  if (note) widgets_.autoCopyNote->setText(LineBreaksForDisplay(QString::fromUtf8(kAutoCopyNote)));
  widgets_.autoCopyNote->setVisible(note);
}

void CVelmoraDlg::reject() {
  if (platform_->dialogs().Message(ToQString(velmora::messages::LeaveProgram()),
                                   QString::fromUtf8(velmora::messages::kWarning),
                                   velmora::MessageIcon::Exclamation,
                                   velmora::MessageButtons::OkCancel) != velmora::MessageAnswer::Ok)
    return;
  // A client that holds the window keeps the program alive: the window only hides.
  if (heldByClients_ && heldByClients_()) {
    hide();
    return;
  }
  LeaveNow();
}

void CVelmoraDlg::LeaveNow() {
  SaveWindowGeometry(*this, *widgets_.columns);
  platform_->RequestQuit();
  QDialog::reject();
}

void CVelmoraDlg::ScanInputDir() {
  QTreeWidget* list = widgets_.fileList;
  list->clear();
  const std::string& dir = logic_->members().settings.inputDirPath;
  for (const std::string& name : velmora::ScanInputDir(dir)) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, DisplayName(name));
    item->setData(0, kListPathRole, QByteArray::fromStdString(JoinPath(dir, name)));
  }
  RefreshPartsButton();
}

void CVelmoraDlg::AddDroppedFiles(const QList<QUrl>& urls) {
  if (logic_->UpdateRunning()) return;
  QTreeWidget* list = widgets_.fileList;
  bool added = false;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const QByteArray path = QFile::encodeName(url.toLocalFile());
    if (!velmora::IsDroppableAudioPath(path.toStdString())) continue;
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, url.toLocalFile());
    item->setData(0, kListPathRole, path);
    added = true;
  }
  // Only files really added sort the list as a drop does; the scanned folder keeps its order.
  if (added) list->sortItems(0, Qt::DescendingOrder);
  RefreshPartsButton();
}

void CVelmoraDlg::OpenFiles(const QStringList& arguments) {
  QList<QUrl> urls;
  std::vector<std::string> refused;
  for (const QString& argument : arguments) {
    const QUrl url = QUrl::fromUserInput(argument, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (url.isLocalFile() &&
        velmora::IsDroppableAudioPath(QFile::encodeName(url.toLocalFile()).toStdString()))
      urls << url;
    else
      refused.push_back(argument.toStdString());
  }
  if (!refused.empty()) platform_->ShowStatus(velmora::messages::NotListedStatus(refused));
  AddDroppedFiles(urls);
  if (urls.isEmpty() || logic_->UpdateRunning()) return;
  const QByteArray first = QFile::encodeName(urls.first().toLocalFile());
  QTreeWidget* list = widgets_.fileList;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    if (list->topLevelItem(row)->data(0, kListPathRole).toByteArray() == first) {
      list->setCurrentItem(list->topLevelItem(row));
      OnListClicked();
      return;
    }
}

std::optional<std::string> CVelmoraDlg::FirstSelectedPath() const {
  const QTreeWidget* list = widgets_.fileList;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = list->topLevelItem(row);
    if (item->isSelected()) return item->data(0, kListPathRole).toByteArray().toStdString();
  }
  return std::nullopt;
}

void CVelmoraDlg::OnListClicked() {
  LoadFile(FirstSelectedPath());
}

void CVelmoraDlg::LoadFile(const std::optional<std::string>& path) {
  logic_->LoadSelectedFile(path);
  RefreshPartsButton();
}

void CVelmoraDlg::RefreshPartsButton() {
  widgets_.alleTeileButton->setEnabled(logic_->PlayPartsAvailable());
}

void CVelmoraDlg::OnListDoubleClicked() {
  if (const std::optional<std::string> path = FirstSelectedPath())
    platform_->dialogs().Play(QFile::decodeName(path->c_str()));
}

void CVelmoraDlg::OnHeaderClicked() {
  QTreeWidget* list = widgets_.fileList;
  if (list->topLevelItemCount() > kHeaderScrollRow)
    list->scrollToItem(list->topLevelItem(kHeaderScrollRow), QAbstractItemView::EnsureVisible);
}

void CVelmoraDlg::OnDir() {
  std::string folder = logic_->members().settings.inputDirPath;
  if (!folder.empty()) folder.pop_back(); // without its trailing separator
  const std::optional<QString> chosen = platform_->dialogs().Directory(
      QStringLiteral("Wählen Sie das Quellverzeichnis:"), QFile::decodeName(folder.c_str()));
  if (!chosen || chosen->isEmpty()) return;
  if (logic_->ChooseInputDirectory(QFile::encodeName(*chosen).toStdString())) ScanInputDir();
}

CollectionWindow* CVelmoraDlg::collectionWindow() const {
  return collectionWindow_;
}

void CVelmoraDlg::OnSammlung() {
  if (collectionWindow_) collectionWindow_->close();
  const velmora::SettingsValues& settings = logic_->members().settings;
  const std::string folder = settings.inputDirPath.empty()
                                 ? QFile::encodeName(QDir::currentPath()).toStdString()
                                 : settings.inputDirPath;
  collectionWindow_ = new CollectionWindow(
      folder, settings.stationSeparator, platform_->dialogs(),
      [this](const std::string& path) { LoadFile(path); }, this);
  collectionWindow_->EnableRun(logic_->state(), httpClient_);
  collectionWindow_->setAttribute(Qt::WA_DeleteOnClose);
  collectionWindow_->show();
}

void CVelmoraDlg::OnAktualisieren() {
  // While the audio is copied the event pump runs: nothing may change the update's inputs.
  SetUpdateInputsEnabled(false);
  logic_->OnAktualisieren();
  SetUpdateInputsEnabled(true);
}

void CVelmoraDlg::OnAlleTeileAktualisieren() {
  SetUpdateInputsEnabled(false);
  logic_->OnAlleTeileAktualisieren();
  SetUpdateInputsEnabled(true);
}

void CVelmoraDlg::SetUpdateInputsEnabled(bool enabled) {
  const MainDialogWidgets& w = widgets_;
  for (QWidget* control :
       {static_cast<QWidget*>(w.fileList), static_cast<QWidget*>(w.dirButton),
        static_cast<QWidget*>(w.aktualisierenButton), static_cast<QWidget*>(w.copyToId3v1Button),
        static_cast<QWidget*>(w.filenameButton), static_cast<QWidget*>(w.maskeLoeschenButton),
        static_cast<QWidget*>(w.seiteEinfuegenButton),
        static_cast<QWidget*>(w.hoerdatSuchenButton)})
    control->setEnabled(enabled);
  if (enabled)
    RefreshPartsButton();
  else
    w.alleTeileButton->setEnabled(false);
}

void CVelmoraDlg::OnAbout() {
  platform_->dialogs().Message(ToQString(velmora::messages::AboutVelmora(VELMORA_VERSION)),
                               ToQString(velmora::messages::AboutCaption()),
                               velmora::MessageIcon::Information, velmora::MessageButtons::Ok);
}

bool CVelmoraDlg::TakeFileDrop(QDropEvent* event) {
  if (!HasLocalFiles(event->mimeData())) return false;
  event->acceptProposedAction();
  if (event->type() == QEvent::Drop) AddDroppedFiles(event->mimeData()->urls());
  return true;
}

void CVelmoraDlg::dragEnterEvent(QDragEnterEvent* event) {
  TakeFileDrop(event);
}

void CVelmoraDlg::dragMoveEvent(QDragMoveEvent* event) {
  TakeFileDrop(event);
}

void CVelmoraDlg::dropEvent(QDropEvent* event) {
  TakeFileDrop(event);
}

bool CVelmoraDlg::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove:
  case QEvent::Drop:
    if (TakeFileDrop(static_cast<QDropEvent*>(event))) return true;
    break;
  case QEvent::MouseButtonRelease:
    // A click beside every entry is a click on the list as well: it selects nothing.
    if (watched == widgets_.fileList->viewport() &&
        !widgets_.fileList->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint())
             .isValid())
      OnListClicked();
    break;
  default:
    break;
  }
  return QDialog::eventFilter(watched, event);
}
