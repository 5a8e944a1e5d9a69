// The global search seen from the frame: dialog, progress dialog, hit-list window, messages.
#include "editor/grep/GrepWindow.h"

#include "editor/frame/IniOptions.h"
#include "editor/grep/GrepDialog.h"
#include "editor/grep/GrepProgress.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/ToolBarButtons.h"

using namespace platform;

namespace {

constexpr int32_t kGrepKind = 2;  // index of the hit list in the fonts and colours

// One pending message, routed through the modeless dialogs (the progress dialog's
// "Abbrechen"); a quit request ends the search and stays queued for the outer loop.
void PumpOne() {
  TMsg msg;
  if (!PeekMessage(msg, true)) return;
  if (msg.Message == WM_QUIT) {
    GrepAbortFlag() = true;
    PostQuitMessage(static_cast<int32_t>(msg.WParam));
    return;
  }
  if (IsAnyDialogMessage(msg)) return;
  DispatchMessage(msg);
}

}  // namespace

bool RegisterGrepClass() {
  const TChildClassInfo* info = ChildClassInfo(wkGrep);
  if (!info) return false;
  return FindWindowClass(info->Name) || RegisterChildClass(wkGrep, GrepChildProc, EditorIcon(207));
}

void ShowGrepStatus(TWindow owner, int32_t status) {
  const TGrepStatusText text = GrepStatusText(status);
  if (!text.Message[0]) return;
  MessageBox(owner, text.Message, kGrepMessageCaption,
             MB_OK | (text.StopIcon ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

TWindow OpenGrepWindow(const TGrepHost& host, const TGrepParam& order, int32_t* status) {
  if (status) *status = grepNoOrder;
  if (!host.Frame || !host.Client || !RegisterGrepClass()) {
    MessageBeep(0);
    return 0;
  }
  TGrepCreateParams p;
  p.Base.FrameWindow = host.Frame;
  p.Base.MdiClient = host.Client;
  p.Base.Kind = wkGrep;
  p.Base.FileName = "";
  p.Base.TextColor = 0xFFFFFFFF;
  p.Base.MarkColor = MakeRgb(255, 0, 0);
  p.Base.LineEndMode = lemAny;
  p.Base.TabWidth = 8;
  p.Order = &order;
  TFont font = 0;
  TBrush brush = 0;
  if (host.Options) {
    const TIniOptions& o = *host.Options;
    font = CreateFontIndirect(o.Fonts[kGrepKind]);
    if (!o.SystemColors) {
      p.Base.TextColor = o.Colors[kGrepKind].Text;
      p.Base.MarkColor = o.Colors[kGrepKind].Highlight;
      brush = CreateSolidBrush(o.Colors[kGrepKind].Back);
    }
    p.Base.TabWidth = o.TabCols;
    p.Base.LineEndMode = static_cast<uint8_t>(o.LineEnds);
    p.WrapWin = o.WrapAtWindow;
  }
  p.Base.Font = font ? font : GetStockFont();
  p.Base.Background = brush;

  TMdiCreateStruct create;
  create.ClassName = ChildClassInfo(wkGrep)->Name;
  create.Title = "Fundstellen globale Suche";
  create.Style = WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
  bool maximized = false;
  if (MdiGetActive(host.Client, &maximized) && maximized) create.Style |= WS_MAXIMIZE;
  create.Params = &p;

  TGrepProgress progress(host.Frame, order);
  if (host.Modeless) *host.Modeless = progress.Window();
  auto window = static_cast<TWindow>(
      SendMessage(host.Client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&create)));
  TGrepChildData* d = GrepChildOf(window);
  int32_t result = grepNoOrder;
  if (d) {
    d->OwnedFont = font;
    d->OwnedBrush = brush;
    font = 0;
    brush = 0;
    result = d->RunSearch(PumpOne, [&progress](int32_t phase, int32_t number) {
      progress.Report(phase, number);
    });
  }
  progress.Close();
  if (host.Modeless) *host.Modeless = 0;
  if (font) DeleteFont(font);
  if (brush) DeleteBrush(brush);
  if (status) *status = result;
  ShowGrepStatus(host.Frame, result);
  if (!GrepStatusText(result).KeepWindow) {
    if (window && IsWindow(window))
      SendMessage(host.Client, WM_MDIDESTROY, static_cast<uintptr_t>(window), 0);
    return 0;
  }
  return window;
}

TWindow RunGrepCommand(const TGrepHost& host) {
  if (!host.Options) return 0;
  TGrepParam order;
  if (!RunGrepDialog(host.Frame, *host.Options, host.Profile, order)) return 0;
  return OpenGrepWindow(host, order);
}

void GrepWindowCommand(TWindow window, uint16_t command) {
  TGrepChildData* d = GrepChildOf(window);
  if (!d || d->Searching) {
    MessageBeep(0);
    return;
  }
  switch (command) {
    case 152: d->SetBarMode(!d->BarMode); break;
    case 157: d->OpenCurrent(gaOpen); break;
    case 158: d->OpenCurrent(gaRun); break;
    default: MessageBeep(0); break;
  }
}

bool GrepStatusTexts(int32_t phase, TWindow window, std::string& first, std::string& second) {
  if (phase == gphStart) {
    first = "Suche nach/in Dateien - bitte warten ...";
    second.clear();
    return true;
  }
  if (phase != gphDone) return false;
  const TGrepChildData* d = GrepChildOf(window);
  if (!d || d->Searching) return false;
  first = "Dateien: " + std::to_string(d->FileCount());
  second = d->HitCount() > 0 ? "Textstellen: " + std::to_string(d->HitCount()) : "";
  return true;
}
