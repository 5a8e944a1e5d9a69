// The tool bar's buttons and states, its notifications to the parent and its customisation.
#include "platform/ui/ToolBar.h"

#include <algorithm>
#include <deque>
#include <map>

#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

struct TShownButton {
  int32_t Index = kToolSeparator;  // into the available table
  uint16_t Command = 0;            // may differ from the table's (ToolBarSetCommand)
  uint8_t State = TBSTATE_ENABLED;
};

struct TToolBarState {
  const TImageStrip* Images = nullptr;
  std::span<const TToolButton> Available;
  std::vector<TShownButton> Buttons;
};

// Button size of a 16-pixel strip, as the system draws it.
constexpr int32_t kButtonPadX = 7;
constexpr int32_t kButtonPadY = 6;
constexpr int32_t kBarPadY = 4;

TToolBarState* BarOf(TWindow toolBar) {
  if (!IsWindow(toolBar) || GetClassName(toolBar) != kToolBarClass) return nullptr;
  return reinterpret_cast<TToolBarState*>(GetWindowExtra(toolBar, 0));
}

void Changed(TWindow toolBar) {
  if (TUiState* s = State()) s->Backend->WindowChanged(toolBar, TWindowChange::Value);
  InvalidateRect(toolBar, nullptr);
}

bool IsSeparator(const TToolBarState& t, const TShownButton& b) {
  return b.Index < 0 || static_cast<size_t>(b.Index) >= t.Available.size() ||
         (t.Available[static_cast<size_t>(b.Index)].Style & TBSTYLE_SEP);
}

std::vector<TShownButton> Shown(const TToolBarState& t, std::span<const int32_t> arrangement) {
  std::vector<TShownButton> buttons;
  for (int32_t index : arrangement) {
    TShownButton b;
    if (index >= 0 && static_cast<size_t>(index) < t.Available.size()) {
      b.Index = index;
      b.Command = t.Available[static_cast<size_t>(index)].Command;
    }
    buttons.push_back(b);
  }
  return buttons;
}

TShownButton* FindCommand(TToolBarState& t, uint16_t command) {
  for (TShownButton& b : t.Buttons) {
    if (!IsSeparator(t, b) && b.Command == command) return &b;
  }
  return nullptr;
}

bool SetBit(TWindow toolBar, uint16_t command, uint8_t bit, bool on) {
  TToolBarState* t = BarOf(toolBar);
  TShownButton* b = t ? FindCommand(*t, command) : nullptr;
  if (!b) return false;
  uint8_t state = on ? static_cast<uint8_t>(b->State | bit) : static_cast<uint8_t>(b->State & ~bit);
  if (state != b->State) {
    b->State = state;
    Changed(toolBar);
  }
  return true;
}

intptr_t Notify(TWindow toolBar, TNmToolBar& nm) {
  nm.Hdr.From = toolBar;
  nm.Hdr.IdFrom = static_cast<uintptr_t>(GetDlgCtrlID(toolBar));
  return SendMessage(GetParent(toolBar), WM_NOTIFY, nm.Hdr.IdFrom, reinterpret_cast<intptr_t>(&nm));
}

intptr_t NotifyCode(TWindow toolBar, int32_t code, uint16_t command = 0, int32_t index = -1) {
  TNmToolBar nm;
  nm.Hdr.Code = code;
  nm.Command = command;
  nm.Index = index;
  return Notify(toolBar, nm);
}

void Paint(TWindow toolBar, TToolBarState& t) {
  TPaintStruct ps;
  TCanvas* dc = BeginPaint(toolBar, ps);
  if (dc) {
    TRect client = GetClientRect(toolBar);
    dc->FillRect(client, GetSysColor(COLOR_BTNFACE));
    int32_t size = t.Images ? t.Images->Size : 16;
    int32_t x = 0;
    for (const TShownButton& b : t.Buttons) {
      if (b.State & TBSTATE_HIDDEN) continue;
      if (IsSeparator(t, b)) {
        x += 8;
        continue;
      }
      TRect box{x, 2, x + size + kButtonPadX, 2 + size + kButtonPadY};
      if (b.State & (TBSTATE_CHECKED | TBSTATE_PRESSED)) dc->FillRect(box, GetSysColor(COLOR_HIGHLIGHT));
      x = box.Right;
    }
  }
  EndPaint(toolBar, ps);
}

