// What the control procedures share: their state objects kept in window extra 0, UTF-8 text
// as characters, item lists, notifications of a changed value and the frame they paint.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Canvas.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Window.h"

namespace platform::ctl_detail {

template <typename T>
T* StateOf(TWindow window) {
  return reinterpret_cast<T*>(GetWindowExtra(window, 0));
}
template <typename T>
T& AttachState(TWindow window) {
  auto* state = new T();
  SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(state));
  return *state;
}
template <typename T>
void FreeState(TWindow window) {
  delete StateOf<T>(window);
  SetWindowExtra(window, 0, 0);
}

std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
// Without regard to case (ASCII and Latin-1 letters); `prefix`: `text` starts with `key`.
bool MatchNoCase(std::string_view text, std::string_view key, bool prefix);

// The text without its mnemonic markers ("&&" stays one '&').
std::string StripMnemonic(std::string_view text);
// The upper-case mnemonic character of a text ("&Suchen" gives 'S'); 0 when it has none.
char32_t MnemonicOf(std::string_view text);
char32_t FoldCase(char32_t ch);

struct TListEntry {
  std::string Text;
  intptr_t Data = 0;
  bool Selected = false;
  std::vector<std::string> SubItems;  // list views: columns 1..n
  int32_t Height = 0;                 // owner-drawn lines: what WM_MEASUREITEM answered
};

// The items of a list box, a combo box's list or a list view.
struct TItemList {
  std::vector<TListEntry> Items;
  int32_t Current = -1;  // the selection of single-selection lists, the caret of others
  int32_t Top = 0;       // first line shown

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  bool Valid(int32_t index) const { return index >= 0 && index < Count(); }
  // At `at` (-1 or past the end: appended) or, sorted, in order; returns the index.
  int32_t Insert(int32_t at, std::string text, bool sorted);
  bool Erase(int32_t index);
  // The next item after `start` (-1: from the top), wrapping once; -1 when none matches.
  int32_t Find(int32_t start, std::string_view key, bool exact) const;
};

// The control's look or value changed: repaint, and tell the back end.
void ValueChanged(TWindow window);
constexpr TColorRef kFrameColor = MakeRgb(160, 160, 160);
constexpr TColorRef kGrayText = MakeRgb(128, 128, 128);
void DrawFrame(TCanvas& dc, const TRect& r, TColorRef color = kFrameColor);
// Runs `paint` between BeginPaint and EndPaint with the dialog's text colours.
intptr_t PaintControl(TWindow window, void (*paint)(TWindow, TCanvas&));

// The spin field whose buddy `buddy` is; 0 when none.
TWindow SpinOfBuddy(TWindow buddy);

// The procedures of the control classes.
intptr_t EditProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t ListBoxProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t ComboBoxProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t ListViewProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t SpinProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t TabControlProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace platform::ctl_detail
