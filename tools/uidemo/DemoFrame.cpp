// The frame window of the demonstration and its commands.
#include "tools/uidemo/DemoFrame.h"

#include <array>
#include <fstream>
#include <string>

#include "platform/ui/Clipboard.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/DragDrop.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/ToolBarButtons.h"
#include "tools/uidemo/DemoChild.h"
#include "tools/uidemo/DemoDialogs.h"

namespace uidemo {

using namespace platform;

namespace {

constexpr std::string_view kFrameClass = "UiDemoFrame";
constexpr int32_t kClientId = 1;
constexpr int32_t kToolBarId = 2;
constexpr int32_t kStatusBarId = 3;
constexpr int32_t kWindowPopup = 4;  // position of "&Fenster" in the bar

using E = TMenuEntry;
constexpr std::array kMenu = {
    E{E::Popup, 0, "&Datei", 0},
    E{E::Item, kCmdNew, "&Neu\tStrg+N", 0},
    E{E::Item, kCmdOpen, "Ö&ffnen...\tStrg+O", 0},
    E{E::Separator, 0, "", 0},
    E{E::Item, kCmdQuit, "&Beenden\tStrg+Q", 0},
    E{E::End, 0, "", 0},
    E{E::Popup, 0, "&Bearbeiten", 0},
    E{E::Item, kCmdCopy, "&Kopieren\tStrg+C", 0},
    E{E::Item, kCmdPaste, "&Einfügen\tStrg+V", 0},
    E{E::End, 0, "", 0},
    E{E::Popup, 0, "&Ansicht", 0},
    E{E::Item, kCmdToolBar, "&Symbolleiste", MF_CHECKED},
    E{E::Item, kCmdStatusBar, "S&tatusleiste", MF_CHECKED},
    E{E::End, 0, "", 0},
    E{E::Popup, 0, "E&xtras", 0},
    E{E::Item, kCmdControls, "&Steuerelemente...\tF5", 0},
    E{E::Item, kCmdSheet, "&Einstellungen...\tF7", 0},
    E{E::Separator, 0, "", 0},
    E{E::Item, kCmdFont, "Sc&hriftart...", 0},
    E{E::Item, kCmdColor, "&Farbe...", 0},
    E{E::End, 0, "", 0},
    E{E::Popup, 0, "&Fenster", 0},
    E{E::Item, kCmdCascade, "Ü&berlappend", 0},
    E{E::Item, kCmdTileVert, "&Nebeneinander", 0},
    E{E::Item, kCmdTileHorz, "&Untereinander", 0},
    E{E::Item, kCmdIcons, "&Symbole anordnen", 0},
    E{E::End, 0, "", 0},
};

constexpr std::array kAccelerators = {
    TAccel{FVIRTKEY | FCONTROL, 'N', kCmdNew},   TAccel{FVIRTKEY | FCONTROL, 'O', kCmdOpen},
    TAccel{FVIRTKEY | FCONTROL, 'Q', kCmdQuit},  TAccel{FVIRTKEY | FCONTROL, 'C', kCmdCopy},
    TAccel{FVIRTKEY | FCONTROL, 'V', kCmdPaste}, TAccel{FVIRTKEY, VK_F1 + 4, kCmdControls},
    TAccel{FVIRTKEY, VK_F1 + 6, kCmdSheet},
};

// Images of the editor's strip: new, open, copy, paste.
constexpr std::array kButtons = {
    TToolButton{0, kCmdNew}, TToolButton{1, kCmdOpen}, TToolButton{8, kCmdCopy},
    TToolButton{9, kCmdPaste}, TToolButton{2, kCmdControls},
};
constexpr std::array<int32_t, 6> kArrangement = {0, 1, kToolSeparator, 2, 3, 4};

struct TFrameParts {
  TWindow Client = 0;
  TWindow ToolBar = 0;
  TWindow StatusBar = 0;
  int32_t Untitled = 1;
};

TFrameParts* Parts(TWindow frame) {
  return reinterpret_cast<TFrameParts*>(GetWindowExtra(frame, 0));
}

TWindow NewChild(TWindow client, std::string_view title, const TDemoText& text) {
  TMdiCreateStruct create;
  create.ClassName = kChildClass;
  create.Title = title;
  create.Style = WS_VISIBLE;
  create.Params = &text;
  return static_cast<TWindow>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&create)));
}

