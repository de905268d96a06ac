#include "window_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QFileInfo>
#include <QTreeWidget>
#include <QUrl>

#include "velmora_dlg.h"

namespace {

QString Name(const char* text) {
  return QString::fromLatin1(text);
}

// A path is made absolute here, since the running window has another working folder.
QStringList AbsoluteArguments(const QStringList& arguments) {
  QStringList absolute;
  for (const QString& argument : arguments) {
    const QUrl url(argument);
    const bool isUrl = url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1;
    absolute << (isUrl ? argument : QFileInfo(argument).absoluteFilePath());
  }
  return absolute;
}

} // namespace

bool HandToRunningWindow(const QStringList& arguments) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(Name(kWindowBusService)))
    return false;
  QDBusMessage open =
      QDBusMessage::createMethodCall(Name(kWindowBusService), Name(kWindowBusPath),
                                     Name(kWindowBusService), QStringLiteral("Open"));
  open << AbsoluteArguments(arguments);
  return bus.call(open).type() == QDBusMessage::ReplyMessage;
}

WindowBusService::WindowBusService(CVelmoraDlg& window)
    : QObject(&window), window_(window), watcher_(new QDBusServiceWatcher(this)) {
  watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &WindowBusService::Released);
  window_.SetHeldByClients([this] { return Held(); });
}

bool WindowBusService::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  watcher_->setConnection(bus);
  return bus.registerObject(Name(kWindowBusPath), this, QDBusConnection::ExportAllSlots) &&
         bus.registerService(Name(kWindowBusService));
}

void WindowBusService::Open(const QStringList& files) {
  window_.OpenFiles(files);
  window_.show();
  window_.raise();
  window_.activateWindow();
}

QStringList WindowBusService::ListedFiles() const {
  QStringList paths;
  const QTreeWidget* list = window_.widgets().fileList;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    paths << QString::fromLocal8Bit(list->topLevelItem(row)->data(0, kListPathRole).toByteArray());
  return paths;
}

void WindowBusService::Hold() {
  if (!calledFromDBus()) return;
  holders_.insert(message().service());
  watcher_->addWatchedService(message().service());
}

void WindowBusService::Release() {
  if (calledFromDBus()) Released(message().service());
}

void WindowBusService::Released(const QString& client) {
  holders_.remove(client);
  watcher_->removeWatchedService(client);
  // The user left while the client held the window: now nothing keeps the program.
  if (!Held() && window_.isHidden()) window_.LeaveNow();
}
