#pragma once
// The running window on the session bus, the Linux form of an automation server: a second
// "velmora FILE…" hands its files to the window that runs and ends at once, and a client that
// holds the window keeps the program alive when the user leaves (the window then only hides).
// Without a session bus nothing of this exists and every start opens its own window.
#include <QDBusContext>
#include <QObject>
#include <QSet>
#include <QStringList>

class CVelmoraDlg;
class QDBusServiceWatcher;

inline constexpr const char* kWindowBusService = "org.velmora.Velmora";
inline constexpr const char* kWindowBusPath = "/org/velmora/Velmora";

// Hands the files (made absolute against this process's folder) to the window that runs on the
// session bus; false when none runs there or it did not take them.
bool HandToRunningWindow(const QStringList& arguments);

class WindowBusService : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.velmora.Velmora")
public:
  explicit WindowBusService(CVelmoraDlg& window);
  // Registers the window under kWindowBusService; false without a bus or when the name is taken.
  bool Register();
  // True while a client holds the window.
  bool Held() const { return !holders_.isEmpty(); }

public Q_SLOTS:
  // Lists the files as dropped files are, loads the first and raises the window.
  void Open(const QStringList& files);
  // The files the window lists, as paths.
  QStringList ListedFiles() const;
  // The calling client holds the window until it calls Release or leaves the bus.
  void Hold();
  void Release();

private:
  void Released(const QString& client);

  CVelmoraDlg& window_;
  QSet<QString> holders_;
  QDBusServiceWatcher* watcher_;
};
