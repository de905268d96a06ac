// The import of a Hördat web page that the user copied to the clipboard.
#include <new>

#include "core/model/messages.h"
#include "core/form/velmora_logic.h"
#include "core/import/hoerdat_page.h"

namespace velmora {

void VelmoraLogic::ImportHoerdatPage() {
  // The update reads the form while it copies; the page waits until it is done.
  if (updateRunning_) return;
  ClipboardText clipboard = platform_.ReadClipboardText();
  if (clipboard.status == ClipboardText::Status::CannotOpen) {
    ShowError("Clipboard kann nicht ge\xf6"
              "ffnet werden!");
    return;
  }
  if (clipboard.status != ClipboardText::Status::Ok) {
    ShowError("ClipBoard ist leer oder enth\xe4lt ung\xfcltige Daten!");
    return;
  }
  std::string page;
  try {
    // The clipboard's text ends at its first zero byte.
    page.assign(clipboard.text, 0, clipboard.text.find('\0'));
  } catch (const std::bad_alloc&) {
    ShowError("Nicht gen\xfcgend Arbeitsspeicher verf\xfcgbar!");
    return;
  }
  ApplyHoerdatPage(page, form_, members_);
  ShowForm();
}

} // namespace velmora
