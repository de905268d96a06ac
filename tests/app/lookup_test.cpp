// The Hördat search against the stand-in service, the choice dialog, and the page import.
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/form/velmora_logic.h"
#include "hoerdat_result_dlg.h"
#include "window_test_support.h"
#include "window_tests.h"

using namespace app_test;
using velmora::FormField;

namespace {

// autor, titel1, titel2, produktion, jahr, laenge, hsp-typ, genre, regie, bearbeitung,
// komposition, inhaltsangabe, mitwirkende
constexpr const char* kPlays =
    "Berger, Anna\tGarten, Der\t\tRBX\t1998\t54\tKrimi\tThriller\tHans Bauer\t\t\t"
    "Ein Toter im Garten.\tKommissarin: Anna Berger\n"
    "Berger, Anna\tStille Garten, Der\tTeil 1\tRBX\t2001\t48\tMehrteiler\tFamiliendrama\t"
    "Hans Bauer\tKlara Mohn\t\tDrei Generationen.<br />Ein Frühling.\tErzählerin: Marie Falk\n"
    "Lenz, Otto\tFall, Der\t\tWDR/NDR\t1975\t60\tKrimi\tKrimi\tOtto Lenz\t\t\tEin Fall.\t"
    "Konrad Weiß\n";

constexpr const char* kPage =
    "<html><body><font class=au>Meier, Hans</font>\n<font class=ti>Fall, Der</font>\n"
    "<font class=ab>Erster Satz.<br />Zweiter Satz.</font>\n<i>Regie:</i> Otto Lenz<br>\n"
    "<i>Länge:</i> 54<br>\n<i>Produktion:</i> WDR 1975.<i>Sonst</i></body></html>\n";

void SetMask(CVelmoraDlg& window, const QString& author) {
  for (FormField field :
       {FormField::maskAuthor, FormField::maskTitle, FormField::maskStation, FormField::maskYear}) {
    Edit(window, field)->selectAll();
    QTest::keyClick(Edit(window, field), Qt::Key_Delete);
  }
  Type(Edit(window, FormField::maskAuthor), author);
}

} // namespace

class LookupTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void cleanup();
  void choiceByKeyboardAppliesRow();
  void cancelledChoiceChangesNothing();
  void singleHitAppliedWithoutChoice();
  void noHitShowsAnswer();
  void choiceDialogAnswers();
  void clipboardPageFillsForm();

private:
  void Search();
  velmora::test::TempDir dataDir;
  std::unique_ptr<Standin> standin;
  std::unique_ptr<Workspace> ws;
  ScriptedDialogs dialogs;
  std::unique_ptr<CVelmoraDlg> window;
};

void LookupTest::initTestCase() {
  velmora::test::WriteBytes(dataDir.file("plays.tsv"), kPlays);
  standin = std::make_unique<Standin>(QString::fromStdString(dataDir.file("plays.tsv")));
  QVERIFY2(standin->started(), "hoerdat-standin (VELMORA_STANDIN) did not start");
}

void LookupTest::init() {
  ws = std::make_unique<Workspace>();
  ws->write("Tonfeld.ini", standin->settings());
  for (const char* name : {"Anna Berger - Stille Garten 1v2 - RBX, 01.mp3",
                           "Anna Berger - Stille Garten 2v2 - RBX, 01.mp3",
                           "Otto Lenz - Fall - WDR, 75.mp3", "Hauke Jansen - Kanal - KLX, 03.mp3"})
    ws->write(name, MpegFile());
  dialogs = ScriptedDialogs();
  window = OpenWindow(*ws, dialogs);
  QVERIFY(window);
}

void LookupTest::cleanup() {
  window.reset();
  ws.reset();
}

// Presses "Hördat suchen" and waits until the answer has been handled.
void LookupTest::Search() {
  QTest::mouseClick(window->widgets().hoerdatSuchenButton, Qt::LeftButton);
  QVERIFY(window->logic().SearchRunning());
  QTRY_VERIFY_WITH_TIMEOUT(!window->logic().SearchRunning(), 15000);
  QCOMPARE(window->widgets().spinnerLabel->text(), QStringLiteral("        "));
}

void LookupTest::choiceByKeyboardAppliesRow() {
  ClickEntry(window->widgets().fileList,
             QStringLiteral("Anna Berger - Stille Garten 1v2 - RBX, 01.mp3"));
  SetMask(*window, QStringLiteral("Berger"));
  QStringList rows;
  dialogs.choice = [&rows](CHoerdatResultDlg& choice) {
    QTreeWidget* list = choice.resultList();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      rows << QStringList{list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                          list->topLevelItem(i)->text(2), list->topLevelItem(i)->text(3)}
                  .join('|');
    QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(choice.okButton(), Qt::LeftButton);
    return choice.selectedIndex();
  };
  Search();
  QCOMPARE(dialogs.choicesOpened, 1);
  QCOMPARE(rows, (QStringList{"Berger, Anna|Garten, Der|RBX|1998",
                              "Berger, Anna|Stille Garten, Der|RBX|2001"}));
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Der Stille Garten 1v2"));
  QCOMPARE(Text(*window, FormField::v2Year), QStringLiteral("2001"));
  QCOMPARE(Text(*window, FormField::v2Comment).left(18), QStringLiteral("Drei Generationen."));
  QVERIFY(dialogs.messages.isEmpty());

  const QString shot = qEnvironmentVariable("VELMORA_SCREENSHOT");
  if (!shot.isEmpty()) QVERIFY(window->grab().save(shot));
}

