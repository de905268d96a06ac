#pragma once
// The window's size and position and the splitter between the file list and the fields, kept
// between runs in the user's configuration directory (Qt's user scope for "Velmora", on Linux
// ~/.config/Velmora/Velmora.ini), never in "Tonfeld.ini", which holds only what the work
// directory's own settings hold.
class QSplitter;
class QWidget;

// Nothing happens when nothing was stored (the first start keeps the window's own size).
void RestoreWindowGeometry(QWidget& window, QSplitter& columns);
void SaveWindowGeometry(const QWidget& window, const QSplitter& columns);
