// Window procedures of the compare window, its panes and its splitter.
#include "editor/compare/DiffWindows.h"

#include "editor/compare/DiffChildData.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/ToolBarButtons.h"

using namespace platform;

namespace {

constexpr char kPaneClass[] = "ZKDiffFileWin";
constexpr char kSplitterClass[] = "ZKDiffSplitWin";

// Extra values of panes and splitter.
constexpr int32_t kOwnerSlot = 0;
constexpr int32_t kIndexSlot = 1;  // pane: its side; splitter: the grab offset

struct TInnerCreate {
  TDiffChildData* Owner;
  int32_t Index;
};

TDiffChildData* OwnerOf(TWindow window) {
  return reinterpret_cast<TDiffChildData*>(GetWindowExtra(window, kOwnerSlot));
}

TDiffChildData* DiffOf(TWindow window) { return dynamic_cast<TDiffChildData*>(GetChildData(window)); }

intptr_t StoreCreate(TWindow window, intptr_t lParam) {
  auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
  auto* create = cs ? static_cast<const TInnerCreate*>(cs->CreateParams) : nullptr;
  if (!create) return -1;
  SetWindowExtra(window, kOwnerSlot, reinterpret_cast<intptr_t>(create->Owner));
  SetWindowExtra(window, kIndexSlot, create->Index);
  return 0;
}

// A mouse point of an inner window in the compare window's client coordinates.
TPoint InOwner(TWindow window, const TDiffChildData& d, intptr_t lParam) {
  return ScreenToClient(d.Window, ClientToScreen(window, TPoint{LParamX(lParam), LParamY(lParam)}));
}

void Activate(const TDiffChildData& d) {
  if (d.MdiClient && MdiGetActive(d.MdiClient) != d.Window) {
    SendMessage(d.MdiClient, WM_MDIACTIVATE, static_cast<uintptr_t>(d.Window), 0);
  }
}

intptr_t PaneProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) return StoreCreate(window, lParam);
  TDiffChildData* d = OwnerOf(window);
  const int pane = static_cast<int>(GetWindowExtra(window, kIndexSlot));
  switch (message) {
    case WM_PAINT: {
      TPaintStruct ps;
      TCanvas* dc = BeginPaint(window, ps);
      if (!dc) return 0;
      if (d) d->PaintPane(pane, *dc, ps.Paint);
      EndPaint(window, ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (d) {
        Activate(*d);
        SetFocus(d->Window);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (d && !d->Busy) d->GotoRow(pane, d->RowAt(LParamY(lParam)));
      return 0;
    case WM_RBUTTONDOWN:
      if (d) {
        TPoint p = InOwner(window, *d, lParam);
        SendMessage(d->Window, WM_RBUTTONDOWN, wParam, MakeLParam(p.X, p.Y));
      }
      return 0;
    case WM_SETFOCUS:
      // Keys belong to the compare window.
      if (d) SetFocus(d->Window);
      return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
      if (d) return SendMessage(d->Window, message, wParam, lParam);
      break;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

void PaintSplitter(TWindow window) {
  TPaintStruct ps;
  TCanvas* dc = BeginPaint(window, ps);
  if (!dc) return;
  const TRect r = GetClientRect(window);
  dc->FillRect(r, GetSysColor(COLOR_BTNFACE));
  const bool vertical = r.Height() > r.Width();
  dc->SetPen(MakeRgb(255, 255, 255));
  dc->MoveTo(r.Left, r.Top);
  vertical ? dc->LineTo(r.Left, r.Bottom) : dc->LineTo(r.Right, r.Top);
  dc->SetPen(MakeRgb(128, 128, 128));
  if (vertical) {
    dc->MoveTo(r.Right - 1, r.Top);
    dc->LineTo(r.Right - 1, r.Bottom);
  } else {
    dc->MoveTo(r.Left, r.Bottom - 1);
    dc->LineTo(r.Right, r.Bottom - 1);
  }
  EndPaint(window, ps);
}

intptr_t SplitterProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) return StoreCreate(window, lParam);
  TDiffChildData* d = OwnerOf(window);
  switch (message) {
    case WM_PAINT:
      PaintSplitter(window);
      return 0;
    case WM_LBUTTONDOWN:
      if (d && !d->Busy) {
        // Where in the bar it was taken, so that it does not jump under the mouse.
        const bool sideBySide = d->Extra.Layout == dlSideBySide;
        SetWindowExtra(window, kIndexSlot, sideBySide ? LParamX(lParam) : LParamY(lParam));
        SetCapture(window);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (d && GetCapture() == window) {
        const TPoint p = InOwner(window, *d, lParam);
        const auto grab = static_cast<int32_t>(GetWindowExtra(window, kIndexSlot));
        d->SetSplitter((d->Extra.Layout == dlSideBySide ? p.X : p.Y) - grab);
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

intptr_t DiffProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == wm_CreateChildObject) return CreateChildObject<TDiffChildData>(window, lParam);
  TDiffChildData* d = DiffOf(window);
  if (d) {
    switch (message) {
      case WM_HSCROLL:
      case WM_VSCROLL:
        d->ScrollBar(message == WM_VSCROLL, LoWord(wParam), static_cast<int32_t>(HiWord(wParam)));
        return 0;
      // Only the caption strips are the window's own: no caret, no text to drag over.
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP:
      case WM_TIMER:
        return 0;
      case WM_CLOSE:
      case WM_QUERYENDSESSION:
        if (d->Busy) {
          d->CancelRequested = true;
          d->CloseWhenDone = true;
          return 0;
        }
        break;
      case WM_DESTROY:
        // The inner windows go after the object: they must not reach it any more.
        for (TWindow inner : {d->Panes[0], d->Panes[1], d->Splitter}) {
          if (inner && IsWindow(inner)) SetWindowExtra(inner, kOwnerSlot, 0);
        }
        break;
      case WM_MDIACTIVATE: {
        intptr_t result = ChildWindowProc(window, message, wParam, lParam);
        // The frame clears the status bar when the kind changes; the count comes back.
        if (static_cast<TWindow>(lParam) == window) {
          if (TDiffChildData* still = DiffOf(window); still && still->Engine) still->ReportCount();
        }
        return result;
      }
      default:
        break;
    }
  }
  return ChildWindowProc(window, message, wParam, lParam);
}

bool RegisterInner(const char* name, TWindowProc proc, uint32_t style, TCursorKind cursor) {
  if (FindWindowClass(name)) return true;
  TWindowClass cls;
  cls.Name = name;
  cls.Proc = proc;
  cls.Style = style;
  cls.ExtraValues = 2;
  cls.Cursor = cursor;
  cls.Background = COLOR_BTNFACE + 1;
  return RegisterWindowClass(cls);
}

}  // namespace

bool RegisterDiffClasses() {
  if (!RegisterInner(kPaneClass, PaneProc, CS_DBLCLKS, TCursorKind::Arrow)) return false;
  if (!RegisterInner(kSplitterClass, SplitterProc, 0, TCursorKind::Split)) return false;
  const TChildClassInfo* info = ChildClassInfo(wkDiff);
  if (!info) return false;
  return FindWindowClass(info->Name) || RegisterChildClass(wkDiff, DiffProc, EditorIcon(208));
}

TWindow CreateDiffPane(TWindow parent, TDiffChildData* owner, int pane) {
  TInnerCreate create{owner, pane};
  return CreateWindowEx(0, kPaneClass, "", WS_CHILD | WS_VISIBLE, TRect{0, 0, 1, 1}, parent, &create);
}

TWindow CreateDiffSplitter(TWindow parent, TDiffChildData* owner, uint8_t layout) {
  (void)layout;
  TInnerCreate create{owner, 0};
  return CreateWindowEx(0, kSplitterClass, "", WS_CHILD | WS_VISIBLE, TRect{0, 0, 1, 1}, parent,
                        &create);
}
