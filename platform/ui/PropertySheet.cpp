// The property sheet as a dialog of its own: tab control, page area and buttons laid out
// after the tabs know their rows; pages are made when first shown.
#include "platform/ui/PropertySheet.h"

#include <algorithm>
#include <vector>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

struct TSheet {
  const TPropSheetHeader* Header = nullptr;
  std::vector<TWindow> Pages;  // 0 until made
  int32_t Current = -1;
  TSize PageSize;              // pixels
  TRect Display;               // where pages go, sheet client coordinates
};

TSheet* SheetOf(TWindow sheet) { return reinterpret_cast<TSheet*>(GetWindowExtra(sheet, 0)); }

intptr_t NotifyPage(TWindow page, int32_t code, intptr_t lParam = 0) {
  if (!page) return 0;
  TPsHdrNotify n;
  n.Header.From = GetParent(page);
  n.Header.Code = code;
  n.LParam = lParam;
  return SendMessage(page, WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&n));
}

TWindow Tab(TWindow sheet) { return GetDlgItem(sheet, kSheetTabId); }

TWindow MakePage(TWindow sheet, TSheet& s, int32_t index) {
  TWindow& page = s.Pages[static_cast<size_t>(index)];
  if (!page) {
    const TPropSheetPage& p = s.Header->Pages[static_cast<size_t>(index)];
    page = CreateChildDialog(sheet, *p.Template, p.Proc, p.Param, {s.Display.Left, s.Display.Top});
    // The page's controls come right after the tabs in the order of the dialog keys.
    ui_detail::TWindowObject* object = ui_detail::Lookup(sheet);
    if (page && object) {
      std::vector<TWindow>& children = object->Children;
      std::erase(children, page);
      auto tab = std::find(children.begin(), children.end(), Tab(sheet));
      children.insert(tab == children.end() ? children.end() : tab + 1, page);
    }
  }
  return page;
}

// Leaves the current page if it agrees; true when there is none or it agreed.
bool LeaveCurrent(TSheet& s) {
  if (s.Current < 0) return true;
  return NotifyPage(s.Pages[static_cast<size_t>(s.Current)], PSN_KILLACTIVE) == 0;
}

// Shows page `index` (the current one has been left). False when it refuses (PSN_SETACTIVE -1)
// or cannot be made; the current page then stays.
bool ShowPage(TWindow sheet, TSheet& s, int32_t index) {
  TWindow page = MakePage(sheet, s, index);
  if (!page || NotifyPage(page, PSN_SETACTIVE) == -1) {
    SendMessage(Tab(sheet), TCM_SETCURSEL, static_cast<uintptr_t>(s.Current), 0);
    return false;
  }
  if (s.Current >= 0 && s.Current != index) ShowWindow(s.Pages[static_cast<size_t>(s.Current)], false);
  s.Current = index;
  ShowWindow(page, true);
  SendMessage(Tab(sheet), TCM_SETCURSEL, static_cast<uintptr_t>(index), 0);
  if (TWindow first = GetNextDlgTabItem(sheet, Tab(sheet), false)) {
    // The focus stays on the tabs when the user is there.
    if (GetFocus() != Tab(sheet)) GotoDlgCtrl(first);
  }
  return true;
}

bool SelectPage(TWindow sheet, TSheet& s, int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(s.Pages.size())) return false;
  if (index == s.Current) return true;
  if (!LeaveCurrent(s)) {
    SendMessage(Tab(sheet), TCM_SETCURSEL, static_cast<uintptr_t>(s.Current), 0);
    return false;
  }
  return ShowPage(sheet, s, index);
}

// Asks every made page to take its values; false (and the refusing page shown) when one
// refuses.
bool Apply(TWindow sheet, TSheet& s, bool closing) {
  if (!LeaveCurrent(s)) return false;
  for (size_t i = 0; i < s.Pages.size(); ++i) {
    if (!s.Pages[i]) continue;
    intptr_t answer = NotifyPage(s.Pages[i], PSN_APPLY, closing ? 1 : 0);
    if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) {
      if (answer == PSNRET_INVALID && static_cast<int32_t>(i) != s.Current) ShowPage(sheet, s, static_cast<int32_t>(i));
      return false;
    }
  }
  EnableWindow(GetDlgItem(sheet, kSheetApplyId), false);
  return true;
}

