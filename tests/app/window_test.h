#pragma once
// The GUI tests: the real window opened in a fresh work directory on the offscreen platform,
// driven through its widgets, its dialogs answered by the test, the stand-in Hördat service
// behind the search. Includes what every test file uses.
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include "core/form/velmora_logic.h"
#include "core/tags/id3v2.h"
#include "dialog_responder.h"
#include "support/temp_dir.h"
#include "velmora_dlg.h"

using velmora::FormField;

// A few silent MPEG-1 Layer III frames, behind an ID3v2 tag when texts are given.
std::string MpegFile(const velmora::Id3v2FrameTexts* texts = nullptr);
// The text of a frame of the ID3v2 tag at the start of a file, read back through the core.
std::string FrameText(const std::string& path, std::string_view id);
QStringList ListTexts(const QTreeWidget* list);
// Typed key by key; letters beyond ASCII arrive as the keyboard sends them.
void Type(QWidget* control, const QString& text);
// A mouse click on the list entry with that text.
void ClickEntry(QTreeWidget* list, const QString& text);

class WindowTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase() { standin.kill(), standin.waitForFinished(); }
  void init() { ws = std::make_unique<velmora::test::TempDir>(); }
  void cleanup();
  void startsWithDefaultsAndAsksBeforeLeaving();
  void startsFromSettingsInAutoCopyMode();
  void clickLoadsFieldsAndClearMaskRestoresThem();
  void digitFieldsAndYearLimit();
  void dropAddsMp3FilesDescending();
  void searchChoiceByKeyboard();
  void cancelledChoiceAndMissedSearch();
  void clipboardPageFillsForm();
  void updateWritesChosenTarget();
  void windowDuringCopy();

private:
  // Writes a file into the work directory, making its sub-directories.
  void Write(const char* name, const std::string& bytes) const;
  // Writes the audio files into the work directory and opens the window there; false when it
  // could not be shown and activated.
  bool Open(const std::vector<const char*>& mpegFiles);
  QString Path(const char* name) const { return QString::fromStdString(ws->file(name)); }
  QLineEdit* Edit(FormField field) const { return window->widgets().lineEdit(field); }
  QString Text(FormField field) const; // as the core reads it
  // Presses "Hördat suchen" and waits until the answer has been handled.
  void Search();

  QProcess standin;
  std::string standinSettings; // the settings lines that point the window at the service
  velmora::test::TempDir dataDir;
  std::unique_ptr<velmora::test::TempDir> ws;
  std::unique_ptr<CVelmoraDlg> window;
  // Each test sets the hooks it needs; an unset one cancels. Messages are recorded.
  DialogResponder responder;
  QStringList messages; // "caption: text"
  velmora::MessageAnswer answer = velmora::MessageAnswer::Ok;
};
