// The hex window's dialogs and the commands behind them: "Bytes einfügen", the hex form of
// "Gehe zu", and the mode switch with its refusal message.
#include "editor/hex/HexCommands.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "editor/hex/HexChildData.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = kTab | WS_BORDER | ES_AUTOHSCROLL;

enum : int32_t {
  idcCount = 101,
  idcFillHex = 102,
  idcFillChar = 103,
  idcAddress = 111,
  idcHexRadio = 112,
  idcDecRadio = 113,
  idcRange = 114,
  idcExtend = 115,
};

constexpr TDialogItem kInsertItems[] = {
    {kStaticClass, "An&zahl:", kLabel, {7, 9, 110, 19}, -1},
    {kEditClass, "", kField | WS_GROUP, {112, 7, 160, 19}, idcCount},
    {kStaticClass, "I&nitialisieren mit Code (hex):", kLabel, {7, 27, 110, 37}, -1},
    {kEditClass, "", kField, {112, 25, 136, 37}, idcFillHex},
    {kStaticClass, "bzw. Zeichen:", kLabel, {7, 45, 110, 55}, -1},
    {kEditClass, "", kField, {112, 43, 136, 55}, idcFillChar},
    {kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {170, 7, 220, 21}, IDOK},
    {kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {170, 25, 220, 39}, IDCANCEL},
};

constexpr TDialogItem kGotoItems[] = {
    {kStaticClass, "Springen an &Adresse:", kLabel, {7, 9, 90, 19}, -1},
    {kComboBoxClass, "", kTab | WS_GROUP | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, {92, 7, 170, 90}, idcAddress},
    {kButtonClass, "he&xadezimal", kTab | WS_GROUP | BS_AUTORADIOBUTTON, {92, 25, 170, 35}, idcHexRadio},
    {kButtonClass, "&dezimal", WS_VISIBLE | BS_AUTORADIOBUTTON, {92, 37, 170, 47}, idcDecRadio},
    {kStaticClass, "Bereich:", kLabel, {7, 53, 90, 63}, -1},
    {kStaticClass, "", kLabel, {92, 53, 200, 63}, idcRange},
    {kButtonClass, "&Markierung erweitern", kTab | WS_GROUP | BS_AUTOCHECKBOX, {7, 69, 150, 79}, idcExtend},
    {kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {210, 7, 260, 21}, IDOK},
    {kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {210, 25, 260, 39}, IDCANCEL},
};

// Kept until the program ends.
int64_t InsertCount = 10;
uint8_t InsertFill = 0x20;
std::deque<int64_t> GotoHistory;  // most recent first
bool GotoDecimal = false;

constexpr size_t kGotoHistoryMax = 15;

struct TInsertState {
  bool Updating = false;
};

bool ParseNumber(const std::string& text, int base, int64_t* value) {
  std::string t = text;
  t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
  if (t.empty() || t.size() > (base == 16 ? 8u : 10u)) return false;
  char* end = nullptr;
  long long v = std::strtoll(t.c_str(), &end, base);
  if (!end || *end != '\0' || v < 0) return false;
  *value = v;
  return true;
}

std::string HexByte(uint8_t b) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", b);
  return text;
}

intptr_t InsertProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  static TInsertState state;
  switch (message) {
    case WM_INITDIALOG:
      (void)lParam;
      state.Updating = true;
      SendDlgItemMessage(dialog, idcFillHex, EM_LIMITTEXT, 2, 0);
      SendDlgItemMessage(dialog, idcFillChar, EM_LIMITTEXT, 1, 0);
      SendDlgItemMessage(dialog, idcCount, EM_LIMITTEXT, 10, 0);
      SetDlgItemText(dialog, idcCount, std::to_string(InsertCount));
      SetDlgItemText(dialog, idcFillHex, HexByte(InsertFill));
      SetDlgItemText(dialog, idcFillChar, CodePageTextToUtf8(std::string(1, static_cast<char>(InsertFill)), false));
      state.Updating = false;
      return 1;
    case WM_COMMAND: {
      const auto id = static_cast<int32_t>(LoWord(wParam));
      const uint32_t code = HiWord(wParam);
      if (code == EN_CHANGE && !state.Updating) {
        // Each of the two fill fields follows the other.
        state.Updating = true;
        if (id == idcFillHex) {
          int64_t v = 0;
          if (ParseNumber(GetDlgItemText(dialog, idcFillHex), 16, &v) && v <= 255 && v >= 32) {
            SetDlgItemText(dialog, idcFillChar, CodePageTextToUtf8(std::string(1, static_cast<char>(v)), false));
          } else {
            SetDlgItemText(dialog, idcFillChar, "");
          }
        } else if (id == idcFillChar) {
          std::string c = Utf8ToCodePageText(GetDlgItemText(dialog, idcFillChar), false);
          if (!c.empty()) SetDlgItemText(dialog, idcFillHex, HexByte(static_cast<uint8_t>(c[0])));
        }
        state.Updating = false;
        return 1;
      }
      if (id == IDOK) {
        int64_t count = 0, fill = 0;
        if (!ParseNumber(GetDlgItemText(dialog, idcCount), 10, &count) || count < 1 || count > kHexMaxFileSize) {
          MessageBeep(0);
          GotoDlgCtrl(GetDlgItem(dialog, idcCount));
          return 1;
        }
        if (!ParseNumber(GetDlgItemText(dialog, idcFillHex), 16, &fill) || fill > 255) {
          MessageBeep(0);
          GotoDlgCtrl(GetDlgItem(dialog, idcFillHex));
          return 1;
        }
        InsertCount = count;
        InsertFill = static_cast<uint8_t>(fill);
        EndDialog(dialog, IDOK);
        return 1;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return 1;
      }
      return 0;
    }
    default:
      return 0;
  }
}

