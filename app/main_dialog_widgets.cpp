#include "main_dialog_widgets.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "status_line.h"
#include "typed_input_rule.h"

using velmora::FormField;

namespace {

constexpr int kFileColumnWidth = 330;
constexpr int kV2YearTypedLimit = static_cast<int>(velmora::kV2YearLimit);

QString ObjectName(FormField field, const char* suffix) {
  return QString::fromLatin1(velmora::FieldName(field).data(),
                             static_cast<qsizetype>(velmora::FieldName(field).size())) +
         QLatin1String(suffix);
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  // Only the search button is the default button; Return in a field must not press another one.
  button->setAutoDefault(false);
  return button;
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
  return new QLabel(text, parent);
}

class Builder {
public:
  Builder(QDialog* dialog, MainDialogWidgets& w) : dialog_(dialog), w_(w) {}

  QLineEdit* Edit(FormField field) {
    auto* edit = new QLineEdit(dialog_);
    edit->setObjectName(ObjectName(field, "Edit"));
    w_.fields[static_cast<std::size_t>(field)] = edit;
    return edit;
  }
  QLineEdit* DigitsEdit(FormField field, int typedLimit = 0) {
    QLineEdit* edit = Edit(field);
    new TypedInputRule(edit, true, typedLimit);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10 + 16);
    return edit;
  }
  QComboBox* GenreCombo(const char* name) {
    auto* combo = new QComboBox(dialog_);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
  }

  QLayout* LeftColumn() {
    w_.fileList = new QTreeWidget(dialog_);
    w_.fileList->setObjectName(QStringLiteral("fileList"));
    w_.fileList->setRootIsDecorated(false);
    w_.fileList->setItemsExpandable(false);
    w_.fileList->setUniformRowHeights(true);
    w_.fileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    w_.fileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    w_.fileList->setMinimumWidth(kFileColumnWidth + 24);
    w_.fileList->header()->setSectionsClickable(true);
    // The one column fills the list, which takes the window's extra width.
    w_.fileList->header()->setStretchLastSection(true);
    w_.fileList->setTextElideMode(Qt::ElideMiddle);
    w_.fileList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QLineEdit* inputFile = Edit(FormField::inputFile);
    QLineEdit* inputDir = Edit(FormField::inputDir);
    inputFile->setReadOnly(true);
    inputDir->setReadOnly(true);

    w_.progressBar = new QProgressBar(dialog_);
    w_.progressBar->setObjectName(QStringLiteral("progressBar"));
    w_.progressBar->setRange(0, 100);
    w_.progressBar->setTextVisible(false);
    // The bar comes and goes with a copy; the fields around it stay where they are.
    QSizePolicy keepPlace = w_.progressBar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    w_.progressBar->setSizePolicy(keepPlace);

    w_.dirButton = MakeButton(QStringLiteral("&Dir"), "dirButton", dialog_);
    w_.sammlungButton = MakeButton(QStringLiteral("Sa&mmlung…"), "sammlungButton", dialog_);
    w_.sammlungButton->setToolTip(QStringLiteral(
        "Zeigt die Hörspiele des Input-Verzeichnisses und seiner Unterordner: Teile, Lücken, "
        "getaggt; mit Katalog als HTML oder CSV"));

    auto* paths = new QGridLayout;
    paths->addWidget(MakeLabel(QStringLiteral("Input-File"), dialog_), 0, 0);
    paths->addWidget(inputFile, 0, 1, 1, 3);
    paths->addWidget(w_.progressBar, 1, 1, 1, 3);
    paths->addWidget(MakeLabel(QStringLiteral("Input-Dir."), dialog_), 2, 0);
    paths->addWidget(inputDir, 2, 1);
    paths->addWidget(w_.dirButton, 2, 2);
    paths->addWidget(w_.sammlungButton, 2, 3);
    paths->setColumnStretch(1, 1);

    auto* column = new QVBoxLayout;
    column->addWidget(w_.fileList, 1);
    column->addLayout(paths);
    return column;
  }

