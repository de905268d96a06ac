#include "path_field.h"

#include <QLineEdit>

void ShowPathEnd(QLineEdit* field) {
  // The field scrolls to keep its cursor in view, also when the window is resized.
  field->setCursorPosition(static_cast<int>(field->text().size()));
  field->setToolTip(field->text());
}
