// The combo box: its list (items, selection, search) and, for the drop-down kind, an edit
// part with a limit; keys step through the list or open it, typing edits or picks by the
// first letter. The window text is what the field shows.
#include <algorithm>

#include "platform/ui/CodePages.h"
#include "platform/ui/ControlState.h"
#include "platform/ui/EditModel.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::ctl_detail {

namespace {

// F4 opens and closes the list.
constexpr uint32_t kF4 = VK_F1 + 3;

struct TComboState {
  TItemList List;
  TEditModel Edit;
  bool Dropped = false;
  bool Storing = false;
  int32_t ItemHeight = 0;  // owner-drawn lists: what WM_MEASUREITEM answered
};

TComboState* Combo(TWindow window) { return StateOf<TComboState>(window); }

bool HasEdit(TWindow window) {
  return (GetWindowStyle(window) & CBS_TYPEMASK) != CBS_DROPDOWNLIST;
}

void StoreText(TWindow window, TComboState& c) {
  c.Storing = true;
  SetWindowText(window, EncodeUtf8(c.Edit.Text));
  c.Storing = false;
}

// Makes `index` the selection and shows its text, selected as a whole.
void Select(TWindow window, TComboState& c, int32_t index) {
  c.List.Current = c.List.Valid(index) ? index : -1;
  c.Edit.Reset(c.List.Valid(index) ? DecodeUtf8(c.List.Items[static_cast<size_t>(index)].Text)
                                   : std::u32string());
  c.Edit.SetSel(0, -1);
  StoreText(window, c);
  ValueChanged(window);
}

void UserSelect(TWindow window, TComboState& c, int32_t index) {
  if (index == c.List.Current && (index < 0 || EncodeUtf8(c.Edit.Text) == c.List.Items[static_cast<size_t>(index)].Text)) {
    return;
  }
  Select(window, c, index);
  NotifyParent(window, CBN_SELCHANGE);
}

void SetDropped(TWindow window, TComboState& c, bool dropped, bool accept) {
  if (c.Dropped == dropped) return;
  if (dropped) NotifyParent(window, CBN_DROPDOWN);
  c.Dropped = dropped;
  ValueChanged(window);
  if (!dropped) {
    NotifyParent(window, CBN_CLOSEUP);
    if (accept) NotifyParent(window, CBN_SELENDOK);
  }
}

void EditChanged(TWindow window, TComboState& c) {
  StoreText(window, c);
  // The list follows what is typed only as far as an exact match goes.
  c.List.Current = c.List.Find(-1, EncodeUtf8(c.Edit.Text), true);
  ValueChanged(window);
  NotifyParent(window, CBN_EDITCHANGE);
}

void TypeChar(TWindow window, TComboState& c, uint8_t byte) {
  if (!HasEdit(window)) {
    // A drop-down list picks the next item starting with the letter.
    if (byte < 0x20) return;
    std::string key;
    AppendUtf8(key, Cp1252ToUnicode(byte));
    int32_t found = c.List.Find(c.List.Current, key, false);
    if (found >= 0) UserSelect(window, c, found);
    return;
  }
  if (byte == VK_BACK) {
    if (c.Edit.Delete(false)) EditChanged(window, c);
    return;
  }
  if (byte < 0x20) return;
  size_t before = c.Edit.Text.size();
  char32_t ch = Cp1252ToUnicode(byte);
  c.Edit.Replace(std::u32string_view(&ch, 1));
  if (c.Edit.Text.size() == before && c.Edit.SelStart() == c.Edit.SelEnd()) {
    MessageBeep(0);
    return;
  }
  EditChanged(window, c);
}

void Key(TWindow window, TComboState& c, uint32_t key) {
  bool alt = IsKeyDown(VK_MENU);
  switch (key) {
    case kF4:
      SetDropped(window, c, !c.Dropped, false);
      return;
    case VK_UP:
    case VK_DOWN:
      if (alt) {
        SetDropped(window, c, !c.Dropped, false);
        return;
      }
      if (c.List.Count() == 0) return;
      if (key == VK_UP) {
        UserSelect(window, c, c.List.Current <= 0 ? 0 : c.List.Current - 1);
      } else {
        UserSelect(window, c, c.List.Current < 0 ? 0 : std::min(c.List.Current + 1, c.List.Count() - 1));
      }
      return;
    case VK_RETURN:
      SetDropped(window, c, false, true);
      return;
    case VK_ESCAPE:
      SetDropped(window, c, false, false);
      return;
    case VK_DELETE:
      if (HasEdit(window) && c.Edit.Delete(true)) EditChanged(window, c);
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
      if (HasEdit(window)) {
        c.Edit.Move(key, IsKeyDown(VK_SHIFT));
        ValueChanged(window);
      } else if (c.List.Count() > 0) {
        int32_t n = c.List.Count();
        int32_t target = key == VK_HOME ? 0 : key == VK_END ? n - 1
                         : key == VK_LEFT ? std::max(c.List.Current - 1, 0)
                                          : std::min(c.List.Current + 1, n - 1);
        UserSelect(window, c, target);
      }
      return;
    default:
      return;
  }
}

bool OwnerDrawn(TWindow window) { return (GetWindowStyle(window) & CBS_OWNERDRAWFIXED) != 0; }

// The parent paints item `index` (-1: the empty field) of an owner-drawn combo box.
void DrawItem(TWindow window, const TComboState& c, TCanvas& dc, int32_t index, const TRect& r,
              uint32_t state) {
  TDrawItemStruct d;
  d.CtlType = ODT_COMBOBOX;
  d.CtlID = static_cast<uint32_t>(GetDlgCtrlID(window));
  d.ItemID = index;
  d.ItemState = state | (IsWindowEnabled(window) ? 0 : ODS_DISABLED);
  d.Item = window;
  d.Canvas = &dc;
  d.ItemRect = r;
  d.ItemData = c.List.Valid(index) ? c.List.Items[static_cast<size_t>(index)].Data : 0;
  SendMessage(GetParent(window), WM_DRAWITEM, d.CtlID, reinterpret_cast<intptr_t>(&d));
}

void PaintCombo(TWindow window, TCanvas& dc) {
  TComboState* c = Combo(window);
  if (!c) return;
  TRect client = GetClientRect(window);
  int32_t height = std::max(dc.GetTextMetrics().Height, c->ItemHeight) + 4;
  TRect field{0, 0, client.Right, std::min(height, client.Bottom)};
  DrawFrame(dc, field);
  TRect arrow{field.Right - height, 0, field.Right, field.Bottom};
  DrawFrame(dc, arrow);
  dc.DrawText("v", arrow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (OwnerDrawn(window) && !HasEdit(window)) {
    DrawItem(window, *c, dc, c->List.Current, TRect{2, 2, arrow.Left - 1, field.Bottom - 2},
             ODS_COMBOBOXEDIT | (GetFocus() == window ? ODS_FOCUS : 0));
  } else {
    dc.TextOut(3, 2, EncodeUtf8(c->Edit.Text));
  }
  if (!c->Dropped) return;
  // The open list below the field, as far as the control reaches.
  int32_t y = field.Bottom;
  for (int32_t i = 0; i < c->List.Count() && y + height - 4 <= client.Bottom; ++i) {
    TRect line{0, y, client.Right, y + height - 4};
    if (OwnerDrawn(window)) {
      DrawItem(window, *c, dc, i, line, i == c->List.Current ? ODS_SELECTED : 0);
      y += height - 4;
      continue;
    }
    TColorRef old = dc.TextColor();
    if (i == c->List.Current) {
      dc.FillRect(line, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    dc.TextOut(3, y, c->List.Items[static_cast<size_t>(i)].Text);
    dc.SetTextColor(old);
    y += height - 4;
  }
}

// The first line measured sets the height of all (fixed-height lists).
void Measure(TWindow window, TComboState& c, int32_t index) {
  if (!OwnerDrawn(window) || c.ItemHeight > 0) return;
  TMeasureItemStruct m;
  m.CtlType = ODT_COMBOBOX;
  m.CtlID = static_cast<uint32_t>(GetDlgCtrlID(window));
  m.ItemID = index;
  auto dc = GetWindowCanvas(window);
  m.ItemHeight = dc ? dc->GetTextMetrics().Height : 16;
  m.ItemWidth = GetClientRect(window).Width();
  m.ItemData = c.List.Items[static_cast<size_t>(index)].Data;
  SendMessage(GetParent(window), WM_MEASUREITEM, m.CtlID, reinterpret_cast<intptr_t>(&m));
  c.ItemHeight = std::max(m.ItemHeight, 1);
}

std::string TextArg(intptr_t lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text ? std::string(text) : std::string();
}

}  // namespace

intptr_t ComboBoxProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TComboState* c = Combo(window);
  if (message == WM_CREATE) {
    TComboState& state = AttachState<TComboState>(window);
    state.Edit.Limit = static_cast<size_t>(kEditMaxLimit);
    state.Edit.Reset(DecodeUtf8(GetWindowText(window)));
    return 0;
  }
  if (!c) return DefWindowProc(window, message, wParam, lParam);
  auto index = static_cast<int32_t>(wParam);
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TComboState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintCombo);
    case WM_GETDLGCODE:
      // While the list is open, Enter and Escape close it instead of ending the dialog.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (HasEdit(window) ? DLGC_HASSETSEL : 0) |
             (c->Dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETTEXT:
      if (!c->Storing) {
        c->Edit.Reset(DecodeUtf8(GetWindowText(window)));
        if (!HasEdit(window)) c->List.Current = c->List.Find(-1, GetWindowText(window), true);
        ValueChanged(window);
      }
      return 1;
    case WM_CHAR:
      TypeChar(window, *c, static_cast<uint8_t>(wParam));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Key(window, *c, static_cast<uint32_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      SetDropped(window, *c, !c->Dropped, false);
      return 0;
    case WM_SETFOCUS:
      NotifyParent(window, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      SetDropped(window, *c, false, false);
      NotifyParent(window, CBN_KILLFOCUS);
      return 0;
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      bool sorted = message == CB_ADDSTRING && (GetWindowStyle(window) & CBS_SORT);
      if (message == CB_INSERTSTRING && index > c->List.Count()) return CB_ERR;
      int32_t i = c->List.Insert(message == CB_ADDSTRING ? -1 : index, TextArg(lParam), sorted);
      Measure(window, *c, i);
      ValueChanged(window);
      return i;
    }
    case CB_DELETESTRING: {
      bool wasCurrent = index == c->List.Current;
      if (!c->List.Erase(index)) return CB_ERR;
      if (wasCurrent && !HasEdit(window)) Select(window, *c, -1);
      ValueChanged(window);
      return c->List.Count();
    }
    case CB_RESETCONTENT:
      c->List = TItemList{};
      if (!HasEdit(window)) Select(window, *c, -1);
      ValueChanged(window);
      return 0;
    case CB_GETCOUNT:
      return c->List.Count();
    case CB_SETCURSEL:
      Select(window, *c, index);
      return c->List.Current == -1 && index != -1 ? CB_ERR : c->List.Current;
    case CB_GETCURSEL:
      return c->List.Current;
    case CB_GETLBTEXT:
      if (!c->List.Valid(index) || !lParam) return CB_ERR;
      *reinterpret_cast<std::string*>(lParam) = c->List.Items[static_cast<size_t>(index)].Text;
      return static_cast<intptr_t>(c->List.Items[static_cast<size_t>(index)].Text.size());
    case CB_GETLBTEXTLEN:
      if (!c->List.Valid(index)) return CB_ERR;
      return static_cast<intptr_t>(c->List.Items[static_cast<size_t>(index)].Text.size());
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT: {
      int32_t found = c->List.Find(index, TextArg(lParam), message == CB_FINDSTRINGEXACT);
      return found < 0 ? CB_ERR : found;
    }
    case CB_SELECTSTRING: {
      int32_t found = c->List.Find(index, TextArg(lParam), false);
      if (found < 0) return CB_ERR;
      Select(window, *c, found);
      return found;
    }
    case CB_GETITEMDATA:
      if (!c->List.Valid(index)) return CB_ERR;
      return c->List.Items[static_cast<size_t>(index)].Data;
    case CB_SETITEMDATA:
      if (!c->List.Valid(index)) return CB_ERR;
      c->List.Items[static_cast<size_t>(index)].Data = lParam;
      return 0;
    case CB_LIMITTEXT: {
      if (!HasEdit(window)) return 0;
      int64_t limit = static_cast<int32_t>(wParam);
      c->Edit.Limit = static_cast<size_t>(limit <= 0 ? kEditMaxLimit : limit);
      ValueChanged(window);
      return 1;
    }
    case CB_GETITEMHEIGHT:
      return c->ItemHeight > 0 ? c->ItemHeight : 0;
    case EM_GETLIMITTEXT:
      // For native edit parts, which keep the limit themselves.
      return static_cast<intptr_t>(std::min<size_t>(c->Edit.Limit, kEditMaxLimit));
    case CB_GETEDITSEL:
      if (!HasEdit(window)) return CB_ERR;
      return static_cast<intptr_t>(MakeWParam(static_cast<uint32_t>(c->Edit.SelStart()),
                                              static_cast<uint32_t>(c->Edit.SelEnd())));
    case CB_SETEDITSEL: {
      if (!HasEdit(window)) return CB_ERR;
      auto start = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam)));
      auto end = static_cast<int16_t>(HiWord(static_cast<uintptr_t>(lParam)));
      c->Edit.SetSel(start, end);
      ValueChanged(window);
      return 1;
    }
    case CB_SHOWDROPDOWN:
      SetDropped(window, *c, wParam != 0, false);
      return 1;
    case CB_GETDROPPEDSTATE:
      return c->Dropped ? 1 : 0;
    case kCtlUserText: {
      const auto* text = reinterpret_cast<const std::string*>(lParam);
      if (!text || !HasEdit(window) || EncodeUtf8(c->Edit.Text) == *text) return 0;
      c->Edit.Text = DecodeUtf8(*text);
      c->Edit.Anchor = c->Edit.Caret = c->Edit.Text.size();
      EditChanged(window, *c);
      return 0;
    }
    case kCtlUserSelect:
      if (index != -1 && !c->List.Valid(index)) return 0;
      UserSelect(window, *c, index);
      return 0;
    case kCtlUserDropDown:
      SetDropped(window, *c, wParam != 0, false);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
