// "&Aktualisieren" and "Alle Teile aktualisieren": the save dialog, the lock, the confirmation.
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include "window_test.h"

void WindowTest::updatesLockTheWindowAndPartsAreConfirmed() {
  const char* part1 = "Anna Berger - Garten 1v2 - RBX, 98.mp3";
  const char* part2 = "Anna Berger - Garten 2v2 - RBX, 98.mp3";
  Write("FileNameVorlage.txt", "$1$\n");
  Write("Der Garten 2v2.mp3", "alt");
  QVERIFY(Open({part1, part2}));
  const MainDialogWidgets& w = window->widgets();
  QString proposed;
  dialogs.saveTarget = [&](const QString& name) { return proposed = name, Path("Garten.mp3"); };
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages, QStringList{Box(messages::kError, messages::NoFileSelected())});
  QVERIFY(proposed.isNull() && !w.alleTeileButton->isEnabled()); // nothing loaded

  ClickEntry(w.fileList, QString::fromUtf8(part1));
  QVERIFY(w.alleTeileButton->isEnabled());
  Type(Edit(FormField::v2Title), QStringLiteral("Der Garten 1v2"));
  Type(Edit(FormField::v2Album), QStringLiteral("Gärten"));
  w.v2GenreCombo->setCurrentIndex(w.v2GenreCombo->findText(QStringLiteral("Psychadelic")));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(proposed, QStringLiteral("Der Garten 1v2.mp3"));
  // The typed texts, ISO-8859-1 in the tag, and the chosen genre in the standard's spelling.
  const std::string bytes = velmora::test::ReadBytes(ws->file("Garten.mp3"));
  for (const char* text : {"Der Garten 1v2", "G\xe4rten", "(067)Psychedelic"})
    QVERIFY2(bytes.find(text) != std::string::npos, text);
  // The status line confirms the write until the next text, its tooltip saying the same.
  QCOMPARE(w.statusLine->currentMessage(),
           ToQString(messages::UpdatedStatus(ws->file("Garten.mp3"), std::nullopt, false)));
  QCOMPARE(w.statusLine->toolTip(), w.statusLine->currentMessage());

  // During the copy the window shows its progress and takes no command and no drop.
  bool locked = false;
  dialogs.saveTarget = [&](const QString&) {
    // Answered just before the copy; the copy's event pump runs this.
    QTimer::singleShot(0, window.get(), [&] {
      DropFiles(window.get(), {Path("other.mp3")});
      locked = w.progressBar->isVisible() && w.fileList->topLevelItemCount() == 3 &&
               !(w.fileList->isEnabled() || w.aktualisierenButton->isEnabled() ||
                 w.alleTeileButton->isEnabled() || w.hoerdatSuchenButton->isEnabled());
    });
    return Path("copy.mp3");
  };
  // A genre typed by the user is written as typed.
  w.v2GenreCombo->lineEdit()->selectAll();
  Type(w.v2GenreCombo->lineEdit(), QStringLiteral("Hörbuch"));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QVERIFY(locked);
  QVERIFY(velmora::test::ReadBytes(ws->file("copy.mp3")).find("H\xf6rbuch") != std::string::npos);
  QVERIFY(w.progressBar->isHidden() && w.fileList->isEnabled());

  // The confirmation shows each part's source and target; a target that exists is marked.
  QStringList rows;
  dialogs.confirmParts = [&](PartsConfirmDlg& dialog) {
    rows = ListTexts(dialog.partList(), 3);
    return true;
  };
  QTest::mouseClick(w.alleTeileButton, Qt::LeftButton);
  QCOMPARE(rows, (QStringList{
                     QStringLiteral("1|%1|Der Garten 1v2.mp3").arg(part1),
                     QStringLiteral("2|%1|Der Garten 2v2.mp3 (wird überschrieben)").arg(part2)}));
  QCOMPARE(dialogs.messages.last(), Box(messages::kVelmora, messages::PartsWritten(2, 2, {})));
  QVERIFY(w.alleTeileButton->isEnabled() && w.aktualisierenButton->isEnabled());
}
