// Start-up with and without a settings file, the tag pages, leaving and the about box.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "core/form/velmora_logic.h"
#include "window_test_support.h"
#include "window_tests.h"

using namespace app_test;
using velmora::FormField;
using velmora::MessageAnswer;

class StartupTest : public QObject {
  Q_OBJECT
private slots:
  void defaultsWithoutSettingsFile();
  void settingsFileAndAutoCopyMode();
  void pagesShowOneFieldSet();
  void leavingAsksFirst();
  void aboutBox();
};

void StartupTest::defaultsWithoutSettingsFile() {
  Workspace ws;
  ws.write("a.mp3", MpegFile());
  ws.write("b.MP2", MpegFile());
  ws.write("c.txt", "text");
  ScriptedDialogs dialogs;
  auto window = OpenWindow(ws, dialogs);
  QVERIFY(window);
  const MainDialogWidgets& w = window->widgets();

  QCOMPARE(window->windowTitle(), QStringLiteral("Velmora"));
  QVERIFY(!window->windowIcon().pixmap(32, 32).isNull()); // the icon is in the static library
  QCOMPARE(Text(*window, FormField::v2Url), QStringLiteral("--"));
  QCOMPARE(Text(*window, FormField::v2EncodedBy), QString());
  QCOMPARE(Text(*window, FormField::inputDir),
           QString::fromStdString(ws.dir.path().string()) + "/");
  QCOMPARE(ListTexts(w.fileList), (QStringList{"a.mp3", "b.MP2"}));
  QCOMPARE(w.fileList->headerItem()->text(0), QStringLiteral("mp3-Files"));
  QCOMPARE(w.fileList->header()->sectionSize(0), 330);

  for (QComboBox* genres : {w.v2GenreCombo, w.v1GenreCombo}) {
    QCOMPARE(genres->count(), 126);
    QCOMPARE(genres->currentText(), QStringLiteral("Speech"));
    QCOMPARE(genres->currentData().toInt(), 101);
    QVERIFY(genres->isEditable());
    for (int i = 1; i < genres->count(); ++i)
      QVERIFY(QString::compare(genres->itemText(i - 1), genres->itemText(i), Qt::CaseInsensitive) <=
              0);
    QCOMPARE(genres->itemData(genres->findText(QStringLiteral("AlternRock"))).toInt(), 40);
  }
  QCOMPARE(w.tagTabs->count(), 2);
  QCOMPARE(w.tagTabs->tabText(0), QStringLiteral("ID3v&2"));
  QCOMPARE(w.tagTabs->tabText(1), QStringLiteral("ID3v&1"));
  QCOMPARE(w.tagTabs->currentIndex(), 0);
  QVERIFY(w.progressBar->isHidden());
  QVERIFY(!w.copyToId3v1Button->isHidden());
  QVERIFY(!Edit(*window, FormField::v1Title)->isReadOnly());
  QVERIFY(w.hoerdatSuchenButton->isDefault());
  QVERIFY(dialogs.messages.isEmpty());
}

void StartupTest::settingsFileAndAutoCopyMode() {
  Workspace ws;
  std::filesystem::create_directory(ws.dir.path() / "hoerspiele");
  ws.write("hoerspiele/Krimi.mp3", MpegFile());
  ws.write("here.mp3", MpegFile());
  ws.write("Tonfeld.ini", "[DIRECTORIES]\nINPUTDIR=" + ws.native("hoerspiele") +
                              "/\n[SETTINGS]\nAUTO_ID3V1_COPY=1\n[DEFAULTS]\n"
                              "URL=http://hoerspiele.example/\nEncodedVON=Studio Süd\n");
  ScriptedDialogs dialogs;
  auto window = OpenWindow(ws, dialogs);
  QVERIFY(window);
  const MainDialogWidgets& w = window->widgets();

  QCOMPARE(ListTexts(w.fileList), QStringList{"Krimi.mp3"});
  QCOMPARE(Text(*window, FormField::inputDir), ws.path("hoerspiele") + "/");
  QCOMPARE(Text(*window, FormField::v2Url), QStringLiteral("http://hoerspiele.example/"));
  QCOMPARE(Text(*window, FormField::v2EncodedBy), QStringLiteral("Studio Süd"));
  QVERIFY(w.copyToId3v1Button->isHidden());
  for (FormField field : {FormField::v1Track, FormField::v1Title, FormField::v1Artist,
                          FormField::v1Album, FormField::v1Year, FormField::v1Comment})
    QVERIFY(Edit(*window, field)->isReadOnly());
  QVERIFY(w.v1GenreCombo->isEnabled());

  w.tagTabs->setCurrentIndex(1);
  QVERIFY(w.autoCopyNote->isVisible());
  QVERIFY(w.autoCopyNote->text().startsWith(
      QStringLiteral("Sie arbeiten im AutoID3V1copy-Modus,d.h. Ihre ID3V1-Tags\nwerden")));
  QVERIFY(w.autoCopyNote->text().contains(QStringLiteral("diese Felder zu editieren.")));
  Type(Edit(*window, FormField::v1Title), QStringLiteral("getippt"));
  QCOMPARE(Text(*window, FormField::v1Title), QString());
}

