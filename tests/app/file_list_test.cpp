// The file list: drops, "&Dir", the player launch and the column-header click.
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "core/form/velmora_logic.h"
#include "window_test_support.h"
#include "window_tests.h"

using namespace app_test;
using velmora::FormField;

namespace {

void DropFiles(QWidget* target, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths)
    urls << QUrl::fromLocalFile(path);
  mime.setUrls(urls);
  const QPointF where(target->width() / 2.0, target->height() / 2.0);
  QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QVERIFY(drop.isAccepted());
}

} // namespace

class FileListTest : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void dropAddsMp3FilesDescending();
  void dropOnTextFieldGoesToList();
  void dirButtonScansChosenDirectory();
  void doubleClickPlaysEntry();
  void headerClickShowsThirdEntry();

private:
  QString dropDir() const { return ws->path("drops"); }
  std::unique_ptr<Workspace> ws;
  ScriptedDialogs dialogs;
  std::unique_ptr<CVelmoraDlg> window;
};

void FileListTest::init() {
  ws = std::make_unique<Workspace>();
  ws->write("b.mp3", MpegFile());
  ws->write("d.mp3", MpegFile());
  std::filesystem::create_directory(ws->dir.path() / "drops");
  for (const char* name : {"drops/x.Mp3", "drops/y.wav", "drops/c.MP3", "drops/e.mp2"})
    ws->write(name, MpegFile());
  dialogs = ScriptedDialogs();
  window = OpenWindow(*ws, dialogs);
  QVERIFY(window);
}

void FileListTest::cleanup() {
  window.reset();
  ws.reset();
}

void FileListTest::dropAddsMp3FilesDescending() {
  QTreeWidget* list = window->widgets().fileList;
  QCOMPARE(ListTexts(list), (QStringList{"b.mp3", "d.mp3"}));
  DropFiles(window.get(), {dropDir() + "/x.Mp3", dropDir() + "/y.wav", dropDir() + "/c.MP3",
                           dropDir() + "/e.mp2"});
  QCOMPARE(ListTexts(list),
           (QStringList{"d.mp3", "b.mp3", dropDir() + "/x.Mp3", dropDir() + "/c.MP3"}));

  // A dropped entry names its file by its full path.
  ClickEntry(list, dropDir() + "/x.Mp3");
  QCOMPARE(Text(*window, FormField::inputFile), dropDir() + "/x.Mp3");
  ClickEntry(list, QStringLiteral("b.mp3"));
  QCOMPARE(Text(*window, FormField::inputFile), ws->path("b.mp3"));
  QVERIFY(dialogs.messages.isEmpty());
}

void FileListTest::dropOnTextFieldGoesToList() {
  QLineEdit* author = Edit(*window, FormField::maskAuthor);
  DropFiles(author, {dropDir() + "/x.Mp3"});
  QCOMPARE(author->text(), QString());
  QCOMPARE(window->widgets().fileList->topLevelItemCount(), 3);
}

void FileListTest::dirButtonScansChosenDirectory() {
  QTreeWidget* list = window->widgets().fileList;
  DropFiles(window.get(), {dropDir() + "/x.Mp3"});
  ClickEntry(list, QStringLiteral("b.mp3"));

  // Cancelled: nothing changes.
  QTest::mouseClick(window->widgets().dirButton, Qt::LeftButton);
  QCOMPARE(dialogs.directoryTitle, QStringLiteral("Wählen Sie das Quellverzeichnis:"));
  QCOMPARE(list->topLevelItemCount(), 3);

  dialogs.directory = dropDir();
  QTest::mouseClick(window->widgets().dirButton, Qt::LeftButton);
  QCOMPARE(ListTexts(list), (QStringList{"c.MP3", "e.mp2", "x.Mp3"}));
  QCOMPARE(Text(*window, FormField::inputDir), dropDir());
  QCOMPARE(Text(*window, FormField::inputFile), QString()); // another directory
  const std::string ini = velmora::test::ReadBytes(ws->native("Tonfeld.ini"));
  QVERIFY2(ini.find("InputDir=" + dropDir().toStdString() + "/") != std::string::npos, ini.c_str());

  ClickEntry(list, QStringLiteral("c.MP3"));
  QCOMPARE(Text(*window, FormField::inputFile), dropDir() + "/c.MP3");
}

void FileListTest::doubleClickPlaysEntry() {
  QTreeWidget* list = window->widgets().fileList;
  DropFiles(window.get(), {dropDir() + "/x.Mp3"});
  for (const QString& text : {QStringLiteral("d.mp3"), dropDir() + "/x.Mp3"}) {
    QTreeWidgetItem* item = list->findItems(text, Qt::MatchExactly).first();
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  }
  QCOMPARE(dialogs.played, (QStringList{ws->path("d.mp3"), dropDir() + "/x.Mp3"}));
}

void FileListTest::headerClickShowsThirdEntry() {
  for (int i = 0; i < 80; ++i)
    ws->write(("drops/many" + std::to_string(100 + i) + ".mp3").c_str(), MpegFile());
  dialogs.directory = dropDir();
  QTest::mouseClick(window->widgets().dirButton, Qt::LeftButton);
  QTreeWidget* list = window->widgets().fileList;
  QCOMPARE(list->topLevelItemCount(), 83);
  list->scrollToBottom();
  QTreeWidgetItem* third = list->topLevelItem(2);
  QVERIFY(!list->viewport()->rect().intersects(list->visualItemRect(third)));

  QHeaderView* header = list->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
  QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(third)));
  QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("c.MP3")); // not sorted again
}

int RunFileListTests(int argc, char** argv) {
  FileListTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "file_list_test.moc"
