// One window for many opens: a second "velmora FILE" hands FILE to the window on the session bus
// and ends; a client that holds the window keeps the program alive when the user leaves. Runs on
// a private session bus only (ctest starts it under dbus-run-session).
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

#include "window_bus.h"
#include "window_test.h"

namespace {

// A call from another bus client than the window's own connection, answered while events run.
void CallAs(const QString& client, const QString& method) {
  QDBusConnection connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, client);
  const QString name = QString::fromLatin1(kWindowBusService);
  QDBusPendingCall call = connection.asyncCall(
      QDBusMessage::createMethodCall(name, QString::fromLatin1(kWindowBusPath), name, method));
  for (int i = 0; i < 100 && !call.isFinished(); ++i)
    QTest::qWait(20);
}

} // namespace

void WindowTest::oneWindowOnTheSessionBus() {
  if (qEnvironmentVariableIsEmpty("VELMORA_PRIVATE_BUS"))
    QSKIP("needs a private session bus (ctest runs this under dbus-run-session)");
  QVERIFY(Open({"a.mp3", "b.mp3"}));
  QVERIFY((new WindowBusService(*window))->Register());
  QSignalSpy finished(window.get(), &QDialog::finished);

  // A second start with a file: it hands the file over and ends within seconds, no window of its
  // own (the name stays this window's).
  QProcess second;
  second.setWorkingDirectory(Path(""));
  second.start(QStringLiteral(VELMORA_APP_PATH), {QStringLiteral("b.mp3")});
  QElapsedTimer clock;
  clock.start();
  while (second.state() != QProcess::NotRunning && clock.elapsed() < 10000)
    QTest::qWait(20);
  QCOMPARE(second.exitStatus(), QProcess::NormalExit);
  QCOMPARE(second.exitCode(), 0);
  QVERIFY(clock.elapsed() < 10000);
  QVERIFY(ListTexts(window->widgets().fileList).contains(QStringLiteral("b.mp3")));
  QCOMPARE(Text(FormField::inputFile), Path("b.mp3"));

  // Held by a client, leaving only hides the window; the client's release ends it.
  CallAs(QStringLiteral("holder"), QStringLiteral("Hold"));
  window->reject();
  QVERIFY(window->isHidden());
  QCOMPARE(finished.count(), 0);
  CallAs(QStringLiteral("holder"), QStringLiteral("Release"));
  QTRY_COMPARE(finished.count(), 1);
  // A client that leaves the bus releases its hold too.
  window->show();
  CallAs(QStringLiteral("leaver"), QStringLiteral("Hold"));
  window->reject();
  QVERIFY(window->isHidden());
  QDBusConnection::disconnectFromBus(QStringLiteral("leaver"));
  QTRY_COMPARE(finished.count(), 2);
}
