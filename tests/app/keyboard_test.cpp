// The window by keyboard: the start focus, the tab chain, and the file list's arrow keys loading
// the file as a click does.
#include <QApplication>
#include <QPlainTextEdit>

#include "window_test.h"

void WindowTest::keyboardOrderAndArrowKeysLoad() {
  QVERIFY(
      Open({"Anna Berger - Garten, Der 1v2 - RBX, 98.mp3", "Max Muster - Weg, Der - WDR, 05.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  QCOMPARE(QApplication::focusWidget(), w.field(FormField::maskAuthor));

  // Tab reaches every control that can take the focus exactly once and comes back to the start.
  QList<QWidget*> reachable, reached;
  for (QWidget* child : window->findChildren<QWidget*>())
    if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus) &&
        !child->focusProxy())
      reachable << child;
  do {
    reached << QApplication::focusWidget();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  } while (QApplication::focusWidget() != reached.first() && reached.size() <= reachable.size());
  std::sort(reachable.begin(), reachable.end());
  std::sort(reached.begin(), reached.end());
  QCOMPARE(reached, reachable);

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
