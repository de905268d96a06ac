#include "hoerdat_result_dlg.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/lookup/result_rows.h"
#include "qt_text.h"

namespace {

// The start of a long text: its first lines, at most limit characters.
QString Start(const std::string& text, int lines, qsizetype limit) {
  QString start = LineBreaksForDisplay(ToQString(text));
  const QStringList kept = start.split(QLatin1Char('\n')).mid(0, lines);
  start = kept.join(QLatin1Char('\n'));
  if (start.size() > limit) start = start.left(limit).trimmed() + QStringLiteral(" …");
  return start;
}

// "Label: text" lines of the texts that are there.
QString DetailText(const velmora::ResultRow& row) {
  QStringList lines;
  const auto add = [&lines](const char* label, const QString& text) {
    if (!text.trimmed().isEmpty()) lines << QString::fromUtf8(label) + QStringLiteral(": ") + text;
  };
  add("Zweiter Titel", ToQString(row.secondTitle));
  add("Sendung", ToQString(row.broadcast));
  add("Länge", ToQString(row.length));
  add("Art", ToQString(row.kind));
  add("Genre", ToQString(row.genre));
  add("Regie", ToQString(row.director));
  add("Inhalt", Start(row.synopsis, 3, 300));
  add("Mitwirkende", Start(row.cast, 2, 160));
  return lines.join(QLatin1Char('\n'));
}

} // namespace

CHoerdatResultDlg::CHoerdatResultDlg(const std::vector<velmora::ResultRow>& rows, int preselected,
                                     QWidget* parent)
    : QDialog(parent), rows_(rows), resultList_(new QTreeWidget(this)),
      detailPane_(new QLabel(this)), okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)) {
  setObjectName(QStringLiteral("hoerdatResultDlg"));
  setWindowTitle(QStringLiteral("Folgende Einträge wurden gefunden:"));
  FillResultList();
  SetUpDetailPane();
  StartOnRow(preselected);
  SetUpButtons();
  LayOut();
  resultList_->setFocus();
}

void CHoerdatResultDlg::FillResultList() {
  resultList_->setObjectName(QStringLiteral("resultList"));
  resultList_->setRootIsDecorated(false);
  resultList_->setItemsExpandable(false);
  resultList_->setUniformRowHeights(true);
  resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
  // The parts of one play share author, title, station and year: their own column tells them
  // apart.
  resultList_->setHeaderLabels({QStringLiteral("Autor"), QStringLiteral("Titel"),
                                QStringLiteral("Sender"), QStringLiteral("Jahr"),
                                QStringLiteral("Teil")});
  resultList_->header()->setStretchLastSection(false);
  resultList_->header()->setSectionsMovable(false);

  for (const velmora::ResultRow& row : rows_) {
    auto* item = new QTreeWidgetItem(resultList_);
    item->setText(0, ToQString(row.author));
    item->setText(1, ToQString(row.title));
    item->setText(2, ToQString(row.station));
    item->setText(3, ToQString(row.year));
    item->setText(4, ToQString(velmora::PartOfRow(row)));
  }
  // The columns fit their texts (at least the widths of old), the title takes what is left.
  const int widths[] = {90, 200, 50, 50, 90};
  for (int column = 0; column < 5; ++column) {
    resultList_->resizeColumnToContents(column);
    resultList_->header()->resizeSection(
        column, std::min(std::max(resultList_->header()->sectionSize(column), widths[column]),
                         column == 1 ? 420 : 220));
  }
}

void CHoerdatResultDlg::SetUpDetailPane() {
  detailPane_->setObjectName(QStringLiteral("detailPane"));
  detailPane_->setWordWrap(true);
  detailPane_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  detailPane_->setTextFormat(Qt::PlainText);
  detailPane_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  detailPane_->setMargin(6);
  detailPane_->setMinimumHeight(detailPane_->fontMetrics().lineSpacing() * 7 + 14);
  detailPane_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  connect(resultList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    ShowDetails(current ? resultList_->indexOfTopLevelItem(current) : -1);
  });
}

void CHoerdatResultDlg::StartOnRow(int preselected) {
  // The keyboard starts on the first row without choosing it; a row that names the loaded
  // file's part starts chosen.
  const int count = resultList_->topLevelItemCount();
  if (preselected >= 0 && preselected < count) {
    resultList_->setCurrentItem(resultList_->topLevelItem(preselected));
    resultList_->topLevelItem(preselected)->setSelected(true);
  } else if (count > 0) {
    resultList_->selectionModel()->setCurrentIndex(resultList_->model()->index(0, 0),
                                                   QItemSelectionModel::NoUpdate);
  }
  ShowDetails(resultList_->currentItem()
                  ? resultList_->indexOfTopLevelItem(resultList_->currentItem())
                  : -1);
}

void CHoerdatResultDlg::SetUpButtons() {
  okButton_->setObjectName(QStringLiteral("okButton"));
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  okButton_->setDefault(true);
  cancelButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &CHoerdatResultDlg::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &CHoerdatResultDlg::reject);
  connect(resultList_, &QTreeWidget::itemDoubleClicked, this, &CHoerdatResultDlg::accept);
}

void CHoerdatResultDlg::LayOut() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addStretch(3);
  buttons->addWidget(cancelButton_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(resultList_, 1);
  layout->addWidget(detailPane_);
  layout->addLayout(buttons);
  setSizeGripEnabled(true);
  resize(std::max(440, resultList_->header()->length() + 40), 420);
}

void CHoerdatResultDlg::ShowDetails(int row) {
  detailPane_->setText(row >= 0 && row < static_cast<int>(rows_.size())
                           ? DetailText(rows_[static_cast<std::size_t>(row)])
                           : QString());
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
