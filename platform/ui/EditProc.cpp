// The edit field: typing, caret keys with Shift, deletion, the limit, read-only fields, the
// selection messages, cut, copy and paste, and EN_CHANGE; painted as text with the selection
// and a caret.
#include <algorithm>
#include <optional>

#include "platform/ui/Clipboard.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/ControlState.h"
#include "platform/ui/EditModel.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::ctl_detail {

namespace {

struct TEditState {
  TEditModel Model;
  bool Modified = false;
  bool Storing = false;  // the field is writing its own text into the window text
};

TEditState* Edit(TWindow window) { return StateOf<TEditState>(window); }

bool IsReadOnly(TWindow window) { return (GetWindowStyle(window) & ES_READONLY) != 0; }

// The model's text becomes the window text; a change tells the parent.
void Store(TWindow window, TEditState& e, bool changed) {
  e.Storing = true;
  SetWindowText(window, EncodeUtf8(e.Model.Text));
  e.Storing = false;
  if (changed) e.Modified = true;
  ValueChanged(window);
  if (changed) NotifyParent(window, EN_CHANGE);
}

void PlaceCaret(TWindow window, const TEditState& e) {
  if (GetFocus() != window) return;
  auto dc = GetWindowCanvas(window);
  if (!dc) return;
  int32_t height = dc->GetTextMetrics().Height;
  size_t lineStart = e.Model.Text.rfind(U'\n', e.Model.Caret == 0 ? 0 : e.Model.Caret - 1);
  lineStart = (lineStart == std::u32string::npos || e.Model.Caret == 0) ? 0 : lineStart + 1;
  int32_t line = static_cast<int32_t>(
      std::count(e.Model.Text.begin(), e.Model.Text.begin() + static_cast<ptrdiff_t>(lineStart), U'\n'));
  std::string before = EncodeUtf8(e.Model.Text.substr(lineStart, e.Model.Caret - lineStart));
  SetCaretPos(2 + dc->GetTextExtent(before).Width, 2 + line * height);
}

// The character position nearest to a client point, as PaintEdit lays the text out.
size_t HitTest(TWindow window, const TEditState& e, TPoint p) {
  auto dc = GetWindowCanvas(window);
  if (!dc) return e.Model.Caret;
  const std::u32string& text = e.Model.Text;
  int32_t height = std::max(dc->GetTextMetrics().Height, 1);
  int32_t line = e.Model.MultiLine ? std::max((p.Y - 2) / height, 0) : 0;
  size_t start = 0;
  for (int32_t i = 0; i < line; ++i) {
    size_t nl = text.find(U'\n', start);
    if (nl == std::u32string::npos) break;
    start = nl + 1;
  }
  size_t end = e.Model.MultiLine ? std::min(text.find_first_of(U"\r\n", start), text.size()) : text.size();
  bool password = (GetWindowStyle(window) & ES_PASSWORD) != 0;
  int32_t previous = 0;
  for (size_t i = start; i < end; ++i) {
    std::u32string piece = text.substr(start, i + 1 - start);
    if (password) piece.assign(piece.size(), U'*');
    int32_t width = dc->GetTextExtent(EncodeUtf8(piece)).Width;
    // Past the middle of a character puts the caret after it.
    if (2 + (previous + width) / 2 > p.X) return i;
    previous = width;
  }
  return end;
}

void PaintEdit(TWindow window, TCanvas& dc) {
  TEditState* e = Edit(window);
  if (!e) return;
  TRect client = GetClientRect(window);
  DrawFrame(dc, client);
  int32_t height = dc.GetTextMetrics().Height;
  bool password = (GetWindowStyle(window) & ES_PASSWORD) != 0;
  const std::u32string& text = e->Model.Text;
  size_t start = 0;
  int32_t y = 2;
  while (start <= text.size() && y < client.Bottom) {
    size_t end = std::min(text.find(U'\r', start), text.find(U'\n', start));
    if (end == std::u32string::npos || !e->Model.MultiLine) end = text.size();
    std::u32string line = text.substr(start, end - start);
    if (password) line.assign(line.size(), U'*');
    // Selected part of this line drawn on the highlight.
    size_t s = std::clamp(e->Model.SelStart(), start, end);
    size_t t = std::clamp(e->Model.SelEnd(), start, end);
    int32_t x = 2;
    std::string head = EncodeUtf8(line.substr(0, s - start));
    std::string mid = EncodeUtf8(line.substr(s - start, t - s));
    std::string tail = EncodeUtf8(line.substr(t - start));
    dc.TextOut(x, y, head);
    x += dc.GetTextExtent(head).Width;
    if (!mid.empty() && GetFocus() == window) {
      int32_t w = dc.GetTextExtent(mid).Width;
      dc.FillRect(TRect{x, y, x + w, y + height}, GetSysColor(COLOR_HIGHLIGHT));
      TColorRef old = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      dc.TextOut(x, y, mid);
      dc.SetTextColor(old);
      x += w;
    } else {
      dc.TextOut(x, y, mid);
      x += dc.GetTextExtent(mid).Width;
    }
    dc.TextOut(x, y, tail);
    if (end >= text.size()) break;
    start = end + (text.compare(end, 2, U"\r\n") == 0 ? 2 : 1);
    y += height;
  }
}

void TypeChar(TWindow window, TEditState& e, uint8_t byte) {
  uint32_t style = GetWindowStyle(window);
  if (IsReadOnly(window)) {
    MessageBeep(0);
    return;
  }
  if (byte == VK_BACK) {
    if (e.Model.Delete(false)) Store(window, e, true);
    return;
  }
  std::u32string insert;
  if (byte == '\r') {
    if (!e.Model.MultiLine) return;
    insert = U"\r\n";
  } else if (byte == '\t') {
    if (!e.Model.MultiLine) return;
    insert = U"\t";
  } else if (byte < 0x20) {
    return;
  } else {
    char32_t ch = Cp1252ToUnicode(byte);
    if ((style & ES_NUMBER) && (ch < U'0' || ch > U'9')) {
      MessageBeep(0);
      return;
    }
    if (style & ES_UPPERCASE) ch = FoldCase(ch);
    insert.push_back(ch);
  }
  std::u32string before = e.Model.Text;
  bool complete = e.Model.Replace(insert);
  // A character refused at the limit changes nothing and is no change for the parent.
  if (e.Model.Text != before) Store(window, e, true);
  if (!complete) {
    if (e.Model.Text == before) MessageBeep(0);
    NotifyParent(window, EN_MAXTEXT);
  }
}

void Copy(TWindow window, const TEditState& e) {
  // A password is not handed out.
  if (e.Model.SelStart() == e.Model.SelEnd() || (GetWindowStyle(window) & ES_PASSWORD)) return;
  std::string bytes;
  for (char32_t ch : e.Model.Text.substr(e.Model.SelStart(), e.Model.SelEnd() - e.Model.SelStart())) {
    int32_t b = UnicodeToCp1252(ch);
    bytes.push_back(static_cast<char>(b >= 0 ? b : '?'));
  }
  (void)PutClipboardText(window, bytes, false);
}

void Paste(TWindow window, TEditState& e) {
  if (IsReadOnly(window)) return;
  std::optional<std::string> text = TakeClipboardText(window, false);
  if (!text) return;
  std::u32string before = e.Model.Text;
  bool complete = e.Model.Replace(DecodeUtf8(CodePageToUtf8(*text, false)));
  if (e.Model.Text != before) Store(window, e, true);
  if (!complete) NotifyParent(window, EN_MAXTEXT);
}

void Cut(TWindow window, TEditState& e) {
  if (IsReadOnly(window) || e.Model.SelStart() == e.Model.SelEnd()) return;
  Copy(window, e);
  if (e.Model.Delete(true)) Store(window, e, true);
}

void Key(TWindow window, TEditState& e, uint32_t key) {
  bool shift = IsKeyDown(VK_SHIFT);
  bool control = IsKeyDown(VK_CONTROL);
  if ((control && key == 'C') || (control && key == VK_INSERT)) return Copy(window, e);
  if ((control && key == 'X') || (shift && key == VK_DELETE)) return Cut(window, e);
  if ((control && key == 'V') || (shift && key == VK_INSERT)) return Paste(window, e);
  if (control && key == 'A') {
    e.Model.SetSel(0, -1);
    ValueChanged(window);
    return;
  }
  if (key == VK_DELETE) {
    if (IsReadOnly(window)) return;
    if (e.Model.Delete(true)) Store(window, e, true);
    return;
  }
  size_t anchor = e.Model.Anchor;
  size_t caret = e.Model.Caret;
  e.Model.Move(key, shift);
  if (anchor != e.Model.Anchor || caret != e.Model.Caret) {
    ValueChanged(window);
    PlaceCaret(window, e);
  }
}

intptr_t DialogCode(TWindow window) {
  intptr_t code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if ((GetWindowStyle(window) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) {
    code |= DLGC_WANTALLKEYS;
  }
  return code;
}

}  // namespace

intptr_t EditProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TEditState* e = Edit(window);
  if (message == WM_CREATE) {
    TEditState& state = AttachState<TEditState>(window);
    state.Model.MultiLine = (GetWindowStyle(window) & ES_MULTILINE) != 0;
    state.Model.Limit = kEditDefaultLimit;
    state.Model.Reset(DecodeUtf8(GetWindowText(window)));
    return 0;
  }
  if (!e) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TEditState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintEdit);
    case WM_SETTEXT:
      // A text set from outside: the caret goes to its start.
      if (!e->Storing) {
        e->Model.Reset(DecodeUtf8(GetWindowText(window)));
        e->Modified = false;
        ValueChanged(window);
        NotifyParent(window, EN_CHANGE);
      }
      return 1;
    case WM_CHAR:
      TypeChar(window, *e, static_cast<uint8_t>(wParam));
      PlaceCaret(window, *e);
      return 0;
    case WM_KEYDOWN:
      Key(window, *e, static_cast<uint32_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      e->Model.Caret = HitTest(window, *e, {LParamX(lParam), LParamY(lParam)});
      if (!(wParam & MK_SHIFT)) e->Model.Anchor = e->Model.Caret;
      ValueChanged(window);
      PlaceCaret(window, *e);
      return 0;
    case WM_SETFOCUS: {
      auto dc = GetWindowCanvas(window);
      CreateCaret(window, 1, dc ? dc->GetTextMetrics().Height : 16);
      PlaceCaret(window, *e);
      ShowCaret(window);
      InvalidateRect(window, nullptr);
      NotifyParent(window, EN_SETFOCUS);
      return 0;
    }
    case WM_KILLFOCUS:
      DestroyCaret();
      InvalidateRect(window, nullptr);
      NotifyParent(window, EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(window);
    case EM_GETSEL:
      return static_cast<intptr_t>(MakeWParam(static_cast<uint32_t>(e->Model.SelStart()),
                                              static_cast<uint32_t>(e->Model.SelEnd())));
    case EM_SETSEL:
      e->Model.SetSel(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
      ValueChanged(window);
      PlaceCaret(window, *e);
      return 0;
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      e->Model.Replace(DecodeUtf8(text ? text : ""));
      Store(window, *e, true);
      return 0;
    }
    case EM_LIMITTEXT: {
      int64_t limit = static_cast<int32_t>(wParam);
      e->Model.Limit = static_cast<size_t>(limit <= 0 ? kEditMaxLimit : limit);
      ValueChanged(window);
      return 0;
    }
    case EM_GETLIMITTEXT:
      return static_cast<intptr_t>(e->Model.Limit);
    case EM_SETREADONLY: {
      uint32_t style = GetWindowStyle(window) & ~WS_VISIBLE;
      SetWindowStyle(window, wParam ? style | ES_READONLY : style & ~ES_READONLY);
      return 1;
    }
    case WM_COPY:
      Copy(window, *e);
      return 0;
    case WM_CUT:
      Cut(window, *e);
      return 0;
    case WM_PASTE:
      Paste(window, *e);
      return 0;
    case EM_GETMODIFY:
      return e->Modified ? 1 : 0;
    case EM_SETMODIFY:
      e->Modified = wParam != 0;
      return 0;
    case EM_GETLINECOUNT:
      return e->Model.LineCount();
    case kCtlUserTextSel:
      e->Model.SetSel(static_cast<int64_t>(wParam), lParam);
      ValueChanged(window);
      return 0;
    case kCtlUserText: {
      // The native widget keeps the limit and read-only state itself.
      const auto* text = reinterpret_cast<const std::string*>(lParam);
      if (!text || EncodeUtf8(e->Model.Text) == *text) return 0;
      e->Model.Text = DecodeUtf8(*text);
      e->Model.Anchor = e->Model.Caret = e->Model.Text.size();
      Store(window, *e, true);
      return 0;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
