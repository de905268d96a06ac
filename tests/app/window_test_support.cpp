#include "window_test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "core/form/velmora_logic.h"
#include "core/lookup/http_client.h"
#include "core/text/encoding.h"
#include "main_dialog_widgets.h"

namespace app_test {

namespace {

constexpr int kFrameBytes = 417; // 144 * 128000 / 44100
constexpr int kFrameCount = 4;

} // namespace

std::string MpegFile(const velmora::Id3v2FrameTexts* texts) {
  std::string bytes = texts ? velmora::ComposeId3v2Tag(*texts, 0) : std::string();
  for (int i = 0; i < kFrameCount; ++i) {
    std::string frame(kFrameBytes, '\0');
    frame.replace(0, 4, "\xFF\xFB\x90\x00", 4);
    bytes += frame;
  }
  return bytes;
}

std::vector<velmora::Id3v2Frame> ReadFrames(const std::string& path) {
  const std::string bytes = velmora::test::ReadBytes(path);
  const std::uint32_t length = velmora::MeasureId3v2Tag(std::string_view(bytes).substr(0, 10));
  return velmora::ParseId3v2Frames(std::string_view(bytes).substr(0, length));
}

std::string FrameText(const std::vector<velmora::Id3v2Frame>& frames, std::string_view id) {
  for (const velmora::Id3v2Frame& frame : frames)
    if (frame.id == id) return frame.text;
  return "(missing)";
}

DialogResponder ScriptedDialogs::responder() {
  DialogResponder r;
  r.message = [this](const QString& text, const QString& caption, velmora::MessageIcon,
                     velmora::MessageButtons) {
    messages << caption + QStringLiteral(": ") + text;
    return answer;
  };
  r.saveTarget = [this](const QString& initialDir, const QString& proposed) {
    saveInitialDir = initialDir;
    proposedName = proposed;
    return saveTarget;
  };
  r.directory = [this](const QString& title, const QString&) {
    directoryTitle = title;
    return directory;
  };
  r.choice = [this](CHoerdatResultDlg& dialog) {
    ++choicesOpened;
    return choice ? choice(dialog) : -1;
  };
  r.play = [this](const QString& path) { played << path; };
  return r;
}

QString Workspace::path(const char* name) const {
  return QString::fromStdString(dir.file(name));
}

void Workspace::write(const char* name, const std::string& bytes) const {
  velmora::test::WriteBytes(dir.file(name), bytes);
}

std::unique_ptr<CVelmoraDlg> OpenWindow(const Workspace& workspace, ScriptedDialogs& dialogs) {
  static DialogResponder responder;
  responder = dialogs.responder();
  QDir::setCurrent(QString::fromStdString(workspace.dir.path().string()));
  auto window = std::make_unique<CVelmoraDlg>(velmora::MakeCurlHttpClient());
  window->platform().SetDialogResponder(&responder);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  // Keyboard shortcuts (accelerators, F1) reach only the active window.
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

QLineEdit* Edit(CVelmoraDlg& window, velmora::FormField field) {
  return window.widgets().lineEdit(field);
}

QString Text(CVelmoraDlg& window, velmora::FormField field) {
  return QString::fromStdString(velmora::Cp1252ToUtf8(window.platform().ControlText(field)));
}

QStringList ListTexts(const QTreeWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    texts << list->topLevelItem(row)->text(0);
  return texts;
}

void Type(QWidget* control, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(control, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

void ClickEntry(QTreeWidget* list, const QString& text) {
  const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(QStringLiteral("no entry ") + text));
  list->scrollToItem(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(found.first()).center());
}

Standin::Standin(const QString& dataPath) {
  process_.setProgram(qEnvironmentVariable("VELMORA_STANDIN"));
  process_.setArguments(
      {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--data"), dataPath});
  process_.start();
  if (!process_.waitForStarted(5000)) return;
  // It prints "listening on 127.0.0.1:PORT" once it accepts connections.
  QByteArray output;
  while (!output.contains('\n') && process_.waitForReadyRead(5000))
    output += process_.readAllStandardOutput();
  const int colon = output.lastIndexOf(':');
  if (colon > 0) port_ = output.mid(colon + 1).trimmed().toInt();
}

Standin::~Standin() {
  process_.terminate();
  if (!process_.waitForFinished(5000)) process_.kill();
}

std::string Standin::settings() const {
  return "[WWW]\nURL-HOERDAT=http://127.0.0.1:" + std::to_string(port_) +
         "/\nSCRIPT-HOERDAT=hoerdat.php\n";
}

} // namespace app_test
