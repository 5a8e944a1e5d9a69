// The hit-list window's object: creation with its order, the search, bar mode, keys and
// the requests that open a hit.
#include "editor/grep/GrepChildData.h"

#include <algorithm>
#include <thread>

#include "editor/text/ChildWindowProc.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

bool TGrepChildData::Create(TWindow window, const TChildCreateParams& params) {
  const auto& grep = reinterpret_cast<const TGrepCreateParams&>(params);
  if (grep.Order) Order = *grep.Order;
  Info = Order.Info;
  TChildCreateParams base = params;
  base.MarginWidth = kGrepMarginWidth;  // the kind images' margin, whatever the caller says
  base.LineNumbers = 0;
  base.ReadOnly = 1;
  if (!TTextChildData::Create(window, base)) return false;
  Grep = std::make_unique<TGrepLines>(&Lines);
  Grep->Info = Info;
  Grep->WrapCut = grep.WrapWin;
  Lines.AddCopy({});  // the view always holds a line; the search replaces it
  BarMode = true;
  return true;
}

TGrepChildData::~TGrepChildData() {
  if (OwnedFont) DeleteFont(OwnedFont);
  if (OwnedBrush) DeleteBrush(OwnedBrush);
}

int32_t TGrepChildData::RunSearch(std::function<void()> pump,
                                  std::function<void(int32_t, int32_t)> progress) {
  if (Searched) return grepNoOrder;
  Searched = true;
  Searching = true;
  Grep->Empty();
  TGrepHooks hooks;
  hooks.PumpOneMessage = std::move(pump);
  const TWindow window = Window;
  TGrepSearch search(&Order, *Grep, {});
  // The title shows the order from the start; the search text is in the document's code page.
  const std::string masks = Order.FileMasks;
  const std::string title =
      Order.SearchText[0] ? "Suche nach '" + CodePageToUtf8(Order.SearchText, false) + "' in '" + masks + "'"
                          : "Suche nach '" + masks + "'";
  hooks.Report = [this, window, progress, title](int32_t phase, int32_t number) {
    if (phase == gphStart && IsWindow(window)) SetWindowText(window, title);
    if (progress) progress(phase, number);
    if (IsWindow(window)) NotifyFrame(cnGrepProgress, phase, number);
  };
  search.SetHooks(std::move(hooks));
  search.LoadMode = LoadMode;
  // Reading ahead pays while the disk or the other cores have something to give.
  search.ReadAheadThreads = static_cast<int32_t>(std::min(std::thread::hardware_concurrency(), 4u));
  const int32_t status = search.Run();
  FilesWithHits = search.FilesWithHits();
  Hits = search.Hits();
  if (Lines.Count() == 0) Lines.AddCopy({});
  const std::string_view mark = "  (Abgebrochen)";
  if (search.Title().ends_with(mark)) SetWindowText(Window, title + std::string(mark));
  Caret = TTextPos{0, 0};
  WidenRangeX(search.LongestLine() + 1);
  UpdateRanges(false);
  Scroller->UpdateScrollBars();
  Searching = false;
  InvalidateRect(Window, nullptr);
  return status;
}

void TGrepChildData::ShowCaret(bool on) { TTextChildData::ShowCaret(on && !BarMode); }

void TGrepChildData::SetBarMode(bool on) {
  if (BarMode == on) return;
  BarMode = on;
  if (GetFocus() == Window) ShowCaret(!on);
  InvalidateRect(Window, nullptr);
  NotifyFrame(cnGrepBarMode, on ? 1 : 0);
}

TTextPos TGrepChildData::PixelToPos(int32_t x, int32_t y) {
  TTextPos pos = TTextChildData::PixelToPos(x, y);
  if (BarMode) pos.Column = 0;  // a click picks the line only
  return pos;
}

void TGrepChildData::CaretMoved(int32_t oldColumn, int32_t oldLine) {
  TTextChildData::CaretMoved(oldColumn, oldLine);
  if (BarMode && oldLine != Caret.Line) {
    InvalidateLines(oldLine, oldLine);
    InvalidateLines(Caret.Line, Caret.Line);
  }
}

int32_t TGrepChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  switch (key) {
    case VK_INSERT:
      SetBarMode(!BarMode);
      return 0;
    case VK_RETURN:
      OpenCurrent(gaOpen);
      return 0;
    case VK_LEFT:
    case VK_RIGHT:
      if (!BarMode || ctrl) break;
      Scroller->ScrollTo(std::max(Scroller->PosX + (key == VK_LEFT ? -1 : 1), 0), Scroller->PosY);
      return 0;
    default:
      break;
  }
  return TTextChildData::KeyDown(key, shift, ctrl);
}

void TGrepChildData::DoubleClick(int32_t x, int32_t y) {
  if (BarMode) {
    OpenCurrent(gaOpen);
    return;
  }
  TTextChildData::DoubleClick(x, y);
}

bool TGrepChildData::RequestFor(int32_t line, TGrepAction action, TGrepOpenRequest& r) const {
  const TGrepLineItem* item = Grep ? Grep->GrepLineAt(line) : nullptr;
  if (!item) return false;
  int32_t fileLine = line;
  while (fileLine >= 0 && !IsGrepFileKind(Grep->GrepLineAt(fileLine)->Kind)) --fileLine;
  if (fileLine < 0) return false;
  const uint8_t fileKind = Grep->GrepLineAt(fileLine)->Kind;
  const std::string_view text = Grep->Text(fileLine);
  const size_t tab = text.rfind('\t');
  r = TGrepOpenRequest{};
  r.Action = action;
  r.FileName = std::string(tab == std::string_view::npos ? text : text.substr(tab + 1));
  r.Binary = fileKind == gkBinaryFile;
  if (!IsGrepFileKind(item->Kind)) r.Position = item->Hit.Position;
  if (!BarMode && fileKind == gkTextFile && item->Kind == gkTextHit)
    r.Column = std::max(Caret.Column - kTextHitPrefix, 0);
  return true;
}

bool TGrepChildData::OpenCurrent(TGrepAction action) {
  TGrepOpenRequest request;
  if (Searching || !RequestFor(Caret.Line, action, request)) {
    MessageBeep(0);
    return false;
  }
  NotifyFrame(cnGrepOpen, action, 0, &request);
  return true;
}

TGrepChildData* GrepChildOf(TWindow window) {
  return dynamic_cast<TGrepChildData*>(GetChildData(window));
}

intptr_t GrepChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == wm_CreateChildObject) return CreateChildObject<TGrepChildData>(window, lParam);
  if (TGrepChildData* d = GrepChildOf(window)) {
    switch (message) {
      case WM_CLOSE:
      case WM_QUERYENDSESSION:
        if (d->Searching) return 0;  // closed after the search, never during it
        break;
      case WM_LBUTTONDBLCLK:
        d->DoubleClick(LParamX(lParam), LParamY(lParam));
        return 0;
      default:
        break;
    }
  }
  return ChildWindowProc(window, message, wParam, lParam);
}