void LookupTest::cancelledChoiceChangesNothing() {
  SetMask(*window, QStringLiteral("Berger"));
  Type(Edit(*window, FormField::v2Title), QStringLiteral("Eigener Titel"));
  dialogs.choice = [](CHoerdatResultDlg& choice) {
    QTest::keyClick(choice.resultList(), Qt::Key_Down);
    QTest::keyClick(&choice, Qt::Key_Escape);
    return choice.selectedIndex();
  };
  Search();
  QCOMPARE(dialogs.choicesOpened, 1);
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Eigener Titel"));
  QCOMPARE(window->logic().members().recAutor, std::string());
}

void LookupTest::singleHitAppliedWithoutChoice() {
  SetMask(*window, QStringLiteral("Lenz"));
  Search();
  QCOMPARE(dialogs.choicesOpened, 0);
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Der Fall"));
  QCOMPARE(Text(*window, FormField::v2Year), QStringLiteral("1975"));
  QCOMPARE(window->logic().members().recProduktion, std::string("WDR/NDR"));
}

void LookupTest::noHitShowsAnswer() {
  SetMask(*window, QStringLiteral("Niemand"));
  Search();
  QCOMPARE(dialogs.messages, QStringList{"Velmora: Kein Datensatz gefunden."});

  // The search button is the default button: Return in a mask field presses it.
  dialogs.messages.clear();
  SetMask(*window, QString());
  QTest::keyClick(Edit(*window, FormField::maskAuthor), Qt::Key_Return);
  QCOMPARE(dialogs.messages, QStringList{"Fehler: Alle Suchfelder sind leer!"});
}

void LookupTest::choiceDialogAnswers() {
  const std::vector<velmora::ResultRow> rows = {{"Berger, Anna", "Garten, Der", "RBX", "1998"},
                                                {"M\xfcller, Hans", "Fall", "WDR", "2001"},
                                                {"Lenz, Otto", "Spur", "NDR", "1975"}};
  {
    CHoerdatResultDlg choice(rows);
    QCOMPARE(choice.windowTitle(), QStringLiteral("Folgende Einträge wurden gefunden:"));
    QTreeWidget* list = choice.resultList();
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Autor"));
    QCOMPARE(list->headerItem()->text(3), QStringLiteral("Jahr"));
    QCOMPARE(list->header()->sectionSize(0), 90);
    QCOMPARE(list->header()->sectionSize(1), 200);
    QCOMPARE(list->header()->sectionSize(2), 50);
    QCOMPARE(list->header()->sectionSize(3), 50);
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("Müller, Hans"));
    QCOMPARE(choice.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(choice.cancelButton()->text(), QStringLiteral("Abbrechen"));
    QVERIFY(choice.okButton()->isDefault());
    choice.show();
    QTest::mouseClick(choice.okButton(), Qt::LeftButton); // nothing chosen yet
    QCOMPARE(choice.selectedIndex(), -1);
  }
  {
    CHoerdatResultDlg choice(rows);
    choice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&choice));
    QTreeWidget* list = choice.resultList();
    // A real double click arrives as a press followed by the double click.
    const QPoint row2 = list->visualItemRect(list->topLevelItem(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row2);
    QCOMPARE(choice.result(), int(QDialog::Accepted));
    QCOMPARE(choice.selectedIndex(), 2);
  }
  {
    CHoerdatResultDlg choice(rows);
    choice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&choice));
    QTreeWidget* list = choice.resultList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    QTest::mouseClick(choice.cancelButton(), Qt::LeftButton);
    QCOMPARE(choice.selectedIndex(), -1); // a click followed by "Abbrechen" chooses nothing
  }
  {
    CHoerdatResultDlg choice(rows);
    choice.show();
    QTest::keyClick(choice.resultList(), Qt::Key_End);
    QTest::keyClick(choice.resultList(), Qt::Key_Up);
    QTest::keyClick(choice.resultList(), Qt::Key_Return);
    QCOMPARE(choice.selectedIndex(), 1);
  }
}

void LookupTest::clipboardPageFillsForm() {
  QApplication::clipboard()->clear();
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages,
           QStringList{"Fehler: ClipBoard ist leer oder enthält ungültige Daten!"});

  QApplication::clipboard()->setText(QString::fromUtf8(kPage));
  QTest::mouseClick(window->widgets().seiteEinfuegenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Der Fall"));
  QCOMPARE(Text(*window, FormField::v2Comment), QStringLiteral("Erster Satz.\r\nZweiter Satz."));
  QCOMPARE(Text(*window, FormField::v2Year), QStringLiteral("1975"));
  QCOMPARE(Text(*window, FormField::v2Copyright), QStringLiteral("WDR 1975"));
  QCOMPARE(window->logic().members().recAutor, std::string("Meier, Hans"));
  QCOMPARE(window->logic().members().recLaenge, std::string("54 min."));
}

int RunLookupTests(int argc, char** argv) {
  LookupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "lookup_test.moc"
