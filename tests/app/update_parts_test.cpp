// "Alle Teile aktualisieren": the button follows the loaded file, the confirmation lists the
// targets, OK writes every part.
#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "parts_confirm_dlg.h"
#include "window_test.h"

void WindowTest::partsButtonFollowsTheLoadedPlayAndConfirmsTargets() {
  const char* part1 = "Anna Berger - Garten 1v2 - RBX, 98.mp3";
  const char* part2 = "Anna Berger - Garten 2v2 - RBX, 98.mp3";
  const char* other = "Otto Lenz - Fall - WDR, 75.mp3";
  Write("FileNameVorlage.txt", "$1$\n");
  QVERIFY(Open({part1, part2, other}));
  const MainDialogWidgets& w = window->widgets();
  QVERIFY(!w.alleTeileButton->isEnabled()); // nothing loaded
  ClickEntry(w.fileList, QString::fromUtf8(other));
  QVERIFY(!w.alleTeileButton->isEnabled()); // no part designation
  ClickEntry(w.fileList, QString::fromUtf8(part1));
  QVERIFY(w.alleTeileButton->isEnabled());
  Type(Edit(FormField::v2Title), QStringLiteral("Der Garten 1v2"));

  // The confirmation shows each part's source and target; a target that exists is marked.
  Write("Der Garten 2v2.mp3", "alt");
  QStringList rows;
  bool confirm = false;
  dialogs.confirmParts = [&](PartsConfirmDlg& dialog) {
    rows.clear();
    for (int row = 0; row < dialog.partList()->topLevelItemCount(); ++row) {
      const QTreeWidgetItem* item = dialog.partList()->topLevelItem(row);
      rows << item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') + item->text(2);
    }
    return confirm;
  };
  QTest::mouseClick(w.alleTeileButton, Qt::LeftButton);
  QCOMPARE(rows, (QStringList{
                     QStringLiteral("1|%1|Der Garten 1v2.mp3").arg(part1),
                     QStringLiteral("2|%1|Der Garten 2v2.mp3 (wird überschrieben)").arg(part2)}));
  QVERIFY(!QFile::exists(Path("Der Garten 1v2.mp3"))); // cancelled: nothing written
  QCOMPARE(dialogs.messages, QStringList());

  confirm = true;
  QTest::mouseClick(w.alleTeileButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages,
           QStringList{Box(messages::kVelmora, messages::PartsWritten(2, 2, {}))});
  QVERIFY(w.alleTeileButton->isEnabled() && w.aktualisierenButton->isEnabled());
}
