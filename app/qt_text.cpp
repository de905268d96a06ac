#include "qt_text.h"

#include "core/text/encoding.h"

QString FromCp1252(const std::string& text) {
  return QString::fromStdString(velmora::Cp1252ToUtf8(text));
}

std::string ToCp1252(const QString& text) {
  return velmora::Utf8ToCp1252(text.toStdString());
}

QString LineBreaksForDisplay(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString LineBreaksFromDisplay(QString text) {
  return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
