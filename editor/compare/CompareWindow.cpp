#include "editor/compare/CompareWindow.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "editor/compare/CompareDialog.h"
#include "editor/compare/DiffChildData.h"
#include "editor/compare/DiffWindows.h"
#include "editor/frame/IniOptions.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr size_t kCompareKind = 3;  // index of the compare window in fonts and colours
constexpr char kOptionsSection[] = "CompareView";
// One comparison at a time: the dialog's command waits while one runs.
int32_t Running = 0;

std::string Absolute(const std::string& name) {
  if (name.empty() || name[0] == '/') return name;
  char* cwd = ::getcwd(nullptr, 0);
  if (!cwd) return name;
  std::string path = std::string(cwd) + "/" + name;
  std::free(cwd);
  return path;
}

TDiffChildData* DiffOf(TWindow window) {
  return window ? dynamic_cast<TDiffChildData*>(GetChildData(window)) : nullptr;
}

}  // namespace

TWindow OpenCompareWindow(const TCompareHost& host, const TDiffExtraData& extra) {
  if (!host.Frame || !host.Client || !RegisterDiffClasses()) {
    MessageBeep(0);
    return 0;
  }
  auto engine = std::make_unique<TCompareEngine>();
  ++Running;
  const int32_t status = RunComparison(*engine, extra, host.Frame, host.Run);
  --Running;
  if (status == csCancelled) return 0;
  if (status != csOk) {
    ShowCompareFailure(host.Frame, status, engine->FailedFile() == 1 ? extra.SecondFile : extra.FirstFile);
    return 0;
  }
  // The frame may have gone while the comparison let messages through.
  if (!IsWindow(host.Client)) return 0;

  TDiffCreateParams p;
  p.Base.FrameWindow = host.Frame;
  p.Base.MdiClient = host.Client;
  p.Base.Kind = wkDiff;
  p.Base.SyntaxColoring = &p.Base;
  p.Base.FileName = "";
  p.Base.TextColor = 0xFFFFFFFF;
  p.Base.MarkColor = 0xFFFFFFFF;
  int32_t tabSize = 8;
  if (host.Options) {
    const TIniOptions& o = *host.Options;
    p.OwnedFont = CreateFontIndirect(o.Fonts[kCompareKind]);
    if (!o.SystemColors) {
      p.Base.TextColor = o.Colors[kCompareKind].Text;
      p.Base.MarkColor = o.Colors[kCompareKind].Highlight;
      p.OwnedBrush = CreateSolidBrush(o.Colors[kCompareKind].Back);
    }
    tabSize = o.TabCols;
  }
  p.Base.Font = p.OwnedFont ? p.OwnedFont : GetStockFont();
  p.Base.Background = p.OwnedBrush;
  p.Extra = &extra;
  p.Engine = &engine;
  p.TabSize = tabSize;
  p.Profile = host.Profile;

  std::string title(LoadResString(24));
  if (host.Counter) title += " " + std::to_string((*host.Counter)++);
  TMdiCreateStruct create;
  create.ClassName = ChildClassInfo(wkDiff)->Name;
  create.Title = title;
  create.Style = WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
  bool maximized = false;
  if (MdiGetActive(host.Client, &maximized) && maximized) create.Style |= WS_MAXIMIZE;
  create.Params = &p;
  auto window = static_cast<TWindow>(
      SendMessage(host.Client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&create)));
  TDiffChildData* d = DiffOf(window);
  if (!d) {
    // The object never took them when it was never made; a made one freed them.
    if (engine) {
      if (p.OwnedFont) DeleteFont(p.OwnedFont);
      if (p.OwnedBrush) DeleteBrush(p.OwnedBrush);
    }
    if (window) SendMessage(host.Client, WM_MDIDESTROY, static_cast<uintptr_t>(window), 0);
    MessageBeep(0);
    return 0;
  }
  d->ReportCount();
  return window;
}

