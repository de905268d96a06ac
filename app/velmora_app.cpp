#include "velmora_app.h"

#include "app_icon.h"
#include "core/lookup/http_client.h"
#include "translations.h"
#include "velmora_dlg.h"

CVelmoraApp::CVelmoraApp(int& argc, char** argv) : app_(argc, argv) {
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("velmora"));
  QApplication::setWindowIcon(VelmoraIcon());
  InstallGermanQtTranslation(app_);
  UseGermanLocaleWhereNoneIsSet();
}

int CVelmoraApp::Run() {
  CVelmoraDlg window(velmora::MakeCurlHttpClient());
  window.show();
  window.OpenFiles(QApplication::arguments().mid(1));
  window.exec();
  return 0;
}
