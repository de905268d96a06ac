#include "modal_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "hoerdat_result_dlg.h"
#include "parts_confirm_dlg.h"
#include "qt_text.h"

using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace {

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

} // namespace

MessageAnswer QtModalDialogs::Message(const QString& text, const QString& caption, MessageIcon icon,
                                      MessageButtons buttons) {
  QMessageBox box(BoxIcon(icon), caption, LineBreaksForDisplay(text), BoxButtons(buttons), parent_);
  return AnswerOf(box.exec(), buttons);
}

std::optional<QString> QtModalDialogs::SaveTarget(const QString& initialDir,
                                                  const QString& proposedName) {
  QFileDialog dialog(parent_, QString(), initialDir);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("mp3"));
  dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> QtModalDialogs::CatalogueTarget(const QString& initialDir,
                                                       const QString& proposedName) {
  QFileDialog dialog(parent_, QStringLiteral("Katalog speichern"), initialDir);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(
      {QStringLiteral("HTML-Seite (*.html)"), QStringLiteral("CSV-Tabelle (*.csv)")});
  dialog.setDefaultSuffix(QStringLiteral("html"));
  // The suffix follows the chosen filter, so that "CSV-Tabelle" writes a .csv.
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QStringLiteral("csv")) ? QStringLiteral("csv")
                                                                       : QStringLiteral("html"));
      });
  dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> QtModalDialogs::Directory(const QString& title, const QString& folder) {
  const QString chosen = QFileDialog::getExistingDirectory(parent_, title, folder);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

int QtModalDialogs::ChooseRecord(CHoerdatResultDlg& choice) {
  choice.exec();
  return choice.selectedIndex();
}

bool QtModalDialogs::ConfirmParts(PartsConfirmDlg& confirmation) {
  return confirmation.exec() == QDialog::Accepted;
}

void QtModalDialogs::Play(const QString& path) {
  // The desktop's registered application for the type; a failure is not reported.
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
