// Start-up with and without a settings file, leaving, the fields and the cover, the file list.
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "core/tags/id3v2.h"
#include "support/id3v2_fixtures.h"
#include "window_test.h"

using namespace velmora::test;

void WindowTest::startsWithDefaultsOrSettingsAndAsksBeforeLeaving() {
  QVERIFY(Open({}));
  const MainDialogWidgets* w = &window->widgets();
  // Without settings the status line says where they would be read from.
  QCOMPARE(w->statusLine->currentMessage(),
           ToQString(messages::NoSettingsStatus(ws->file("Tonfeld.ini"))));
  QVERIFY(!window->windowIcon().pixmap(32, 32).isNull()); // the icon is in the static library
  const QComboBox* genres = w->v2GenreCombo;
  QCOMPARE(genres->currentText() + genres->currentData().toString(), QStringLiteral("Speech101"));
  for (int i = 1; i < genres->count(); ++i) // sorted by name, without regard to case
    QVERIFY(genres->itemText(i - 1).compare(genres->itemText(i), Qt::CaseInsensitive) <= 0);
  QVERIFY(!w->copyToId3v1Button->isHidden() && !Edit(FormField::v1Title)->isReadOnly());
  QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier); // "ID3v&1" shows only its fields
  QVERIFY(w->field(FormField::v1Title)->isVisible() && !w->field(FormField::v2Title)->isVisible());

  // Escape, "E&xit" and the close box all ask; "Abbrechen" keeps the window open.
  dialogs.answer = velmora::MessageAnswer::Cancel;
  QTest::keyClick(window.get(), Qt::Key_Escape);
  QTest::mouseClick(w->exitButton, Qt::LeftButton);
  window->close();
  QCOMPARE(dialogs.messages, QStringList(3, Box(messages::kWarning, messages::LeaveProgram())));
  QVERIFY(window->isVisible());

  // With settings: their input folder is listed, their defaults shown, ID3v1 copied automatically.
  Write("Tonfeld.ini", "[DIRECTORIES]\nINPUTDIR=" + ws->file("hoerspiele") +
                           "/\n[SETTINGS]\nAUTO_ID3V1_COPY=1\n[DEFAULTS]\n"
                           "URL=http://hoerspiele.example/\nEncodedVON=Studio Süd\n");
  QVERIFY(Open({"hoerspiele/Krimi.mp3", "here.mp3"}));
  w = &window->widgets();
  QVERIFY(w->statusLine->currentMessage().isEmpty());
  QCOMPARE(ListTexts(w->fileList), QStringList{"Krimi.mp3"});
  QCOMPARE(Text(FormField::inputDir), Path("hoerspiele/"));
  QCOMPARE(Text(FormField::v2Url) + Text(FormField::v2EncodedBy),
           QStringLiteral("http://hoerspiele.example/Studio Süd"));
  QVERIFY(w->copyToId3v1Button->isHidden() && Edit(FormField::v1Track)->isReadOnly() &&
          Edit(FormField::v1Comment)->isReadOnly());
  w->tagTabs->setCurrentIndex(1);
  QVERIFY(w->autoCopyNote->isVisible());
}

