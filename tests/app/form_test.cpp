// The file list and the fields: loading by a click, "Maske &löschen", what the user may type,
// and drops.
#include <QMimeData>
#include <QPlainTextEdit>

#include "window_test.h"

namespace {

void DropFiles(QWidget* target, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths)
    urls << QUrl::fromLocalFile(path);
  mime.setUrls(urls);
  const QPoint where(target->width() / 2, target->height() / 2);
  QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QVERIFY(enter.isAccepted() && drop.isAccepted());
}

} // namespace

void WindowTest::clickLoadsFieldsAndClearMaskRestoresThem() {
  const char* plain = "Max Muster - Der stille Garten 2v3 - RBX, 98.mp3";
  const char* tagged = "Müller - Weiß 1v2 - WDR, 05.mp3";
  velmora::Id3v2FrameTexts texts; // TIT2, TPE1, COMM
  texts[1] = "Wei\xdf"
             "er Raum";
  texts[2] = "M\xfcller, Hans";
  texts[6] = "Zeile 1\r\nZeile 2";
  Write(tagged, MpegFile(&texts));
  QVERIFY(Open({plain}));
  ClickEntry(window->widgets().fileList, QString::fromUtf8(plain));
  QCOMPARE(Text(FormField::inputFile), Path(plain));
  QCOMPARE(Text(FormField::maskAuthor), QStringLiteral("Muster"));
  QCOMPARE(Text(FormField::maskTitle), QStringLiteral("Der stille Garten"));
  QCOMPARE(Text(FormField::maskStation), QStringLiteral("RBX"));
  QCOMPARE(Text(FormField::maskYear), QStringLiteral("1998"));
  QCOMPARE(Text(FormField::v1Track), QStringLiteral("2"));
  // Umlauts in the name and the tag reach the fields and the core intact; the comment shows
  // two lines and goes back to the core with CR LF.
  ClickEntry(window->widgets().fileList, QString::fromUtf8(tagged));
  QCOMPARE(Text(FormField::maskAuthor), QStringLiteral("Müller"));
  QCOMPARE(window->logic().form().maskAuthor, std::string("M\xfcller"));
  QCOMPARE(Text(FormField::maskYear), QStringLiteral("2005"));
  QCOMPARE(Text(FormField::v2Artist), QStringLiteral("Müller, Hans"));
  auto* comment = qobject_cast<QPlainTextEdit*>(window->widgets().field(FormField::v2Comment));
  QCOMPARE(comment->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Zeile 1\r\nZeile 2"));

  // "Maske &löschen" empties the mask and brings back the stored values.
  QTest::keyClick(Edit(FormField::v2Title), Qt::Key_End);
  Type(Edit(FormField::v2Title), QStringLiteral(" (neu)"));
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Weißer Raum (neu)"));
  QTest::mouseClick(window->widgets().maskeLoeschenButton, Qt::LeftButton);
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Weißer Raum"));
  for (FormField mask :
       {FormField::maskAuthor, FormField::maskTitle, FormField::maskStation, FormField::maskYear})
    QCOMPARE(Text(mask), QString());
  QCOMPARE(Text(FormField::inputFile), Path(tagged));
  QVERIFY(messages.isEmpty());
}

void WindowTest::digitFieldsAndYearLimit() {
  QVERIFY(Open({}));
  const std::vector<std::tuple<FormField, const char*, const char*>> rows = {
      {FormField::v2Track, "1a2 ", "12"},
      {FormField::v2Year, "19x98765", "199876"},
      {FormField::v1Year, "2o01", "201"},
      {FormField::v1Track, "-7", "7"},
      {FormField::v1Title, "Frei 1v2", "Frei 1v2"}};
  for (const auto& [field, typed, shown] : rows) {
    Type(Edit(field), QString::fromUtf8(typed));
    QCOMPARE(Text(field), QString::fromUtf8(shown));
  }
  // A longer year set by the program is shown whole; the take-over then stops at it with the
  // message and the focus on the year, on its page; fields after it keep their values.
  window->logic().form().v2Year = "1998 bis 2001";
  window->logic().ShowForm();
  QCOMPARE(Text(FormField::v2Year), QStringLiteral("1998 bis 2001"));
  Type(Edit(FormField::v2Album), QStringLiteral("Vorher"));
  Type(Edit(FormField::maskAuthor), QStringLiteral("Später"));
  window->widgets().tagTabs->setCurrentIndex(1);
  Type(Edit(FormField::v1Title), QStringLiteral("Später"));
  QTest::mouseClick(window->widgets().copyToId3v1Button, Qt::LeftButton);
  QCOMPARE(messages.size(), 1);
  QVERIFY2(messages[0].endsWith("Bitte geben Sie nicht mehr als 6 Zeichen ein."),
           qPrintable(messages[0]));
  QCOMPARE(window->widgets().tagTabs->currentIndex(), 0);
  QCOMPARE(window->focusWidget(), static_cast<QWidget*>(Edit(FormField::v2Year)));
  QCOMPARE(window->logic().form().v2Album, std::string("Vorher"));
  QCOMPARE(window->logic().form().maskAuthor + window->logic().form().v1Title, std::string());
}

void WindowTest::dropAddsMp3FilesDescending() {
  QVERIFY(Open(
      {"b.mp3", "d.mp3", "z.mp3", "drops/x.Mp3", "drops/y.wav", "drops/c.MP3", "drops/e.mp2"}));
  QTreeWidget* list = window->widgets().fileList;
  const QString drops = Path("drops/");
  DropFiles(window.get(), {drops + "x.Mp3", drops + "y.wav", drops + "c.MP3", drops + "e.mp2"});
  QCOMPARE(ListTexts(list),
           (QStringList{"z.mp3", "d.mp3", "b.mp3", drops + "x.Mp3", drops + "c.MP3"}));
  // A dropped entry names its file by its full path.
  ClickEntry(list, drops + "x.Mp3");
  QCOMPARE(Text(FormField::inputFile), drops + "x.Mp3");
  ClickEntry(list, QStringLiteral("b.mp3"));
  QCOMPARE(Text(FormField::inputFile), Path("b.mp3"));
  // A drop on a text field goes to the list, not into the field.
  DropFiles(Edit(FormField::maskAuthor), {Path("z.mp3")});
  QCOMPARE(Text(FormField::maskAuthor), QString());
  QCOMPARE(list->topLevelItemCount(), 6);
}