void Layout(TWindow frame, TFrameParts& parts) {
  TRect r = GetClientRect(frame);
  int32_t top = 0;
  int32_t bottom = r.Bottom;
  if (parts.ToolBar && IsWindowVisible(parts.ToolBar)) {
    top = ToolBarHeight(parts.ToolBar);
    MoveWindow(parts.ToolBar, TRect{0, 0, r.Right, top});
  }
  if (parts.StatusBar && IsWindowVisible(parts.StatusBar)) {
    int32_t h = StatusBarHeight(parts.StatusBar);
    bottom -= h;
    MoveWindow(parts.StatusBar, TRect{0, bottom, r.Right, r.Bottom});
  }
  MoveWindow(parts.Client, TRect{0, top, r.Right, std::max(bottom, top)});
}

void ShowStatus(TFrameParts& parts) {
  TWindow active = MdiGetActive(parts.Client);
  TDemoText* text = ChildText(active);
  StatusBarSetText(parts.StatusBar, 0, active ? GetWindowText(active) : "Kein Fenster");
  StatusBarSetText(parts.StatusBar, 1, !text ? "" : text->Oem ? "DOS (850)" : "Windows (1252)");
  StatusBarSetText(parts.StatusBar, 2, IsClipboardFormatAvailable(CF_TEXT)
                                           ? "Zwischenablage: Text"
                                           : "Zwischenablage: leer");
}

void OpenFiles(TWindow frame, TFrameParts& parts, const std::vector<std::string>& files) {
  for (const std::string& path : files) {
    std::ifstream in(path, std::ios::binary);
    TDemoText text;
    std::string line;
    for (int32_t n = 0; n < 30 && std::getline(in, line); ++n) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      text.Bytes += (n ? "\r\n" : "") + line;
    }
    if (!in && text.Bytes.empty()) text.Bytes = "(nicht lesbar)";
    NewChild(parts.Client, path, text);
  }
  ActivateWindow(frame);
}

void ToggleBar(TWindow frame, TFrameParts& parts, TWindow bar, uint16_t command) {
  bool show = !IsWindowVisible(bar);
  ShowWindow(bar, show);
  CheckMenuItem(GetMenu(frame), command, show ? MF_CHECKED : MF_UNCHECKED);
  Layout(frame, parts);
}

