// "&Aktualisieren": the save dialog answered by the test, the file read back, the copy.
#include <QProgressBar>
#include <QTimer>

#include "window_test.h"

void WindowTest::updateWritesChosenTargetAndLocksWindow() {
  const char* source = "Anna Berger - Garten 1v2 - RBX, 98.mp3";
  Write("FileNameVorlage.txt", "# Titel\n$1$\n");
  QVERIFY(Open({source, "other.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  std::optional<QString> target; // cancelled at first
  QString proposed;
  dialogs.saveTarget = [&](const QString&, const QString& name) { return proposed = name, target; };
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages, QStringList{Box(messages::kError, messages::NoFileSelected())});
  QCOMPARE(proposed, QString()); // refused before the save dialog

  ClickEntry(w.fileList, QString::fromUtf8(source));
  Type(Edit(FormField::v2Title), QStringLiteral("Der Garten im Mai"));
  Type(Edit(FormField::v2Album), QStringLiteral("Gärten"));
  w.v2GenreCombo->setCurrentIndex(w.v2GenreCombo->findText(QStringLiteral("Psychadelic")));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(proposed, QStringLiteral("Der Garten im Mai.mp3"));
  // The cancelled save dialog wrote nothing, not even the settings.
  QCOMPARE(std::distance(std::filesystem::directory_iterator(ws->path()), {}), 3);

  target = Path("Garten.mp3");
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  // The typed texts, Windows-1252 in the tag, and the chosen genre in the standard's spelling.
  const std::string bytes = velmora::test::ReadBytes(ws->file("Garten.mp3"));
  for (const char* text : {"Der Garten im Mai", "G\xe4rten", "(067)Psychedelic"})
    QVERIFY2(bytes.find(text) != std::string::npos, text);
  QCOMPARE(Text(FormField::v2Track), QStringLiteral("1")); // from the name
  QCOMPARE(Text(FormField::v2Url), QString());             // loading empties it
  // The source stays as it was and is still the loaded file.
  QCOMPARE(velmora::test::ReadBytes(ws->file(source)), MpegFile());
  QCOMPARE(Text(FormField::inputFile), Path(source));

  // During the copy the window shows its progress and takes no command and no drop.
  bool progressShown = false, anyEnabled = true;
  int entries = 0;
  dialogs.saveTarget = [&](const QString&, const QString&) {
    // Answered just before the copy; the copy's event pump runs this.
    QTimer::singleShot(0, window.get(), [&] {
      progressShown = w.progressBar->isVisible();
      anyEnabled = w.fileList->isEnabled() || w.aktualisierenButton->isEnabled() ||
                   w.hoerdatSuchenButton->isEnabled();
      DropFiles(window.get(), {Path("other.mp3")});
      entries = w.fileList->topLevelItemCount();
    });
    return std::optional<QString>(Path("copy.mp3"));
  };
  // A genre typed by the user is written as typed.
  w.v2GenreCombo->lineEdit()->selectAll();
  Type(w.v2GenreCombo->lineEdit(), QStringLiteral("Hörbuch"));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QVERIFY(progressShown && !anyEnabled);
  QCOMPARE(entries, 2); // the drop was refused
  QVERIFY(velmora::test::ReadBytes(ws->file("copy.mp3")).find("H\xf6rbuch") != std::string::npos);
  QVERIFY(w.progressBar->isHidden() && w.fileList->isEnabled() &&
          w.aktualisierenButton->isEnabled());
}
