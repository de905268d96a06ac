// The Hördat search against the stand-in service with the choice dialog; the page import.
#include <QClipboard>
#include <QLabel>
#include <QProcess>

#include "hoerdat_result_dlg.h"
#include "window_test.h"

namespace {

// The stand-in's records: one a line, its thirteen fields tab-separated.
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

void WindowTest::Search() {
  QTest::mouseClick(window->widgets().hoerdatSuchenButton, Qt::LeftButton);
  QVERIFY(window->logic().SearchRunning());
  QTRY_VERIFY_WITH_TIMEOUT(!window->logic().SearchRunning(), 15000);
  QCOMPARE(window->widgets().spinnerLabel->text(), QStringLiteral("        "));
}

void WindowTest::searchChoiceByKeyboard() {
  Write("plays.tsv", kPlays);
  QProcess standin;
  standin.start(qEnvironmentVariable("VELMORA_STANDIN"),
                {"--port", "0", "--data", Path("plays.tsv")});
  // It prints "listening on 127.0.0.1:PORT" once it accepts connections.
  QTRY_VERIFY_WITH_TIMEOUT(standin.canReadLine(), 5000);
  const std::string port = standin.readLine().split(':').last().trimmed().toStdString();
  Write("Tonfeld.ini",
        "[WWW]\nURL-HOERDAT=http://127.0.0.1:" + port + "/\nSCRIPT-HOERDAT=hoerdat.php\n");
  const char* file = "Anna Berger - Stille Garten 1v2 - RBX, 01.mp3";
  QVERIFY(Open({file}));
  ClickEntry(window->widgets().fileList, QString::fromUtf8(file));
  // Only the author is asked for, so that both of her plays come back.
  for (FormField field : {FormField::maskTitle, FormField::maskStation, FormField::maskYear})
    Edit(field)->clear();
  Type(Edit(FormField::v2Title), QStringLiteral("Eigener Titel"));
  QStringList rows;
  bool choose = false; // OK with the second row, or Escape
  dialogs.choice = [&](CHoerdatResultDlg& choice) {
    QTreeWidget* list = choice.resultList();
    for (int i = 0; i < list->topLevelItemCount() * 4; ++i)
      rows << list->topLevelItem(i / 4)->text(i % 4);
    QTest::keyClick(list, Qt::Key_Down);
    if (choose)
      QTest::mouseClick(choice.okButton(), Qt::LeftButton);
    else
      QTest::keyClick(&choice, Qt::Key_Escape);
    return choice.selectedIndex();
  };
  Search(); // cancelled: nothing changes
  QCOMPARE(rows.join('|'), QStringLiteral("Berger, Anna|Garten, Der|RBX|1998|"
                                          "Berger, Anna|Stille Garten, Der|RBX|2001"));
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Eigener Titel"));
  choose = true;
  Search();
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Stille Garten 1v2"));
  QCOMPARE(Text(FormField::v2Year), QStringLiteral("2001"));
  QVERIFY(Text(FormField::v2Comment).startsWith("Drei Generationen."));
  QVERIFY(dialogs.messages.isEmpty());
  // Makes the picture of the window for the user guide.
  const QString shot = qEnvironmentVariable("VELMORA_SCREENSHOT");
  if (!shot.isEmpty()) QVERIFY(window->grab().save(shot));

  // No hit: the database's answer is shown and the form keeps what it holds.
  Edit(FormField::maskAuthor)->setText(QStringLiteral("Niemand"));
  Search();
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Stille Garten 1v2"));
  // Return in a mask field presses the search button.
  Edit(FormField::maskAuthor)->clear();
  QTest::keyClick(Edit(FormField::maskAuthor), Qt::Key_Return);
  QCOMPARE(dialogs.messages,
           (QStringList{"Velmora: Kein Datensatz gefunden.",
                        Box(messages::kError, messages::AllSearchFieldsEmpty())}));

  standin.kill();
  standin.waitForFinished();
}

// The page import: an empty clipboard is refused, a Hördat page fills the form.
void WindowTest::pageImportFillsTheForm() {
  QVERIFY(Open({}));
  QApplication::clipboard()->clear();
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages,
           QStringList{Box(messages::kError, messages::ClipboardEmptyOrInvalid())});
  QApplication::clipboard()->setText(QString::fromUtf8(kPage));
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  QCOMPARE(Text(FormField::v2Title), QStringLiteral("Der Fall"));
  QCOMPARE(Text(FormField::v2Comment), QStringLiteral("Erster Satz.\r\nZweiter Satz."));
  QCOMPARE(Text(FormField::v2Copyright), QStringLiteral("WDR 1975"));
  QCOMPARE(window->logic().members().recLaenge, std::string("54 min."));
}
