#include "qt_window_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <QUrl>

#include "core/text/encoding.h"
#include "cover_view.h"
#include "dialog_responder.h"
#include "genre_lists.h"
#include "hoerdat_result_dlg.h"
#include "main_dialog_widgets.h"
#include "parts_confirm_dlg.h"
#include "path_field.h"
#include "status_line.h"
#include "typed_input_rule.h"
#include "velmora_dlg.h"

using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace {

constexpr int kSpinnerPeriodMs = 300;

QString FromCp1252(const std::string& text) {
  return QString::fromStdString(velmora::Cp1252ToUtf8(text));
}

std::string ToCp1252(const QString& text) {
  return velmora::Utf8ToCp1252(text.toStdString());
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
  case MessageIcon::Exclamation:
    return QMessageBox::Warning;
  case MessageIcon::Information:
    return QMessageBox::Information;
  case MessageIcon::Question:
    return QMessageBox::Question;
  case MessageIcon::None:
    break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
  switch (buttons) {
  case MessageButtons::OkCancel:
    return QMessageBox::Ok | QMessageBox::Cancel;
  case MessageButtons::YesNo:
    return QMessageBox::Yes | QMessageBox::No;
  case MessageButtons::Ok:
    break;
  }
  return QMessageBox::Ok;
}

MessageAnswer CancellingAnswer(MessageButtons buttons) {
  switch (buttons) {
  case MessageButtons::OkCancel:
    return MessageAnswer::Cancel;
  case MessageButtons::YesNo:
    return MessageAnswer::No;
  case MessageButtons::Ok:
    break;
  }
  return MessageAnswer::Ok;
}

MessageAnswer AnswerOf(int button, MessageButtons buttons) {
  switch (button) {
  case QMessageBox::Ok:
    return MessageAnswer::Ok;
  case QMessageBox::Cancel:
    return MessageAnswer::Cancel;
  case QMessageBox::Yes:
    return MessageAnswer::Yes;
  case QMessageBox::No:
    return MessageAnswer::No;
  default:
    return CancellingAnswer(buttons); // closed by Escape or the close box
  }
}

// Line breaks are CR LF in the core, as in the desktop's edit controls and message boxes.
QString LineBreaksForDisplay(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
QString LineBreaksFromDisplay(QString text) {
  return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace

QtWindowPlatform::QtWindowPlatform(CVelmoraDlg& dialog, std::function<void()> spinnerTick)
    : dialog_(dialog) {
  spinnerTimer_.setInterval(kSpinnerPeriodMs);
  QObject::connect(&spinnerTimer_, &QTimer::timeout, &dialog_, std::move(spinnerTick));
}

MessageAnswer QtWindowPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                            MessageIcon icon, MessageButtons buttons) {
  return ShowMessageUtf8(FromCp1252(text), FromCp1252(caption), icon, buttons);
}

MessageAnswer QtWindowPlatform::ShowMessageUtf8(const QString& text, const QString& caption,
                                                MessageIcon icon, MessageButtons buttons) {
  if (responder_)
    return responder_->message ? responder_->message(text, caption, icon, buttons)
                               : CancellingAnswer(buttons);
  QMessageBox box(BoxIcon(icon), caption, LineBreaksForDisplay(text), BoxButtons(buttons),
                  &dialog_);
  return AnswerOf(box.exec(), buttons);
}

std::string QtWindowPlatform::ControlText(velmora::FormField field) {
  QWidget* control = dialog_.widgets().field(field);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return ToCp1252(edit->text());
  return ToCp1252(LineBreaksFromDisplay(qobject_cast<QPlainTextEdit*>(control)->toPlainText()));
}

void QtWindowPlatform::SetControlText(velmora::FormField field, const std::string& text) {
  QWidget* control = dialog_.widgets().field(field);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    TypedInputRule::SetProgramText(edit, FromCp1252(text));
    edit->setCursorPosition(0);
    if (field == velmora::FormField::inputFile || field == velmora::FormField::inputDir)
      ShowPathEnd(edit);
    return;
  }
  qobject_cast<QPlainTextEdit*>(control)->setPlainText(LineBreaksForDisplay(FromCp1252(text)));
}

void QtWindowPlatform::ShowCoverPicture(const velmora::TagPicture* picture) {
  const MainDialogWidgets& widgets = dialog_.widgets();
  ShowCoverThumbnail(widgets.coverLabel, picture, widgets.tagTabs->currentIndex() == 0);
}

void QtWindowPlatform::FocusControl(velmora::FormField field) {
  dialog_.RevealField(field);
  dialog_.widgets().field(field)->setFocus(Qt::OtherFocusReason);
}

velmora::GenreSelection QtWindowPlatform::SelectedV2Genre() {
  return SelectedGenre(dialog_.widgets().v2GenreCombo);
}

std::optional<std::string> QtWindowPlatform::AskSaveTarget(const std::string& initialDir,
                                                           const std::string& proposedName) {
  const QString dir = QString::fromStdString(initialDir);
  const QString name = QString::fromStdString(proposedName);
  std::optional<QString> chosen;
  if (responder_) {
    if (responder_->saveTarget) chosen = responder_->saveTarget(dir, name);
  } else {
    QFileDialog dialog(&dialog_, QString(), dir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("mp3"));
    dialog.selectFile(name);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      chosen = dialog.selectedFiles().first();
  }
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

void QtWindowPlatform::ShowProgress(bool visible) {
  QProgressBar* bar = dialog_.widgets().progressBar;
  bar->setValue(0);
  bar->setVisible(visible);
}

void QtWindowPlatform::SetProgress(int percent) {
  dialog_.widgets().progressBar->setValue(percent);
}

bool QtWindowPlatform::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return !quitRequested_;
}

void QtWindowPlatform::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(FromCp1252(text));
}

