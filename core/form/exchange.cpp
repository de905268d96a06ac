#include "core/form/exchange.h"

#include "core/model/messages.h"
#include "core/text/encoding.h"

namespace velmora {

bool TakeControls(WindowState& state, WindowPlatform& platform) {
  for (const FormField field : kExchangeOrder) {
    std::string& value = FieldOf(state.form, field);
    value = platform.ControlText(field);
    if (field == FormField::v2Year && CountCharacters(value) > kV2YearLimit) {
      platform.ShowMessage(messages::YearTooLong(), messages::kVelmora, MessageIcon::Exclamation,
                           MessageButtons::Ok);
      platform.FocusControl(FormField::v2Year);
      return false;
    }
  }
  return true;
}

void ShowForm(const WindowState& state, WindowPlatform& platform) {
  for (const FormField field : kExchangeOrder)
    platform.SetControlText(field, FieldOf(state.form, field));
}

void ShowError(WindowPlatform& platform, const std::string& text) {
  platform.ShowMessage(text, messages::kError, MessageIcon::Exclamation, MessageButtons::Ok);
  platform.ShowStatus(messages::FailureStatus(text));
}

} // namespace velmora
