// The window by keyboard: the start focus, the tab chain of the ID3v2 page, and the file list's
// arrow keys loading the file as a click does.
#include <QApplication>
#include <QPlainTextEdit>

#include "window_test.h"

void WindowTest::keyboardOrderAndArrowKeysLoad() {
  QVERIFY(
      Open({"Anna Berger - Garten, Der 1v2 - RBX, 98.mp3", "Max Muster - Weg, Der - WDR, 05.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  QCOMPARE(QApplication::focusWidget(), w.field(FormField::maskAuthor));

  // Tab walks the mask's fields before its buttons, then the ID3v2 page in the template's order.
  const std::vector<QWidget*> chain = {w.field(FormField::maskTitle),
                                       w.field(FormField::maskStation),
                                       w.field(FormField::maskYear),
                                       w.hoerdatSuchenButton,
                                       w.maskeLoeschenButton,
                                       w.seiteEinfuegenButton,
                                       w.field(FormField::v2Track),
                                       w.field(FormField::v2Title),
                                       w.filenameButton,
                                       w.field(FormField::v2Artist),
                                       w.field(FormField::v2Album),
                                       w.field(FormField::v2Year),
                                       w.v2GenreCombo,
                                       w.field(FormField::v2Comment),
                                       w.field(FormField::v2Composer),
                                       w.field(FormField::v2OrigArtist),
                                       w.field(FormField::v2Copyright),
                                       w.field(FormField::v2Url),
                                       w.field(FormField::v2EncodedBy)};
  for (QWidget* next : chain) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
  }

  // Arrow keys in the list load the file under the cursor, its name fills the mask.
  w.fileList->setFocus();
  w.fileList->setCurrentItem(w.fileList->topLevelItem(0));
  const QString first = Text(FormField::inputFile), firstAuthor = Text(FormField::maskAuthor);
  QTest::keyClick(w.fileList, Qt::Key_Down);
  QCOMPARE(Text(FormField::inputFile),
           Path(w.fileList->topLevelItem(1)->text(0).toUtf8().constData()));
  QVERIFY(Text(FormField::maskAuthor) != firstAuthor);
  QTest::keyClick(w.fileList, Qt::Key_Up);
  QCOMPARE(Text(FormField::inputFile), first);
  QCOMPARE(Text(FormField::maskAuthor), firstAuthor);
  QVERIFY(dialogs.messages.isEmpty());
}
