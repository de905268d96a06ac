// Start-up with and without a settings file, leaving, the file list and the fields.
#include <QLabel>
#include <QPlainTextEdit>

#include "core/form/velmora_logic.h"
#include "core/text/encoding.h"
#include "window_test.h"

void WindowTest::startsWithDefaultsAndAsksBeforeLeaving() {
  Write("c.txt", "text");
  QVERIFY(Open({"a.mp3", "b.MP2"}));
  const MainDialogWidgets& w = window->widgets();
  QVERIFY(!window->windowIcon().pixmap(32, 32).isNull()); // the icon is in the static library
  QCOMPARE(Text(FormField::v2Url), QStringLiteral("--"));
  QCOMPARE(Text(FormField::inputDir), Path(""));
  QCOMPARE(ListTexts(w.fileList), (QStringList{"a.mp3", "b.MP2"}));
  for (QComboBox* genres : {w.v2GenreCombo, w.v1GenreCombo}) {
    QCOMPARE(genres->count(), 126);
    QCOMPARE(genres->currentText(), QStringLiteral("Speech"));
    QCOMPARE(genres->currentData().toInt(), 101);
    for (int i = 1; i < genres->count(); ++i) // sorted by name, each with its own number
      QVERIFY(genres->itemText(i - 1).compare(genres->itemText(i), Qt::CaseInsensitive) <= 0);
  }
  QVERIFY(!w.copyToId3v1Button->isHidden() && !Edit(FormField::v1Title)->isReadOnly());
  QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier); // "ID3v&1" shows only its fields
  QVERIFY(w.field(FormField::v1Title)->isVisible() && !w.field(FormField::v2Title)->isVisible());

  // Escape, "E&xit" and the close box all ask; "Abbrechen" keeps the window open.
  dialogs.answer = velmora::MessageAnswer::Cancel;
  QTest::keyClick(window.get(), Qt::Key_Escape);
  QTest::mouseClick(w.exitButton, Qt::LeftButton);
  window->close();
  QCOMPARE(dialogs.messages, QStringList(3, QStringLiteral("Warnung: Programm verlassen ?")));
  QVERIFY(window->isVisible());
  dialogs.answer = velmora::MessageAnswer::Ok;
  QTest::mouseClick(w.exitButton, Qt::LeftButton);
  QVERIFY(!window->isVisible());
}

void WindowTest::startsFromSettingsInAutoCopyMode() {
  Write("Tonfeld.ini", "[DIRECTORIES]\nINPUTDIR=" + ws->file("hoerspiele") +
                           "/\n[SETTINGS]\nAUTO_ID3V1_COPY=1\n[DEFAULTS]\n"
                           "URL=http://hoerspiele.example/\nEncodedVON=Studio Süd\n");
  QVERIFY(Open({"hoerspiele/Krimi.mp3", "here.mp3"}));
  const MainDialogWidgets& w = window->widgets();
  QCOMPARE(ListTexts(w.fileList), QStringList{"Krimi.mp3"});
  QCOMPARE(Text(FormField::inputDir), Path("hoerspiele/"));
  QCOMPARE(Text(FormField::v2Url), QStringLiteral("http://hoerspiele.example/"));
  QCOMPARE(Text(FormField::v2EncodedBy), QStringLiteral("Studio Süd"));
  QVERIFY(w.copyToId3v1Button->isHidden());
  for (FormField field : {FormField::v1Track, FormField::v1Title, FormField::v1Artist,
                          FormField::v1Album, FormField::v1Year, FormField::v1Comment})
    QVERIFY(Edit(field)->isReadOnly());
  w.tagTabs->setCurrentIndex(1);
  QVERIFY(w.autoCopyNote->isVisible());
  QVERIFY(w.autoCopyNote->text().startsWith(
      QStringLiteral("Sie arbeiten im AutoID3V1copy-Modus, d. h. Ihre ID3V1-Tags\nwerden")));
}

void WindowTest::clickLoadsFieldsAndClearMaskRestoresThem() {
  const char* tagged = "Müller - Weiß 1v2 - WDR, 05.mp3";
  velmora::Id3v2FrameTexts texts; // TIT2, COMM
  texts[1] = velmora::Utf8ToCp1252("Weißer Raum");
  texts[6] = "Zeile 1\r\nZeile 2";
  Write(tagged, MpegFile(&texts));
  QVERIFY(Open({}));
  // Umlauts in the name and the tag reach the fields and the core intact; the comment shows
  // two lines and goes back to the core with CR LF.
  ClickEntry(window->widgets().fileList, QString::fromUtf8(tagged));
  QCOMPARE(Text(FormField::maskAuthor), QStringLiteral("Müller"));
  QCOMPARE(window->logic().form().maskAuthor, std::string("M\xfcller"));
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
}

void WindowTest::digitFieldsAndYearLimit() {
  QVERIFY(Open({}));
  const std::vector<std::tuple<FormField, const char*, const char*>> rows = {
      {FormField::v2Track, "1a2 ", "12"},
      {FormField::v2Year, "19x98765", "199876"},
      {FormField::v1Year, "2o01", "201"},
      {FormField::v1Title, "Frei 1v2", "Frei 1v2"}};
  for (const auto& [field, typed, shown] : rows) {
    Type(Edit(field), QString::fromUtf8(typed));
    QCOMPARE(Text(field), QString::fromUtf8(shown));
  }
  // A longer year set by the program is shown whole; the take-over then stops at it with the
  // message and the focus on the year, on its page; fields after it keep their values.
  window->logic().state().form.v2Year = "1998 bis 2001";
  window->logic().ShowForm();
  Type(Edit(FormField::v2Album), QStringLiteral("Vorher"));
  Type(Edit(FormField::maskAuthor), QStringLiteral("Später"));
  window->widgets().tagTabs->setCurrentIndex(1);
  Type(Edit(FormField::v1Title), QStringLiteral("Später"));
  QTest::mouseClick(window->widgets().copyToId3v1Button, Qt::LeftButton);
  QCOMPARE(dialogs.messages, QStringList{Box(messages::kVelmora, messages::YearTooLong())});
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
  QVERIFY(DropFiles(window.get(),
                    {drops + "x.Mp3", drops + "y.wav", drops + "c.MP3", drops + "e.mp2"}));
  QCOMPARE(ListTexts(list),
           (QStringList{"z.mp3", "d.mp3", "b.mp3", drops + "x.Mp3", drops + "c.MP3"}));
  // A dropped entry names its file by its full path.
  ClickEntry(list, drops + "x.Mp3");
  QCOMPARE(Text(FormField::inputFile), drops + "x.Mp3");
  // A drop on a text field goes to the list, not into the field.
  QVERIFY(DropFiles(Edit(FormField::maskAuthor), {Path("z.mp3")}));
  QCOMPARE(Text(FormField::maskAuthor), QString());
  QCOMPARE(list->topLevelItemCount(), 6);
}
