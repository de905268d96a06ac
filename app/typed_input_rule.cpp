#include "typed_input_rule.h"

#include <algorithm>

#include <QLineEdit>

namespace {

qsizetype CountNonDigits(const QString& text) {
  return std::count_if(text.begin(), text.end(),
                       [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
}

} // namespace

TypedInputRule::TypedInputRule(QLineEdit* edit, bool digitsOnly, int typedLimit)
    : QValidator(edit), digitsOnly_(digitsOnly), typedLimit_(typedLimit), previous_(edit->text()) {
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
  edit->setValidator(this);
}

QValidator::State TypedInputRule::validate(QString& input, int&) const {
  if (programSetting_) return Acceptable;
  if (digitsOnly_ && CountNonDigits(input) > CountNonDigits(previous_)) return Invalid;
  if (typedLimit_ > 0 && input.size() > typedLimit_ && input.size() > previous_.size())
    return Invalid;
  return Acceptable;
}

void TypedInputRule::SetProgramText(QLineEdit* edit, const QString& text) {
  auto* rule = qobject_cast<TypedInputRule*>(const_cast<QValidator*>(edit->validator()));
  if (rule) rule->programSetting_ = true;
  edit->setText(text);
  if (rule) rule->programSetting_ = false;
}
