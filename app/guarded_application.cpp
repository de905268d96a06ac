#include "guarded_application.h"

#include <QMessageBox>

#include <exception>

#include "core/model/messages.h"
#include "qt_text.h"

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QString::fromUtf8(velmora::messages::kError),
                          ToQString(velmora::messages::UnexpectedError(error.what())));
    exit(1);
    return false;
  }
}
