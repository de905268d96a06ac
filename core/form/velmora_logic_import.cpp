// The import of a Hördat web page that the user copied to the clipboard.
#include <new>

#include "core/form/apply_page.h"
#include "core/form/velmora_logic.h"
#include "core/model/messages.h"

namespace velmora {

void VelmoraLogic::ImportHoerdatPage() {
  // The update reads the form while it copies; the page waits until it is done.
  if (updateRunning_) return;
  ClipboardText clipboard = platform_.ReadClipboardText();
  if (clipboard.status == ClipboardText::Status::CannotOpen) {
    ShowError(messages::ClipboardCannotOpen());
    return;
  }
  if (clipboard.status != ClipboardText::Status::Ok) {
    ShowError(messages::ClipboardEmptyOrInvalid());
    return;
  }
  std::string page;
  try {
    // The clipboard's text ends at its first zero byte.
    page.assign(clipboard.text, 0, clipboard.text.find('\0'));
  } catch (const std::bad_alloc&) {
    ShowError(messages::OutOfMemory());
    return;
  }
  ApplyHoerdatPage(ReadHoerdatPage(page), form_, members_);
  ShowForm();
}

} // namespace velmora
