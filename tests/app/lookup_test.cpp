// The Hördat search against the stand-in service, the page import through the choice dialog.
#include <QClipboard>
#include <QLabel>

#include "lookup/standin_process.h"
#include "window_test.h"

void WindowTest::searchAndPageImportReachTheWindow() {
  const char* garten = "Anna Berger - Garten, Der - RBX, 98.mp3";
  const char* part = "Marta Quell - Die Glocke 2v3 - RBX, 14.mp3";
  QVERIFY(Open({garten, part}));
  velmora::test::StandinProcess standin; // started in the work directory
  QVERIFY2(standin.port != 0, standin.firstLine.c_str());
  window->logic().state().members.settings.hoerdatUrl = standin.BaseUrl();
  window->logic().state().members.settings.hoerdatScript = "hoerdat.php";
  ClickEntry(window->widgets().fileList, QString::fromUtf8(garten));
  QTest::mouseClick(window->widgets().hoerdatSuchenButton, Qt::LeftButton);
  QVERIFY(window->logic().SearchRunning());
  QTRY_VERIFY_WITH_TIMEOUT(!window->logic().SearchRunning(), 15000);
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Garten"));
  QCOMPARE(window->widgets().spinnerLabel->text(), QStringLiteral("        "));
  // Return in a mask field presses the search button.
  QTest::mouseClick(window->widgets().maskeLoeschenButton, Qt::LeftButton);
  QTest::keyClick(Edit(FormField::maskAuthor), Qt::Key_Return);

  // The page import: an empty clipboard is refused; a day's plays are offered, Escape cancels, the
  // choice starts on the play of the loaded part, its detail pane following the highlighted row.
  QApplication::clipboard()->clear();
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages,
           (QStringList{Box(messages::kError, messages::AllSearchFieldsEmpty()),
                        Box(messages::kError, messages::ClipboardEmptyOrInvalid())}));
  QString day = QStringLiteral("Hördat\nSortierung: Sendedatum\n");
  for (int number : {1, 2, 3})
    day += QStringLiteral("Die Glocke\nSendetermine: WDR 5 - Sonntag Teil %1/3\n"
                          "Autor(en): Marta Quell\nProduktion: RBX 2014, %2 Min. - Krimi\n"
                          "Regie: Ida Sommer\nInhaltsangabe: Teil %1 der Geschichte.\n")
               .arg(number)
               .arg(50 + number);
  QApplication::clipboard()->setText(day);
  QStringList seen; // the rows, the choice by keyboard, the start row, the details
  dialogs.choice = [&](CHoerdatResultDlg& choice) {
    QTreeWidget* list = choice.resultList();
    if (seen.isEmpty()) { // no part of the play loaded: no row chosen; Escape cancels
      seen << ListTexts(list, 4) << QString::number(list->selectedItems().size());
      QTest::keyClick(list, Qt::Key_Down);
      seen << QString::number(list->indexOfTopLevelItem(list->currentItem()));
      QTest::keyClick(&choice, Qt::Key_Escape);
      return choice.selectedIndex();
    }
    seen << QString::number(list->indexOfTopLevelItem(list->currentItem()))
         << choice.detailPane()->text();
    QTest::keyClick(list, Qt::Key_Down);
    seen << choice.detailPane()->text();
    QTest::keyClick(list, Qt::Key_Up);
    QTest::mouseClick(choice.okButton(), Qt::LeftButton); // the preselected row, chosen again
    return choice.selectedIndex();
  };
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Garten"));
  ClickEntry(window->widgets().fileList, QString::fromUtf8(part));
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(seen.value(1), QStringLiteral("Marta Quell|Die Glocke|RBX|2014"));
  QCOMPARE(seen.mid(3, 2), (QStringList{"0", "1"})); // none chosen at first; Down: the second row
  QCOMPARE(seen.value(5) + seen.value(6),
           QStringLiteral("1Sendung: WDR 5 - Sonntag Teil 2/3\nLänge: 52 min.\n"
                          "Art: Krimi\nRegie: Ida Sommer\nInhalt: Teil 2 der Geschichte."));
  QVERIFY(seen.value(7).contains(QStringLiteral("Teil 3/3")));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Teil 2 der Geschichte."));
  QCOMPARE(dialogs.messages.size(), 2);
}

// The parts of one play found by a search differ only in their second titles: the choice shows
// them in a column of their own, starts on the loaded part, and the detail pane shows the
// synopsis's line breaks. A start without files keeps the folder's order in the list.
void WindowTest::choiceTellsThePartsApart() {
  const char* part = "Anna Berger - Stille Garten, Der 2v3 - RBX, 01.mp3";
  QVERIFY(Open({"B.mp3", part, "A.mp3"}));
  window->OpenFiles({});
  QCOMPARE(ListTexts(window->widgets().fileList),
           (QStringList{"A.mp3", QString::fromUtf8(part), "B.mp3"}));
  velmora::test::StandinProcess standin;
  QVERIFY2(standin.port != 0, standin.firstLine.c_str());
  window->logic().state().members.settings.hoerdatUrl = standin.BaseUrl();
  window->logic().state().members.settings.hoerdatScript = "hoerdat.php";
  QStringList seen;
  dialogs.choice = [&](CHoerdatResultDlg& choice) {
    seen << ListTexts(choice.resultList(), 5) << choice.detailPane()->text();
    if (const QByteArray shots = qgetenv("VELMORA_SCREENSHOTS"); !shots.isEmpty())
      choice.grab().save(QString::fromUtf8(shots) + QStringLiteral("/velmora-part-choice.png"));
    QTest::mouseClick(choice.okButton(), Qt::LeftButton);
    return choice.selectedIndex();
  };
  ClickEntry(window->widgets().fileList, QString::fromUtf8(part));
  QTest::mouseClick(window->widgets().hoerdatSuchenButton, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!window->logic().SearchRunning(), 15000);
  const QString play = QStringLiteral("Berger, Anna|Stille Garten, Der|RBX|2001|");
  QCOMPARE(seen.mid(0, 3), (QStringList{play + QStringLiteral("Teil 1: Aussaat"),
                                        play + QStringLiteral("Teil 2: Sommer"),
                                        play + QStringLiteral("Teil 3: Winter")}));
  QVERIFY(seen.value(3).contains(
      QStringLiteral("Die Ernte bleibt aus.\nJonas findet Briefe im Schuppen.")));
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Stille Garten 2v3"));
}
