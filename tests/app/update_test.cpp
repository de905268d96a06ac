// "&Aktualisieren" through the window: the save dialog answered by the test, the file read back
// through the core, the genre list, and the window during the copy.
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/form/velmora_logic.h"
#include "core/tags/id3v1.h"
#include "window_test_support.h"
#include "window_tests.h"

using namespace app_test;
using velmora::FormField;

namespace {

constexpr const char* kSource = "Anna Berger - Garten 1v2 - RBX, 98.mp3";

bool Contains(const std::string& bytes, std::string_view part) {
  return bytes.find(part) != std::string::npos;
}

} // namespace

class UpdateTest : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void writesChosenTargetWithEditedFields();
  void typedGenreIsWrittenAsTyped();
  void cancelledSaveDialogWritesNothing();
  void nothingSelectedIsRefused();
  void windowDuringCopy();

private:
  void LoadSource() { ClickEntry(window->widgets().fileList, QString::fromUtf8(kSource)); }
  void Update() { QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton); }
  std::unique_ptr<Workspace> ws;
  ScriptedDialogs dialogs;
  std::unique_ptr<CVelmoraDlg> window;
};

void UpdateTest::init() {
  ws = std::make_unique<Workspace>();
  ws->write(kSource, MpegFile());
  ws->write("FileNameVorlage.txt", "# Titel\n$1$\n");
  std::filesystem::create_directory(ws->dir.path() / "out");
  dialogs = ScriptedDialogs();
  window = OpenWindow(*ws, dialogs);
  QVERIFY(window);
}

void UpdateTest::cleanup() {
  window.reset();
  ws.reset();
}

void UpdateTest::writesChosenTargetWithEditedFields() {
  LoadSource();
  Type(Edit(*window, FormField::v2Title), QStringLiteral("Der Garten im Mai"));
  Type(Edit(*window, FormField::v2Album), QStringLiteral("Gärten"));
  Type(Edit(*window, FormField::v2Year), QStringLiteral("1998"));
  QComboBox* genres = window->widgets().v2GenreCombo;
  genres->setCurrentIndex(genres->findText(QStringLiteral("Psychadelic")));
  dialogs.saveTarget = ws->path("out") + "/Garten.mp3";

  Update();
  QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('\n')));
  QCOMPARE(dialogs.saveInitialDir, QString::fromStdString(ws->dir.path().string()) + "/");
  QCOMPARE(dialogs.proposedName, QStringLiteral("Der Garten im Mai.mp3"));

  const std::string written = ws->native("out/Garten.mp3");
  const auto frames = ReadFrames(written);
  QCOMPARE(FrameText(frames, "TIT2"), std::string("Der Garten im Mai"));
  QCOMPARE(FrameText(frames, "TALB"), std::string("G\xe4rten"));
  QCOMPARE(FrameText(frames, "TYER"), std::string("1998"));
  QCOMPARE(FrameText(frames, "TRCK"), std::string("1"));
  QCOMPARE(FrameText(frames, "WXXX"), std::string()); // loading empties the URL
  const std::string bytes = velmora::test::ReadBytes(written);
  QVERIFY(Contains(bytes, "(067)Psychedelic"));
  const auto id3v1 = velmora::ReadId3v1Record(std::string_view(bytes).substr(bytes.size() - 128));
  QVERIFY(id3v1.has_value());
  QCOMPARE(id3v1->track, std::string("1"));
  // The source stays as it was and is still the loaded file.
  QCOMPARE(velmora::test::ReadBytes(ws->native(kSource)), MpegFile());
  QCOMPARE(Text(*window, FormField::inputFile), ws->path(kSource));
  QVERIFY(window->widgets().progressBar->isHidden());
  QVERIFY(window->widgets().aktualisierenButton->isEnabled());
  QVERIFY(window->widgets().fileList->isEnabled());
}

void UpdateTest::typedGenreIsWrittenAsTyped() {
  LoadSource();
  QComboBox* genres = window->widgets().v2GenreCombo;
  genres->lineEdit()->selectAll();
  Type(genres->lineEdit(), QStringLiteral("Hörbuch"));
  dialogs.saveTarget = ws->path("out") + "/typed.mp3";
  Update();
  QVERIFY(Contains(velmora::test::ReadBytes(ws->native("out/typed.mp3")), "H\xf6rbuch"));

  genres->lineEdit()->selectAll();
  Type(genres->lineEdit(), QStringLiteral("blues"));
  dialogs.saveTarget = ws->path("out") + "/blues.mp3";
  Update();
  QVERIFY(Contains(velmora::test::ReadBytes(ws->native("out/blues.mp3")), "(000)Blues"));
}

void UpdateTest::cancelledSaveDialogWritesNothing() {
  LoadSource();
  Type(Edit(*window, FormField::v2Title), QStringLiteral("Garten"));
  Update();
  QCOMPARE(dialogs.proposedName, QStringLiteral("Garten.mp3"));
  QVERIFY(std::filesystem::is_empty(ws->dir.path() / "out"));
  QVERIFY(!std::filesystem::exists(ws->dir.path() / "Tonfeld.ini"));
  QVERIFY(dialogs.messages.isEmpty());
}

void UpdateTest::nothingSelectedIsRefused() {
  dialogs.saveTarget = ws->path("out") + "/none.mp3";
  Update();
  QCOMPARE(dialogs.messages, QStringList{"Fehler: Sie müssen zuerst ein File auswählen!"});
  QCOMPARE(dialogs.proposedName, QString());
}

void UpdateTest::windowDuringCopy() {
  ws->write("other.mp3", MpegFile());
  LoadSource();
  dialogs.saveTarget = ws->path("out") + "/copy.mp3";
  struct Seen {
    bool ran = false, progressShown = false, listEnabled = true, updateEnabled = true,
         searchEnabled = true;
    int entries = 0;
  } seen;
  // The save dialog is answered just before the copy; the copy's event pump runs this.
  auto answer = dialogs.responder().saveTarget;
  DialogResponder responder = dialogs.responder();
  responder.saveTarget = [&](const QString& dir, const QString& name) {
    QTimer::singleShot(0, window.get(), [&] {
      const MainDialogWidgets& w = window->widgets();
      seen.ran = true;
      seen.progressShown = w.progressBar->isVisible();
      seen.listEnabled = w.fileList->isEnabled();
      seen.updateEnabled = w.aktualisierenButton->isEnabled();
      seen.searchEnabled = w.hoerdatSuchenButton->isEnabled();
      QMimeData mime;
      mime.setUrls({QUrl::fromLocalFile(ws->path("other.mp3"))});
      QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window.get(), &drop);
      seen.entries = w.fileList->topLevelItemCount();
    });
    return answer(dir, name);
  };
  window->platform().SetDialogResponder(&responder);
  Update();
  QVERIFY(seen.ran);
  QVERIFY(seen.progressShown);
  QVERIFY(!seen.listEnabled && !seen.updateEnabled && !seen.searchEnabled);
  QCOMPARE(seen.entries, 1); // the drop was refused
  QVERIFY(std::filesystem::exists(ws->native("out/copy.mp3")));
  QVERIFY(window->widgets().progressBar->isHidden());
  QVERIFY(window->widgets().fileList->isEnabled());
  window->platform().SetDialogResponder(nullptr);
}

int RunUpdateTests(int argc, char** argv) {
  UpdateTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "update_test.moc"
