// Helpers of the control procedures: UTF-8 as characters, item lists, repaint and notify.
#include "platform/ui/ControlState.h"

#include "platform/ui/CodePages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"

namespace platform::ctl_detail {

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<uint8_t>(text[i]);
    size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t ch = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = length > 0 && i + length <= text.size();
    for (size_t k = 1; ok && k < length; ++k) {
      auto c = static_cast<uint8_t>(text[i + k]);
      ok = (c & 0xC0) == 0x80;
      ch = (ch << 6) | (c & 0x3F);
    }
    if (!ok) {
      // A stray byte is taken as a character of the Windows code page rather than lost.
      out.push_back(Cp1252ToUnicode(b));
      ++i;
      continue;
    }
    out.push_back(ch);
    i += length;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t ch : text) AppendUtf8(out, ch);
  return out;
}

char32_t FoldCase(char32_t ch) {
  if ((ch >= U'a' && ch <= U'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)) return ch - 0x20;
  return ch;
}

std::string StripMnemonic(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out.push_back(text[i]);
  }
  return out;
}

char32_t MnemonicOf(std::string_view text) {
  std::u32string t = DecodeUtf8(text);
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != U'&') continue;
    if (t[i + 1] != U'&') return FoldCase(t[i + 1]);
    ++i;
  }
  return 0;
}

bool MatchNoCase(std::string_view text, std::string_view key, bool prefix) {
  std::u32string t = DecodeUtf8(text);
  std::u32string k = DecodeUtf8(key);
  if (prefix ? t.size() < k.size() : t.size() != k.size()) return false;
  for (size_t i = 0; i < k.size(); ++i) {
    if (FoldCase(t[i]) != FoldCase(k[i])) return false;
  }
  return true;
}

int32_t TItemList::Insert(int32_t at, std::string text, bool sorted) {
  if (sorted) {
    at = 0;
    // Stable: equal texts keep the order they came in.
    while (at < Count()) {
      std::u32string a = DecodeUtf8(Items[static_cast<size_t>(at)].Text);
      std::u32string b = DecodeUtf8(text);
      std::u32string fa;
      std::u32string fb;
      for (char32_t c : a) fa.push_back(FoldCase(c));
      for (char32_t c : b) fb.push_back(FoldCase(c));
      if (fb < fa) break;
      ++at;
    }
  } else if (at < 0 || at > Count()) {
    at = Count();
  }
  TListEntry entry;
  entry.Text = std::move(text);
  Items.insert(Items.begin() + at, std::move(entry));
  if (Current >= at) ++Current;
  return at;
}

bool TItemList::Erase(int32_t index) {
  if (!Valid(index)) return false;
  Items.erase(Items.begin() + index);
  if (Current == index) {
    Current = -1;
  } else if (Current > index) {
    --Current;
  }
  if (Top >= Count()) Top = std::max(Count() - 1, 0);
  return true;
}

int32_t TItemList::Find(int32_t start, std::string_view key, bool exact) const {
  int32_t n = Count();
  if (n == 0) return -1;
  int32_t first = Valid(start) ? start + 1 : 0;
  for (int32_t k = 0; k < n; ++k) {
    int32_t i = (first + k) % n;
    if (MatchNoCase(Items[static_cast<size_t>(i)].Text, key, !exact)) return i;
  }
  return -1;
}

void ValueChanged(TWindow window) {
  InvalidateRect(window, nullptr);
  if (ui_detail::TUiState* s = ui_detail::State()) {
    s->Backend->WindowChanged(window, TWindowChange::Value);
  }
}

void DrawFrame(TCanvas& dc, const TRect& r, TColorRef color) {
  dc.SetPen(color);
  dc.MoveTo(r.Left, r.Top);
  dc.LineTo(r.Right - 1, r.Top);
  dc.LineTo(r.Right - 1, r.Bottom - 1);
  dc.LineTo(r.Left, r.Bottom - 1);
  dc.LineTo(r.Left, r.Top);
}

intptr_t PaintControl(TWindow window, void (*paint)(TWindow, TCanvas&)) {
  TPaintStruct ps;
  if (TCanvas* dc = BeginPaint(window, ps)) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(IsWindowEnabled(window) ? GetSysColor(COLOR_WINDOWTEXT) : kGrayText);
    paint(window, *dc);
  }
  EndPaint(window, ps);
  return 0;
}

}  // namespace platform::ctl_detail

namespace platform {

void NotifyParent(TWindow control, uint32_t code) {
  SendMessage(GetParent(control), WM_COMMAND,
              MakeWParam(static_cast<uint32_t>(GetDlgCtrlID(control)), code),
              static_cast<intptr_t>(control));
}

intptr_t NotifyParentEx(TWindow control, int32_t code, TNmHdr* header) {
  TNmHdr own;
  TNmHdr* h = header ? header : &own;
  h->From = control;
  h->IdFrom = static_cast<uintptr_t>(static_cast<uint32_t>(GetDlgCtrlID(control)));
  h->Code = code;
  return SendMessage(GetParent(control), WM_NOTIFY, h->IdFrom, reinterpret_cast<intptr_t>(h));
}

}  // namespace platform
