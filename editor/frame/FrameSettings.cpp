// The frame's side of the settings sheet, file lists, file groups, applications and special
// help files: it hands them the frame's records and windows and applies what they change.
#include "editor/frame/FrameSettings.h"

#include <unistd.h>

#include <algorithm>

#include "editor/frame/Frame.h"
#include "editor/frame/ShowMessage.h"
#include "editor/settings/Applications.h"
#include "editor/settings/FileListDialogs.h"
#include "editor/settings/SettingsSheet.h"
#include "editor/settings/WindowLooks.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildTypes.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/file/SettingsPath.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Window.h"

using namespace platform;

int32_t TFrameSpawn(TFrame& f, const std::vector<std::string>& args);

namespace {

TFilePosition PositionOf(TWindow window) {
  TFilePosition position;
  position.Hex = ChildKind(window) == wkHex;
  if (auto* text = dynamic_cast<TTextChildData*>(GetChildData(window))) {
    position.Line = text->Caret.Line + 1;
    position.Column = text->Caret.Column + 1;
  }
  return position;
}

TFileListsHost ListsHost(TFrame& f) {
  TFileListsHost host;
  host.Owner = f.Window;
  host.Lists = &f.Lists;
  host.Options = &f.Options;
  host.QueryActiveFile = [&f](TFileListEntry& out) {
    TWindow active = f.Active();
    uint8_t kind = active ? ChildKind(active) : wkNone;
    out.Name = active ? ChildFileName(active) : "";
    if ((kind != wkEdit && kind != wkHex) || out.Name.empty()) return false;
    out.Position = PositionOf(active);
    return true;
  };
  host.OpenFileAt = [&f](const TFileListEntry& entry, bool force) {
    (void)f.OpenFile(entry.Name, false, &entry.Position, force);
  };
  host.OpenFiles = [&f] {
    std::vector<TFileListEntry> files;
    for (TWindow w : f.Documents()) {
      uint8_t kind = ChildKind(w);
      std::string name = ChildFileName(w);
      if ((kind == wkEdit || kind == wkHex) && !name.empty()) files.push_back({name, PositionOf(w)});
    }
    return files;
  };
  host.RecentChanged = [&f] { f.RebuildRecentMenus(); };
  return host;
}

void SetSystemFontCheck(TFrame& f) {
  for (TMenu bar : {f.MenuNoDocuments, f.MenuDocuments}) {
    if (bar) CheckMenuItem(bar, 198, MF_BYCOMMAND | (f.Options.SystemFonts ? MF_CHECKED : MF_UNCHECKED));
  }
}

void ApplyLooks(TFrame& f) {
  ApplyWindowLooks(f.Options, f.Documents(), f.TextFont, f.TextBrush);
  SetSystemFontCheck(f);
}

// Font dialog for the active window's kind.
void ChooseKindFont(TFrame& f) {
  TWindow active = f.Active();
  uint8_t kind = active ? ChildKind(active) : wkEdit;
  if (active && ChildDosMode(active)) {
    ShowInfo(f.Window, "Für den DOS-Modus steht keine andere Schrift\nzur Verfügung!", 0, 1);
    return;
  }
  size_t k = kind >= 1 && kind <= 4 ? kind - 1u : 0;
  TFontDialog dialog;
  dialog.Owner = f.Window;
  dialog.Font = f.Options.Fonts[k];
  if (!ChooseFont(dialog)) return;
  f.Options.Fonts[k] = dialog.Font;
  f.SettingsChanged(f.Options.SystemFonts ? 3 : 1, 0);
}

void StartApp(TFrame& f, size_t index) {
  if (index >= f.Options.Apps.Size()) return;
  TAppStartHost host;
  host.Owner = f.Window;
  host.Active = f.Active();
  host.Save = [&f](TWindow w) { return f.Save(w); };
  if (f.Spawn) {
    host.Start = [&f](const TAppCommand& command) {
      return command.WorkingDirectory.empty() ? f.Spawn(command.Args) : SpawnApplication(command);
    };
  }
  TAppEntry app = f.Options.Apps[index];
  (void)StartApplication(host, app);
}

void KeywordHelp(TFrame& f) {
  const std::string& file = f.Options.HelpFiles.empty() ? f.HelpFile : f.Options.HelpFiles[0];
  if (::access(file.c_str(), R_OK) == 0) (void)TFrameSpawn(f, {"xdg-open", file});
}

void RecreateToolBar(TFrame& f) {
  if (!f.ToolBar) return;
  std::vector<int32_t> arrangement = ToolBarArrangement(f.ToolBar);
  uint32_t style = WS_CHILD | (f.Options.ToolBar ? WS_VISIBLE : 0) |
                   (f.Options.ToolTips ? TBSTYLE_TOOLTIPS : 0) | (f.Options.ToolBarFlat ? TBSTYLE_FLAT : 0);
  const TImageStrip* images = ToolBarImages(f.ToolBar);
  std::span<const TToolButton> available = ToolBarAvailable(f.ToolBar);
  TWindow bar = images ? CreateToolBar(f.Window, kToolBarId, style, *images, available, arrangement) : 0;
  if (!bar) return;
  DestroyWindow(f.ToolBar);
  f.ToolBar = bar;
  f.StatusKind = 0xFF;
  f.ActiveChanged();
  f.Layout();
}

}  // namespace