TWindow RunCompareCommand(const TCompareHost& host) {
  if (Running > 0) {
    MessageBeep(0);
    return 0;
  }
  TCompareParam param;
  TDiffExtraData extra;
  ReadCompareDefaults(host.Profile, extra);
  TCompareDialogSetup setup;
  if (host.Profile) {
    param.IgnoreSpaces = host.Profile->ReadBool(kOptionsSection, "IgnoreSpaces", false);
    param.IgnoreCase = host.Profile->ReadBool(kOptionsSection, "IgnoreCase", false);
  }
  if (host.Options) {
    TIniOptions& o = *host.Options;
    param.FirstHistory = o.CompareLeft.Items();
    param.SecondHistory = o.CompareRight.Items();
    if (!param.FirstHistory.empty()) param.FirstFile = param.FirstHistory.front();
    if (!param.SecondHistory.empty()) param.SecondFile = param.SecondHistory.front();
    std::string filter;
    for (const std::string& f : o.Filters) filter += f + "|";
    if (!filter.empty()) setup.Filter = filter;
    setup.InitialDir = o.InitDir;
  }
  if (!RunCompareDialog(host.Frame, param, setup)) return 0;
  if (host.Options) {
    host.Options->CompareLeft.Add(param.FirstFile);
    host.Options->CompareRight.Add(param.SecondFile);
  }
  if (host.Profile) {
    host.Profile->WriteBool(kOptionsSection, "IgnoreSpaces", param.IgnoreSpaces != 0);
    host.Profile->WriteBool(kOptionsSection, "IgnoreCase", param.IgnoreCase != 0);
  }
  extra.FirstFile = Absolute(param.FirstFile);
  extra.SecondFile = Absolute(param.SecondFile);
  extra.IgnoreSpaces = param.IgnoreSpaces;
  extra.IgnoreBlankLines = param.IgnoreBlankLines;
  extra.IgnoreCase = param.IgnoreCase;
  return OpenCompareWindow(host, extra);
}

void CompareWindowCommand(TWindow window, uint16_t command) {
  TDiffChildData* d = DiffOf(window);
  if (!d || d->Busy) {
    MessageBeep(0);
    return;
  }
  switch (command) {
    case 904: d->NextDifference(); break;
    case 905: d->PreviousDifference(); break;
    case 906: d->GotoTopRow(); break;
    case 907: d->Refresh(); break;
    case 908: d->ToggleLayout(); break;
    case 909: d->ToggleOnlyDifferences(); break;
    default: MessageBeep(0); break;
  }
}

void CheckCompareMenuItems(TWindow window, TMenu popup) {
  const TDiffChildData* d = DiffOf(window);
  if (!d || !popup) return;
  CheckMenuItem(popup, 908, MF_BYCOMMAND | (d->Extra.Layout == dlAboveEachOther ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(popup, 909, MF_BYCOMMAND | (d->Extra.OnlyDifferences ? MF_CHECKED : MF_UNCHECKED));
}

std::string CompareCountText(int32_t count) {
  if (count == 0) return std::string(LoadResString(25));
  std::string text(LoadResString(26));
  const size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(count));
  return text;
}

void ShowComparedFiles(TWindow client, const TGotoDiffParam& request, const TOpenAtLine& open) {
  if (!client || !open) return;
  std::vector<TWindow> shown;
  bool opened = false;
  auto show = [&](const std::string& name, int32_t line) {
    if (line < 0 || name.empty()) return;
    auto [window, isNew] = open(name, line);
    opened |= isNew;
    if (window && std::find(shown.begin(), shown.end(), window) == shown.end()) shown.push_back(window);
  };
  show(request.FirstFile, request.FirstLine);
  show(request.SecondFile, request.SecondLine);
  if (shown.empty()) return;
  if (opened) {
    for (TWindow w : MdiChildren(client)) {
      if (std::find(shown.begin(), shown.end(), w) == shown.end() && !IsIconic(w)) {
        SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      }
    }
    for (TWindow w : shown) {
      if (IsIconic(w)) SendMessage(client, WM_MDIRESTORE, static_cast<uintptr_t>(w), 0);
    }
    // The tiling follows the order of activation: the first file goes on top.
    SendMessage(client, WM_MDIACTIVATE, static_cast<uintptr_t>(shown.front()), 0);
    SendMessage(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
  }
  SendMessage(client, WM_MDIACTIVATE, static_cast<uintptr_t>(shown.front()), 0);
}
