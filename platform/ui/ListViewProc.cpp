// The list view in report form: a header of columns, rows of texts with sub-items, single or
// multiple selection by keys and mouse, LVN_ITEMCHANGED and activation as WM_NOTIFY.
#include <algorithm>

#include "platform/ui/ControlState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::ctl_detail {

namespace {

struct TListViewState {
  std::vector<TLvColumn> Columns;
  TItemList List;  // Current is the focused row
};

TListViewState* View(TWindow window) { return StateOf<TListViewState>(window); }

bool Single(TWindow window) { return (GetWindowStyle(window) & LVS_SINGLESEL) != 0; }

int32_t RowHeight(TWindow window) {
  auto dc = GetWindowCanvas(window);
  return (dc ? dc->GetTextMetrics().Height : 16) + 2;
}

uint32_t StateOfRow(const TListViewState& v, int32_t i) {
  return (v.List.Items[static_cast<size_t>(i)].Selected ? LVIS_SELECTED : 0) |
         (v.List.Current == i ? LVIS_FOCUSED : 0);
}

// Sets the state bits of `mask` on row i and reports a change to the parent.
void SetRowState(TWindow window, TListViewState& v, int32_t i, uint32_t state, uint32_t mask) {
  uint32_t old = StateOfRow(v, i);
  if (mask & LVIS_SELECTED) {
    bool on = (state & LVIS_SELECTED) != 0;
    if (on && Single(window)) {
      for (int32_t k = 0; k < v.List.Count(); ++k) {
        if (k != i && v.List.Items[static_cast<size_t>(k)].Selected) SetRowState(window, v, k, 0, LVIS_SELECTED);
      }
    }
    v.List.Items[static_cast<size_t>(i)].Selected = on;
  }
  if (mask & LVIS_FOCUSED) {
    if (state & LVIS_FOCUSED) {
      v.List.Current = i;
    } else if (v.List.Current == i) {
      v.List.Current = -1;
    }
  }
  uint32_t now = StateOfRow(v, i);
  if (now == old) return;
  ValueChanged(window);
  TNmListView n;
  n.Item = i;
  n.NewState = now;
  n.OldState = old;
  n.Changed = 0x0008;  // LVIF_STATE
  NotifyParentEx(window, LVN_ITEMCHANGED, &n.Header);
}

void SelectOnly(TWindow window, TListViewState& v, int32_t i) {
  for (int32_t k = 0; k < v.List.Count(); ++k) {
    if (k != i && v.List.Items[static_cast<size_t>(k)].Selected) SetRowState(window, v, k, 0, LVIS_SELECTED);
  }
  if (v.List.Valid(i)) SetRowState(window, v, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void Activate(TWindow window, int32_t i) {
  TNmListView n;
  n.Item = i;
  NotifyParentEx(window, LVN_ITEMACTIVATE, &n.Header);
  NotifyParentEx(window, NM_DBLCLK, &n.Header);
}

void PaintListView(TWindow window, TCanvas& dc) {
  TListViewState* v = View(window);
  if (!v) return;
  TRect client = GetClientRect(window);
  DrawFrame(dc, client);
  int32_t height = RowHeight(window);
  int32_t x = 1;
  for (const TLvColumn& c : v->Columns) {
    TRect cell{x, 1, x + c.Width, 1 + height};
    dc.FillRect(cell, GetSysColor(COLOR_BTNFACE));
    DrawFrame(dc, cell);
    dc.DrawText(c.Text, TRect{cell.Left + 3, cell.Top, cell.Right, cell.Bottom}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    x += c.Width;
  }
  int32_t y = 1 + height;
  for (int32_t i = v->List.Top; i < v->List.Count() && y < client.Bottom; ++i, y += height) {
    const TListEntry& row = v->List.Items[static_cast<size_t>(i)];
    TColorRef old = dc.TextColor();
    if (row.Selected) {
      dc.FillRect(TRect{1, y, client.Right - 1, y + height}, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    x = 1;
    for (size_t c = 0; c < v->Columns.size(); ++c) {
      const std::string& text = c == 0 ? row.Text : (c - 1 < row.SubItems.size() ? row.SubItems[c - 1] : std::string());
      int32_t w = v->Columns[c].Width;
      dc.DrawText(text, TRect{x + 3, y, x + w - 2, y + height}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      x += w;
    }
    dc.SetTextColor(old);
  }
}

void Key(TWindow window, TListViewState& v, uint32_t key) {
  int32_t n = v.List.Count();
  if (n == 0) return;
  int32_t cur = v.List.Current;
  int32_t next = cur;
  switch (key) {
    case VK_UP: next = std::max(cur - 1, 0); break;
    case VK_DOWN: next = cur < 0 ? 0 : std::min(cur + 1, n - 1); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = n - 1; break;
    case VK_RETURN:
      if (v.List.Valid(cur)) Activate(window, cur);
      return;
    default: return;
  }
  if (next != cur) SelectOnly(window, v, next);
}

}  // namespace

intptr_t ListViewProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TListViewState* v = View(window);
  if (message == WM_CREATE) {
    AttachState<TListViewState>(window);
    return 0;
  }
  if (!v) return DefWindowProc(window, message, wParam, lParam);
  auto index = static_cast<int32_t>(wParam);
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TListViewState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintListView);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      Key(window, *v, static_cast<uint32_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(window);
      int32_t row = v->List.Top + (LParamY(lParam) - 1) / RowHeight(window) - 1;
      if (!v->List.Valid(row)) return 0;
      if (message == WM_LBUTTONDBLCLK) {
        Activate(window, row);
      } else if (!Single(window) && IsKeyDown(VK_CONTROL)) {
        SetRowState(window, *v, row, v->List.Items[static_cast<size_t>(row)].Selected ? LVIS_FOCUSED : LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      } else {
        SelectOnly(window, *v, row);
      }
      return 0;
    }
    case LVM_INSERTCOLUMN: {
      const auto* c = reinterpret_cast<const TLvColumn*>(lParam);
      if (!c) return -1;
      int32_t at = std::clamp(index, 0, static_cast<int32_t>(v->Columns.size()));
      v->Columns.insert(v->Columns.begin() + at, *c);
      ValueChanged(window);
      return at;
    }
    case LVM_GETCOLUMN: {
      auto* c = reinterpret_cast<TLvColumn*>(lParam);
      if (!c || index < 0 || static_cast<size_t>(index) >= v->Columns.size()) return 0;
      *c = v->Columns[static_cast<size_t>(index)];
      return 1;
    }
    case LVM_GETCOLUMNCOUNT:
      return static_cast<intptr_t>(v->Columns.size());
    case LVM_SETCOLUMNWIDTH:
      if (index < 0 || static_cast<size_t>(index) >= v->Columns.size()) return 0;
      v->Columns[static_cast<size_t>(index)].Width = std::max<int32_t>(static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam))), 0);
      ValueChanged(window);
      return 1;
    case LVM_GETCOLUMNWIDTH:
      if (index < 0 || static_cast<size_t>(index) >= v->Columns.size()) return 0;
      return v->Columns[static_cast<size_t>(index)].Width;
    case LVM_INSERTITEM: {
      const auto* item = reinterpret_cast<const TLvItem*>(lParam);
      if (!item || item->SubItem != 0) return -1;
      int32_t at = v->List.Insert(item->Item, item->Text, false);
      v->List.Items[static_cast<size_t>(at)].Data = item->Param;
      ValueChanged(window);
      if (item->StateMask) SetRowState(window, *v, at, item->State, item->StateMask);
      return at;
    }
    case LVM_SETITEM: {
      const auto* item = reinterpret_cast<const TLvItem*>(lParam);
      if (!item || !v->List.Valid(item->Item) || item->SubItem < 0) return 0;
      TListEntry& row = v->List.Items[static_cast<size_t>(item->Item)];
      if (item->SubItem == 0) {
        row.Text = item->Text;
      } else {
        if (row.SubItems.size() < static_cast<size_t>(item->SubItem)) row.SubItems.resize(static_cast<size_t>(item->SubItem));
        row.SubItems[static_cast<size_t>(item->SubItem - 1)] = item->Text;
      }
      ValueChanged(window);
      return 1;
    }
    case LVM_GETITEM: {
      auto* item = reinterpret_cast<TLvItem*>(lParam);
      if (!item || !v->List.Valid(item->Item) || item->SubItem < 0) return 0;
      const TListEntry& row = v->List.Items[static_cast<size_t>(item->Item)];
      size_t sub = static_cast<size_t>(item->SubItem);
      item->Text = sub == 0 ? row.Text : (sub - 1 < row.SubItems.size() ? row.SubItems[sub - 1] : std::string());
      item->State = StateOfRow(*v, item->Item);
      item->Param = row.Data;
      return 1;
    }
    case LVM_DELETEITEM:
      if (!v->List.Erase(index)) return 0;
      ValueChanged(window);
      return 1;
    case LVM_DELETEALLITEMS:
      v->List = TItemList{};
      ValueChanged(window);
      return 1;
    case LVM_GETITEMCOUNT:
      return v->List.Count();
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(v->List.Items.begin(), v->List.Items.end(), [](const TListEntry& e) { return e.Selected; });
    case LVM_GETNEXTITEM:
      for (int32_t i = index < 0 ? 0 : index + 1; i < v->List.Count(); ++i) {
        if (!(lParam & LVNI_SELECTED) || v->List.Items[static_cast<size_t>(i)].Selected) return i;
      }
      return -1;
    case LVM_SETITEMSTATE: {
      const auto* item = reinterpret_cast<const TLvItem*>(lParam);
      if (!item) return 0;
      if (index == -1) {
        for (int32_t i = 0; i < v->List.Count(); ++i) SetRowState(window, *v, i, item->State, item->StateMask);
        return 1;
      }
      if (!v->List.Valid(index)) return 0;
      SetRowState(window, *v, index, item->State, item->StateMask);
      return 1;
    }
    case LVM_GETITEMSTATE:
      if (!v->List.Valid(index)) return 0;
      return static_cast<intptr_t>(StateOfRow(*v, index) & static_cast<uint32_t>(lParam));
    case LVM_ENSUREVISIBLE:
      if (!v->List.Valid(index)) return 0;
      if (index < v->List.Top) v->List.Top = index;
      InvalidateRect(window, nullptr);
      return 1;
    case kCtlUserSelect:
      if (index == -1) {
        SelectOnly(window, *v, -1);
      } else if (v->List.Valid(index)) {
        SelectOnly(window, *v, index);
      }
      return 0;
    case kCtlUserSelectOne:
      if (v->List.Valid(index)) SetRowState(window, *v, index, lParam ? LVIS_SELECTED : 0, LVIS_SELECTED);
      return 0;
    case kCtlUserActivate:
      if (v->List.Valid(index)) Activate(window, index);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