bool IsSettingsCommand(uint16_t command) {
  switch (command) {
    case 119: case 120: case 121: case 124: case 198: case 199: case 200: case 201: case 208:
    case 243: case 245:
      return true;
    default:
      return command >= kFirstAppCommand && command < kFirstAppCommand + TAppsList::kMaxApps;
  }
}

void OpenSettingsSheet(TFrame& f, int32_t page, TWindow owner) {
  TSettingsHost host;
  host.Owner = owner ? owner : f.Window;
  host.Options = &f.Options;
  host.ColorFile = f.ColorFile;
  // An installed copy cannot write beside the program: the user's own copy takes the change.
  size_t slash = f.ColorFile.rfind('/');
  if (slash != std::string::npos) {
    host.ColorWriteFile = ResolveSettingsPaths(kSyntaxColorsFileName, f.ColorFile.substr(0, std::max<size_t>(slash, 1))).Write;
  }
  TWindow active = f.Active();
  uint8_t kind = active ? ChildKind(active) : wkNone;
  host.ActiveKind = kind >= 1 && kind <= 4 ? kind - 1 : 0;
  host.Changed = [&f](int32_t group, intptr_t value) {
    SendMessage(f.Window, wm_SettingsChanged, static_cast<uintptr_t>(group), value);
  };
  host.CustomizeToolBar = [&f] {
    if (ToolBarCustomize(f.ToolBar)) f.SettingsChanged(34, 0);
  };
  host.Help = [&f] { f.Command(240); };
  (void)RunSettingsSheet(host, page);
}

void OpenMultiReplaceSettings(TFrame& f, TWindow dialog) { OpenSettingsSheet(f, spMultiReplace, dialog); }

void SettingsCommand(TFrame& f, uint16_t command) {
  switch (command) {
    case 119: {
      TFileListsHost host = ListsHost(f);
      (void)RunFileGroupDialog(host, false);
      break;
    }
    case 120:
    case 121: {
      TFileListsHost host = ListsHost(f);
      (void)RunFileListDialog(host, command == 121);
      break;
    }
    case 124: OpenSettingsSheet(f, spPageSetup); break;
    case 198:
      f.Options.SystemFonts = !f.Options.SystemFonts;
      ApplyLooks(f);
      break;
    case 199: ChooseKindFont(f); break;
    case 200: OpenSettingsSheet(f, spColors); break;
    case 201: OpenSettingsSheet(f, spLastShown); break;
    case 208: OpenSettingsSheet(f, spApplications); break;
    case 243: {
      TFileListsHost host = ListsHost(f);
      (void)RunHelpFilesDialog(host);
      break;
    }
    case 245: KeywordHelp(f); break;
    default:
      if (command >= kFirstAppCommand) StartApp(f, command - kFirstAppCommand);
      break;
  }
}

void ApplySettingsGroup(TFrame& f, int32_t group) {
  switch (group) {
    case 1:
    case 3:
      // New fonts end the system-font mode.
      f.Options.SystemFonts = false;
      ApplyLooks(f);
      break;
    case 2:
      ApplyLooks(f);
      break;
    case 33:
    case 35:
      RecreateToolBar(f);
      break;
    case 41:
      for (TMenu bar : {f.MenuNoDocuments, f.MenuDocuments}) RebuildAppsMenu(bar, f.Options.Apps);
      if (f.Window) DrawMenuBar(f.Window);
      break;
    case 60:
      for (TWindow w : f.Documents()) {
        auto* edit = dynamic_cast<TEditChildData*>(GetChildData(w));
        std::string name = ChildFileName(w);
        if (!edit) continue;
        TSyntaxColorInfo syntax;
        edit->SetSyntaxColoring(!name.empty() && f.FindSyntax(name, syntax) ? &syntax : nullptr);
        InvalidateRect(w, nullptr);
      }
      break;
    default:
      break;
  }
}
