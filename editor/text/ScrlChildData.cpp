// Base behaviour of the document-window object.
#include "editor/text/ScrlChildData.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
constexpr TColorRef kSystemTextColor = 0xFFFFFFFF;
constexpr char kModifiedMark[] = "  *";
}  // namespace

bool TScrlChildData::Create(TWindow window, const TChildCreateParams& params) {
  Window = window;
  FrameWindow = params.FrameWindow;
  MdiClient = params.MdiClient;
  Kind = params.Kind;
  FileName = params.FileName ? params.FileName : "";
  MarginWidth = params.MarginWidth;
  ReadOnly = params.ReadOnly != 0;
  DosMode = params.DosMode != 0;
  ShowSpecial = params.ShowSpecial != 0;
  Scroller = std::make_unique<TScroller>(window, 8, 16, 1, 1);
  Scroller->MarginWidth = MarginWidth;
  Scroller->MoveOrigin = 0;
  uint32_t style = GetWindowStyle(window);
  Scroller->HasHorzBar = (style & WS_HSCROLL) != 0;
  Scroller->HasVertBar = (style & WS_VSCROLL) != 0;
  SetColors(params.TextColor, params.MarkColor, params.Background, false);
  SetFont(params.Font, false);
  Caret = TTextPos{};
  Selection = TTextRange{};
  return true;
}

int32_t TScrlChildData::LoadFile() { return 0; }
int32_t TScrlChildData::Reload(bool) { return 0; }
int32_t TScrlChildData::Save(const std::string&, bool, int32_t, bool, bool) { return 0; }
void TScrlChildData::SetReadOnly(bool on) { ReadOnly = on; }
void TScrlChildData::SetCaret(int32_t, int32_t, bool, bool) {}
void TScrlChildData::MoveCaretBy(int32_t, int32_t, bool) {}
void TScrlChildData::MoveCaretTo(uint32_t, int32_t, bool) {}

void TScrlChildData::SetColors(TColorRef text, TColorRef mark, TBrush brush, bool repaint) {
  bool changed = false;
  auto store = [&](TColorRef& field, TColorRef value) {
    if (value == kSystemTextColor) value = GetSysColor(COLOR_WINDOWTEXT);
    if (field != value) {
      field = value;
      changed = true;
    }
  };
  store(TextColor, text);
  store(MarkColor, mark);
  if (Background != brush) {
    Background = brush;
    SetClassBackground(Window, brush ? brush : kWindowColorBrush);
    changed = true;
  }
  if (repaint && changed) InvalidateRect(Window, nullptr);
}

void TScrlChildData::SetSelection(const TTextRange*, int32_t) {}
bool TScrlChildData::HasSelection() { return false; }
bool TScrlChildData::CanUndo() { return false; }
bool TScrlChildData::CanRedo() { return false; }
bool TScrlChildData::CanCut() { return false; }
bool TScrlChildData::CanCopy() { return HasSelection(); }
bool TScrlChildData::CanPaste() { return false; }
bool TScrlChildData::CanDelete() { return false; }
void TScrlChildData::Undo() {}
void TScrlChildData::Redo() {}
void TScrlChildData::Cut() {}
void TScrlChildData::Copy() {}
void TScrlChildData::Paste() {}
void TScrlChildData::Delete() {}
bool TScrlChildData::FileChangedOnDisk() { return false; }
void TScrlChildData::Paint(TCanvas&, const TRect&) {}
void TScrlChildData::PaintLine(TCanvas&, int32_t, int32_t, int32_t) {}
void TScrlChildData::SizeChanged(int32_t, int32_t) {}

void TScrlChildData::SetModified(bool on) {
  if (on != (Modified != 0)) {
    Modified = on;
    std::string caption = GetWindowText(Window);
    if (on) {
      caption += kModifiedMark;
    } else {
      // Only our own mark goes: a caption that lost it (renamed meanwhile) stays whole.
      size_t star = caption.rfind('*');
      if (star != std::string::npos && star >= 2 && caption.compare(star - 2, 3, kModifiedMark) == 0) {
        caption.erase(star - 2, 3);
      }
    }
    SetWindowText(Window, caption);
    NotifyFrame(cnModifiedChanged, on ? 1 : 0);
  } else if (!on) {
    NotifyFrame(cnModifiedChanged, 0);
  }
}

