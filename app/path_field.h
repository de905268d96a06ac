#pragma once
// The read-only path fields ("Input-File", "Input-Dir."): a path longer than the field shows its
// end, the file name, and the whole path is the tooltip.
class QLineEdit;

void ShowPathEnd(QLineEdit* field);
