#pragma once
// What the user may type into a line edit: only the digits 0 to 9, and/or at most a number of
// characters. Text that the program sets is shown whole, also when it breaks the rule (which is
// why this is no QLineEdit::setMaxLength): only an edit by the user that adds a non-digit or
// makes the text longer than the limit is undone. Deleting is always possible.
#include <QString>
#include <QValidator>

class QLineEdit;

class TypedInputRule : public QValidator {
  Q_OBJECT
public:
  // typedLimit 0: no limit.
  TypedInputRule(QLineEdit* edit, bool digitsOnly, int typedLimit);

  State validate(QString& input, int& pos) const override;

  // Sets a line edit's text as the program does; the rule of the edit, if any, lets it through.
  static void SetProgramText(QLineEdit* edit, const QString& text);

private:
  bool digitsOnly_;
  int typedLimit_;
  QString previous_; // the text before the edit being checked
  bool programSetting_ = false;
};
