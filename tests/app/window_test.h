#pragma once
// The GUI tests: the real window in a fresh work directory, its dialogs answered by the test.
#include <functional>
#include <optional>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "core/form/velmora_logic.h"
#include "core/model/messages.h"
#include "core/tags/id3v2.h"
#include "hoerdat_result_dlg.h"
#include "modal_dialogs.h"
#include "parts_confirm_dlg.h"
#include "qt_text.h"
#include "support/temp_dir.h"
#include "velmora_dlg.h"

using velmora::FormField;
namespace messages = velmora::messages;

// The window's dialogs answered by the test: messages are recorded as "caption: text" and get
// answer; the other hooks are set by the tests that need them, an unset one cancels. The choice
// and the confirmation are shown, not yet modal, while their hook drives them.
struct TestDialogs : ModalDialogs {
  QStringList messages;
  velmora::MessageAnswer answer = velmora::MessageAnswer::Ok;
  std::function<std::optional<QString>(const QString& initialDir, const QString& proposedName)>
      saveTarget;
  std::function<int(CHoerdatResultDlg& choice)> choice;            // returns its selectedIndex()
  std::function<bool(PartsConfirmDlg& confirmation)> confirmParts; // true for OK

  velmora::MessageAnswer Message(const QString& text, const QString& caption, velmora::MessageIcon,
                                 velmora::MessageButtons) override {
    messages << caption + QStringLiteral(": ") + text;
    return answer;
  }
  std::optional<QString> SaveTarget(const QString& dir, const QString& name) override {
    return saveTarget ? saveTarget(dir, name) : std::nullopt;
  }
  std::optional<QString> Directory(const QString&, const QString&) override { return {}; }
  int ChooseRecord(CHoerdatResultDlg& dialog) override { return Drive(dialog, choice, -1); }
  bool ConfirmParts(PartsConfirmDlg& dialog) override { return Drive(dialog, confirmParts, false); }
  void Play(const QString&) override {}

  template <typename Dialog, typename Answer>
  static Answer Drive(Dialog& dialog, const std::function<Answer(Dialog&)>& hook, Answer cancel) {
    if (!hook) return cancel;
    dialog.show();
    const Answer answer = hook(dialog);
    dialog.hide();
    return answer;
  }
};

// A message box as TestDialogs records it, its text from core/model/messages.h.
QString Box(const char* caption, const std::string& cp1252Text);
// A few silent MPEG-1 Layer III frames, behind an ID3v2 tag when texts are given.
std::string MpegFile(const velmora::Id3v2FrameTexts* texts = nullptr);
QStringList ListTexts(const QTreeWidget* list);
// Typed key by key; each key event carries its text, as for letters beyond ASCII.
void Type(QWidget* control, const QString& text);
// A mouse click on the list entry with that text.
void ClickEntry(QTreeWidget* list, const QString& text);
// Drags files over the control and drops them there; true when both were accepted.
bool DropFiles(QWidget* target, const QStringList& paths);

class WindowTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();
  void startsWithDefaultsAndAsksBeforeLeaving();
  void startsFromSettingsInAutoCopyMode();
  void clickLoadsFieldsAndClearMaskRestoresThem();
  void digitFieldsAndYearLimit();
  void dropAddsMp3FilesDescending();
  void searchChoiceByKeyboard();
  void pageImportFillsTheForm();
  void updateWritesChosenTargetAndLocksWindow();
  void coverFollowsTheLoadedFileAndThePage();
  void keyboardOrderAndArrowKeysLoad();
  void qtDialogsSpeakGerman();
  void statusLineConfirmsWritesAndFailures();
  void layoutGrowsAndIsRemembered();
  void commandLineFilesAreListedAndTheFirstLoaded();
  void partsButtonFollowsTheLoadedPlayAndConfirmsTargets();
  void pageChoiceShowsDetailsAndStartsOnThePart();

private:
  // Writes a file into the work directory, making its sub-directories.
  void Write(const char* name, const std::string& bytes) const;
  // Writes the audio files there too and opens the window; false when not shown and active.
  bool Open(const std::vector<const char*>& mpegFiles);
  QString Path(const char* name) const { return QString::fromStdString(ws->file(name)); }
  QLineEdit* Edit(FormField field) const { return window->widgets().lineEdit(field); }
  QString Text(FormField field) const; // as the core reads it
  void Search(); // presses "Hördat suchen" and waits until the answer has been handled

  QTemporaryDir userConfig; // the user's configuration directory for the whole run
  std::unique_ptr<velmora::test::TempDir> ws = std::make_unique<velmora::test::TempDir>();
  std::unique_ptr<CVelmoraDlg> window;
  TestDialogs dialogs;
};
