// What a user of a German desktop meets around the fields: Qt's dialogs in German.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
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