intptr_t ToolBarProc(TWindow toolBar, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TToolBarState* t = reinterpret_cast<TToolBarState*>(GetWindowExtra(toolBar, 0));
  switch (message) {
    case WM_CREATE:
      SetWindowExtra(toolBar, 0, reinterpret_cast<intptr_t>(new TToolBarState));
      return 0;
    case WM_NCDESTROY:
      SetWindowExtra(toolBar, 0, 0);
      delete t;
      return 0;
    case WM_PAINT:
      if (t) {
        Paint(toolBar, *t);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProc(toolBar, message, wParam, lParam);
}

std::deque<std::vector<int32_t>>& QueuedArrangements() {
  static std::deque<std::vector<int32_t>> queue;
  return queue;
}

}  // namespace

TWindow CreateToolBar(TWindow parent, int32_t id, uint32_t style, const TImageStrip& images,
                      std::span<const TToolButton> available,
                      std::span<const int32_t> arrangement) {
  if (!FindWindowClass(kToolBarClass)) {
    TWindowClass cls;
    cls.Name = std::string(kToolBarClass);
    cls.Proc = ToolBarProc;
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return 0;
  }
  int32_t height = images.Size + kButtonPadY + kBarPadY;
  TRect rect = parent ? TRect{0, 0, GetClientRect(parent).Width(), height} : TRect{0, 0, 0, height};
  TWindow toolBar = CreateWindowEx(0, kToolBarClass, "", (style | WS_CHILD) & ~WS_VISIBLE, rect,
                                   parent, nullptr);
  TToolBarState* t = BarOf(toolBar);
  if (!t) return 0;
  SetDlgCtrlID(toolBar, id);
  t->Images = &images;
  t->Available = available;
  t->Buttons = Shown(*t, arrangement);
  Changed(toolBar);
  if (style & WS_VISIBLE) ShowWindow(toolBar, true);
  return toolBar;
}

std::vector<int32_t> ToolBarArrangement(TWindow toolBar) {
  std::vector<int32_t> arrangement;
  if (TToolBarState* t = BarOf(toolBar)) {
    for (const TShownButton& b : t->Buttons) {
      arrangement.push_back(IsSeparator(*t, b) ? kToolSeparator : b.Index);
    }
  }
  return arrangement;
}

void ToolBarSetArrangement(TWindow toolBar, std::span<const int32_t> arrangement) {
  TToolBarState* t = BarOf(toolBar);
  if (!t) return;
  // States of buttons that stay survive the new order.
  std::map<int32_t, TShownButton> old;
  for (const TShownButton& b : t->Buttons) {
    if (!IsSeparator(*t, b)) old.emplace(b.Index, b);
  }
  t->Buttons = Shown(*t, arrangement);
  for (TShownButton& b : t->Buttons) {
    if (auto it = old.find(b.Index); it != old.end()) b = it->second;
  }
  Changed(toolBar);
}

int32_t ToolBarButtonCount(TWindow toolBar) {
  TToolBarState* t = BarOf(toolBar);
  return t ? static_cast<int32_t>(t->Buttons.size()) : 0;
}

TToolButton ToolBarButton(TWindow toolBar, int32_t index) {
  TToolBarState* t = BarOf(toolBar);
  TToolButton button{0, 0, TBSTYLE_SEP};
  if (!t || index < 0 || static_cast<size_t>(index) >= t->Buttons.size()) return button;
  const TShownButton& b = t->Buttons[static_cast<size_t>(index)];
  if (IsSeparator(*t, b)) return button;
  button = t->Available[static_cast<size_t>(b.Index)];
  button.Command = b.Command;
  return button;
}

int32_t ToolBarButtonState(TWindow toolBar, uint16_t command) {
  TToolBarState* t = BarOf(toolBar);
  TShownButton* b = t ? FindCommand(*t, command) : nullptr;
  return b ? b->State : -1;
}

bool ToolBarEnable(TWindow toolBar, uint16_t command, bool enable) {
  return SetBit(toolBar, command, TBSTATE_ENABLED, enable);
}

bool ToolBarCheck(TWindow toolBar, uint16_t command, bool check) {
  return SetBit(toolBar, command, TBSTATE_CHECKED, check);
}

bool ToolBarHide(TWindow toolBar, uint16_t command, bool hide) {
  return SetBit(toolBar, command, TBSTATE_HIDDEN, hide);
}

bool ToolBarSetCommand(TWindow toolBar, uint16_t command, uint16_t newCommand) {
  TToolBarState* t = BarOf(toolBar);
  TShownButton* b = t ? FindCommand(*t, command) : nullptr;
  if (!b) return false;
  b->Command = newCommand;
  Changed(toolBar);
  return true;
}

int32_t ToolBarHeight(TWindow toolBar) {
  TToolBarState* t = BarOf(toolBar);
  if (!t) return 0;
  int32_t native = State()->Backend->BarHeight(toolBar);
  if (native > 0) return native;
  return (t->Images ? t->Images->Size : 16) + kButtonPadY + kBarPadY;
}

const TImageStrip* ToolBarImages(TWindow toolBar) {
  TToolBarState* t = BarOf(toolBar);
  return t ? t->Images : nullptr;
}

std::span<const TToolButton> ToolBarAvailable(TWindow toolBar) {
  TToolBarState* t = BarOf(toolBar);
  return t ? t->Available : std::span<const TToolButton>();
}

bool ToolBarClick(TWindow toolBar, int32_t index) {
  TToolBarState* t = BarOf(toolBar);
  if (!t || index < 0 || static_cast<size_t>(index) >= t->Buttons.size()) return false;
  TShownButton& b = t->Buttons[static_cast<size_t>(index)];
  if (IsSeparator(*t, b) || !(b.State & TBSTATE_ENABLED) || (b.State & TBSTATE_HIDDEN)) {
    return false;
  }
  if (t->Available[static_cast<size_t>(b.Index)].Style & TBSTYLE_CHECK) {
    b.State ^= TBSTATE_CHECKED;
    Changed(toolBar);
  }
  return PostMessage(GetParent(toolBar), WM_COMMAND, MakeWParam(b.Command, BN_CLICKED),
                     static_cast<intptr_t>(toolBar));
}

std::string ToolBarToolTip(TWindow toolBar, uint16_t command) {
  if (!BarOf(toolBar) || !(GetWindowStyle(toolBar) & TBSTYLE_TOOLTIPS)) return {};
  TNmToolBar nm;
  nm.Hdr.Code = TTN_GETDISPINFO;
  nm.Command = command;
  Notify(toolBar, nm);
  return nm.Text;
}

std::string ToolBarButtonName(TWindow toolBar, uint16_t command) {
  if (!BarOf(toolBar)) return {};
  TNmToolBar nm;
  nm.Hdr.Code = TBN_GETBUTTONINFO;
  nm.Command = command;
  Notify(toolBar, nm);
  return nm.Text;
}

bool ToolBarMayDelete(TWindow toolBar, int32_t index) {
  TToolButton b = ToolBarButton(toolBar, index);
  return BarOf(toolBar) && NotifyCode(toolBar, TBN_QUERYDELETE, b.Command, index) != 0;
}

bool ToolBarMayInsert(TWindow toolBar, int32_t index) {
  return BarOf(toolBar) && NotifyCode(toolBar, TBN_QUERYINSERT, 0, index) != 0;
}

void ToolBarResetRequest(TWindow toolBar) {
  if (BarOf(toolBar)) NotifyCode(toolBar, TBN_RESET);
}

void ToolBarHelpRequest(TWindow toolBar) {
  if (BarOf(toolBar)) NotifyCode(toolBar, TBN_CUSTHELP);
}

bool ToolBarApplyCustomization(TWindow toolBar, std::span<const int32_t> arrangement) {
  TToolBarState* t = BarOf(toolBar);
  if (!t) return false;
  std::vector<int32_t> now = ToolBarArrangement(toolBar);
  std::vector<int32_t> next;
  for (int32_t index : arrangement) {
    bool valid = index >= 0 && static_cast<size_t>(index) < t->Available.size();
    next.push_back(valid ? index : kToolSeparator);
  }
  if (next == now) return false;
  // Every button that leaves and every one that arrives must be allowed by the parent.
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] != kToolSeparator && std::find(next.begin(), next.end(), now[i]) == next.end() &&
        !ToolBarMayDelete(toolBar, static_cast<int32_t>(i))) {
      return false;
    }
  }
  for (size_t i = 0; i < next.size(); ++i) {
    if (next[i] != kToolSeparator && std::find(now.begin(), now.end(), next[i]) == now.end() &&
        !ToolBarMayInsert(toolBar, static_cast<int32_t>(i))) {
      return false;
    }
  }
  ToolBarSetArrangement(toolBar, next);
  NotifyCode(toolBar, TBN_TOOLBARCHANGE);
  return true;
}

bool ToolBarCustomize(TWindow toolBar) {
  if (!BarOf(toolBar)) return false;
  std::vector<int32_t> before = ToolBarArrangement(toolBar);
  NotifyCode(toolBar, TBN_BEGINADJUST);
  int32_t native = State()->Backend->CustomizeToolBar(toolBar);
  if (native < 0 && !QueuedArrangements().empty()) {
    std::vector<int32_t> wanted = std::move(QueuedArrangements().front());
    QueuedArrangements().pop_front();
    ToolBarApplyCustomization(toolBar, wanted);
  }
  if (IsWindow(toolBar)) NotifyCode(toolBar, TBN_ENDADJUST);
  return IsWindow(toolBar) && ToolBarArrangement(toolBar) != before;
}

void QueueToolBarArrangement(std::vector<int32_t> arrangement) {
  QueuedArrangements().push_back(std::move(arrangement));
}

}  // namespace platform
