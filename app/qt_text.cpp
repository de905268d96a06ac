#include "qt_text.h"

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

std::string FromQString(const QString& text) {
  return text.toStdString();
}

QString LineBreaksForDisplay(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString LineBreaksFromDisplay(QString text) {
  return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
