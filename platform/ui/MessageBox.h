// Message boxes with the icon and button kinds of the editor.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

// Texts are UTF-8. Returns IDOK, IDCANCEL, IDYES or IDNO; IDCANCEL without a back end.
int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                   uint32_t type);

// German captions of the buttons a box type shows, in order (for the back ends).
struct TBoxButton {
  int32_t Id;
  const char* Text;
};
int32_t MessageBoxButtons(uint32_t type, TBoxButton (&buttons)[3]);

}  // namespace platform