void WindowTest::loadedFieldsTypedInputYearLimitAndCover() {
  QImage(40, 30, QImage::Format_RGB32).save(Path("cover.png")); // wider than high
  const std::string png = ReadBytes(ws->file("cover.png"));
  const char* tagged = "Müller - Weiß 1v2 - WDR, 05.mp3";
  Write(tagged, Tag(3, 0,
                    F23("TIT2", "\0Wei\337er Raum"s) + F23("COMM", "\0deu\0Zeile 1\r\nZeile 2"s) +
                        F23("APIC", "\0image/png\0\x03\0"s + png)) +
                    MpegFile());
  const char* polish = "Stanis\305\202aw Lem - Solaris 1v2 - WDR, 05.mp3";
  Write(polish,
        velmora::ComposeId3v2Tag({"", "Solaris 1v2", "Karel \304\214apek"}, 0) + MpegFile());
  QVERIFY(Open({"Ohne Bild.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  const std::vector<std::tuple<FormField, const char*, const char*>> rows = {
      {FormField::v2Track, "1a2 ", "12"},
      {FormField::v2Year, "19x98765", "199876"},
      {FormField::v1Title, "Frei 1v2", "Frei 1v2"}};
  for (const auto& [field, typed, shown] : rows) {
    Type(Edit(field), QString::fromUtf8(typed));
    QCOMPARE(Text(field), QString::fromUtf8(shown));
  }

  // Umlauts in the name and the tag reach the fields intact; the comment shows two lines and goes
  // back to the core with CR LF; the cover shows beside the ID3v2 fields.
  ClickEntry(w.fileList, QString::fromUtf8(tagged));
  QCOMPARE(Text(FormField::maskAuthor), QStringLiteral("Müller"));
  QCOMPARE(qobject_cast<QPlainTextEdit*>(w.field(FormField::v2Comment))->toPlainText(),
           QStringLiteral("Zeile 1\nZeile 2"));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Zeile 1\r\nZeile 2"));
  // The cover as a thumbnail, its aspect kept.
  QVERIFY(w.coverLabel->isVisible() && w.coverLabel->pixmap().size() == QSize(96, 72));
  QCOMPARE(w.coverLabel->toolTip(),
           QStringLiteral("Vorderseite, image/png, %1 Bytes").arg(png.size()));
  // "Maske &löschen" empties the mask and brings back the stored values.
  Type(Edit(FormField::v2Title), QStringLiteral(" (neu)"));
  QTest::mouseClick(w.maskeLoeschenButton, Qt::LeftButton);
  QCOMPARE(Text(FormField::v2Title) + Text(FormField::maskAuthor), QStringLiteral("Weißer Raum"));

  // A longer year set by the program is shown whole; the take-over stops there, on its page.
  window->logic().state().form.v2Year = "1998 bis 2001";
  window->logic().ShowForm();
  w.tagTabs->setCurrentIndex(1);
  QVERIFY(!w.coverLabel->isVisible()); // only the ID3v2 page shows it
  QTest::mouseClick(w.copyToId3v1Button, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  QVERIFY(w.tagTabs->currentIndex() == 0 && w.coverLabel->isVisible());
  QCOMPARE(window->focusWidget(), static_cast<QWidget*>(Edit(FormField::v2Year)));
  ClickEntry(w.fileList, QStringLiteral("Ohne Bild.mp3"));
  QVERIFY(!w.coverLabel->isVisible() && w.coverLabel->toolTip().isEmpty());

  // Names outside Windows-1252, in the file's name and in a UTF-16 frame, reach the fields.
  ClickEntry(w.fileList, QString::fromUtf8(polish));
  QCOMPARE(Text(FormField::maskAuthor) + Text(FormField::maskTitle), QStringLiteral("LemSolaris"));
  QCOMPARE(Text(FormField::v2Artist), QString::fromUtf8("Karel \304\214apek"));
  QCOMPARE(w.field(FormField::inputFile)->toolTip().endsWith(QString::fromUtf8(polish)), true);
  if (const QByteArray shots = qgetenv("VELMORA_SCREENSHOTS"); !shots.isEmpty())
    window->grab().save(QString::fromUtf8(shots) + QStringLiteral("/velmora-names-as-spelled.png"));
}

void WindowTest::listedFilesByKeyboardDropAndHandOver() {
  QVERIFY(Open({"b.mp3", "z.mp3", "drops/x.Mp3", "drops/y.wav", "neu/y.MP3", "neu/z.mp2"}));
  QTreeWidget* list = window->widgets().fileList;
  QCOMPARE(QApplication::focusWidget(), Edit(FormField::maskAuthor));
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
  // Arrow keys in the list load the file under the cursor.
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(0));
  QTest::keyClick(list, Qt::Key_Down);
  QCOMPARE(Text(FormField::inputFile), Path("z.mp3"));
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(Text(FormField::inputFile), Path("b.mp3"));

  const QString drops = Path("drops/");
  QVERIFY(DropFiles(window.get(), {drops + "x.Mp3", drops + "y.wav"}));
  QCOMPARE(ListTexts(list), (QStringList{"z.mp3", "b.mp3", drops + "x.Mp3"})); // descending
  // A dropped entry names its file by its full path.
  ClickEntry(list, drops + "x.Mp3");
  QCOMPARE(Text(FormField::inputFile), drops + "x.Mp3");
  // A drop on a text field goes to the list, not into the field.
  QVERIFY(DropFiles(Edit(FormField::maskAuthor), {Path("z.mp3")}));
  QVERIFY(Text(FormField::maskAuthor).isEmpty() && list->topLevelItemCount() == 4);

  // "Open with Velmora" hands over absolute paths; a shell, relative ones. The first is loaded.
  window->OpenFiles({QStringLiteral("neu/y.MP3"), Path("neu/z.mp2")});
  QCOMPARE(list->currentItem()->text(0), Path("neu/y.MP3"));
  QCOMPARE(Text(FormField::inputFile), Path("neu/y.MP3"));
  QCOMPARE(window->widgets().statusLine->currentMessage(),
           ToQString(messages::NotListedStatus({ws->file("neu/z.mp2")})));
}
