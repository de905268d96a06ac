#pragma once
// The line at the bottom of the window: it confirms each write and keeps the last failure's
// short text, beside the message boxes.
class QStatusBar;
class QString;
class QWidget;

QStatusBar* MakeStatusLine(QWidget* parent);
// Replaces the line's text; the whole text is its tooltip, for when the window cuts it.
void ShowStatusText(QStatusBar* line, const QString& text);
