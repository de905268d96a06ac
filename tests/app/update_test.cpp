// "&Aktualisieren" through the window: the save dialog answered by the test, the file read back
// through the core, and the window during the copy.
#include <QMimeData>
#include <QProgressBar>
#include <QTimer>

#include "core/tags/id3v1.h"
#include "window_test.h"

namespace {

constexpr const char* kSource = "Anna Berger - Garten 1v2 - RBX, 98.mp3";

} // namespace

void WindowTest::updateWritesChosenTarget() {
  Write("FileNameVorlage.txt", "# Titel\n$1$\n");
  QVERIFY(Open({kSource}));
  const MainDialogWidgets& w = window->widgets();
  std::optional<QString> target; // cancelled at first
  QString proposed;
  responder.saveTarget = [&](const QString&, const QString& name) {
    return proposed = name, target;
  };
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(messages, QStringList{"Fehler: Sie müssen zuerst ein File auswählen!"});
  QCOMPARE(proposed, QString()); // refused before the save dialog

  ClickEntry(w.fileList, QString::fromUtf8(kSource));
  Type(Edit(FormField::v2Title), QStringLiteral("Der Garten im Mai"));
  Type(Edit(FormField::v2Album), QStringLiteral("Gärten"));
  w.v2GenreCombo->setCurrentIndex(w.v2GenreCombo->findText(QStringLiteral("Psychadelic")));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(proposed, QStringLiteral("Der Garten im Mai.mp3"));
  // The cancelled save dialog wrote nothing, not even the settings.
  QCOMPARE(std::distance(std::filesystem::directory_iterator(ws->path()), {}), 2);

  target = Path("Garten.mp3");
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(messages.size(), 1);
  const std::string written = ws->file("Garten.mp3");
  QCOMPARE(FrameText(written, "TIT2"), std::string("Der Garten im Mai"));
  QCOMPARE(FrameText(written, "TALB"), std::string("G\xe4rten"));
  QCOMPARE(FrameText(written, "TRCK"), std::string("1"));
  QCOMPARE(FrameText(written, "WXXX"), std::string()); // loading empties the URL
  const std::string bytes = velmora::test::ReadBytes(written);
  QVERIFY(bytes.find("(067)Psychedelic") != std::string::npos); // the standard's spelling
  const auto id3v1 = velmora::ReadId3v1Record(std::string_view(bytes).substr(bytes.size() - 128));
  QVERIFY(id3v1 && id3v1->track == "1");
  // The source stays as it was and is still the loaded file.
  QCOMPARE(velmora::test::ReadBytes(ws->file(kSource)), MpegFile());
  QCOMPARE(Text(FormField::inputFile), Path(kSource));

  // A genre typed by the user is written as typed.
  w.v2GenreCombo->lineEdit()->selectAll();
  Type(w.v2GenreCombo->lineEdit(), QStringLiteral("Hörbuch"));
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QVERIFY(velmora::test::ReadBytes(written).find("H\xf6rbuch") != std::string::npos);
}

void WindowTest::windowDuringCopy() {
  QVERIFY(Open({kSource, "other.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  ClickEntry(w.fileList, QString::fromUtf8(kSource));
  bool ran = false, progressShown = false, anyEnabled = true;
  int entries = 0;
  // The save dialog is answered just before the copy; the copy's event pump runs this.
  responder.saveTarget = [&](const QString&, const QString&) {
    QTimer::singleShot(0, window.get(), [&] {
      ran = true;
      progressShown = w.progressBar->isVisible();
      anyEnabled = w.fileList->isEnabled() || w.aktualisierenButton->isEnabled() ||
                   w.hoerdatSuchenButton->isEnabled();
      QMimeData mime;
      mime.setUrls({QUrl::fromLocalFile(Path("other.mp3"))});
      QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window.get(), &drop);
      entries = w.fileList->topLevelItemCount();
    });
    return std::optional<QString>(Path("copy.mp3"));
  };
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QVERIFY(ran && progressShown && !anyEnabled);
  QCOMPARE(entries, 2); // the drop was refused
  QVERIFY(std::filesystem::exists(ws->file("copy.mp3")));
  QVERIFY(w.progressBar->isHidden() && w.fileList->isEnabled() &&
          w.aktualisierenButton->isEnabled());
}
