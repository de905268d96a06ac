#pragma once
// Texts across the Qt boundary: Windows-1252 in the core, UTF-8 in the widgets; line breaks are
// CR LF in the core, as in the desktop's edit controls and message boxes, and LF in Qt's widgets.
#include <string>

#include <QString>

QString FromCp1252(const std::string& text);
std::string ToCp1252(const QString& text);
QString LineBreaksForDisplay(QString text);
QString LineBreaksFromDisplay(QString text);
