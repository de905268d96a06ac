// "Sammlung…": the input folder read on a worker thread, the table, filter, sort, the double
// click into the main window and the catalogue.
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>

#include <cstdlib>

#include "collection_run_panel.h"
#include "collection_window.h"
#include "core/tags/id3v2.h"
#include "lookup/standin_process.h"
#include "window_test.h"

namespace {

// The picture in docs/: the collection of the demo workspace.
void ShootDemoCollection(const QString& path) {
  const velmora::test::TempDir demo;
  const std::string script = VELMORA_TEST_DATA "/../../scripts/demo-workspace.sh";
  QVERIFY(
      std::system(("'" + script + "' '" + demo.path().string() + "' http://127.0.0.1:1/ >/dev/null")
                      .c_str()) == 0);
  TestDialogs dialogs;
  CollectionWindow shown(
      demo.file("Hoerspiele"), "+", dialogs, [](const std::string&) {}, nullptr);
  shown.show();
  QTRY_VERIFY(!shown.reading());
  shown.grab().save(path);
}

} // namespace

void WindowTest::collectionWindowShowsThePlaysAndLoadsAPart() {
  const char* first = "Anna Berger - Stille Garten 1v3 - RBX, 01.mp3";
  Write("Teil 3/Anna Berger - Stille Garten 3v3 - RBX, 01.mp3", MpegFile());
  Write("Otto Lenz - Das Haus - WDR, 1999.mp3",
        velmora::ComposeId3v2Tag({"", "Das Haus", "Otto Lenz"}, 0) + MpegFile());
  QVERIFY(Open({first, "Mitschnitt vom Sonntag.mp3"}));
  QTest::mouseClick(window->widgets().sammlungButton, Qt::LeftButton);
  CollectionWindow* collection = window->collectionWindow();
  QVERIFY(collection && QTest::qWaitForWindowExposed(collection));
  QTRY_VERIFY_WITH_TIMEOUT(!collection->reading(), 15000);
  QVERIFY(collection->progressBar()->isHidden() && collection->saveButton()->isEnabled());
  QCOMPARE(ListTexts(collection->playTable(), 8),
           (QStringList{QStringLiteral("Anna Berger|Stille Garten|RBX|2001|3|1, 3|2|nein"),
                        QStringLiteral("Otto Lenz|Das Haus|WDR|1999||||ja")}));
  QCOMPARE(collection->statusLabel()->text(), Box("", messages::CollectionStatus(2, 1)).mid(2));
  QVERIFY(collection->statusLabel()->toolTip().startsWith(QStringLiteral("Mitschnitt")));
  if (const QByteArray shots = qgetenv("VELMORA_SCREENSHOTS"); !shots.isEmpty())
    ShootDemoCollection(QString::fromUtf8(shots) + QStringLiteral("/velmora-collection.png"));

  // Sorted by a click on the year's head; the filter hides what does not match.
  QTest::mouseClick(collection->playTable()->header()->viewport(), Qt::LeftButton, {},
                    QPoint(collection->playTable()->header()->sectionViewportPosition(3) + 5, 5));
  QCOMPARE(collection->playTable()->topLevelItem(0)->text(0), QStringLiteral("Otto Lenz"));
  Type(collection->filterEdit(), QStringLiteral("GARTEN teil"));
  QVERIFY(collection->playTable()->topLevelItem(0)->isHidden() &&
          !collection->playTable()->topLevelItem(1)->isHidden());

  // A double click (after the click that selects the row) loads the play's first part in the main
  // window.
  QTreeWidgetItem* anna = collection->playTable()->topLevelItem(1);
  const QRect row = collection->playTable()->visualItemRect(anna);
  QTest::mouseClick(collection->playTable()->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(collection->playTable()->viewport(), Qt::LeftButton, {}, row.center());
  QCOMPARE(Text(FormField::inputFile), Path(first));
  QCOMPARE(Text(FormField::maskAuthor), QStringLiteral("Berger"));

  // The catalogue in the format of the chosen name; a name of no format is refused.
  QString proposed;
  dialogs.saveTarget = [&](const QString& name) { return proposed = name, Path("k.csv"); };
  QTest::mouseClick(collection->saveButton(), Qt::LeftButton);
  QCOMPARE(proposed, QStringLiteral("Sammlung.html"));
  QVERIFY(velmora::test::ReadBytes(ws->file("k.csv")).find("Otto Lenz,Das Haus") !=
          std::string::npos);
  QCOMPARE(collection->statusLabel()->text(),
           ToQString(messages::CatalogueWritten(ws->file("k.csv"), 2)));
  dialogs.saveTarget = [&](const QString&) { return Path("k.doc"); };
  QTest::mouseClick(collection->saveButton(), Qt::LeftButton);
  QCOMPARE(dialogs.messages.last(),
           Box(messages::kError, messages::UnknownCatalogueFormat(ws->file("k.doc"))));

  // Opened anew, the window reads the folder anew; a window closed while reading ends the worker.
  QTest::mouseClick(window->widgets().sammlungButton, Qt::LeftButton);
  QTRY_VERIFY(window->collectionWindow() != collection);
  window->collectionWindow()->close();
  QTRY_VERIFY(!window->collectionWindow());
}

// "Alle nachschlagen" against the stand-in: each play's choice in its column, the review of the
// selected play, and "Alle schreiben" after one confirmation writes the copies.
void WindowTest::collectionRunLooksUpReviewsAndWritesAll() {
  const char* garten = "Anna Berger - Garten, Der - RBX, 98.mp3";
  QVERIFY(Open({garten, "Jürgen Müller - Spur im Moor, Die 2v3 - NDX, 75.mp3"}));
  velmora::test::StandinProcess standin;
  QVERIFY2(standin.port != 0, standin.firstLine.c_str());
  velmora::SettingsValues& settings = window->logic().state().members.settings;
  settings.hoerdatUrl = standin.BaseUrl();
  settings.hoerdatScript = "hoerdat.php";
  settings.hoerdatPauseMs = 50;
  settings.outputDirPath = ws->file("Fertig/");
  std::filesystem::create_directories(ws->file("Fertig"));
  QTest::mouseClick(window->widgets().sammlungButton, Qt::LeftButton);
  CollectionWindow* collection = window->collectionWindow();
  QTRY_VERIFY_WITH_TIMEOUT(collection && !collection->reading(), 15000);
  CollectionRunPanel* run = collection->runPanel();
  QVERIFY(run && run->lookupButton()->isEnabled());
  QTest::mouseClick(run->lookupButton(), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!run->busy(), 15000);
  QCOMPARE(ListTexts(collection->playTable(), 10)
               .replaceInStrings(QRegularExpression(QStringLiteral("^([^|]*).*\\|")),
                                 QStringLiteral("\\1|")),
           (QStringList{QStringLiteral("Anna Berger|Garten, Der (1998)"),
                        QStringLiteral("Jürgen Müller|Spur im Moor, Die – Teil 2 (1975)")}));
  QCOMPARE(run->runStatus()->text(), ToQString(messages::RunLookupStatus(2, 2, 0)));

  ClickEntry(collection->playTable(), QStringLiteral("Anna Berger"));
  QVERIFY(run->reviewPane()->toPlainText().contains(QStringLiteral("Titel: „“ → „Der Garten“")));
  if (const QByteArray shots = qgetenv("VELMORA_SCREENSHOTS"); !shots.isEmpty())
    collection->grab().save(QString::fromUtf8(shots) +
                            QStringLiteral("/velmora-collection-run.png"));

  QTest::mouseClick(run->copyButton(), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!run->busy(), 15000);
  QCOMPARE(dialogs.messages.size(), 2);
  QCOMPARE(dialogs.messages.first(),
           Box(messages::kVelmora, messages::RunConfirmCopies(2, ws->file("Fertig/"))));
  QCOMPARE(dialogs.messages.last(), Box(messages::kVelmora, messages::RunWritten(2, 0, {})));
  QVERIFY(std::filesystem::exists(ws->file("Fertig/Anna Berger - Garten, Der - RBX, 98.mp3")));
  QVERIFY(std::filesystem::exists(ws->path() / garten));
}