void TScrlChildData::SetFont(TFont font, bool repaint) {
  if (font == Font) return;
  const TFontInfo* info = GetFontInfo(font);
  if (!info) return;
  Font = font;
  CharWidth = std::max(info->Metrics.AveCharWidth, 1);
  CharHeight = std::max(info->Metrics.Height + info->Metrics.ExternalLeading, 1);
  FixedPitch = (info->Metrics.PitchAndFamily & TMPF_FIXED_PITCH) == 0;
  if (Scroller) {
    Scroller->SetUnits(CharWidth, CharHeight);
    // Page steps count units: they change with the font, not only with the size.
    Scroller->UpdatePageSteps();
  }
  if (repaint) {
    TRect client = GetClientRect(Window);
    SizeChanged(client.Width(), client.Height());
    InvalidateRect(Window, nullptr);
    if (GetFocus() == Window) {
      ShowCaret(false);
      ShowCaret(true);
    }
  }
}

TSize TScrlChildData::GetCaretSize() {
  if (FixedPitch && Overwrite) return {CharWidth, CharHeight};
  return {3, CharHeight};
}

void TScrlChildData::ShowCaret(bool on) {
  if (!CaretWanted) return;
  if (on) {
    TSize size = GetCaretSize();
    if (!CreateCaret(Window, size.Width, size.Height)) return;
    TPoint p = GetCaretPixelPos();
    SetCaretPos(p.X, p.Y);
    platform::ShowCaret(Window);
  } else if (GetCaretState().Owner == Window) {
    HideCaret(Window);
    DestroyCaret();
  }
}

TPoint TScrlChildData::GetCaretPixelPos() { return GetCaretPos(); }
TTextPos TScrlChildData::PixelToPos(int32_t, int32_t) { return Caret; }

int32_t TScrlChildData::ScrollKey(uint32_t key, bool ctrl) {
  if (ctrl) return 1;
  switch (key) {
    case VK_PRIOR:
      SendMessage(Window, WM_VSCROLL, SB_PAGEUP, 0);
      return 0;
    case VK_NEXT:
      SendMessage(Window, WM_VSCROLL, SB_PAGEDOWN, 0);
      return 0;
    case VK_UP:
      SendMessage(Window, WM_VSCROLL, SB_LINEUP, 0);
      return 0;
    case VK_DOWN:
      SendMessage(Window, WM_VSCROLL, SB_LINEDOWN, 0);
      return 0;
    case VK_LEFT:
      SendMessage(Window, WM_HSCROLL, SB_LINELEFT, 0);
      return 0;
    case VK_RIGHT:
      SendMessage(Window, WM_HSCROLL, SB_LINERIGHT, 0);
      return 0;
    default:
      return 1;
  }
}

int32_t TScrlChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  if (!CaretWanted) return ScrollKey(key, ctrl);
  int32_t page = Scroller ? Scroller->PageStepY : 0;
  switch (key) {
    case VK_PRIOR:
      if (ctrl) {
        MoveCaretTo(VK_HOME, 2, shift);
      } else if (Caret.Line >= page) {
        if (Scroller) Scroller->VScroll(SB_PAGEUP, 0);
        MoveCaretBy(0, -page, shift);
      } else {
        SetCaret(Caret.Column, 0, false, shift);
      }
      return 0;
    case VK_NEXT:
      if (ctrl) {
        MoveCaretTo(VK_END, 2, shift);
      } else {
        if (Scroller) Scroller->VScroll(SB_PAGEDOWN, 0);
        MoveCaretBy(0, page, shift);
      }
      return 0;
    case VK_END:
    case VK_HOME:
      MoveCaretTo(key, ctrl ? 3 : 1, shift);
      return 0;
    case VK_LEFT:
      MoveCaretBy(-1, 0, shift);
      return 0;
    case VK_RIGHT:
      MoveCaretBy(1, 0, shift);
      return 0;
    case VK_UP:
      if (!ctrl) MoveCaretBy(0, -1, shift);
      return 0;
    case VK_DOWN:
      if (!ctrl) MoveCaretBy(0, 1, shift);
      return 0;
    default:
      return 1;
  }
}

int32_t TScrlChildData::KeyChar(uint8_t) { return 1; }
void TScrlChildData::DoubleClick(int32_t, int32_t) {}
bool TScrlChildData::GetLineText(int32_t, std::string&) { return false; }

void TScrlChildData::SetDosMode(bool on) {
  if (on == (DosMode != 0)) return;
  DosMode = on;
  InvalidateRect(Window, nullptr);
  NotifyFrame(cnDosModeChanged, on ? 1 : 0);
}

void TScrlChildData::SetShowSpecial(bool on) {
  if (on == (ShowSpecial != 0)) return;
  ShowSpecial = on;
  InvalidateRect(Window, nullptr);
}

intptr_t TScrlChildData::NotifyFrame(uint32_t code, int32_t value1, int32_t value2,
                                     const void* data) {
  TChildNotify notify{};
  notify.Child = Window;
  notify.Kind = Kind;
  notify.Value1 = value1;
  notify.Value2 = value2;
  notify.Data = data;
  return SendMessage(FrameWindow, wm_ChildNotify, code, reinterpret_cast<intptr_t>(&notify));
}
