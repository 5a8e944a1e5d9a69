// Message boxes through the back end; the German button texts live here.
#include "platform/ui/MessageBox.h"

#include "platform/ui/UiState.h"

namespace platform {

int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                   uint32_t type) {
  ui_detail::TUiState* s = ui_detail::State();
  if (!s) return IDCANCEL;
  return s->Backend->MessageBox(owner, text, caption, type);
}

int32_t MessageBoxButtons(uint32_t type, TBoxButton (&buttons)[3]) {
  switch (type & MB_BUTTONMASK) {
    case MB_OKCANCEL:
      buttons[0] = {IDOK, "OK"};
      buttons[1] = {IDCANCEL, "Abbrechen"};
      return 2;
    case MB_YESNOCANCEL:
      buttons[0] = {IDYES, "Ja"};
      buttons[1] = {IDNO, "Nein"};
      buttons[2] = {IDCANCEL, "Abbrechen"};
      return 3;
    case MB_YESNO:
      buttons[0] = {IDYES, "Ja"};
      buttons[1] = {IDNO, "Nein"};
      return 2;
    default:
      buttons[0] = {IDOK, "OK"};
      return 1;
  }
}

}  // namespace platform
