// What a user of a German desktop meets around the fields: Qt's dialogs in German, the status
// line, a layout that grows and is remembered, files handed over by the desktop.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

#include "qt_window_platform.h"
#include "translations.h"
#include "window_test.h"

namespace {

// The sorted button texts of the open modal dialog, which is then closed with its rejecting
// button.
QStringList RejectModal() {
  QStringList texts;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return texts;
  QAbstractButton* rejecting = nullptr;
  for (QDialogButtonBox* box : modal->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* button : box->buttons()) {
      texts << button->text().remove(QLatin1Char('&'));
      if (box->buttonRole(button) == QDialogButtonBox::RejectRole) rejecting = button;
    }
  if (rejecting)
    rejecting->click();
  else
    modal->close();
  texts.sort();
  return texts;
}

} // namespace

// The visible controls of the window that overlap another one ("a/b"), and those squeezed below
// the height they need to show their text (a control laid out with no height overlaps nothing and
// is still lost).
QStringList LayoutFaults(const QWidget& window) {
  QList<QWidget*> controls;
  QStringList faults;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible() || qobject_cast<QComboBox*>(child->parentWidget())) continue;
    if ((qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child) ||
         qobject_cast<QComboBox*>(child) || qobject_cast<QTabBar*>(child)) &&
        child->height() < child->minimumSizeHint().height())
      faults << child->objectName();
    if ((qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child) ||
         qobject_cast<QLabel*>(child) || qobject_cast<QComboBox*>(child) ||
         qobject_cast<QPlainTextEdit*>(child) || qobject_cast<QTreeWidget*>(child)) &&
        child->parentWidget()->isVisible() && !child->parentWidget()->inherits("QStatusBar") &&
        !child->inherits("QStatusBar"))
      controls << child;
  }
  for (QWidget* a : controls)
    for (QWidget* b : controls) {
      if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      const QRect ra(a->mapTo(&window, QPoint()), a->size());
      const QRect rb(b->mapTo(&window, QPoint()), b->size());
      if (ra.intersects(rb)) faults << a->objectName() + QLatin1Char('/') + b->objectName();
    }
  return faults;
}

void WindowTest::initTestCase() {
  // Window sizes go to a directory of the test's own, never into the user's configuration.
  QVERIFY(userConfig.isValid());
  qputenv("XDG_CONFIG_HOME", userConfig.path().toLocal8Bit());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userConfig.path());
  QVERIFY2(InstallGermanQtTranslation(*QCoreApplication::instance()),
           "Qt's German translation (qt6-translations-l10n) is missing");
  UseGermanLocaleWhereNoneIsSet();
}

void WindowTest::qtDialogsSpeakGerman() {
  QVERIFY(Open({"a.mp3"}));
  ClickEntry(window->widgets().fileList, QStringLiteral("a.mp3"));
  QtModalDialogs realDialogs(window.get()); // the real dialogs from here on
  window->platform().UseDialogs(realDialogs);

  QStringList saveButtons;
  QString saveDialogClass;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget())
      saveDialogClass = QString::fromLatin1(modal->metaObject()->className());
    saveButtons = RejectModal();
  });
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(saveDialogClass, QStringLiteral("QFileDialog"));
  QCOMPARE(saveButtons, (QStringList{"Abbrechen", "Speichern"}));

  QStringList leaveButtons;
  QTimer::singleShot(0, [&] { leaveButtons = RejectModal(); });
  window->reject();
  QCOMPARE(leaveButtons, (QStringList{"Abbrechen", "OK"}));
  QVERIFY(window->isVisible()); // "Abbrechen" keeps it open
}

