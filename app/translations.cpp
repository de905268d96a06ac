#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallGermanQtTranslation(QCoreApplication& app) {
  // The program's whole interface is German, so Qt's texts are too, whatever the desktop's
  // language.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

void UseGermanLocaleWhereNoneIsSet() {
  if (QLocale::system().language() == QLocale::C)
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}
