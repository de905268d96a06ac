// The fields: loading by a click, what the user may type, the take-over and the small commands.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "core/form/velmora_logic.h"
#include "window_test_support.h"
#include "window_tests.h"

using namespace app_test;
using velmora::FormField;

namespace {

constexpr const char* kPlainName = "Max Muster - Der stille Garten 2v3 - RBX, 98.mp3";
constexpr const char* kTaggedName = "Müller - Weiß 1v2 - WDR, 05.mp3";

velmora::Id3v2FrameTexts TaggedTexts() {
  velmora::Id3v2FrameTexts texts;
  texts[0] = "1"; // TRCK
  texts[1] = "Wei\xdf"
             "er Raum";                  // TIT2
  texts[2] = "M\xfcller, Hans";          // TPE1
  texts[3] = "Raumfolgen";               // TALB
  texts[6] = "Zeile 1\r\nZeile 2";       // COMM
  texts[10] = "http://example.org/raum"; // WXXX
  return texts;
}

void Retype(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
  Type(control, text);
}

} // namespace

class FormTest : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void clickLoadsFileIntoFields();
  void clearMaskRestoresStoredValues();
  void digitFieldsTakeOnlyDigits();
  void longYearStopsTakeOver();
  void filenameAndCopyButtons();

private:
  std::unique_ptr<Workspace> ws;
  ScriptedDialogs dialogs;
  std::unique_ptr<CVelmoraDlg> window;
};

void FormTest::init() {
  ws = std::make_unique<Workspace>();
  ws->write(kPlainName, MpegFile());
  const velmora::Id3v2FrameTexts texts = TaggedTexts();
  ws->write(kTaggedName, MpegFile(&texts));
  dialogs = ScriptedDialogs();
  window = OpenWindow(*ws, dialogs);
  QVERIFY(window);
}

void FormTest::cleanup() {
  window.reset();
  ws.reset();
}

