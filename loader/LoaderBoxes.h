// The loader's message and question boxes as its code sees them, shared by the actions,
// the console and the status window.
#pragma once

#include <cstdint>

namespace krlad {

// Box answers.
enum TBoxAnswer : int32_t {
  baOther = 1,
  baYes = 2,
  baNo = 4,
  baOk = 8,
};

enum class TBoxKind : uint8_t {
  Error,     // caption "Fehler", warning icon, OK
  Warning,   // caption "Warnung", warning icon, OK
  Question,  // caption "Meldung", question icon, Yes/No
};

}  // namespace krlad
