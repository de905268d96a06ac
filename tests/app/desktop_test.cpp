// Around the fields: Qt's dialogs in German, a layout that grows and is remembered.
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

#include "qt_window_platform.h"
#include "translations.h"
#include "window_test.h"

namespace {

// "Class buttons…" of the open modal dialog, its buttons' texts sorted; then it is closed.
QString CloseModal() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return {};
  QStringList texts;
  for (QDialogButtonBox* box : modal->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* button : box->buttons())
      texts << button->text().remove(QLatin1Char('&'));
  texts.sort();
  texts.prepend(QString::fromLatin1(modal->metaObject()->className()));
  modal->close();
  return texts.join(QLatin1Char(' '));
}

bool IsA(const QWidget* widget, std::initializer_list<const char*> classes) {
  return std::any_of(classes.begin(), classes.end(),
                     [&](const char* c) { return widget->inherits(c); });
}

// The visible controls of the window that overlap another one ("a/b"), and those squeezed below
// the height they need to show their text (a control laid out with no height overlaps nothing and
// is still lost).
QStringList LayoutFaults(const QWidget& window) {
  QList<QWidget*> controls;
  QStringList faults;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible() || qobject_cast<QComboBox*>(child->parentWidget())) continue;
    if (IsA(child, {"QLineEdit", "QAbstractButton", "QComboBox", "QTabBar"}) &&
        child->height() < child->minimumSizeHint().height())
      faults << child->objectName();
    if (IsA(child, {"QLineEdit", "QAbstractButton", "QComboBox", "QLabel", "QPlainTextEdit",
                    "QTreeWidget"}) &&
        !child->parentWidget()->inherits("QStatusBar"))
      controls << child;
  }
  for (QWidget* a : controls)
    for (QWidget* b : controls) {
      if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      if (QRect(a->mapTo(&window, QPoint()), a->size())
              .intersects(QRect(b->mapTo(&window, QPoint()), b->size())))
        faults << a->objectName() + QLatin1Char('/') + b->objectName();
    }
  return faults;
}

} // namespace

void WindowTest::initTestCase() {
  // Window sizes go to a directory of the test's own, never into the user's configuration.
  QVERIFY(userConfig.isValid());
  qputenv("XDG_CONFIG_HOME", userConfig.path().toLocal8Bit());
  // A collection's run keeps its answers and state there too.
  qputenv("XDG_CACHE_HOME", (userConfig.path() + QStringLiteral("/cache")).toLocal8Bit());
  qputenv("XDG_STATE_HOME", (userConfig.path() + QStringLiteral("/state")).toLocal8Bit());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userConfig.path());
  QVERIFY2(InstallGermanQtTranslation(*QCoreApplication::instance()),
           "Qt's German translation (qt6-translations-l10n) is missing");
  UseGermanLocaleWhereNoneIsSet();
}

void WindowTest::layoutGrowsIsRememberedAndQtSpeaksGerman() {
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

  // Qt's own dialogs speak German; the question before leaving, closed, keeps the window open.
  QtModalDialogs realDialogs(window.get());
  window->platform().UseDialogs(realDialogs);
  QString shown;
  QTimer::singleShot(0, [&] { shown = CloseModal(); });
  QTest::mouseClick(w.aktualisierenButton, Qt::LeftButton);
  QCOMPARE(shown, QStringLiteral("QFileDialog Abbrechen Speichern"));
  QTimer::singleShot(0, [&] { shown = CloseModal(); });
  window->reject();
  QCOMPARE(shown, QStringLiteral("QMessageBox Abbrechen OK"));
  QVERIFY(window->isVisible());
  window->platform().UseDialogs(dialogs);

  // Size, position and splitter come back on the next start, from the user's configuration.
  window->resize(1000, 680);
  w.columns->setSizes({520, 460});
  const QList<int> sizes = w.columns->sizes();
  QTest::mouseClick(w.exitButton, Qt::LeftButton); // "Programm verlassen ?" answered with OK
  QVERIFY(!window->isVisible());
  QVERIFY(Open({}));
  QCOMPARE(window->size(), QSize(1000, 680));
  QCOMPARE(window->widgets().columns->sizes(), sizes);
  QVERIFY(!QFile::exists(Path("Tonfeld.ini")));
  QVERIFY(QFile::exists(userConfig.filePath(QStringLiteral("Velmora/Velmora.ini"))));
}
