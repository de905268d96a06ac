#include "qt_window_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTreeWidget>

#include "cover_view.h"
#include "genre_lists.h"
#include "hoerdat_result_dlg.h"
#include "main_dialog_widgets.h"
#include "parts_confirm_dlg.h"
#include "path_field.h"
#include "qt_text.h"
#include "status_line.h"
#include "typed_input_rule.h"

namespace {

constexpr int kSpinnerPeriodMs = 300;

// Selects the tab whose page holds the field, so that it can take the focus.
void RevealField(QTabBar* tagTabs, velmora::FormField field) {
  const std::string_view name = velmora::FieldName(field);
  if (name.starts_with("v2")) tagTabs->setCurrentIndex(0);
  if (name.starts_with("v1")) tagTabs->setCurrentIndex(1);
}

} // namespace

QtWindowPlatform::QtWindowPlatform(QWidget& window, const MainDialogWidgets& widgets,
                                   std::function<void()> spinnerTick)
    : window_(window), widgets_(widgets), qtDialogs_(&window) {
  spinnerTimer_.setInterval(kSpinnerPeriodMs);
  QObject::connect(&spinnerTimer_, &QTimer::timeout, &window_, std::move(spinnerTick));
}

velmora::MessageAnswer QtWindowPlatform::ShowMessage(const std::string& text,
                                                     const std::string& caption,
                                                     velmora::MessageIcon icon,
                                                     velmora::MessageButtons buttons) {
  return dialogs_->Message(ToQString(text), ToQString(caption), icon, buttons);
}

std::string QtWindowPlatform::ControlText(velmora::FormField field) {
  QWidget* control = widgets_.field(field);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return FromQString(edit->text());
  return FromQString(LineBreaksFromDisplay(qobject_cast<QPlainTextEdit*>(control)->toPlainText()));
}

void QtWindowPlatform::SetControlText(velmora::FormField field, const std::string& text) {
  QWidget* control = widgets_.field(field);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    TypedInputRule::SetProgramText(edit, ToQString(text));
    edit->setCursorPosition(0);
    if (field == velmora::FormField::inputFile || field == velmora::FormField::inputDir)
      ShowPathEnd(edit);
    return;
  }
  qobject_cast<QPlainTextEdit*>(control)->setPlainText(LineBreaksForDisplay(ToQString(text)));
}

void QtWindowPlatform::ShowCoverPicture(const velmora::TagPicture* picture) {
  ShowCoverThumbnail(widgets_.coverLabel, picture, widgets_.tagTabs->currentIndex() == 0);
}

void QtWindowPlatform::FocusControl(velmora::FormField field) {
  RevealField(widgets_.tagTabs, field);
  widgets_.field(field)->setFocus(Qt::OtherFocusReason);
}

velmora::GenreSelection QtWindowPlatform::SelectedV2Genre() {
  return SelectedGenre(widgets_.v2GenreCombo);
}

std::optional<std::string> QtWindowPlatform::AskSaveTarget(const std::string& initialDir,
                                                           const std::string& proposedName) {
  const std::optional<QString> chosen = dialogs_->SaveTarget(QString::fromStdString(initialDir),
                                                             QString::fromStdString(proposedName));
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

void QtWindowPlatform::ShowProgress(bool visible) {
  QProgressBar* bar = widgets_.progressBar;
  bar->setValue(0);
  bar->setVisible(visible);
}

void QtWindowPlatform::SetProgress(int percent) {
  widgets_.progressBar->setValue(percent);
}

bool QtWindowPlatform::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return !quitRequested_;
}

void QtWindowPlatform::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(ToQString(text));
}

velmora::ClipboardText QtWindowPlatform::ReadClipboardText() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return {velmora::ClipboardText::Status::Empty, {}};
  return {velmora::ClipboardText::Status::Ok, FromQString(text)};
}

std::optional<std::string> QtWindowPlatform::ReadClipboardHtml() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasHtml()) return std::nullopt;
  return FromQString(data->html());
}

std::vector<std::string> QtWindowPlatform::ListedFiles() {
  std::vector<std::string> paths;
  const QTreeWidget* list = widgets_.fileList;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    paths.push_back(list->topLevelItem(row)->data(0, kListPathRole).toByteArray().toStdString());
  return paths;
}

bool QtWindowPlatform::ConfirmParts(const velmora::PartsConfirmation& confirmation) {
  PartsConfirmDlg dialog(confirmation, &window_);
  return dialogs_->ConfirmParts(dialog);
}

int QtWindowPlatform::ChooseRecord(const std::vector<velmora::ResultRow>& rows, int preselected) {
  CHoerdatResultDlg choice(rows, preselected, &window_);
  return dialogs_->ChooseRecord(choice);
}

void QtWindowPlatform::SetSpinnerText(const std::string& text) {
  widgets_.spinnerLabel->setText(ToQString(text));
}

void QtWindowPlatform::StartSpinnerTimer() {
  spinnerTimer_.start();
}

void QtWindowPlatform::StopSpinnerTimer() {
  spinnerTimer_.stop();
}

void QtWindowPlatform::PostToWindowThread(std::function<void()> fn) {
  // Queued to the window: when the window is destroyed before it runs, Qt drops it.
  QMetaObject::invokeMethod(&window_, std::move(fn), Qt::QueuedConnection);
}

void QtWindowPlatform::ShowStatus(const std::string& text) {
  ShowStatusText(widgets_.statusLine, LineBreaksForDisplay(ToQString(text)));
}