  QWidget* SearchMask() {
    auto* group = new QGroupBox(QStringLiteral("Hördat-Suchmaske"), dialog_);
    group->setObjectName(QStringLiteral("maskGroup"));
    w_.hoerdatSuchenButton =
        MakeButton(QStringLiteral("Hördat &suchen"), "hoerdatSuchenButton", dialog_);
    w_.hoerdatSuchenButton->setAutoDefault(true);
    w_.hoerdatSuchenButton->setDefault(true);
    w_.spinnerLabel = new QLabel(dialog_);
    w_.spinnerLabel->setObjectName(QStringLiteral("spinnerLabel"));
    w_.spinnerLabel->setMinimumWidth(
        w_.spinnerLabel->fontMetrics().horizontalAdvance(QStringLiteral("--------")) + 4);
    w_.maskeLoeschenButton =
        MakeButton(QStringLiteral("Maske &löschen"), "maskeLoeschenButton", dialog_);
    w_.seiteEinfuegenButton =
        MakeButton(QStringLiteral("Seite &einfügen"), "seiteEinfuegenButton", dialog_);
    w_.seiteEinfuegenButton->setToolTip(
        QStringLiteral("Eine aus dem Browser kopierte Hördat-Seite aus der Zwischenablage "
                       "übernehmen"));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(QStringLiteral("Autor-Nachn."), dialog_), 0, 0);
    grid->addWidget(Edit(FormField::maskAuthor), 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("Titel"), dialog_), 0, 2);
    grid->addWidget(Edit(FormField::maskTitle), 0, 3);
    grid->addWidget(MakeLabel(QStringLiteral("Sender"), dialog_), 1, 0);
    grid->addWidget(Edit(FormField::maskStation), 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("Jahr"), dialog_), 1, 2);
    grid->addWidget(Edit(FormField::maskYear), 1, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(w_.hoerdatSuchenButton);
    buttons->addWidget(w_.spinnerLabel);
    buttons->addWidget(w_.maskeLoeschenButton);
    buttons->addStretch(1);
    buttons->addWidget(w_.seiteEinfuegenButton);

    auto* layout = new QVBoxLayout(group);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    return group;
  }

  // Both pages share one area: each row holds the control of either page, and the page switch
  // shows one set and hides the other.
  QWidget* TagArea() {
    auto* area = new QFrame(dialog_);
    area->setObjectName(QStringLiteral("tagArea"));
    area->setFrameShape(QFrame::StyledPanel);
    MakeShortTagControls();
    auto* v2Comment = CommentEdit();
    w_.filenameButton = MakeButton(QStringLiteral("&Filename"), "filenameButton", dialog_);

    auto* grid = new QGridLayout(area);
    int row = 0;
    AddShortRow(grid, row, QStringLiteral("Titel Num."), w_.field(FormField::v2Track),
                w_.field(FormField::v1Track));
    AddTextRows(grid, row);
    AddShortRow(grid, row, QStringLiteral("Jahr"), w_.field(FormField::v2Year),
                w_.field(FormField::v1Year));
    AddShortRow(grid, row, QStringLiteral("Genre"), w_.v2GenreCombo, w_.v1GenreCombo);
    grid->addWidget(CoverLabel(), 0, 2, row, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(MakeLabel(QStringLiteral("Kommentar"), dialog_), row, 0,
                    Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(v2Comment, row, 1);
    grid->addWidget(Edit(FormField::v1Comment), row, 1, Qt::AlignTop);
    grid->setRowStretch(row++, 1);
    AddV2OnlyRows(grid, row);
    grid->addWidget(AutoCopyNote(), row++, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return area;
  }

  void MakeShortTagControls() {
    DigitsEdit(FormField::v2Track);
    DigitsEdit(FormField::v1Track);
    DigitsEdit(FormField::v2Year, kV2YearTypedLimit);
    DigitsEdit(FormField::v1Year);
    w_.v2GenreCombo = GenreCombo("v2GenreCombo");
    w_.v1GenreCombo = GenreCombo("v1GenreCombo");
  }

  QPlainTextEdit* CommentEdit() {
    auto* v2Comment = new QPlainTextEdit(dialog_);
    v2Comment->setObjectName(ObjectName(FormField::v2Comment, "Edit"));
    v2Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    v2Comment->setTabChangesFocus(true);
    v2Comment->setMinimumHeight(v2Comment->fontMetrics().lineSpacing() * 4 + 12);
    w_.fields[static_cast<std::size_t>(FormField::v2Comment)] = v2Comment;
    return v2Comment;
  }

  // A row of the short controls of both pages, at their own widths.
  void AddShortRow(QGridLayout* grid, int& row, const QString& label, QWidget* v2, QWidget* v1) {
    auto* line = new QHBoxLayout;
    line->addWidget(v2);
    line->addWidget(v1);
    line->addStretch(1);
    grid->addWidget(MakeLabel(label, dialog_), row, 0);
    grid->addLayout(line, row++, 1);
  }

  // Title (with the "Filename" button beside it), artist and album, each across the row.
  void AddTextRows(QGridLayout* grid, int& row) {
    auto shared = [&](const QString& label, QWidget* v2, QWidget* v1) {
      grid->addWidget(MakeLabel(label, dialog_), row, 0);
      grid->addWidget(v2, row, 1);
      grid->addWidget(v1, row, 1);
      ++row;
    };
    auto sharedInRow = [&](const QString& label, QWidget* v2, QWidget* v1, QWidget* extra) {
      auto* line = new QHBoxLayout;
      line->addWidget(v2, 1);
      line->addWidget(v1, 1);
      if (extra) line->addWidget(extra);
      grid->addWidget(MakeLabel(label, dialog_), row, 0);
      grid->addLayout(line, row, 1);
      ++row;
    };
    sharedInRow(QStringLiteral("Titel"), Edit(FormField::v2Title), Edit(FormField::v1Title),
                w_.filenameButton);
    shared(QStringLiteral("Künstler"), Edit(FormField::v2Artist), Edit(FormField::v1Artist));
    shared(QStringLiteral("Album"), Edit(FormField::v2Album), Edit(FormField::v1Album));
  }

  QLabel* CoverLabel() {
    w_.coverLabel = new QLabel(dialog_);
    w_.coverLabel->setObjectName(QStringLiteral("coverLabel"));
    w_.coverLabel->setAlignment(Qt::AlignCenter);
    w_.coverLabel->setFixedSize(96, 96); // the thumbnail's size, see cover_view.cpp
    w_.coverLabel->hide();
    return w_.coverLabel;
  }

  void AddV2OnlyRows(QGridLayout* grid, int& row) {
    const std::pair<const char*, FormField> v2Only[] = {{"Komponist", FormField::v2Composer},
                                                        {"urspr. Künstl.", FormField::v2OrigArtist},
                                                        {"Copyright", FormField::v2Copyright},
                                                        {"URL", FormField::v2Url},
                                                        {"Encod. von", FormField::v2EncodedBy}};
    for (std::size_t i = 0; i < std::size(v2Only); ++i) {
      w_.v2OnlyLabels[i] = MakeLabel(QString::fromUtf8(v2Only[i].first), dialog_);
      grid->addWidget(w_.v2OnlyLabels[i], row, 0);
      grid->addWidget(Edit(v2Only[i].second), row++, 1);
    }
  }

  QLabel* AutoCopyNote() {
    w_.autoCopyNote = new QLabel(dialog_);
    w_.autoCopyNote->setObjectName(QStringLiteral("autoCopyNote"));
    w_.autoCopyNote->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w_.autoCopyNote->setWordWrap(true);
    w_.autoCopyNote->setMargin(6);
    return w_.autoCopyNote;
  }

  QLayout* RightColumn() {
    w_.tagTabs = new QTabBar(dialog_);
    w_.tagTabs->setObjectName(QStringLiteral("tagTabs"));
    w_.tagTabs->setDrawBase(false);
    w_.tagTabs->setExpanding(false);
    // Added before the bar is laid out: a hidden bar does not tell its layout that it grew.
    w_.tagTabs->addTab(QStringLiteral("ID3v&2"));
    w_.tagTabs->addTab(QStringLiteral("ID3v&1"));

    w_.infoButton = MakeButton(QStringLiteral("Info"), "infoButton", dialog_);
    w_.infoButton->setToolTip(QStringLiteral("Info über Velmora (F1)"));
    w_.copyToId3v1Button =
        MakeButton(QStringLiteral("&Copy to ID3v1"), "copyToId3v1Button", dialog_);
    w_.aktualisierenButton =
        MakeButton(QStringLiteral("&Aktualisieren"), "aktualisierenButton", dialog_);
    w_.exitButton = MakeButton(QStringLiteral("E&xit"), "exitButton", dialog_);
    w_.alleTeileButton =
        MakeButton(QStringLiteral("Alle &Teile aktualisieren"), "alleTeileButton", dialog_);
    w_.alleTeileButton->setToolTip(
        QStringLiteral("Schreibt alle Teile dieses Hörspiels aus der Liste (wie 1v3, 2v3, 3v3) "
                       "mit den Werten der Felder, nach einer Bestätigung"));

    auto* commands = new QHBoxLayout;
    commands->addWidget(w_.infoButton);
    commands->addStretch(1);
    commands->addWidget(w_.copyToId3v1Button);
    commands->addWidget(w_.aktualisierenButton);
    commands->addWidget(w_.alleTeileButton);
    commands->addWidget(w_.exitButton);

    auto* tabs = new QVBoxLayout;
    tabs->setSpacing(0);
    tabs->addWidget(w_.tagTabs);
    tabs->addWidget(TagArea(), 1);

    auto* column = new QVBoxLayout;
    column->addWidget(SearchMask());
    column->addLayout(tabs, 1);
    column->addLayout(commands);
    return column;
  }

private:
  QDialog* dialog_;
  MainDialogWidgets& w_;
};

} // namespace

QLineEdit* MainDialogWidgets::lineEdit(velmora::FormField f) const {
  return qobject_cast<QLineEdit*>(field(f));
}

MainDialogWidgets BuildMainDialogWidgets(QDialog* dialog) {
  MainDialogWidgets widgets;
  Builder builder(dialog, widgets);
  widgets.columns = new QSplitter(Qt::Horizontal, dialog);
  widgets.columns->setObjectName(QStringLiteral("columns"));
  widgets.columns->setChildrenCollapsible(false); // neither side can be pushed out of sight
  for (QLayout* column : {builder.LeftColumn(), builder.RightColumn()}) {
    column->setContentsMargins(0, 0, 0, 0);
    auto* side = new QWidget(widgets.columns);
    side->setLayout(column);
    widgets.columns->addWidget(side);
  }
  // Extra width goes to the file list; the fields keep theirs (nearly) until the splitter is
  // moved. The splitter shares by size times stretch, so a plain 1 : 0 would still widen both.
  widgets.columns->setStretchFactor(0, 100);
  widgets.columns->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(widgets.columns, 1);
  widgets.statusLine = MakeStatusLine(dialog);
  layout->addWidget(widgets.statusLine);
  return widgets;
}
