#include "velmora_app.h"

#include "app_icon.h"
#include "core/lookup/http_client.h"
#include "translations.h"
#include "velmora_dlg.h"
#include "window_bus.h"

CVelmoraApp::CVelmoraApp(int& argc, char** argv) : app_(argc, argv) {
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
  QApplication::setWindowIcon(VelmoraIcon());
  InstallGermanQtTranslation(app_);
  UseGermanLocaleWhereNoneIsSet();
}

int CVelmoraApp::Run() {
  const QStringList files = QApplication::arguments().mid(1);
  if (HandToRunningWindow(files)) return 0;
  CVelmoraDlg window(velmora::MakeCurlHttpClient());
  (new WindowBusService(window))->Register();
  // The window may hide while a client holds it (the program then lives on); it ends when the
  // dialog is left.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &QDialog::finished, &app_, &QCoreApplication::quit);
  window.show();
  window.OpenFiles(files);
  QApplication::exec();
  return 0;
}