void StartupTest::pagesShowOneFieldSet() {
  Workspace ws;
  ScriptedDialogs dialogs;
  auto window = OpenWindow(ws, dialogs);
  QVERIFY(window);
  const MainDialogWidgets& w = window->widgets();
  auto visible = [&](FormField field) { return w.field(field)->isVisible(); };

  QVERIFY(visible(FormField::v2Title) && visible(FormField::v2Composer));
  QVERIFY(!visible(FormField::v1Title) && !w.v1GenreCombo->isVisible());
  QVERIFY(w.v2OnlyLabels[0]->isVisible());
  QCOMPARE(w.v2OnlyLabels[0]->text(), QStringLiteral("Komponist"));

  QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier); // "ID3v&1"
  QCOMPARE(w.tagTabs->currentIndex(), 1);
  QVERIFY(visible(FormField::v1Title) && w.v1GenreCombo->isVisible());
  QVERIFY(!visible(FormField::v2Title) && !visible(FormField::v2Composer));
  QVERIFY(!w.v2OnlyLabels[4]->isVisible());
  QVERIFY(!w.autoCopyNote->isVisible()); // not in the automatic copy mode
  QVERIFY(w.filenameButton->isVisible());

  window->ShowTagPage(7); // any other page changes nothing
  QVERIFY(visible(FormField::v1Title));
  w.tagTabs->setCurrentIndex(0);
  QVERIFY(visible(FormField::v2Title) && !visible(FormField::v1Title));
}

void StartupTest::leavingAsksFirst() {
  Workspace ws;
  ScriptedDialogs dialogs;
  auto window = OpenWindow(ws, dialogs);
  QVERIFY(window);
  Type(Edit(*window, FormField::maskTitle), QStringLiteral("bleibt"));

  dialogs.answer = MessageAnswer::Cancel;
  QTest::keyClick(window.get(), Qt::Key_Escape);
  QTest::mouseClick(window->widgets().exitButton, Qt::LeftButton);
  window->close();
  QCOMPARE(dialogs.messages, QStringList(3, QStringLiteral("Warnung: Programm verlassen ?")));
  QVERIFY(window->isVisible());
  QCOMPARE(Text(*window, FormField::maskTitle), QStringLiteral("bleibt"));

  dialogs.answer = MessageAnswer::Ok;
  QTest::mouseClick(window->widgets().exitButton, Qt::LeftButton);
  QVERIFY(!window->isVisible());
  QCOMPARE(window->result(), int(QDialog::Rejected));
}

void StartupTest::aboutBox() {
  Workspace ws;
  ScriptedDialogs dialogs;
  auto window = OpenWindow(ws, dialogs);
  QVERIFY(window);
  QTest::mouseClick(window->widgets().infoButton, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  QVERIFY(dialogs.messages.first().startsWith(QStringLiteral("Info über Velmora: Velmora")));
  QTest::keyClick(window->widgets().fileList, Qt::Key_F1);
  QCOMPARE(dialogs.messages.size(), 2);
  QVERIFY(window->isVisible());
}

int RunStartupTests(int argc, char** argv) {
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
