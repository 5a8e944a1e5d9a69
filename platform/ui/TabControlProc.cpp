// The tab control: tabs laid out by their text widths in one row, or in several rows when
// TCS_MULTILINE and they do not fit; a change of tab is offered to the parent first
// (TCN_SELCHANGING may refuse it) and reported after (TCN_SELCHANGE).
#include <algorithm>

#include "platform/ui/ControlState.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::ctl_detail {

namespace {

struct TTab {
  std::string Text;
  TRect Rect;
};

struct TTabState {
  std::vector<TTab> Tabs;
  int32_t Current = -1;
  int32_t Rows = 1;
};

TTabState* Tabs(TWindow window) { return StateOf<TTabState>(window); }

// In dialog units, so that a native tab bar of the dialog font fits the row.
int32_t TabHeight(TWindow /*window*/) { return MapDialogRect(TRect{0, 0, 0, 14}).Bottom; }

void Layout(TWindow window, TTabState& t) {
  auto dc = GetWindowCanvas(window);
  int32_t width = GetClientRect(window).Width();
  int32_t height = TabHeight(window);
  bool multi = (GetWindowStyle(window) & TCS_MULTILINE) != 0;
  int32_t x = 0;
  int32_t row = 0;
  // Wide enough for the text in the canvas font and in the dialog font of native tabs (the
  // average character width of the dialog units), with the padding of a tab.
  TSize base = GetDialogBaseUnits();
  int32_t padding = MulDiv(14, base.Width, 4);
  for (TTab& tab : t.Tabs) {
    std::string text = StripMnemonic(tab.Text);
    int32_t chars = static_cast<int32_t>(DecodeUtf8(text).size());
    int32_t w = std::max(dc ? dc->GetTextExtent(text).Width : 0, chars * base.Width) + padding;
    if (multi && x > 0 && x + w > width) {
      ++row;
      x = 0;
    }
    tab.Rect = TRect{x, row, x + w, 0};  // the row for now; placed below
    x += w;
  }
  t.Rows = row + 1;
  // The row of the current tab comes next to the page, the others keep their cyclic order.
  int32_t currentRow = t.Current >= 0 && t.Current < static_cast<int32_t>(t.Tabs.size())
                           ? t.Tabs[static_cast<size_t>(t.Current)].Rect.Top
                           : t.Rows - 1;
  for (TTab& tab : t.Tabs) {
    int32_t r = (tab.Rect.Top - currentRow - 1 + 2 * t.Rows) % t.Rows;
    tab.Rect.Top = r * height;
    tab.Rect.Bottom = (r + 1) * height;
  }
}

void Changed(TWindow window, TTabState& t) {
  Layout(window, t);
  ValueChanged(window);
}

// The user's choice of a tab: the parent may keep the current one.
void UserSelect(TWindow window, TTabState& t, int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(t.Tabs.size()) || index == t.Current) return;
  if (NotifyParentEx(window, TCN_SELCHANGING) != 0) {
    // Refused: the native side may have moved already and must come back.
    ValueChanged(window);
    return;
  }
  t.Current = index;
  Changed(window, t);
  NotifyParentEx(window, TCN_SELCHANGE);
}

void PaintTabs(TWindow window, TCanvas& dc) {
  TTabState* t = Tabs(window);
  if (!t) return;
  TRect client = GetClientRect(window);
  int32_t top = t->Rows * TabHeight(window);
  DrawFrame(dc, TRect{0, top - 1, client.Right, client.Bottom});
  for (size_t i = 0; i < t->Tabs.size(); ++i) {
    TRect r = t->Tabs[i].Rect;
    if (static_cast<int32_t>(i) == t->Current) dc.FillRect(r, GetSysColor(COLOR_WINDOW));
    DrawFrame(dc, r);
    dc.DrawText(StripMnemonic(t->Tabs[i].Text), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

std::string TextArg(intptr_t lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? std::string(text) : std::string();
}

}  // namespace

intptr_t TabControlProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TTabState* t = Tabs(window);
  if (message == WM_CREATE) {
    AttachState<TTabState>(window);
    return 0;
  }
  if (!t) return DefWindowProc(window, message, wParam, lParam);
  auto index = static_cast<int32_t>(wParam);
  auto count = static_cast<int32_t>(t->Tabs.size());
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TTabState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintTabs);
    case WM_SIZE:
      Layout(window, *t);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT) UserSelect(window, *t, t->Current - 1);
      if (wParam == VK_RIGHT) UserSelect(window, *t, t->Current + 1);
      return 0;
    case WM_LBUTTONDOWN: {
      TPoint p{LParamX(lParam), LParamY(lParam)};
      for (int32_t i = 0; i < count; ++i) {
        if (t->Tabs[static_cast<size_t>(i)].Rect.Contains(p)) {
          SetFocus(window);
          UserSelect(window, *t, i);
          break;
        }
      }
      return 0;
    }
    case TCM_INSERTITEM: {
      int32_t at = std::clamp(index, 0, count);
      t->Tabs.insert(t->Tabs.begin() + at, TTab{TextArg(lParam), {}});
      if (t->Current >= at) ++t->Current;
      if (t->Current < 0) t->Current = 0;
      Changed(window, *t);
      return at;
    }
    case TCM_SETITEM:
      if (index < 0 || index >= count) return 0;
      t->Tabs[static_cast<size_t>(index)].Text = TextArg(lParam);
      Changed(window, *t);
      return 1;
    case TCM_GETITEM:
      if (index < 0 || index >= count || !lParam) return 0;
      *reinterpret_cast<std::string*>(lParam) = t->Tabs[static_cast<size_t>(index)].Text;
      return 1;
    case TCM_DELETEITEM:
      if (index < 0 || index >= count) return 0;
      t->Tabs.erase(t->Tabs.begin() + index);
      if (t->Current > index || t->Current >= count - 1) --t->Current;
      Changed(window, *t);
      return 1;
    case TCM_DELETEALLITEMS:
      t->Tabs.clear();
      t->Current = -1;
      Changed(window, *t);
      return 1;
    case TCM_GETITEMCOUNT:
      return count;
    case TCM_GETCURSEL:
      return t->Current;
    case TCM_SETCURSEL: {
      if (index < 0 || index >= count) return -1;
      int32_t old = t->Current;
      t->Current = index;
      Changed(window, *t);
      return old;
    }
    case TCM_GETROWCOUNT:
      return t->Rows;
    case TCM_GETITEMRECT:
      if (index < 0 || index >= count || !lParam) return 0;
      *reinterpret_cast<TRect*>(lParam) = t->Tabs[static_cast<size_t>(index)].Rect;
      return 1;
    case TCM_ADJUSTRECT: {
      auto* r = reinterpret_cast<TRect*>(lParam);
      if (!r) return 0;
      int32_t top = t->Rows * TabHeight(window);
      if (wParam) {
        *r = TRect{r->Left - 4, r->Top - top - 4, r->Right + 4, r->Bottom + 4};
      } else {
        *r = TRect{r->Left + 4, r->Top + top + 4, r->Right - 4, r->Bottom - 4};
      }
      return 0;
    }
    case kCtlUserSelect:
      UserSelect(window, *t, index);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
