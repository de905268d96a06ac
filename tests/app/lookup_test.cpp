// The Hördat search against the stand-in service, the choice dialog, and the page import.
#include <QClipboard>
#include <QLabel>

#include "hoerdat_result_dlg.h"
#include "window_test.h"

namespace {

// autor, titel1, titel2, produktion, jahr, laenge, hsp-typ, genre, regie, bearbeitung,
// komposition, inhaltsangabe, mitwirkende
constexpr const char* kPlays =
    "Berger, Anna\tGarten, Der\t\tRBX\t1998\t54\tKrimi\tThriller\tHans Bauer\t\t\t"
    "Ein Toter im Garten.\tKommissarin: Anna Berger\n"
    "Berger, Anna\tStille Garten, Der\tTeil 1\tRBX\t2001\t48\tMehrteiler\tFamiliendrama\t"
    "Hans Bauer\tKlara Mohn\t\tDrei Generationen.<br />Ein Frühling.\tErzählerin: Marie Falk\n";

constexpr const char* kPage =
    "<html><body><font class=au>Meier, Hans</font>\n<font class=ti>Fall, Der</font>\n"
    "<font class=ab>Erster Satz.<br />Zweiter Satz.</font>\n<i>Regie:</i> Otto Lenz<br>\n"
    "<i>Länge:</i> 54<br>\n<i>Produktion:</i> WDR 1975.<i>Sonst</i></body></html>\n";

} // namespace

void WindowTest::initTestCase() {
  velmora::test::WriteBytes(dataDir.file("plays.tsv"), kPlays);
  standin.start(qEnvironmentVariable("VELMORA_STANDIN"),
                {"--port", "0", "--data", QString::fromStdString(dataDir.file("plays.tsv"))});
  // It prints "listening on 127.0.0.1:PORT" once it accepts connections.
  QByteArray output;
  while (!output.contains('\n') && standin.waitForReadyRead(5000))
    output += standin.readAllStandardOutput();
  const QByteArray port = output.mid(output.lastIndexOf(':') + 1).trimmed();
  QVERIFY2(port.toInt() > 0, "hoerdat-standin (VELMORA_STANDIN) did not start");
  standinSettings = "[WWW]\nURL-HOERDAT=http://127.0.0.1:" + port.toStdString() +
                    "/\nSCRIPT-HOERDAT=hoerdat.php\n";
}

void WindowTest::Search() {
  QTest::mouseClick(window->widgets().hoerdatSuchenButton, Qt::LeftButton);
  QVERIFY(window->logic().SearchRunning());
  QTRY_VERIFY_WITH_TIMEOUT(!window->logic().SearchRunning(), 15000);
  QCOMPARE(window->widgets().spinnerLabel->text(), QStringLiteral("        "));
}

void WindowTest::searchChoiceByKeyboard() {
  const char* file = "Anna Berger - Stille Garten 1v2 - RBX, 01.mp3";
  Write("Tonfeld.ini", standinSettings);
  QVERIFY(Open({file}));
  ClickEntry(window->widgets().fileList, QString::fromUtf8(file));
  // Only the author is asked for, so that both of her plays come back.
  for (FormField field : {FormField::maskTitle, FormField::maskStation, FormField::maskYear})
    Edit(field)->clear();
  QStringList rows;
  responder.choice = [&rows](CHoerdatResultDlg& choice) {
    QTreeWidget* list = choice.resultList();
    for (int i = 0; i < list->topLevelItemCount() * 4; ++i)
      rows << list->topLevelItem(i / 4)->text(i % 4);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(choice.okButton(), Qt::LeftButton);
    return choice.selectedIndex();
  };
  Search();
  QCOMPARE(rows.join('|'), QStringLiteral("Berger, Anna|Garten, Der|RBX|1998|"
                                          "Berger, Anna|Stille Garten, Der|RBX|2001"));
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Stille Garten 1v2"));
  QCOMPARE(Text(FormField::v2Year), QStringLiteral("2001"));
  QVERIFY(Text(FormField::v2Comment).startsWith("Drei Generationen."));
  QVERIFY(messages.isEmpty());
  // Makes the picture of the window for the user guide.
  const QString shot = qEnvironmentVariable("VELMORA_SCREENSHOT");
  if (!shot.isEmpty()) QVERIFY(window->grab().save(shot));
}

void WindowTest::cancelledChoiceAndMissedSearch() {
  Write("Tonfeld.ini", standinSettings);
  QVERIFY(Open({}));
  Type(Edit(FormField::maskAuthor), QStringLiteral("Berger"));
  Type(Edit(FormField::v2Title), QStringLiteral("Eigener Titel"));
  bool offered = false;
  responder.choice = [&offered](CHoerdatResultDlg& choice) {
    offered = true;
    QTest::keyClick(choice.resultList(), Qt::Key_Down);
    QTest::keyClick(&choice, Qt::Key_Escape);
    return choice.selectedIndex();
  };
  Search();
  QVERIFY(offered);
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Eigener Titel"));
  QCOMPARE(window->logic().members().recAutor, std::string());

  // No hit: the database's answer is shown and the fields from a record are emptied.
  Edit(FormField::maskAuthor)->setText(QStringLiteral("Niemand"));
  Search();
  QCOMPARE(Text(FormField::v2Title), QString());
  // Return in a mask field presses the search button.
  Edit(FormField::maskAuthor)->clear();
  QTest::keyClick(Edit(FormField::maskAuthor), Qt::Key_Return);
  QCOMPARE(messages, (QStringList{"Velmora: Kein Datensatz gefunden.",
                                  "Fehler: Alle Suchfelder sind leer!"}));
}

void WindowTest::clipboardPageFillsForm() {
  QVERIFY(Open({}));
  QApplication::clipboard()->clear();
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QApplication::clipboard()->setText(QString::fromUtf8(kPage));
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(messages, QStringList{"Fehler: ClipBoard ist leer oder enthält ungültige Daten!"});
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Fall"));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Erster Satz.\r\nZweiter Satz."));
  QCOMPARE(Text(FormField::v2Copyright), QStringLiteral("WDR 1975"));
  QCOMPARE(window->logic().members().recLaenge, std::string("54 min."));
}
