#include "window_geometry.h"

#include <QSettings>
#include <QSplitter>
#include <QWidget>

namespace {

QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                   QStringLiteral("Velmora"));
}

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kColumnsKey = QStringLiteral("window/columns");

} // namespace

void RestoreWindowGeometry(QWidget& window, QSplitter& columns) {
  const QSettings settings = UserSettings();
  // A stored size that no screen can show any more is fitted onto the screen by Qt.
  window.restoreGeometry(settings.value(kGeometryKey).toByteArray());
  columns.restoreState(settings.value(kColumnsKey).toByteArray());
}

void SaveWindowGeometry(const QWidget& window, const QSplitter& columns) {
  QSettings settings = UserSettings();
  settings.setValue(kGeometryKey, window.saveGeometry());
  settings.setValue(kColumnsKey, columns.saveState());
}