struct TGotoState {
  int64_t Highest = 0;
  int64_t Target = -1;
  bool Extend = false;
  bool Decimal = false;
};

std::string FormatAddress(int64_t value, bool decimal) {
  char text[24];
  std::snprintf(text, sizeof text, decimal ? "%lld" : "%llX", static_cast<long long>(value));
  return text;
}

void ShowRange(TWindow dialog, const TGotoState& s) {
  // " (dez)" reads " (dec)" where the buttons are English.
  std::string unit = s.Decimal ? (GetDlgItemText(dialog, IDCANCEL) == "Cancel" ? " (dec)" : " (dez)") : " (hex)";
  SetDlgItemText(dialog, idcRange, "0 - " + FormatAddress(s.Highest, s.Decimal) + unit);
}

void FillHistory(TWindow dialog, bool decimal) {
  SendDlgItemMessage(dialog, idcAddress, CB_RESETCONTENT, 0, 0);
  for (int64_t a : GotoHistory) {
    std::string text = FormatAddress(a, decimal);
    SendDlgItemMessage(dialog, idcAddress, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(text.c_str()));
  }
}

intptr_t GotoProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  static TGotoState* state = nullptr;
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<TGotoState*>(lParam);
      state->Decimal = GotoDecimal;
      CheckRadioButton(dialog, idcHexRadio, idcDecRadio, state->Decimal ? idcDecRadio : idcHexRadio);
      SendDlgItemMessage(dialog, idcAddress, CB_LIMITTEXT, state->Decimal ? 10 : 8, 0);
      FillHistory(dialog, state->Decimal);
      if (!GotoHistory.empty()) SetDlgItemText(dialog, idcAddress, FormatAddress(GotoHistory.front(), state->Decimal));
      ShowRange(dialog, *state);
      return 1;
    case WM_COMMAND: {
      if (!state) return 0;
      const auto id = static_cast<int32_t>(LoWord(wParam));
      if ((id == idcHexRadio || id == idcDecRadio) && HiWord(wParam) == BN_CLICKED) {
        bool decimal = id == idcDecRadio;
        if (decimal != state->Decimal) {
          // The address is written anew in the other base.
          int64_t value = 0;
          bool known = ParseNumber(GetDlgItemText(dialog, idcAddress), state->Decimal ? 10 : 16, &value);
          state->Decimal = decimal;
          SendDlgItemMessage(dialog, idcAddress, CB_LIMITTEXT, decimal ? 10 : 8, 0);
          FillHistory(dialog, decimal);
          SetDlgItemText(dialog, idcAddress, known ? FormatAddress(value, decimal) : "");
          ShowRange(dialog, *state);
        }
        return 1;
      }
      if (id == IDOK) {
        int64_t value = 0;
        if (!ParseNumber(GetDlgItemText(dialog, idcAddress), state->Decimal ? 10 : 16, &value) ||
            value > state->Highest) {
          MessageBeep(0);
          GotoDlgCtrl(GetDlgItem(dialog, idcAddress));
          return 1;
        }
        state->Target = value;
        state->Extend = IsDlgButtonChecked(dialog, idcExtend) == BST_CHECKED;
        GotoDecimal = state->Decimal;
        EndDialog(dialog, IDOK);
        return 1;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return 1;
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace

bool HexToggleModeCommand(TWindow owner, TWindow window) {
  THexChildData* d = HexChild(window);
  if (!d) return false;
  if (d->ToggleMode()) return true;
  if (d->ReadOnly || d->CacheReadOnly()) {
    MessageBox(owner,
               "Modus kann nicht eingestellt werden!\n\nDie aktuelle Datei oder der Datenträger sind "
               "schreibgeschützt\noder der Nur-Lese-Modus (Optionen) ist aktiv.",
               "Z&K Quellwerk: Erweiterter Modus", MB_OK | MB_ICONEXCLAMATION);
  }
  return false;
}

bool HexInsertCommand(TWindow owner, TWindow window) {
  THexChildData* d = HexChild(window);
  if (!d || !d->Extended()) return false;
  TDialogTemplate tpl{"Z&K Quellwerk: Bytes einfügen", {228, 62}, kInsertItems, DS_MODALFRAME};
  if (DialogBox(owner, tpl, InsertProc, 0) != IDOK) return true;
  int64_t offset = std::min(d->CaretOffset(), d->FileSize());
  if (!d->InsertBytes(offset, InsertCount, InsertFill)) {
    MessageBeep(0);
    return false;
  }
  return true;
}

void HexGotoCommand(TWindow owner, TWindow window) {
  THexChildData* d = HexChild(window);
  if (!d) return;
  TGotoState state;
  state.Highest = std::max<int64_t>(d->FileSize() - 1, 0);
  TDialogTemplate tpl{"Z&K Quellwerk: Gehe zu", {268, 86}, kGotoItems, DS_MODALFRAME};
  if (DialogBox(owner, tpl, GotoProc, reinterpret_cast<intptr_t>(&state)) != IDOK || state.Target < 0) return;
  auto same = std::find(GotoHistory.begin(), GotoHistory.end(), state.Target);
  if (same != GotoHistory.end()) GotoHistory.erase(same);
  GotoHistory.push_front(state.Target);
  if (GotoHistory.size() > kGotoHistoryMax) GotoHistory.pop_back();
  d->GotoOffset(state.Target, state.Extend);
}

std::vector<int64_t> HexGotoHistory() { return {GotoHistory.begin(), GotoHistory.end()}; }