void Command(TWindow frame, TFrameParts& parts, uint16_t command) {
  TWindow active = MdiGetActive(parts.Client);
  switch (command) {
    case kCmdNew: {
      std::string title = "Unbenannt" + std::to_string(parts.Untitled++);
      NewChild(parts.Client, title, TDemoText{"", false});
      break;
    }
    case kCmdOpen: {
      TFileDialog dialog;
      dialog.Owner = frame;
      dialog.Title = "Datei öffnen";
      dialog.Filter = "Textdateien (*.txt;*.c;*.ini)|*.txt;*.c;*.ini|Alle Dateien (*.*)|*.*|";
      if (GetOpenFileName(dialog)) OpenFiles(frame, parts, dialog.Files);
      break;
    }
    case kCmdQuit:
      PostMessage(frame, WM_CLOSE, 0, 0);
      break;
    case kCmdCopy:
      if (!CopyChildText(active)) MessageBeep(0);
      break;
    case kCmdPaste:
      if (!PasteIntoChild(active)) MessageBeep(0);
      break;
    case kCmdToolBar:
      ToggleBar(frame, parts, parts.ToolBar, command);
      break;
    case kCmdStatusBar:
      ToggleBar(frame, parts, parts.StatusBar, command);
      break;
    case kCmdControls:
      ShowControlsDialog(frame);
      break;
    case kCmdSheet:
      ShowPropertySheet(frame);
      break;
    case kCmdFont: {
      TFontDialog dialog;
      dialog.Owner = frame;
      dialog.Flags = CF_FIXEDPITCHONLY;
      ChooseFont(dialog);
      break;
    }
    case kCmdColor: {
      TColorDialog dialog;
      dialog.Owner = frame;
      ChooseColor(dialog);
      break;
    }
    case kCmdCascade:
      SendMessage(parts.Client, WM_MDICASCADE, 0, 0);
      break;
    case kCmdTileVert:
      SendMessage(parts.Client, WM_MDITILE, MDITILE_VERTICAL, 0);
      break;
    case kCmdTileHorz:
      SendMessage(parts.Client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
      break;
    case kCmdIcons:
      SendMessage(parts.Client, WM_MDIICONARRANGE, 0, 0);
      break;
    default:
      break;
  }
  ShowStatus(parts);
}

bool Create(TWindow frame) {
  auto parts = std::make_unique<TFrameParts>();
  TMenu menu = LoadMenuIndirect(kMenu);
  if (!menu || !SetMenu(frame, menu)) return false;
  TClientCreateStruct clientCreate{GetSubMenu(menu, kWindowPopup), kCmdFirstChild};
  parts->Client = CreateMdiClient(frame, GetClientRect(frame), WS_CHILD | WS_VISIBLE, kClientId,
                                  clientCreate);
  parts->ToolBar = CreateToolBar(frame, kToolBarId, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT |
                                 TBSTYLE_TOOLTIPS, EditorToolImages(), kButtons, kArrangement);
  parts->StatusBar = CreateStatusBar(frame, kStatusBarId, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP);
  if (!parts->Client || !parts->ToolBar || !parts->StatusBar) return false;
  const int32_t edges[] = {260, 400, -1};
  StatusBarSetParts(parts->StatusBar, edges);
  DragAcceptFiles(frame, true);
  AddClipboardFormatListener(frame);
  SetWindowExtra(frame, 0, reinterpret_cast<intptr_t>(parts.release()));
  return true;
}

intptr_t FrameProc(TWindow frame, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TFrameParts* parts = Parts(frame);
  TWindow client = parts ? parts->Client : 0;
  switch (message) {
    case WM_CREATE:
      return Create(frame) ? 0 : -1;
    case WM_SIZE:
      if (parts) Layout(frame, *parts);
      return 0;
    case WM_COMMAND:
      if (parts && HiWord(wParam) <= 1 && LoWord(wParam) < kCmdFirstChild) {
        Command(frame, *parts, static_cast<uint16_t>(LoWord(wParam)));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<TNmHdr*>(lParam);
      if (header->Code == TTN_GETDISPINFO) {
        auto* tip = reinterpret_cast<TNmToolBar*>(lParam);
        std::string label = MenuLabel(GetMenuString(GetMenu(frame), tip->Command, MF_BYCOMMAND));
        tip->Text = label.empty() ? "Steuerelemente" : label;
        return 0;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      EnableMenuItem(GetMenu(frame), kCmdPaste,
                     IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED);
      EnableMenuItem(GetMenu(frame), kCmdCopy, MdiGetActive(client) ? MF_ENABLED : MF_GRAYED);
      break;
    case WM_CLIPBOARDUPDATE:
      if (parts) {
        ToolBarEnable(parts->ToolBar, kCmdPaste, IsClipboardFormatAvailable(CF_TEXT));
        ShowStatus(*parts);
      }
      return 0;
    case kChildActivated:
      if (parts) ShowStatus(*parts);
      return 0;
    case WM_DROPFILES: {
      auto drop = static_cast<THandle>(wParam);
      std::vector<std::string> files;
      for (uint32_t i = 0; i < DragQueryFileCount(drop); ++i) files.push_back(DragQueryFile(drop, i));
      DragFinish(drop);
      if (parts) OpenFiles(frame, *parts, files);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(frame);
      return 0;
    case WM_DESTROY:
      RemoveClipboardFormatListener(frame);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      delete parts;
      SetWindowExtra(frame, 0, 0);
      return 0;
    default:
      break;
  }
  return DefFrameProc(frame, client, message, wParam, lParam);
}

}  // namespace

TWindow CreateDemoFrame() {
  TWindowClass cls;
  cls.Name = std::string(kFrameClass);
  cls.Proc = FrameProc;
  cls.Background = COLOR_BTNFACE + 1;
  if (!RegisterWindowClass(cls) || !RegisterChildClass()) return 0;
  TWindow frame = CreateWindowEx(0, kFrameClass, kFrameCaption, 0, TRect{40, 40, 940, 680}, 0,
                                 nullptr);
  if (!frame) return 0;
  TWindow client = DemoClient(frame);
  // Document texts are bytes: Windows-1252 in the first window, DOS 850 in the second.
  TWindow first = NewChild(client, "Windows-Text", TDemoText{
      "Gr\xFC\xDF" "e aus dem Windows-Zeichensatz:\r\n\t\xC4rger, \xD6l, \xDC" "bel, Stra\xDF" "e\r\n"
      "Strg+C kopiert den Text des Fensters,\r\nStrg+V f\xFCgt ihn im anderen Fenster ein.\r\n"
      "Mit der Maus ziehen: verschieben, mit Strg: kopieren.", false});
  TWindow second = NewChild(client, "DOS-Text", TDemoText{
      "Gr\x81\xE1" "e aus dem DOS-Zeichensatz:\r\n\t\x8Erger, \x99l, \x9A" "bel, Stra\xE1" "e", true});
  if (!first || !second) return 0;
  // Tiled once the frame shows, so that the client has its final size.
  ShowWindow(frame, true);
  SendMessage(client, WM_MDITILE, MDITILE_VERTICAL, 0);
  if (TFrameParts* parts = Parts(frame)) ShowStatus(*parts);
  return frame;
}

TWindow DemoClient(TWindow frame) {
  TFrameParts* parts = Parts(frame);
  return parts ? parts->Client : 0;
}

std::span<const TAccel> DemoAccelerators() { return kAccelerators; }

}  // namespace uidemo
