#include "parts_confirm_dlg.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/model/messages.h"
#include "qt_text.h"

namespace {

QString NativePath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// The missing parts, then each file left alone with its reason, one a line.
QString NoticeText(const velmora::PartsConfirmation& confirmation) {
  QStringList lines;
  if (!confirmation.missingParts.empty())
    lines << ToQString(
        velmora::messages::MissingParts(confirmation.missingParts, confirmation.partCount));
  for (const velmora::StrayFile& stray : confirmation.strays)
    lines << QFileInfo(NativePath(stray.path)).fileName() + QStringLiteral(": ") +
                 ToQString(stray.why);
  return lines.join(QLatin1Char('\n'));
}

// One row a part: its number, its source and its target, each name with its path as tooltip.
void FillPartList(QTreeWidget* list, const std::vector<velmora::PartTarget>& parts) {
  list->setObjectName(QStringLiteral("partList"));
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setFocusPolicy(Qt::NoFocus);
  list->setHeaderLabels({QStringLiteral("Teil"), QStringLiteral("Quelle"), QStringLiteral("Ziel")});
  for (const velmora::PartTarget& part : parts) {
    auto* item = new QTreeWidgetItem(list);
    const QString source = NativePath(part.sourcePath);
    const QString target = NativePath(part.targetPath);
    item->setText(0, QString::number(part.partNumber));
    item->setText(1, QFileInfo(source).fileName());
    item->setToolTip(1, source);
    item->setText(2, QFileInfo(target).fileName() +
                         (part.targetExists ? QStringLiteral(" (wird überschrieben)") : QString()));
    item->setToolTip(2, target);
  }
  for (int column = 0; column < list->columnCount(); ++column)
    list->resizeColumnToContents(column);
  list->setMinimumWidth(std::min(900, list->header()->length() + 2 * list->frameWidth() + 24));
}

} // namespace

PartsConfirmDlg::PartsConfirmDlg(const velmora::PartsConfirmation& confirmation, QWidget* parent)
    : QDialog(parent), partList_(new QTreeWidget(this)), folderLabel_(new QLabel(this)),
      noticeLabel_(new QLabel(this)), okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)) {
  setObjectName(QStringLiteral("partsConfirmDlg"));
  setWindowTitle(QStringLiteral("Alle Teile aktualisieren"));
  setSizeGripEnabled(true);

  auto* intro = new QLabel(QStringLiteral("Diese Teile werden mit den Werten der Felder "
                                          "geschrieben, jeder mit seiner Teilangabe:"),
                           this);
  intro->setWordWrap(true);
  FillPartList(partList_, confirmation.parts);
  const std::vector<velmora::PartTarget>& parts = confirmation.parts;

  folderLabel_->setObjectName(QStringLiteral("folderLabel"));
  if (!parts.empty())
    folderLabel_->setText(QStringLiteral("Ausgabeverzeichnis: %1")
                              .arg(QFileInfo(NativePath(parts.front().targetPath)).path()));
  folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  noticeLabel_->setObjectName(QStringLiteral("noticeLabel"));
  noticeLabel_->setWordWrap(true);
  noticeLabel_->setText(NoticeText(confirmation));
  noticeLabel_->setVisible(!noticeLabel_->text().isEmpty());

  okButton_->setObjectName(QStringLiteral("okButton"));
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  okButton_->setDefault(true);
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(partList_, 1);
  layout->addWidget(noticeLabel_);
  layout->addWidget(folderLabel_);
  layout->addLayout(buttons);
}
