// What a user of a German desktop meets around the fields: Qt's dialogs in German, the status
// line.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "qt_window_platform.h"
#include "translations.h"
#include "window_test.h"

namespace {

// The sorted button texts of the open modal dialog, which is then closed with its rejecting
// button.
QStringList RejectModal() {
  QStringList texts;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return texts;
  QAbstractButton* rejecting = nullptr;
  for (QDialogButtonBox* box : modal->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* button : box->buttons()) {
      texts << button->text().remove(QLatin1Char('&'));
      if (box->buttonRole(button) == QDialogButtonBox::RejectRole) rejecting = button;
    }
  if (rejecting)
    rejecting->click();
  else
    modal->close();
  texts.sort();
  return texts;
}

} // namespace

void WindowTest::initTestCase() {
  QVERIFY2(InstallGermanQtTranslation(*QCoreApplication::instance()),
           "Qt's German translation (qt6-translations-l10n) is missing");
}

void WindowTest::qtDialogsSpeakGerman() {
  QVERIFY(Open({"a.mp3"}));
  ClickEntry(window->widgets().fileList, QStringLiteral("a.mp3"));
  window->platform().SetDialogResponder(nullptr); // the real dialogs from here on

  QStringList saveButtons;
  QString saveDialogClass;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget())
      saveDialogClass = QString::fromLatin1(modal->metaObject()->className());
    saveButtons = RejectModal();
  });
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(saveDialogClass, QStringLiteral("QFileDialog"));
  QCOMPARE(saveButtons, (QStringList{"Abbrechen", "Speichern"}));

  QStringList leaveButtons;
  QTimer::singleShot(0, [&] { leaveButtons = RejectModal(); });
  window->reject();
  QCOMPARE(leaveButtons, (QStringList{"Abbrechen", "OK"}));
  QVERIFY(window->isVisible()); // "Abbrechen" keeps it open
}

void WindowTest::statusLineConfirmsWritesAndFailures() {
  QVERIFY(Open({"a.mp3"}));
  QStatusBar* status = window->widgets().statusLine;
  QCOMPARE(status->currentMessage(),
           QStringLiteral("Keine Einstellungen in \"%1\", es gelten die Voreinstellungen. Die "
                          "Demo-Arbeitsumgebung öffnet ./scripts/run.sh im Quellverzeichnis von "
                          "Velmora.")
               .arg(Path("Tonfeld.ini")));
  window.reset();

  Write("Tonfeld.ini", "[SETTINGS]\nGEN_TXT_FILE=1\nUPLOADINFO=1\n");
  Write("BeschreibungVorlage.txt", "$1$\n");
  QVERIFY(Open({"a.mp3"}));
  status = window->widgets().statusLine;
  QVERIFY(status->currentMessage().isEmpty());
  ClickEntry(window->widgets().fileList, QStringLiteral("a.mp3"));
  QString target = Path("neu.mp3");
  responder.saveTarget = [&](const QString&, const QString&) { return target; };
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(status->currentMessage(),
           QStringLiteral("Geschrieben: %1 · Beschreibung: %2 · Uploadinfo in der Zwischenablage")
               .arg(Path("neu.mp3"), Path("a.txt")));
  QCOMPARE(status->toolTip(), status->currentMessage());

  target = Path("fehlt/x.mp3");
  QTest::mouseClick(window->widgets().aktualisierenButton, Qt::LeftButton);
  QCOMPARE(messages.size(), 1); // the box comes first, the line stays
  QCOMPARE(
      status->currentMessage(),
      QStringLiteral("Nicht aktualisiert: Das File \"%1\" wurde nicht geschrieben.").arg(target));
}