void FormTest::clickLoadsFileIntoFields() {
  ClickEntry(window->widgets().fileList, QString::fromUtf8(kPlainName));
  QCOMPARE(Text(*window, FormField::inputFile), ws->path(kPlainName));
  QCOMPARE(Text(*window, FormField::maskAuthor), QStringLiteral("Muster"));
  QCOMPARE(Text(*window, FormField::maskTitle), QStringLiteral("Der stille Garten"));
  QCOMPARE(Text(*window, FormField::maskStation), QStringLiteral("RBX"));
  QCOMPARE(Text(*window, FormField::maskYear), QStringLiteral("1998"));
  QCOMPARE(Text(*window, FormField::v2Track), QStringLiteral("2"));
  QCOMPARE(Text(*window, FormField::v1Track), QStringLiteral("2"));

  ClickEntry(window->widgets().fileList, QString::fromUtf8(kTaggedName));
  QCOMPARE(Text(*window, FormField::inputFile), ws->path(kTaggedName));
  QCOMPARE(Text(*window, FormField::maskAuthor), QStringLiteral("Müller"));
  QCOMPARE(window->logic().form().maskAuthor, std::string("M\xfcller"));
  QCOMPARE(Text(*window, FormField::maskYear), QStringLiteral("2005"));
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Weißer Raum"));
  QCOMPARE(Text(*window, FormField::v2Artist), QStringLiteral("Müller, Hans"));
  QCOMPARE(Text(*window, FormField::v2Album), QStringLiteral("Raumfolgen"));
  QCOMPARE(Text(*window, FormField::v2Url), QStringLiteral("http://example.org/raum"));
  // The comment shows two lines and goes back to the core with CR LF.
  auto* comment = qobject_cast<QPlainTextEdit*>(window->widgets().field(FormField::v2Comment));
  QCOMPARE(comment->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
  QCOMPARE(Text(*window, FormField::v2Comment), QStringLiteral("Zeile 1\r\nZeile 2"));
  QCOMPARE(window->widgets().v2GenreCombo->currentText(), QStringLiteral("Speech"));
  QVERIFY(dialogs.messages.isEmpty());
}

void FormTest::clearMaskRestoresStoredValues() {
  ClickEntry(window->widgets().fileList, QString::fromUtf8(kTaggedName));
  QTest::keyClick(Edit(*window, FormField::v2Title), Qt::Key_End);
  Type(Edit(*window, FormField::v2Title), QStringLiteral(" (neu)"));
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Weißer Raum (neu)"));
  QTest::mouseClick(window->widgets().maskeLoeschenButton, Qt::LeftButton);
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Weißer Raum"));
  for (FormField mask :
       {FormField::maskAuthor, FormField::maskTitle, FormField::maskStation, FormField::maskYear})
    QCOMPARE(Text(*window, mask), QString());
  QCOMPARE(Text(*window, FormField::inputFile), ws->path(kTaggedName));
}

void FormTest::digitFieldsTakeOnlyDigits() {
  Type(Edit(*window, FormField::v2Track), QStringLiteral("1a2 "));
  QCOMPARE(Text(*window, FormField::v2Track), QStringLiteral("12"));
  Type(Edit(*window, FormField::v2Year), QStringLiteral("19x98765"));
  QCOMPARE(Text(*window, FormField::v2Year), QStringLiteral("199876"));
  window->widgets().tagTabs->setCurrentIndex(1);
  Type(Edit(*window, FormField::v1Year), QStringLiteral("2o01"));
  QCOMPARE(Text(*window, FormField::v1Year), QStringLiteral("201"));
  Type(Edit(*window, FormField::v1Track), QStringLiteral("-7"));
  QCOMPARE(Text(*window, FormField::v1Track), QStringLiteral("7"));
  Type(Edit(*window, FormField::v1Title), QStringLiteral("Frei 1v2"));
  QCOMPARE(Text(*window, FormField::v1Title), QStringLiteral("Frei 1v2"));

  // Text set by the program is shown whole; the user may still shorten it.
  window->logic().form().v2Year = "1998 bis 2001";
  window->logic().form().v2Track = "3/5";
  window->logic().ShowForm();
  QCOMPARE(Text(*window, FormField::v2Year), QStringLiteral("1998 bis 2001"));
  QCOMPARE(Text(*window, FormField::v2Track), QStringLiteral("3/5"));
  QLineEdit* year = Edit(*window, FormField::v2Year);
  year->setCursorPosition(year->text().size());
  QTest::keyClick(year, Qt::Key_Backspace);
  Type(year, QStringLiteral("9x"));
  QCOMPARE(year->text(), QStringLiteral("1998 bis 200"));
  year->setCursorPosition(4);
  for (int i = 0; i < 8; ++i)
    QTest::keyClick(year, Qt::Key_Delete);
  Type(year, QStringLiteral("7"));
  QCOMPARE(year->text(), QStringLiteral("19987"));
}

void FormTest::longYearStopsTakeOver() {
  window->logic().form().v2Year = "1998 bis 2001";
  window->logic().ShowForm();
  Type(Edit(*window, FormField::v2Album), QStringLiteral("Vorher"));
  Type(Edit(*window, FormField::maskAuthor), QStringLiteral("Später"));
  window->widgets().tagTabs->setCurrentIndex(1);
  Type(Edit(*window, FormField::v1Title), QStringLiteral("Später"));

  QTest::mouseClick(window->widgets().copyToId3v1Button, Qt::LeftButton);
  QCOMPARE(dialogs.messages.size(), 1);
  QVERIFY2(dialogs.messages.first().endsWith(
               QStringLiteral("Bitte geben Sie nicht mehr als 6 Zeichen ein.")),
           qPrintable(dialogs.messages.first()));
  // The focus goes to the year, on its page; fields after it in the exchange keep their values.
  QCOMPARE(window->widgets().tagTabs->currentIndex(), 0);
  QCOMPARE(window->focusWidget(), static_cast<QWidget*>(Edit(*window, FormField::v2Year)));
  QCOMPARE(window->logic().form().v2Album, std::string("Vorher"));
  QCOMPARE(window->logic().form().maskAuthor, std::string());
  QCOMPARE(window->logic().form().v1Title, std::string());
}

void FormTest::filenameAndCopyButtons() {
  ClickEntry(window->widgets().fileList, QString::fromUtf8(kTaggedName));
  QTest::mouseClick(window->widgets().filenameButton, Qt::LeftButton);
  QCOMPARE(Text(*window, FormField::v2Title), QStringLiteral("Müller - Weiß 1v2 - WDR, 05"));

  Retype(Edit(*window, FormField::v2Title), QStringLiteral("Raum"));
  QTest::mouseClick(window->widgets().copyToId3v1Button, Qt::LeftButton);
  QCOMPARE(Text(*window, FormField::v1Title), QStringLiteral("Raum"));
  QCOMPARE(Text(*window, FormField::v1Track), QStringLiteral("1"));
  QCOMPARE(Text(*window, FormField::v1Artist), QStringLiteral("Müller, Hans"));
}

int RunFormTests(int argc, char** argv) {
  FormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "form_test.moc"
