#include "status_line.h"

#include <QStatusBar>

QStatusBar* MakeStatusLine(QWidget* parent) {
  auto* line = new QStatusBar(parent);
  line->setObjectName(QStringLiteral("statusLine"));
  // The window is a dialog with its own frame; the grip shows that it can be made larger.
  line->setSizeGripEnabled(true);
  return line;
}

void ShowStatusText(QStatusBar* line, const QString& text) {
  line->showMessage(text); // until the next text: no timeout
  line->setToolTip(text);
}
