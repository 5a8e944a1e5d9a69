// Procedure of the go-to dialog.
#include "editor/find/GotoDialog.h"

#include <cstdio>
#include <string>

#include "editor/find/FindDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr int32_t kDigitsMax = 10;

// The number in a field (blanks around it allowed), or 0 when it is not a number from 1
// to `highest`.
int32_t ReadNumber(TWindow dialog, int32_t id, int32_t highest) {
  const std::string text = GetDlgItemText(dialog, id);
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return 0;
  const size_t last = text.find_last_not_of(' ');
  int64_t value = 0;
  for (size_t i = first; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + (text[i] - '0');
    if (value > highest) return 0;
  }
  return static_cast<int32_t>(value);
}

bool Refuse(TWindow dialog, int32_t id) {
  MessageBeep(0);
  SetFocus(GetDlgItem(dialog, id));
  SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
  return false;
}

intptr_t GotoProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto& args = *reinterpret_cast<TGotoArgs*>(lParam);
      char range[32];
      std::snprintf(range, sizeof range, "%d - %d", 1, args.LineCount);
      SetDlgItemText(dialog, idcRange, range);
      SendDlgItemMessage(dialog, idcGotoLine, EM_LIMITTEXT, kDigitsMax, 0);
      SendDlgItemMessage(dialog, idcGotoColumn, EM_LIMITTEXT, kDigitsMax, 0);
      SetDlgItemText(dialog, idcGotoLine, std::to_string(args.Line));
      SetDlgItemText(dialog, idcGotoColumn, std::to_string(args.Column));
      CheckDlgButton(dialog, idcExtend, args.Extend ? BST_CHECKED : BST_UNCHECKED);
      SendDlgItemMessage(dialog, idcGotoLine, EM_SETSEL, 0, -1);
      return 1;
    }
    case WM_COMMAND: {
      if (HiWord(wParam) != BN_CLICKED) return 0;
      auto& args = *reinterpret_cast<TGotoArgs*>(GetWindowExtra(dialog, 0));
      const auto id = static_cast<int32_t>(LoWord(wParam));
      if (id == IDOK) {
        const int32_t line = ReadNumber(dialog, idcGotoLine, args.LineCount);
        if (line < 1) return Refuse(dialog, idcGotoLine), 1;
        int32_t column = 1;
        if (!GetDlgItemText(dialog, idcGotoColumn).empty()) {
          column = ReadNumber(dialog, idcGotoColumn, INT32_MAX - 1);
          if (column < 1) return Refuse(dialog, idcGotoColumn), 1;
        }
        args.Line = line;
        args.Column = column;
        args.Extend = IsDlgButtonChecked(dialog, idcExtend) == BST_CHECKED;
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

bool RunGotoDialog(TWindow owner, TGotoArgs& args) {
  return DialogBox(owner, kGotoDialog, GotoProc, reinterpret_cast<intptr_t>(&args)) == IDOK;
}
