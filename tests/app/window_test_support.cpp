#include <QDir>
#include <QMimeData>

#include "core/lookup/http_client.h"
#include "qt_window_platform.h"
#include "window_test.h"

QString Box(const char* caption, const std::string& text) {
  return QString::fromUtf8(caption) + QStringLiteral(": ") + ToQString(text);
}

std::string MpegFile() {
  std::string bytes;
  for (int i = 0; i < 4; ++i) // 128 kbit/s at 44.1 kHz: 417 bytes a frame
    bytes += std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0');
  return bytes;
}

QStringList ListTexts(const QTreeWidget* list, int columns) {
  QStringList rows;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    QStringList texts;
    for (int column = 0; column < columns; ++column)
      texts << list->topLevelItem(row)->text(column);
    rows << texts.join(QLatin1Char('|'));
  }
  return rows;
}

void Type(QWidget* control, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ClickEntry(QTreeWidget* list, const QString& text) {
  const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(QStringLiteral("no entry ") + text));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(found.first()).center());
}

bool DropFiles(QWidget* target, const QStringList& paths) {
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
  return enter.isAccepted() && drop.isAccepted();
}

void WindowTest::Write(const char* name, const std::string& bytes) const {
  std::filesystem::create_directories(std::filesystem::path(ws->file(name)).parent_path());
  velmora::test::WriteBytes(ws->file(name), bytes);
}

bool WindowTest::Open(const std::vector<const char*>& mpegFiles) {
  for (const char* name : mpegFiles)
    Write(name, MpegFile());
  QDir::setCurrent(QString::fromStdString(ws->path().string()));
  window = std::make_unique<CVelmoraDlg>(velmora::MakeCurlHttpClient());
  window->platform().UseDialogs(dialogs);
  window->show();
  // Keyboard shortcuts (accelerators, F1) reach only the active window.
  window->activateWindow();
  return QTest::qWaitForWindowExposed(window.get()) && QTest::qWaitForWindowActive(window.get());
}

void WindowTest::cleanup() {
  window.reset();
  // Each test starts with the window's own size.
  QDir(userConfig.path()).removeRecursively();
  ws = std::make_unique<velmora::test::TempDir>();
  dialogs = {};
}

QString WindowTest::Text(FormField field) const {
  return ToQString(window->platform().ControlText(field));
}

QTEST_MAIN(WindowTest)
