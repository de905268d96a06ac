// The page import of a day's plays: the choice starts on the play of the loaded part, and its
// detail pane follows the highlighted row.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "hoerdat_result_dlg.h"
#include "window_test.h"

void WindowTest::pageChoiceShowsDetailsAndStartsOnThePart() {
  const char* part = "Marta Quell - Die Glocke 2v3 - RBX, 14.mp3";
  QVERIFY(Open({part}));
  ClickEntry(window->widgets().fileList, QString::fromUtf8(part));
  QString day = QStringLiteral("Hördat\nSortierung: Sendedatum\n");
  for (int number : {1, 2, 3})
    day += QStringLiteral("Die Glocke\nSendetermine: WDR 5 - Sonntag Teil %1/3\n"
                          "Autor(en): Marta Quell\nProduktion: RBX 2014, %2 Min. - Krimi\n"
                          "Regie: Ida Sommer\nInhaltsangabe: Teil %1 der Geschichte.\n")
               .arg(number)
               .arg(50 + number);
  QApplication::clipboard()->setText(day);

  int startRow = -1;
  QStringList panes;
  dialogs.choice = [&](CHoerdatResultDlg& choice) {
    QTreeWidget* list = choice.resultList();
    startRow = list->indexOfTopLevelItem(list->currentItem());
    panes << choice.detailPane()->text();
    QTest::keyClick(list, Qt::Key_Down);
    panes << choice.detailPane()->text();
    QTest::keyClick(list, Qt::Key_Up);
    QTest::mouseClick(choice.okButton(), Qt::LeftButton); // the preselected row, chosen again
    return choice.selectedIndex();
  };
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(startRow, 1);
  QCOMPARE(panes.size(), 2);
  QCOMPARE(panes[0], QStringLiteral("Sendung: WDR 5 - Sonntag Teil 2/3\nLänge: 52 min.\nArt: "
                                    "Krimi\nRegie: Ida Sommer\nInhalt: Teil 2 der Geschichte."));
  QVERIFY(panes[1].contains(QStringLiteral("Teil 3/3")));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Teil 2 der Geschichte."));
  QVERIFY(dialogs.messages.isEmpty());
}