void WindowTest::statusLineConfirmsWritesAndFailures() {
  Write("Tonfeld.ini", "[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  Write("BeschreibungVorlage.txt", "$1$\n");
  QVERIFY(Open({"a.mp3"}));
  QStatusBar* status = window->widgets().statusLine;
  QVERIFY(status->currentMessage().isEmpty());
  ClickEntry(window->widgets().fileList, QStringLiteral("a.mp3"));
  QString target = Path("neu.mp3");
  dialogs.saveTarget = [&](const QString&, const QString&) { return target; };
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(status->currentMessage(),
           FromCp1252(messages::UpdatedStatus(ws->file("neu.mp3"), ws->file("a.txt"), true)));
  QCOMPARE(status->toolTip(), status->currentMessage());

  target = Path("fehlt/x.mp3");
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1); // the box comes first, the line stays
  QCOMPARE(status->currentMessage(),
           FromCp1252(messages::NotUpdatedStatus(ws->file("fehlt/x.mp3"),
                                                 messages::CannotOpenTemporaryFile())));
}

void WindowTest::layoutGrowsAndIsRemembered() {
  const char* name = "Ein sehr langer Autorenname - Ein noch viel längerer Titel 1v2 - WDR, 99.mp3";
  QVERIFY(Open({name}));
  const MainDialogWidgets& w = window->widgets();
  // Too small for the controls: the window keeps its minimum, where nothing overlaps.
  window->resize(500, 400);
  QTest::qWait(1);
  QVERIFY(window->width() >= window->minimumSizeHint().width() && window->width() > 500);
  QCOMPARE(LayoutFaults(*window), QStringList());
  w.tagTabs->setCurrentIndex(1);
  QCOMPARE(LayoutFaults(*window), QStringList());

  // The file column takes the extra width; the fields keep theirs (nearly).
  const int column = w.fileList->header()->sectionSize(0);
  const int fields = w.field(FormField::v2Title)->width();
  window->resize(window->width() + 200, window->height() + 50);
  QTest::qWait(1);
  QVERIFY(w.fileList->header()->sectionSize(0) >= column + 190);
  QVERIFY(w.field(FormField::v2Title)->width() <= fields + 10);

  // The path fields show the file name at their end and the whole path as a tooltip.
  ClickEntry(w.fileList, QString::fromUtf8(name));
  QLineEdit* inputFile = Edit(FormField::inputFile);
  QCOMPARE(inputFile->toolTip(), Path(name));
  QCOMPARE(inputFile->cursorPosition(), static_cast<int>(inputFile->text().size()));

  // Size, position and splitter come back on the next start.
  window->resize(1000, 680);
  w.columns->setSizes({520, 460});
  const QList<int> sizes = w.columns->sizes();
  QTest::mouseClick(w.exitButton, Qt::LeftButton); // "Programm verlassen ?" answered with OK
  QVERIFY(!window->isVisible());
  window.reset();
  QVERIFY(Open({}));
  QCOMPARE(window->size(), QSize(1000, 680));
  QCOMPARE(window->widgets().columns->sizes(), sizes);
  QVERIFY(!QFile::exists(Path("Tonfeld.ini")));
  QVERIFY(QFile::exists(userConfig.filePath(QStringLiteral("Velmora/Velmora.ini"))));
}

void WindowTest::commandLineFilesAreListedAndTheFirstLoaded() {
  for (const char* name : {"neu/x.mp3", "neu/y.MP3", "neu/z.mp2"})
    Write(name, MpegFile());
  QVERIFY(Open({"hier.mp3"}));
  // "Open with Velmora" hands over absolute paths; a shell, relative ones.
  window->OpenFiles({QStringLiteral("neu/y.MP3"), Path("neu/x.mp3"), Path("neu/z.mp2")});
  QCOMPARE(ListTexts(window->widgets().fileList),
           (QStringList{"hier.mp3", Path("neu/y.MP3"), Path("neu/x.mp3")})); // descending
  QCOMPARE(Text(FormField::inputFile), Path("neu/y.MP3"));
  QCOMPARE(window->widgets().fileList->currentItem()->text(0), Path("neu/y.MP3"));
  QCOMPARE(window->widgets().statusLine->currentMessage(),
           FromCp1252(messages::NotListedStatus({ws->file("neu/z.mp2")})));
  QCOMPARE(dialogs.messages, QStringList());
}