void Finish(TWindow sheet, TSheet& s, intptr_t result) {
  if (s.Header->LastPage) *s.Header->LastPage = s.Current;
  EndDialog(sheet, result);
}

void Layout(TWindow sheet, TSheet& s) {
  TSize base = GetDialogBaseUnits();
  int32_t margin = MulDiv(7, base.Width, 4);
  int32_t buttonWidth = MulDiv(50, base.Width, 4);
  int32_t buttonHeight = MulDiv(14, base.Height, 8);
  int32_t gap = MulDiv(4, base.Width, 4);
  int32_t buttons = 0;
  for (int32_t id : {IDHELP, kSheetApplyId, IDCANCEL, IDOK}) {
    TWindow button = GetDlgItem(sheet, id);
    if (button && IsWindowVisible(button)) buttons += buttonWidth + (buttons ? gap : 0);
  }
  // The row of buttons never reaches past the tabs.
  s.PageSize.Width = std::max(s.PageSize.Width, buttons - 8);
  int32_t tabWidth = s.PageSize.Width + 8;
  TWindow tab = Tab(sheet);
  // The width first, so that the tabs find their rows.
  MoveWindow(tab, TRect{margin, margin, margin + tabWidth, margin + 100});
  TRect display{margin, margin, margin + tabWidth, margin + 100};
  SendMessage(tab, TCM_ADJUSTRECT, 0, reinterpret_cast<intptr_t>(&display));
  int32_t tabHeight = (display.Top - margin) + s.PageSize.Height + 4;
  MoveWindow(tab, TRect{margin, margin, margin + tabWidth, margin + tabHeight});
  s.Display = TRect{display.Left, display.Top, display.Left + s.PageSize.Width, display.Top + s.PageSize.Height};
  int32_t y = margin + tabHeight + margin;
  int32_t x = margin + tabWidth;
  for (int32_t id : {IDHELP, kSheetApplyId, IDCANCEL, IDOK}) {
    TWindow button = GetDlgItem(sheet, id);
    if (!button || !IsWindowVisible(button)) continue;
    MoveWindow(button, TRect{x - buttonWidth, y, x, y + buttonHeight});
    x -= buttonWidth + gap;
  }
  TRect r = GetWindowRect(sheet);
  int32_t width = tabWidth + 2 * margin;
  int32_t height = y + buttonHeight + margin;
  // Still centred where the dialog was, grown to its pages, but with its title on the screen.
  const int32_t left = r.Left - (width - r.Width()) / 2, top = r.Top - (height - r.Height()) / 2;
  MoveWindow(sheet, KeepOnScreen(TRect{left, top, left + width, top + height}));
}

