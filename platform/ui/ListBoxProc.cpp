// The list box: items with data, single, multiple and extended selection by keys and mouse,
// tab stops in dialog units, owner-drawn lines painted by the parent, LBN_* notifications.
#include <algorithm>
#include <cstring>

#include "platform/ui/ControlState.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::ctl_detail {

namespace {

struct TListBoxState {
  TItemList List;
  std::vector<int32_t> Tabs;  // pixels
  int32_t ItemHeight = 0;
  int32_t Anchor = -1;  // extended selection: where a Shift range starts
};

TListBoxState* Box(TWindow window) { return StateOf<TListBoxState>(window); }

bool Multiple(TWindow window) {
  return (GetWindowStyle(window) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}
bool OwnerDrawn(TWindow window) { return (GetWindowStyle(window) & LBS_OWNERDRAWFIXED) != 0; }

int32_t ItemHeight(TWindow window, const TListBoxState& b) {
  if (b.ItemHeight > 0) return b.ItemHeight;
  auto dc = GetWindowCanvas(window);
  return dc ? dc->GetTextMetrics().Height : 16;
}

int32_t VisibleLines(TWindow window, const TListBoxState& b) {
  return std::max(1, (GetClientRect(window).Height() - 2) / ItemHeight(window, b));
}

void SyncScrollBar(TWindow window, const TListBoxState& b) {
  if (!(GetWindowStyle(window) & WS_VSCROLL)) return;
  SetScrollRange(window, SB_VERT, 0, std::max(b.List.Count() - 1, 0));
  SetScrollPage(window, SB_VERT, VisibleLines(window, b));
  SetScrollPos(window, SB_VERT, b.List.Top);
}

void EnsureVisible(TWindow window, TListBoxState& b, int32_t index) {
  if (!b.List.Valid(index)) return;
  int32_t lines = VisibleLines(window, b);
  if (index < b.List.Top) b.List.Top = index;
  if (index >= b.List.Top + lines) b.List.Top = index - lines + 1;
  SyncScrollBar(window, b);
}

bool IsSelected(TWindow window, const TListBoxState& b, int32_t index) {
  if (!b.List.Valid(index)) return false;
  return Multiple(window) ? b.List.Items[static_cast<size_t>(index)].Selected
                          : b.List.Current == index;
}

void Changed(TWindow window) {
  ValueChanged(window);
  if (GetWindowStyle(window) & LBS_NOTIFY) NotifyParent(window, LBN_SELCHANGE);
}

void Measure(TWindow window, TListBoxState& b, int32_t index) {
  if (!OwnerDrawn(window)) return;
  TMeasureItemStruct m;
  m.CtlType = ODT_LISTBOX;
  m.CtlID = static_cast<uint32_t>(GetDlgCtrlID(window));
  m.ItemID = index;
  m.ItemHeight = ItemHeight(window, b);
  m.ItemWidth = GetClientRect(window).Width();
  m.ItemData = b.List.Items[static_cast<size_t>(index)].Data;
  SendMessage(GetParent(window), WM_MEASUREITEM, m.CtlID, reinterpret_cast<intptr_t>(&m));
  // The first answer sets the height of every line (fixed-height lists).
  if (b.ItemHeight == 0 && m.ItemHeight > 0) b.ItemHeight = m.ItemHeight;
  b.List.Items[static_cast<size_t>(index)].Height = m.ItemHeight;
}

void PaintListBox(TWindow window, TCanvas& dc) {
  TListBoxState* b = Box(window);
  if (!b) return;
  TRect client = GetClientRect(window);
  DrawFrame(dc, client);
  int32_t height = ItemHeight(window, *b);
  bool focus = GetFocus() == window;
  for (int32_t i = b->List.Top, y = 1; i < b->List.Count() && y < client.Bottom - 1; ++i, y += height) {
    TRect line{1, y, client.Right - 1, std::min(y + height, client.Bottom - 1)};
    bool selected = IsSelected(window, *b, i);
    const TListEntry& item = b->List.Items[static_cast<size_t>(i)];
    if (OwnerDrawn(window)) {
      TDrawItemStruct d;
      d.CtlType = ODT_LISTBOX;
      d.CtlID = static_cast<uint32_t>(GetDlgCtrlID(window));
      d.ItemID = i;
      d.ItemState = (selected ? ODS_SELECTED : 0) | (focus && i == b->List.Current ? ODS_FOCUS : 0) |
                    (IsWindowEnabled(window) ? 0 : ODS_DISABLED);
      d.Item = window;
      d.Canvas = &dc;
      d.ItemRect = line;
      d.ItemData = item.Data;
      SendMessage(GetParent(window), WM_DRAWITEM, d.CtlID, reinterpret_cast<intptr_t>(&d));
      continue;
    }
    TColorRef old = dc.TextColor();
    if (selected) {
      dc.FillRect(line, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (GetWindowStyle(window) & LBS_USETABSTOPS) {
      dc.TabbedTextOut(3, y, item.Text, b->Tabs, 3);
    } else {
      dc.TextOut(3, y, item.Text);
    }
    dc.SetTextColor(old);
  }
}

// Moves the current line by a key; single selection selects it, extended selection makes it
// the only one (or a range with Shift).
void Key(TWindow window, TListBoxState& b, uint32_t key) {
  int32_t n = b.List.Count();
  if (n == 0) return;
  int32_t page = VisibleLines(window, b);
  int32_t cur = b.List.Current;
  int32_t next = cur;
  switch (key) {
    case VK_UP: next = cur <= 0 ? 0 : cur - 1; break;
    case VK_DOWN: next = cur < 0 ? 0 : std::min(cur + 1, n - 1); break;
    case VK_PRIOR: next = std::max(cur - page + 1, 0); break;
    case VK_NEXT: next = std::min(std::max(cur, 0) + page - 1, n - 1); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = n - 1; break;
    case VK_SPACE:
      if (Multiple(window) && b.List.Valid(cur)) {
        b.List.Items[static_cast<size_t>(cur)].Selected = !b.List.Items[static_cast<size_t>(cur)].Selected;
        Changed(window);
      }
      return;
    case VK_RETURN:
      if (b.List.Valid(cur) && (GetWindowStyle(window) & LBS_NOTIFY)) NotifyParent(window, LBN_DBLCLK);
      return;
    default:
      return;
  }
  if (next == cur) return;
  b.List.Current = next;
  EnsureVisible(window, b, next);
  if (GetWindowStyle(window) & LBS_EXTENDEDSEL) {
    bool shift = IsKeyDown(VK_SHIFT);
    if (!shift || b.Anchor < 0) b.Anchor = next;
    for (int32_t i = 0; i < n; ++i) {
      b.List.Items[static_cast<size_t>(i)].Selected =
          i >= std::min(b.Anchor, next) && i <= std::max(b.Anchor, next);
    }
  } else if (GetWindowStyle(window) & LBS_MULTIPLESEL) {
    ValueChanged(window);  // only the caret moved
    return;
  }
  Changed(window);
}

void Click(TWindow window, TListBoxState& b, int32_t y, bool doubleClick) {
  SetFocus(window);
  int32_t index = b.List.Top + (y - 1) / ItemHeight(window, b);
  if (!b.List.Valid(index)) return;
  uint32_t style = GetWindowStyle(window);
  if (doubleClick) {
    if (style & LBS_NOTIFY) NotifyParent(window, LBN_DBLCLK);
    return;
  }
  b.List.Current = index;
  if (style & LBS_MULTIPLESEL) {
    b.List.Items[static_cast<size_t>(index)].Selected = !b.List.Items[static_cast<size_t>(index)].Selected;
  } else if (style & LBS_EXTENDEDSEL) {
    bool shift = IsKeyDown(VK_SHIFT);
    bool control = IsKeyDown(VK_CONTROL);
    if (control) {
      b.List.Items[static_cast<size_t>(index)].Selected = !b.List.Items[static_cast<size_t>(index)].Selected;
      b.Anchor = index;
    } else {
      if (!shift || b.Anchor < 0) b.Anchor = index;
      for (int32_t i = 0; i < b.List.Count(); ++i) {
        b.List.Items[static_cast<size_t>(i)].Selected =
            i >= std::min(b.Anchor, index) && i <= std::max(b.Anchor, index);
      }
    }
  }
  Changed(window);
}

intptr_t SetSelection(TWindow window, TListBoxState& b, bool on, int32_t index) {
  if (!Multiple(window)) return LB_ERR;
  if (index == -1) {
    for (TListEntry& item : b.List.Items) item.Selected = on;
  } else if (b.List.Valid(index)) {
    b.List.Items[static_cast<size_t>(index)].Selected = on;
    b.List.Current = index;
  } else {
    return LB_ERR;
  }
  ValueChanged(window);
  return 0;
}

std::string TextArg(intptr_t lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? std::string(text) : std::string();
}

}  // namespace

intptr_t ListBoxProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TListBoxState* b = Box(window);
  if (message == WM_CREATE) {
    AttachState<TListBoxState>(window);
    return 0;
  }
  if (!b) return DefWindowProc(window, message, wParam, lParam);
  auto index = static_cast<int32_t>(wParam);
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TListBoxState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintListBox);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      Key(window, *b, static_cast<uint32_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Click(window, *b, LParamY(lParam), message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr);
      if (GetWindowStyle(window) & LBS_NOTIFY) {
        NotifyParent(window, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      }
      return 0;
    case WM_VSCROLL: {
      int32_t top = b->List.Top;
      int32_t page = VisibleLines(window, *b);
      switch (LoWord(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = static_cast<int16_t>(HiWord(wParam)); break;
        default: break;
      }
      b->List.Top = std::clamp(top, 0, std::max(b->List.Count() - 1, 0));
      SyncScrollBar(window, *b);
      InvalidateRect(window, nullptr);
      return 0;
    }
    case WM_SIZE:
      SyncScrollBar(window, *b);
      return 0;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      bool sorted = message == LB_ADDSTRING && (GetWindowStyle(window) & LBS_SORT);
      int32_t at = message == LB_ADDSTRING ? -1 : index;
      if (message == LB_INSERTSTRING && at > b->List.Count()) return LB_ERR;
      int32_t i = b->List.Insert(at, TextArg(lParam), sorted);
      Measure(window, *b, i);
      SyncScrollBar(window, *b);
      ValueChanged(window);
      return i;
    }
    case LB_DELETESTRING:
      if (!b->List.Erase(index)) return LB_ERR;
      if (b->Anchor >= b->List.Count()) b->Anchor = -1;
      SyncScrollBar(window, *b);
      ValueChanged(window);
      return b->List.Count();
    case LB_RESETCONTENT:
      b->List = TItemList{};
      b->Anchor = -1;
      SyncScrollBar(window, *b);
      ValueChanged(window);
      return 0;
    case LB_GETCOUNT:
      return b->List.Count();
    case LB_SETCURSEL:
      if (Multiple(window)) return LB_ERR;
      b->List.Current = b->List.Valid(index) ? index : -1;
      EnsureVisible(window, *b, b->List.Current);
      ValueChanged(window);
      return b->List.Current == -1 && index != -1 ? LB_ERR : b->List.Current;
    case LB_GETCURSEL:
      // Multiple-selection lists answer with their caret, like the system's.
      return b->List.Current;
    case LB_SETSEL:
      return SetSelection(window, *b, wParam != 0, static_cast<int32_t>(lParam));
    case LB_GETSEL:
      if (!b->List.Valid(index)) return LB_ERR;
      return IsSelected(window, *b, index) ? 1 : 0;
    case LB_GETSELCOUNT: {
      if (!Multiple(window)) return LB_ERR;
      return std::count_if(b->List.Items.begin(), b->List.Items.end(),
                           [](const TListEntry& e) { return e.Selected; });
    }
    case LB_GETSELITEMS: {
      if (!Multiple(window)) return LB_ERR;
      auto* out = reinterpret_cast<int32_t*>(lParam);
      intptr_t n = 0;
      for (int32_t i = 0; i < b->List.Count() && n < static_cast<intptr_t>(wParam); ++i) {
        if (b->List.Items[static_cast<size_t>(i)].Selected) out[n++] = i;
      }
      return n;
    }
    case LB_GETTEXT:
      if (!b->List.Valid(index) || !lParam) return LB_ERR;
      *reinterpret_cast<std::string*>(lParam) = b->List.Items[static_cast<size_t>(index)].Text;
      return static_cast<intptr_t>(b->List.Items[static_cast<size_t>(index)].Text.size());
    case LB_GETTEXTLEN:
      if (!b->List.Valid(index)) return LB_ERR;
      return static_cast<intptr_t>(b->List.Items[static_cast<size_t>(index)].Text.size());
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: {
      int32_t found = b->List.Find(index, TextArg(lParam), message == LB_FINDSTRINGEXACT);
      return found < 0 ? LB_ERR : found;
    }
    case LB_GETITEMDATA:
      if (!b->List.Valid(index)) return LB_ERR;
      return b->List.Items[static_cast<size_t>(index)].Data;
    case LB_SETITEMDATA:
      if (!b->List.Valid(index)) return LB_ERR;
      b->List.Items[static_cast<size_t>(index)].Data = lParam;
      return 0;
    case LB_SETTABSTOPS: {
      // Dialog units, a quarter of the average character width each.
      const auto* stops = reinterpret_cast<const int32_t*>(lParam);
      int32_t unit = GetDialogBaseUnits().Width;
      b->Tabs.clear();
      for (uintptr_t i = 0; stops && i < wParam; ++i) b->Tabs.push_back(MulDiv(stops[i], unit, 4));
      if (wParam == 0) b->Tabs.push_back(MulDiv(32, unit, 4));
      InvalidateRect(window, nullptr);
      return 1;
    }
    case kCtlGetTabStops: {
      auto* out = reinterpret_cast<int32_t*>(lParam);
      for (size_t i = 0; out && i < b->Tabs.size() && i < wParam; ++i) out[i] = b->Tabs[i];
      return static_cast<intptr_t>(b->Tabs.size());
    }
    case LB_GETTOPINDEX:
      return b->List.Top;
    case LB_SETTOPINDEX:
      if (!b->List.Valid(index)) return LB_ERR;
      b->List.Top = index;
      SyncScrollBar(window, *b);
      InvalidateRect(window, nullptr);
      return 0;
    case LB_SETCARETINDEX:
      if (!b->List.Valid(index)) return LB_ERR;
      b->List.Current = index;
      EnsureVisible(window, *b, index);
      InvalidateRect(window, nullptr);
      return 0;
    case LB_GETCARETINDEX:
      return b->List.Current;
    case LB_SETITEMHEIGHT:
      if (LoWord(static_cast<uintptr_t>(lParam)) == 0) return LB_ERR;
      b->ItemHeight = static_cast<int32_t>(LoWord(static_cast<uintptr_t>(lParam)));
      SyncScrollBar(window, *b);
      InvalidateRect(window, nullptr);
      return 0;
    case LB_GETITEMHEIGHT:
      return ItemHeight(window, *b);
    case kCtlUserSelect:
      if (!b->List.Valid(index) && index != -1) return 0;
      if (Multiple(window)) {
        for (int32_t i = 0; i < b->List.Count(); ++i) b->List.Items[static_cast<size_t>(i)].Selected = i == index;
        b->Anchor = index;
      }
      if (b->List.Current == index && !Multiple(window)) return 0;
      b->List.Current = index;
      EnsureVisible(window, *b, index);
      Changed(window);
      return 0;
    case kCtlUserSelectOne:
      if (!Multiple(window) || !b->List.Valid(index)) return 0;
      if (b->List.Items[static_cast<size_t>(index)].Selected == (lParam != 0)) return 0;
      b->List.Items[static_cast<size_t>(index)].Selected = lParam != 0;
      b->List.Current = index;
      Changed(window);
      return 0;
    case kCtlUserActivate:
      if (b->List.Valid(index) && (GetWindowStyle(window) & LBS_NOTIFY)) NotifyParent(window, LBN_DBLCLK);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
