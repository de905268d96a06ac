#pragma once
// Texts across the Qt boundary: UTF-8 in the core, QString in the widgets; line breaks are CR LF
// in the core, as in the desktop's edit controls and message boxes, and LF in Qt's widgets.
#include <string>

#include <QString>

// A core text for a widget; bytes that are not UTF-8 (a file name) show as U+FFFD.
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);
QString LineBreaksForDisplay(QString text);
QString LineBreaksFromDisplay(QString text);
