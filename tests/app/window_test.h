#pragma once
// The GUI tests: the real window in a fresh work directory, its dialogs answered by the test.
#include <functional>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "hoerdat_result_dlg.h"
#include "modal_dialogs.h"
#include "parts_confirm_dlg.h"
#include "qt_text.h"
#include "support/temp_dir.h"
#include "velmora_dlg.h"

using velmora::FormField;
namespace messages = velmora::messages;

// The window's dialogs answered by the test: messages are recorded as "caption: text" and get
// answer; an unset hook cancels. The choice and the confirmation are shown, not modal, for their
// hook to drive them.
struct TestDialogs : ModalDialogs {
  QStringList messages;
  velmora::MessageAnswer answer = velmora::MessageAnswer::Ok;
  std::function<QString(const QString& proposedName)> saveTarget;  // returns the chosen path
  std::function<int(CHoerdatResultDlg& choice)> choice;            // returns its selectedIndex()
  std::function<bool(PartsConfirmDlg& confirmation)> confirmParts; // true for OK

  velmora::MessageAnswer Message(const QString& text, const QString& caption, velmora::MessageIcon,
                                 velmora::MessageButtons) override {
    messages << caption + QStringLiteral(": ") + text;
    return answer;
  }
  std::optional<QString> SaveTarget(const QString&, const QString& name) override {
    return saveTarget ? std::optional(saveTarget(name)) : std::nullopt;
  }
  std::optional<QString> CatalogueTarget(const QString&, const QString& name) override {
    return saveTarget ? std::optional(saveTarget(name)) : std::nullopt;
  }
  std::optional<QString> Directory(const QString&, const QString&) override { return {}; }
  int ChooseRecord(CHoerdatResultDlg& dialog) override {
    return choice ? (dialog.show(), choice(dialog)) : -1;
  }
  bool ConfirmParts(PartsConfirmDlg& dialog) override {
    return confirmParts ? (dialog.show(), confirmParts(dialog)) : false;
  }
  void Play(const QString&) override {}
};

// A message box as TestDialogs records it, its text from core/model/messages.h.
QString Box(const char* caption, const std::string& text);
std::string MpegFile(); // a few silent MPEG-1 Layer III frames
QStringList ListTexts(const QTreeWidget* list, int columns = 1); // a row: "text|text…"
// Typed key by key; each key event carries its text, as for letters beyond ASCII.
void Type(QWidget* control, const QString& text);
void ClickEntry(QTreeWidget* list, const QString& text);   // a mouse click on that entry
bool DropFiles(QWidget* target, const QStringList& paths); // true when drag and drop were accepted

class WindowTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();
  void startsWithDefaultsOrSettingsAndAsksBeforeLeaving();
  void loadedFieldsTypedInputYearLimitAndCover();
  void listedFilesByKeyboardDropAndHandOver();
  void searchAndPageImportReachTheWindow();
  void choiceTellsThePartsApart();
  void updatesLockTheWindowAndPartsAreConfirmed();
  void layoutGrowsIsRememberedAndQtSpeaksGerman();
  void collectionWindowShowsThePlaysAndLoadsAPart();
  void collectionRunLooksUpReviewsAndWritesAll();
  void oneWindowOnTheSessionBus();

private:
  void Write(const char* name, const std::string& bytes) const; // into the work directory
  // Writes the audio files there too and opens the window; false when not shown and active.
  bool Open(const std::vector<const char*>& mpegFiles);
  QString Path(const char* name) const { return QString::fromStdString(ws->file(name)); }
  QLineEdit* Edit(FormField field) const { return window->widgets().lineEdit(field); }
  QString Text(FormField field) const; // as the core reads it

  QTemporaryDir userConfig; // the user's configuration directory for the whole run
  std::unique_ptr<velmora::test::TempDir> ws = std::make_unique<velmora::test::TempDir>();
  std::unique_ptr<CVelmoraDlg> window;
  TestDialogs dialogs;
};
