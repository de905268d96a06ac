#include <QDir>

#include "core/lookup/http_client.h"
#include "core/text/encoding.h"
#include "qt_window_platform.h"
#include "window_test.h"

std::string MpegFile(const velmora::Id3v2FrameTexts* texts) {
  std::string bytes = texts ? velmora::ComposeId3v2Tag(*texts, 0) : std::string();
  for (int i = 0; i < 4; ++i) // 128 kbit/s at 44.1 kHz: 417 bytes a frame
    bytes += std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0');
  return bytes;
}

std::string FrameText(const std::string& path, std::string_view id) {
  const std::string bytes = velmora::test::ReadBytes(path);
  const std::uint32_t length = velmora::MeasureId3v2Tag(std::string_view(bytes).substr(0, 10));
  for (const velmora::Id3v2Frame& frame :
       velmora::ParseId3v2Frames(std::string_view(bytes).substr(0, length)))
    if (frame.id == id) return frame.text;
  return "(missing)";
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

void WindowTest::Write(const char* name, const std::string& bytes) const {
  std::filesystem::create_directories(std::filesystem::path(ws->file(name)).parent_path());
  velmora::test::WriteBytes(ws->file(name), bytes);
}

bool WindowTest::Open(const std::vector<const char*>& mpegFiles) {
  for (const char* name : mpegFiles)
    Write(name, MpegFile());
  responder.message = [this](const QString& text, const QString& caption, auto, auto) {
    messages << caption + QStringLiteral(": ") + text;
    return answer;
  };
  QDir::setCurrent(QString::fromStdString(ws->path().string()));
  window = std::make_unique<CVelmoraDlg>(velmora::MakeCurlHttpClient());
  window->platform().SetDialogResponder(&responder);
  window->show();
  // Keyboard shortcuts (accelerators, F1) reach only the active window.
  window->activateWindow();
  return QTest::qWaitForWindowExposed(window.get()) && QTest::qWaitForWindowActive(window.get());
}

void WindowTest::cleanup() {
  window.reset();
  ws.reset();
  responder = {};
  messages.clear();
  answer = velmora::MessageAnswer::Ok;
}

QString WindowTest::Text(FormField field) const {
  return QString::fromStdString(velmora::Cp1252ToUtf8(window->platform().ControlText(field)));
}

QTEST_MAIN(WindowTest)
