#include "hoerdat_result_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/text/encoding.h"

namespace {

QString FromCp1252(const std::string& text) {
  return QString::fromStdString(velmora::Cp1252ToUtf8(text));
}

} // namespace

CHoerdatResultDlg::CHoerdatResultDlg(const std::vector<velmora::ResultRow>& rows, QWidget* parent)
    : QDialog(parent), resultList_(new QTreeWidget(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)) {
  setObjectName(QStringLiteral("hoerdatResultDlg"));
  setWindowTitle(QStringLiteral("Folgende Einträge wurden gefunden:"));

  resultList_->setObjectName(QStringLiteral("resultList"));
  resultList_->setRootIsDecorated(false);
  resultList_->setItemsExpandable(false);
  resultList_->setUniformRowHeights(true);
  resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
  resultList_->setHeaderLabels({QStringLiteral("Autor"), QStringLiteral("Titel"),
                                QStringLiteral("Sender"), QStringLiteral("Jahr")});
  const int widths[] = {90, 200, 50, 50};
  for (int column = 0; column < 4; ++column)
    resultList_->header()->resizeSection(column, widths[column]);
  resultList_->header()->setStretchLastSection(false);
  resultList_->header()->setSectionsMovable(false);

  for (const velmora::ResultRow& row : rows) {
    auto* item = new QTreeWidgetItem(resultList_);
    item->setText(0, FromCp1252(row.author));
    item->setText(1, FromCp1252(row.title));
    item->setText(2, FromCp1252(row.station));
    item->setText(3, FromCp1252(row.year));
  }
  // The keyboard starts on the first row without choosing it.
  if (resultList_->topLevelItemCount() > 0)
    resultList_->selectionModel()->setCurrentIndex(resultList_->model()->index(0, 0),
                                                   QItemSelectionModel::NoUpdate);

  okButton_->setObjectName(QStringLiteral("okButton"));
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  okButton_->setDefault(true);
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &CHoerdatResultDlg::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &CHoerdatResultDlg::reject);
  connect(resultList_, &QTreeWidget::itemDoubleClicked, this, &CHoerdatResultDlg::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addStretch(3);
  buttons->addWidget(cancelButton_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(resultList_);
  layout->addLayout(buttons);
  resize(440, 280);
  resultList_->setFocus();
}

void CHoerdatResultDlg::accept() {
  const QList<QTreeWidgetItem*> chosen = resultList_->selectedItems();
  selectedIndex_ = chosen.isEmpty() ? -1 : resultList_->indexOfTopLevelItem(chosen.first());
  QDialog::accept();
}

void CHoerdatResultDlg::reject() {
  selectedIndex_ = -1;
  QDialog::reject();
}
