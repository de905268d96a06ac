#include "guarded_application.h"

#include <QMessageBox>

#include <exception>

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    QMessageBox::critical(
        nullptr, QStringLiteral("Fehler"),
        QStringLiteral("Ein unerwarteter Fehler ist aufgetreten (%1). Velmora wird beendet.")
            .arg(QString::fromLocal8Bit(error.what())));
    exit(1);
    return false;
  }
}
