#pragma once
// The Qt application with a last resort: an exception that escapes a handler is shown in a
// "Fehler" box and ends the program with status 1, instead of aborting it without a word.
#include <QApplication>

class GuardedApplication : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};
