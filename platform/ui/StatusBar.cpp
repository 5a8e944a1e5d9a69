// The status bar's parts, texts and simple mode, painted through the layer's canvas.
#include "platform/ui/StatusBar.h"

#include <algorithm>

#include "platform/ui/CodePages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

struct TStatusState {
  std::vector<int32_t> Edges{-1};
  std::vector<std::string> Texts{std::string()};  // invariant: same size as Edges
  bool Simple = false;
  std::string SimpleText;
};

constexpr int32_t kTextPadX = 4;

TStatusState* BarOf(TWindow statusBar) {
  if (!IsWindow(statusBar) || GetClassName(statusBar) != kStatusBarClass) return nullptr;
  return reinterpret_cast<TStatusState*>(GetWindowExtra(statusBar, 0));
}

void Changed(TWindow statusBar) {
  if (TUiState* s = State()) s->Backend->WindowChanged(statusBar, TWindowChange::Value);
  InvalidateRect(statusBar, nullptr);
}

// UTF-8 to the Windows code page the canvas draws; characters it lacks become '?'.
std::string CanvasBytes(std::string_view utf8) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    char32_t ch = c;
    size_t length = 1;
    if (c >= 0xC0 && c < 0xE0 && i + 1 < utf8.size()) {
      ch = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      length = 2;
    } else if (c >= 0xE0 && c < 0xF0 && i + 2 < utf8.size()) {
      ch = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      length = 3;
    } else if (c >= 0x80) {
      ch = '?';
      length = c >= 0xF0 ? 4 : 1;
    }
    int32_t byte = UnicodeToCp1252(ch);
    bytes += static_cast<char>(byte < 0 ? '?' : byte);
    i += length;
  }
  return bytes;
}

void Paint(TWindow statusBar, const TStatusState& t) {
  TPaintStruct ps;
  TCanvas* dc = BeginPaint(statusBar, ps);
  if (dc) {
    TRect client = GetClientRect(statusBar);
    dc->FillRect(client, GetSysColor(COLOR_BTNFACE));
    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    if (t.Simple) {
      dc->DrawText(CanvasBytes(t.SimpleText), TRect{kTextPadX, 0, client.Right, client.Bottom},
                   DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    } else {
      for (size_t i = 0; i < t.Edges.size(); ++i) {
        TRect part = StatusBarPartRect(statusBar, static_cast<int32_t>(i));
        part.Left += kTextPadX;
        dc->DrawText(CanvasBytes(t.Texts[i]), part, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      }
    }
  }
  EndPaint(statusBar, ps);
}

intptr_t StatusBarProc(TWindow statusBar, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TStatusState* t = reinterpret_cast<TStatusState*>(GetWindowExtra(statusBar, 0));
  switch (message) {
    case WM_CREATE:
      SetWindowExtra(statusBar, 0, reinterpret_cast<intptr_t>(new TStatusState));
      return 0;
    case WM_NCDESTROY:
      SetWindowExtra(statusBar, 0, 0);
      delete t;
      return 0;
    case WM_PAINT:
      if (t) {
        Paint(statusBar, *t);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProc(statusBar, message, wParam, lParam);
}

}  // namespace

TWindow CreateStatusBar(TWindow parent, int32_t id, uint32_t style) {
  if (!FindWindowClass(kStatusBarClass)) {
    TWindowClass cls;
    cls.Name = std::string(kStatusBarClass);
    cls.Proc = StatusBarProc;
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return 0;
  }
  int32_t height = GetFontInfo(GetStockFont()) ? GetFontInfo(GetStockFont())->Metrics.Height + 6 : 22;
  int32_t width = parent ? GetClientRect(parent).Width() : 0;
  int32_t top = parent ? std::max(GetClientRect(parent).Height() - height, 0) : 0;
  TWindow statusBar = CreateWindowEx(0, kStatusBarClass, "", (style | WS_CHILD) & ~WS_VISIBLE,
                                     TRect{0, top, width, top + height}, parent, nullptr);
  if (!BarOf(statusBar)) return 0;
  SetDlgCtrlID(statusBar, id);
  Changed(statusBar);
  if (style & WS_VISIBLE) ShowWindow(statusBar, true);
  return statusBar;
}

bool StatusBarSetParts(TWindow statusBar, std::span<const int32_t> rightEdges) {
  TStatusState* t = BarOf(statusBar);
  if (!t || rightEdges.empty() || rightEdges.size() > kMaxStatusParts) return false;
  t->Edges.assign(rightEdges.begin(), rightEdges.end());
  t->Texts.resize(t->Edges.size());
  Changed(statusBar);
  return true;
}

std::vector<int32_t> StatusBarParts(TWindow statusBar) {
  TStatusState* t = BarOf(statusBar);
  return t ? t->Edges : std::vector<int32_t>{};
}

bool StatusBarSetText(TWindow statusBar, int32_t part, std::string_view text) {
  TStatusState* t = BarOf(statusBar);
  if (!t) return false;
  std::string* slot = nullptr;
  if (part == SB_SIMPLEID) {
    slot = &t->SimpleText;
  } else if (part >= 0 && static_cast<size_t>(part) < t->Texts.size()) {
    slot = &t->Texts[static_cast<size_t>(part)];
  }
  if (!slot) return false;
  if (*slot != text) {
    *slot = std::string(text);
    Changed(statusBar);
  }
  return true;
}

std::string StatusBarText(TWindow statusBar, int32_t part) {
  TStatusState* t = BarOf(statusBar);
  if (!t) return {};
  if (part == SB_SIMPLEID) return t->SimpleText;
  if (part < 0 || static_cast<size_t>(part) >= t->Texts.size()) return {};
  return t->Texts[static_cast<size_t>(part)];
}

void StatusBarSetSimple(TWindow statusBar, bool simple) {
  TStatusState* t = BarOf(statusBar);
  if (!t || t->Simple == simple) return;
  t->Simple = simple;
  Changed(statusBar);
}

bool StatusBarIsSimple(TWindow statusBar) {
  TStatusState* t = BarOf(statusBar);
  return t && t->Simple;
}

int32_t StatusBarHeight(TWindow statusBar) {
  if (!BarOf(statusBar)) return 0;
  int32_t native = State()->Backend->BarHeight(statusBar);
  return native > 0 ? native : GetWindowRect(statusBar).Height();
}

TRect StatusBarPartRect(TWindow statusBar, int32_t part) {
  TStatusState* t = BarOf(statusBar);
  if (!t || part < 0 || static_cast<size_t>(part) >= t->Edges.size()) return {};
  TRect client = GetClientRect(statusBar);
  auto edge = [&](size_t i) {
    int32_t e = t->Edges[i];
    return e < 0 ? client.Right : std::min(e, client.Right);
  };
  int32_t left = part == 0 ? 0 : edge(static_cast<size_t>(part) - 1);
  int32_t right = edge(static_cast<size_t>(part));
  return TRect{left, 0, std::max(left, right), client.Bottom};
}

}  // namespace platform