intptr_t SheetProc(TWindow sheet, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheet* s = SheetOf(sheet);
  switch (message) {
    case WM_INITDIALOG: {
      s = reinterpret_cast<TSheet*>(lParam);
      SetWindowExtra(sheet, 0, lParam);
      const TPropSheetHeader& h = *s->Header;
      if (!(h.Flags & PSH_HASHELP)) ShowWindow(GetDlgItem(sheet, IDHELP), false);
      if (h.Flags & PSH_NOAPPLYNOW) ShowWindow(GetDlgItem(sheet, kSheetApplyId), false);
      EnableWindow(GetDlgItem(sheet, kSheetApplyId), false);
      for (const TPropSheetPage& p : h.Pages) {
        TRect size = MapDialogRect(TRect{0, 0, p.Template->Size.Width, p.Template->Size.Height});
        s->PageSize.Width = std::max(s->PageSize.Width, size.Width());
        s->PageSize.Height = std::max(s->PageSize.Height, size.Height());
      }
      Layout(sheet, *s);
      TWindow tab = Tab(sheet);
      for (size_t i = 0; i < h.Pages.size(); ++i) {
        std::string title(h.Pages[i].Title.empty() ? h.Pages[i].Template->Caption : h.Pages[i].Title);
        SendMessage(tab, TCM_INSERTITEM, i, reinterpret_cast<intptr_t>(title.c_str()));
      }
      // Many tabs take several rows: lay out again for the real height.
      Layout(sheet, *s);
      int32_t start = std::clamp(h.StartPage, 0, static_cast<int32_t>(h.Pages.size()) - 1);
      if (!ShowPage(sheet, *s, start) && !ShowPage(sheet, *s, 0)) {
        EndDialog(sheet, -1);
        return 1;
      }
      return 0;  // the page has put the focus
    }
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const TNmHdr*>(lParam);
      if (!s || n->IdFrom != static_cast<uintptr_t>(kSheetTabId)) return 0;
      if (n->Code == TCN_SELCHANGING) {
        SetDialogResult(sheet, LeaveCurrent(*s) ? 0 : 1);
        return 1;
      }
      if (n->Code == TCN_SELCHANGE) {
        int32_t index = static_cast<int32_t>(SendMessage(Tab(sheet), TCM_GETCURSEL, 0, 0));
        ShowPage(sheet, *s, index);
        return 1;
      }
      return 0;
    }
    case WM_COMMAND:
      if (!s || HiWord(wParam) != BN_CLICKED) return 0;
      switch (static_cast<int32_t>(LoWord(wParam))) {
        case IDOK:
          if (Apply(sheet, *s, true)) Finish(sheet, *s, 1);
          return 1;
        case IDCANCEL:
          for (TWindow page : s->Pages) NotifyPage(page, PSN_RESET);
          Finish(sheet, *s, 0);
          return 1;
        case kSheetApplyId:
          if (Apply(sheet, *s, false)) NotifyPage(s->Pages[static_cast<size_t>(s->Current)], PSN_SETACTIVE);
          return 1;
        case IDHELP:
          NotifyPage(s->Pages[static_cast<size_t>(s->Current)], PSN_HELP);
          return 1;
        default:
          return 0;
      }
    case PSM_SETCURSEL:
      SetDialogResult(sheet, s && SelectPage(sheet, *s, static_cast<int32_t>(wParam)) ? 1 : 0);
      return s && s->Current == static_cast<int32_t>(wParam) ? 1 : 0;
    case PSM_CHANGED:
      EnableWindow(GetDlgItem(sheet, kSheetApplyId), true);
      return 1;
    case PSM_UNCHANGED:
      EnableWindow(GetDlgItem(sheet, kSheetApplyId), false);
      return 1;
    case PSM_GETCURRENTPAGEHWND:
      return s && s->Current >= 0 ? static_cast<intptr_t>(s->Pages[static_cast<size_t>(s->Current)]) : 0;
    case PSM_GETTABCONTROL:
      return static_cast<intptr_t>(Tab(sheet));
    case PSM_PRESSBUTTON: {
      int32_t id = wParam == PSBTN_OK ? IDOK : wParam == PSBTN_CANCEL ? IDCANCEL
                   : wParam == PSBTN_APPLYNOW ? kSheetApplyId : wParam == PSBTN_HELP ? IDHELP : 0;
      TWindow button = GetDlgItem(sheet, id);
      if (button && IsWindowEnabled(button)) SendMessage(button, BM_CLICK, 0, 0);
      return 1;
    }
    default:
      return 0;
  }
}

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// Laid out in pixels once the pages' size and the tab rows are known.
constexpr TDialogItem kSheetItems[] = {
    {kTabControlClass, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | TCS_MULTILINE, {0, 0, 10, 10}, kSheetTabId},
    {kButtonClass, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {0, 0, 10, 10}, IDOK},
    {kButtonClass, "Abbrechen", kButton, {0, 0, 10, 10}, IDCANCEL},
    {kButtonClass, "Ü&bernehmen", kButton, {0, 0, 10, 10}, kSheetApplyId},
    {kButtonClass, "Hilfe", kButton, {0, 0, 10, 10}, IDHELP},
};

}  // namespace

intptr_t PropertySheet(const TPropSheetHeader& header) {
  if (header.Pages.empty()) return -1;
  for (const TPropSheetPage& p : header.Pages) {
    if (!p.Template || !p.Proc) return -1;
  }
  TSheet sheet;
  sheet.Header = &header;
  sheet.Pages.assign(header.Pages.size(), 0);
  TDialogTemplate t;
  t.Caption = header.Caption;
  t.Size = TSize{200, 150};
  t.Items = kSheetItems;
  t.Style = DS_MODALFRAME;
  intptr_t result = DialogBox(header.Owner, t, SheetProc, reinterpret_cast<intptr_t>(&sheet));
  return result < 0 ? -1 : result;
}

}  // namespace platform
