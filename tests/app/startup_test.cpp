// Start-up with and without a settings file, and leaving.
#include <QLabel>

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
    // Sorted by name, each entry still carries its own number.
    QCOMPARE(genres->currentText(), QStringLiteral("Speech"));
    QCOMPARE(genres->currentData().toInt(), 101);
    for (int i = 1; i < genres->count(); ++i)
      QVERIFY(genres->itemText(i - 1).compare(genres->itemText(i), Qt::CaseInsensitive) <= 0);
  }
  QVERIFY(!w.copyToId3v1Button->isHidden() && !Edit(FormField::v1Title)->isReadOnly());
  QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier); // "ID3v&1" shows only its fields
  QVERIFY(w.field(FormField::v1Title)->isVisible() && !w.field(FormField::v2Title)->isVisible());
  QVERIFY(!w.autoCopyNote->isVisible());

  // Escape, "E&xit" and the close box all ask; "Abbrechen" keeps the window as it was.
  Type(Edit(FormField::maskTitle), QStringLiteral("bleibt"));
  answer = velmora::MessageAnswer::Cancel;
  QTest::keyClick(window.get(), Qt::Key_Escape);
  QTest::mouseClick(w.exitButton, Qt::LeftButton);
  window->close();
  QCOMPARE(messages, QStringList(3, QStringLiteral("Warnung: Programm verlassen ?")));
  QVERIFY(window->isVisible());
  QCOMPARE(Text(FormField::maskTitle), QStringLiteral("bleibt"));
  answer = velmora::MessageAnswer::Ok;
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
      QStringLiteral("Sie arbeiten im AutoID3V1copy-Modus,d.h. Ihre ID3V1-Tags\nwerden")));
  Type(Edit(FormField::v1Title), QStringLiteral("getippt"));
  QCOMPARE(Text(FormField::v1Title), QString());
}
