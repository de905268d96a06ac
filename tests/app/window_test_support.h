#pragma once
// Shared by the GUI tests: a work directory with audio files and a settings file, the window
// opened there with its dialogs answered by the test, and the stand-in Hördat service.
#include <memory>
#include <optional>
#include <string>

#include <QLineEdit>
#include <QProcess>
#include <QStringList>
#include <QTreeWidget>

#include "core/tags/id3v2.h"
#include "dialog_responder.h"
#include "qt_window_platform.h"
#include "support/temp_dir.h"
#include "velmora_dlg.h"

namespace app_test {

// A few silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz), behind an ID3v2 tag when texts
// are given.
std::string MpegFile(const velmora::Id3v2FrameTexts* texts = nullptr);

// The frames of the ID3v2 tag at the start of a file, read back through the core.
std::vector<velmora::Id3v2Frame> ReadFrames(const std::string& path);
std::string FrameText(const std::vector<velmora::Id3v2Frame>& frames, std::string_view id);

// Answers to the window's dialogs; every question asked is recorded.
struct ScriptedDialogs {
  QStringList messages; // "caption: text"
  velmora::MessageAnswer answer = velmora::MessageAnswer::Ok;
  std::optional<QString> saveTarget;
  QString proposedName, saveInitialDir;
  std::optional<QString> directory;
  QString directoryTitle;
  std::function<int(CHoerdatResultDlg&)> choice;
  int choicesOpened = 0;
  QStringList played;

  DialogResponder responder();
};

// A work directory: the start directory of the window.
struct Workspace {
  velmora::test::TempDir dir;
  QString path(const char* name) const;
  std::string native(const char* name) const { return dir.file(name); }
  void write(const char* name, const std::string& bytes) const;
};

// The window started in a work directory, shown, with its dialogs answered by `dialogs`.
std::unique_ptr<CVelmoraDlg> OpenWindow(const Workspace& workspace, ScriptedDialogs& dialogs);

QLineEdit* Edit(CVelmoraDlg& window, velmora::FormField field);
QString Text(CVelmoraDlg& window, velmora::FormField field);
QStringList ListTexts(const QTreeWidget* list);
// Typed by the user, key by key; letters beyond ASCII arrive as the keyboard sends them.
void Type(QWidget* control, const QString& text);
// A mouse click on the list entry with that text, as the user does it.
void ClickEntry(QTreeWidget* list, const QString& text);

// hoerdat-standin on a free loopback port, with the records of a data file.
class Standin {
public:
  explicit Standin(const QString& dataPath);
  ~Standin();
  bool started() const { return port_ > 0; }
  // The settings lines that point the window at the service.
  std::string settings() const;

private:
  QProcess process_;
  int port_ = 0;
};

} // namespace app_test