velmora::ClipboardText QtWindowPlatform::ReadClipboardText() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return {velmora::ClipboardText::Status::Empty, {}};
  // A page copied from a browser may hold any character: each becomes its nearest form.
  return {velmora::ClipboardText::Status::Ok, velmora::Utf8ToNearestCp1252(text.toStdString())};
}

std::optional<std::string> QtWindowPlatform::ReadClipboardHtml() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasHtml()) return std::nullopt;
  return velmora::Utf8ToNearestCp1252(data->html().toStdString());
}

std::vector<std::string> QtWindowPlatform::ListedFiles() {
  std::vector<std::string> paths;
  const QTreeWidget* list = dialog_.widgets().fileList;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    paths.push_back(list->topLevelItem(row)->data(0, kListPathRole).toByteArray().toStdString());
  return paths;
}

bool QtWindowPlatform::ConfirmParts(const std::vector<velmora::PartTarget>& parts) {
  PartsConfirmDlg confirmation(parts, &dialog_);
  if (responder_) {
    if (!responder_->confirmParts) return false;
    confirmation.show();
    const bool confirmed = responder_->confirmParts(confirmation);
    confirmation.hide();
    return confirmed;
  }
  return confirmation.exec() == QDialog::Accepted;
}

int QtWindowPlatform::ChooseRecord(const std::vector<velmora::ResultRow>& rows, int preselected) {
  CHoerdatResultDlg choice(rows, preselected, &dialog_);
  if (responder_) {
    if (!responder_->choice) return -1;
    choice.show();
    const int chosen = responder_->choice(choice);
    choice.hide();
    return chosen;
  }
  choice.exec();
  return choice.selectedIndex();
}

void QtWindowPlatform::SetSpinnerText(const std::string& text) {
  dialog_.widgets().spinnerLabel->setText(FromCp1252(text));
}

void QtWindowPlatform::StartSpinnerTimer() {
  spinnerTimer_.start();
}

void QtWindowPlatform::StopSpinnerTimer() {
  spinnerTimer_.stop();
}

void QtWindowPlatform::PostToWindowThread(std::function<void()> fn) {
  // Queued to the window: when the window is destroyed before it runs, Qt drops it.
  QMetaObject::invokeMethod(&dialog_, std::move(fn), Qt::QueuedConnection);
}

void QtWindowPlatform::ShowStatus(const std::string& text) {
  ShowStatusText(dialog_.widgets().statusLine, LineBreaksForDisplay(FromCp1252(text)));
}

std::optional<QString> QtWindowPlatform::AskDirectory(const QString& title, const QString& folder) {
  if (responder_)
    return responder_->directory ? responder_->directory(title, folder) : std::nullopt;
  const QString chosen = QFileDialog::getExistingDirectory(&dialog_, title, folder);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

void QtWindowPlatform::PlayFile(const QString& path) {
  if (responder_) {
    if (responder_->play) responder_->play(path);
    return;
  }
  // The desktop's registered application for the type; a failure is not reported.
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
