#pragma once
// Qt's own texts (standard dialogs and buttons) in German, like the rest of the window.
class QCoreApplication;

// Loads Qt's German translation from Qt's translation directory into the application; false
// when it is not installed (the Debian package qt6-translations-l10n), Qt's texts stay English.
bool InstallGermanQtTranslation(QCoreApplication& app);

// Numbers and dates in Qt's texts (file sizes and dates in the file dialogs) in German where the
// desktop sets no locale ("C" or "POSIX", as on a fresh machine); the user's locale otherwise.
void UseGermanLocaleWhereNoneIsSet();
