// The frame window: creation of client, bars and menus, layout, the private messages, the
// document windows' notifications, and the bars and menus that follow the active window.
#include <algorithm>

#include "editor/compare/CompareWindow.h"
#include "editor/frame/CommandAvailable.h"
#include "editor/frame/CommandTable.h"
#include "editor/frame/Frame.h"
#include "editor/frame/FrameSettings.h"
#include "editor/settings/FileListDialogs.h"
#include "editor/grep/GrepChildData.h"
#include "editor/grep/GrepWindow.h"
#include "editor/frame/HandOver.h"
#include "editor/frame/ShowMessage.h"
#include "editor/frame/StatusTexts.h"
#include "editor/frame/ToolBarLayout.h"
#include "editor/hex/HexChildData.h"
#ifdef ZK_HEX_FIND
#include "editor/hex/HexWindowSearch.h"
#endif
#include "editor/print/EditorPrinting.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "editor/text/TextChildData.h"
#include "platform/ui/DragDrop.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/SystemMetrics.h"
#include "editor/find/FindController.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Menus.h"
#include "resources/zkedit32/Strings.h"
#include "resources/zkedit32/ToolBarButtons.h"

using namespace platform;

std::string ExpandFileName(const std::string& name);

namespace {

// Buttons whose state follows the active window.
constexpr uint16_t kWindowButtons[] = {114, 117, 122, 123, 151, 176, 178, 180, 197, 193, 226, 224, 225};
// Buttons whose state changes with typing (the idle step).
constexpr uint16_t kIdleButtons[] = {144, 145, 146, 147, 148, 149, 177};

std::vector<int32_t> Arrangement(const std::string& layout) {
  std::vector<int32_t> out;
  for (uint8_t code : ParseToolBarLayout(layout)) {
    out.push_back(code < kToolButtonCount ? code : kToolSeparator);
  }
  return out;
}

}  // namespace

TFrame::TFrame() = default;

TFrame::~TFrame() {
  if (Window && IsWindow(Window)) {
    SetWindowExtra(Window, 0, 0);
    DestroyWindow(Window);
  }
  for (TMenu menu : {MenuNoDocuments, MenuDocuments}) {
    if (menu && IsMenu(menu)) DestroyMenu(menu);
  }
}

TFrame* FrameOf(TWindow window) {
  if (!window || GetClassName(window) != kFrameClass) return nullptr;
  return reinterpret_cast<TFrame*>(GetWindowExtra(window, 0));
}

bool TFrame::Create() {
  if (!FindWindowClass(kFrameClass)) {
    TWindowClass cls;
    cls.Name = kFrameClass;
    cls.Proc = FrameWindowProc;
    // The bars take their colours from the frame: the dialog face, as elsewhere on the desktop.
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return false;
  }
  MenuNoDocuments = LoadMenuIndirect(EditorMenu(kMenuNoDocuments));
  MenuDocuments = LoadMenuIndirect(EditorMenu(kMenuDocuments));
  if (!MenuNoDocuments || !MenuDocuments) return false;
  TRect rect{Options.WinX, Options.WinY, Options.WinX + Options.WinW, Options.WinY + Options.WinH};
  Window = CreateWindowEx(WS_EX_ACCEPTFILES, kFrameClass, LoadResString(0), 0, rect, 0, this);
  if (!Window) return false;
  for (uint8_t kind = wkEdit; kind <= wkEdit; ++kind) {
    if (!FindWindowClass(ChildClassInfo(kind)->Name) &&
        !RegisterChildClass(kind, EditChildProc, EditorIcon(205))) {
      return false;
    }
  }
  if (!FindWindowClass(ChildClassInfo(wkHex)->Name) &&
      !RegisterChildClass(wkHex, HexChildProc, EditorIcon(206))) {
    return false;
  }
#ifdef ZK_HEX_FIND
  RegisterHexWindowSearch();
#endif
  return true;
}

void TFrame::Show() {
  ShowWindow(Window, true);
  if (Options.WinMaximized) SendMessage(Window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  UpdateWindow(Window);
}

TWindow TFrame::Active(bool* maximized) const {
  return Client ? MdiGetActive(Client, maximized) : 0;
}

std::vector<TWindow> TFrame::Documents() const {
  return Client ? MdiChildren(Client) : std::vector<TWindow>{};
}

std::string TFrame::ToolBarLayoutString() const {
  std::vector<uint8_t> codes;
  for (int32_t index : ToolBarArrangement(ToolBar)) {
    codes.push_back(index < 0 ? kToolBarSeparator : static_cast<uint8_t>(index));
  }
  return FormatToolBarLayout(codes);
}

void TFrame::Layout() {
  if (!Client) return;
  TRect r = GetClientRect(Window);
  int32_t top = 0, bottom = r.Bottom;
  if (ToolBar && IsWindowVisible(ToolBar)) {
    top = ToolBarHeight(ToolBar);
    MoveWindow(ToolBar, TRect{0, 0, r.Right, top});
  }
  if (StatusBar && IsWindowVisible(StatusBar)) {
    bottom -= StatusBarHeight(StatusBar);
    MoveWindow(StatusBar, TRect{0, bottom, r.Right, r.Bottom});
  }
  MoveWindow(Client, TRect{0, top, r.Right, std::max(bottom, top)});
}

bool TFrame::IsAvailable(uint16_t command) const {
  TCommandContext c = ReadCommandContext(Active());
  c.ColumnBlockMode = ColumnBlockMode;
  c.MailAvailable = MailAvailable;
  c.ModelessOpen = Modeless != 0;
  c.SearchTextExists = Finder && Finder->HasRequest();
  c.ReplaceRunning = Finder && Finder->ReplaceRunning();
  return CommandAvailable(c, command);
}

void TFrame::ApplyGlobalModes(TWindow window) {
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(window));
  if (!text) return;
  if (text->FixedPitch) text->SetColumnBlock(ColumnBlockMode);
  if (text->LineNumbers != Options.ShowLineNumbers) {
    text->LineNumbers = Options.ShowLineNumbers;
    text->UpdateRanges(true);
    InvalidateRect(window, nullptr);
  }
  ChildSetShowSpecial(window, Options.ShowExChars);
}

void TFrame::ActiveChanged() {
  bool maximized = false;
  TWindow active = Active(&maximized);
  uint8_t kind = active ? ChildKind(active) : wkNone;
  TMenu want = kind == wkNone ? MenuNoDocuments : MenuDocuments;
  if (GetMenu(Window) != want) {
    TMenu windowPopup = GetSubMenu(MenuDocuments, kWindowMenuPosition);
    SendMessage(Client, WM_MDISETMENU, static_cast<uintptr_t>(want),
                static_cast<intptr_t>(windowPopup));
    DrawMenuBar(Window);
  }
  if (kind != wkNone) {
    CheckMenuItem(MenuDocuments, 197, ChildDosMode(active) ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(MenuDocuments, 204, ChildReadOnly(active) ? MF_CHECKED : MF_UNCHECKED);
    THexChildData* hex = HexChild(active);
    CheckMenuItem(MenuDocuments, 155, hex && hex->Extended() ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(MenuDocuments, 195, Options.HexTextBlockOnly ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(MenuDocuments, 196, Options.HexAllChars ? MF_CHECKED : MF_UNCHECKED);
  }
  CheckMenuItem(MenuDocuments, 151, ColumnBlockMode ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(MenuDocuments, 192, Options.ShowLineNumbers ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(MenuDocuments, 193, Options.ShowExChars ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(MenuDocuments, 230, SingleWindow ? MF_CHECKED : MF_UNCHECKED);
  if (ToolBar) {
    for (uint16_t command : kWindowButtons) ToolBarEnable(ToolBar, command, IsAvailable(command));
    ToolBarCheck(ToolBar, 197, kind != wkNone && ChildDosMode(active));
    ToolBarCheck(ToolBar, 151, ColumnBlockMode);
    ToolBarCheck(ToolBar, 193, Options.ShowExChars);
    ToolBarCheck(ToolBar, 230, SingleWindow);
    // One position carries 202 with text windows and 203, pressed, with hex windows.
    if (kind == wkHex) {
      ToolBarSetCommand(ToolBar, 202, 203);
    } else {
      ToolBarSetCommand(ToolBar, 203, 202);
    }
    ToolBarCheck(ToolBar, kind == wkHex ? 203 : 202, kind == wkHex);
    ToolBarEnable(ToolBar, kind == wkHex ? 203 : 202, IsAvailable(kind == wkHex ? 203 : 202));
    IdleStep();
  }
  UpdateStatus();
}

void TFrame::IdleStep() {
  if (!ToolBar) return;
  for (uint16_t command : kIdleButtons) ToolBarEnable(ToolBar, command, IsAvailable(command));
}

void TFrame::UpdateStatus() {
  if (!StatusBar) return;
  TWindow active = Active();
  uint8_t kind = active ? ChildKind(active) : wkNone;
  // A running search keeps its single part with the wait text.
  if (const TGrepChildData* g = kind == wkGrep ? GrepChildOf(active) : nullptr; g && g->Searching) {
    return;
  }
  if (kind != StatusKind) {
    StatusKind = kind;
    std::vector<int32_t> edges = ScaledStatusLayout(kind, Dpi);
    StatusBarSetParts(StatusBar, edges);
    for (size_t i = 0; i < edges.size(); ++i) StatusBarSetText(StatusBar, static_cast<int32_t>(i), "");
  }
  if (kind == wkNone) {
    StatusBarSetText(StatusBar, 0, LoadResString(23));
    return;
  }
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(active));
  if (kind == wkEdit && text) {
    StatusBarSetText(StatusBar, 0, StatusLineText(text->Caret.Line + 1));
    StatusBarSetText(StatusBar, 1, StatusColumnText(text->ScreenColumn(text->Caret.Line, text->Caret.Column) + 1));
  }
  if (kind == wkGrep) {
    // Line, column or the bar mode, the character set, then the files and hits counted.
    const TGrepChildData* grep = GrepChildOf(active);
    const bool bar = grep && grep->BarMode;
    if (text) {
      StatusBarSetText(StatusBar, 0, StatusLineText(text->Caret.Line + 1));
      const int32_t column = text->ScreenColumn(text->Caret.Line, text->Caret.Column) + 1;
      StatusBarSetText(StatusBar, 1, bar ? "" : StatusColumnText(column));
    }
    StatusBarSetText(StatusBar, 2, LoadResString(bar ? 17 : 16));
    StatusBarSetText(StatusBar, 3, StatusCharsetText(ChildDosMode(active)));
    std::string first, second;
    if (GrepStatusTexts(gphDone, active, first, second)) {
      StatusBarSetText(StatusBar, 4, first);
      StatusBarSetText(StatusBar, 5, second);
    }
    return;
  }
  StatusBarSetText(StatusBar, 2, StatusInsertText(ChildOverwrite(active)));
  StatusBarSetText(StatusBar, 3, ChildModified(active) ? LoadResString(8) : "");
  StatusBarSetText(StatusBar, 4, StatusCharsetText(ChildDosMode(active)));
  std::string info;
  if (auto* edit = dynamic_cast<TEditChildData*>(text); edit && edit->FileRecorded) {
    info = StatusFileInfoText(edit->FileDate, edit->FileSize, edit->ReadOnly);
  } else if (ChildReadOnly(active)) {
    info = "   nur lesen!";
  }
  if (THexChildData* hex = kind == wkHex ? HexChild(active) : nullptr) {
    const int64_t offset = hex->StatusOffset();
    StatusBarSetText(StatusBar, 0, StatusHexOffsetText(offset));
    StatusBarSetText(StatusBar, 1, offset >= 0 ? StatusHexByteText(hex->ByteAt(offset)) : "");
    if (hex->Cache.IsOpen()) info = StatusFileInfoText(hex->Cache.Time(), hex->FileSize(), hex->ReadOnly);
  }
  StatusBarSetText(StatusBar, 5, info);
}

void TFrame::SettingsChanged(int32_t group, intptr_t value) {
  const bool on = value != 0;
  const auto v = static_cast<int32_t>(value);
  for (TWindow w : Documents()) {
    auto* edit = dynamic_cast<TEditChildData*>(GetChildData(w));
    if (!edit) continue;
    switch (group) {
      case 11: Options.TabCols = v; edit->TabWidth = v; edit->UpdateTabStops(); break;
      case 12: Options.TabToSpaces = on; edit->TabsAsSpaces = on; break;
      case 13: Options.CursorBeyondEnd = on; edit->FreeCaret = on; break;
      case 14: Options.AutoIndent = on; edit->AutoIndent = on; break;
      case 15: Options.ReplaceSelection = on; edit->TypingReplacesSelection = on; break;
      case 16: Options.DeleteTrailingBlanks = on; edit->TrimOnSave = on; break;
      case 17: Options.WordWrap = on; edit->WordWrap = on; break;
      case 18: Options.WrapAtWindow = on; edit->WrapWin = on; break;
      case 19: Options.WrapCol = v; edit->WrapCol = v; break;
      case 20: Options.DragDropEdit = on; edit->DragDrop = on; edit->SetDropTarget(on && !edit->ReadOnly); break;
      case 25: Options.Protect = on; (void)edit->SetKeepLocked(on); break;
      default: break;
    }
    InvalidateRect(w, nullptr);
  }
  switch (group) {
    case 31:
      ShowWindow(StatusBar, Options.StatusBar);
      Layout();
      break;
    case 32:
      ShowWindow(ToolBar, Options.ToolBar);
      Layout();
      break;
    case 34:
      if (Options.ToolBarButtons != ToolBarLayoutString()) {
        std::vector<int32_t> arrangement = Arrangement(Options.ToolBarButtons);
        ToolBarSetArrangement(ToolBar, arrangement);
        ActiveChanged();
        Layout();
      }
      break;
    default:
      ApplySettingsGroup(*this, group);
      break;
  }
}

std::string MenuHint(uint16_t command, bool mailAvailable) {
  return std::string(CommandHint(command, mailAvailable));
}

void TFrame::MenuSelect(uint16_t command, uint32_t flags) {
  if (!StatusBar) return;
  if (flags == kMenuClosedFlags) {
    StatusBarSetSimple(StatusBar, false);
    return;
  }
  StatusBarSetText(StatusBar, SB_SIMPLEID, (flags & MF_POPUP) ? "" : MenuHint(command, MailAvailable));
  StatusBarSetSimple(StatusBar, true);
}

void TFrame::InitMenuPopup(TMenu popup) {
  // Every command item of the popup (and of the popups below it) follows CommandAvailable;
  // greyed commands of later windows stay greyed also with no window active.
  TWindow active = Active();
  TCommandContext c = ReadCommandContext(active);
  c.ColumnBlockMode = ColumnBlockMode;
  c.MailAvailable = MailAvailable;
  c.ModelessOpen = Modeless != 0;
  c.SearchTextExists = Finder && Finder->HasRequest();
  c.ReplaceRunning = Finder && Finder->ReplaceRunning();
  std::function<void(TMenu)> walk = [&](TMenu menu) {
    for (int32_t i = 0; i < GetMenuItemCount(menu); ++i) {
      if (TMenu sub = GetSubMenu(menu, i)) {
        walk(sub);
        continue;
      }
      uint32_t id = GetMenuItemID(menu, i);
      if (id == kNoMenuItem || id == 0 || (id >= kFirstWindowCommand && id < kFirstWindowCommand + 10)) continue;
      bool on = CommandAvailable(c, static_cast<uint16_t>(id));
      EnableMenuItem(menu, static_cast<uint32_t>(i), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
      if (id >= 260 && id <= 269) {
        bool set = (c.BookmarksSet >> (id - 260) & 1) != 0;
        CheckMenuItem(menu, static_cast<uint32_t>(i), MF_BYPOSITION | (set ? MF_CHECKED : MF_UNCHECKED));
      }
    }
  };
  walk(popup);
  if (c.Kind == wkDiff) CheckCompareMenuItems(active, popup);
}

void TFrame::RebuildRecentMenus() {
  for (TMenu bar : {MenuNoDocuments, MenuDocuments}) {
    TMenu file = GetSubMenu(bar, 0);
    if (!file) continue;
    if (GetMenuState(file, 128, MF_BYCOMMAND) != kNoMenuItem) {
      for (uint32_t id = 128; id <= 131; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
      TMenu holder = 0;
      int32_t at = 0;
      if (FindMenuCommand(file, 127, holder, at) && at > 0) DeleteMenu(file, static_cast<uint32_t>(at - 1), MF_BYPOSITION);
    }
    size_t count = std::min<size_t>(Lists.Recent.Size(), 4);
    if (count == 0) continue;
    for (size_t i = 0; i < count; ++i) {
      std::string text = RecentMenuText(i, Lists.Recent[i].Name);
      InsertMenu(file, 127, MF_BYCOMMAND | MF_STRING, 128 + i, text);
    }
    InsertMenu(file, 127, MF_BYCOMMAND | MF_SEPARATOR, 0, "");
  }
  DrawMenuBar(Window);
}

int32_t TFrameSpawn(TFrame& f, const std::vector<std::string>& args);
bool HexWindowsAvailable();

void TFrame::ChildNotify(uint32_t code, const TChildNotify* n, intptr_t lParam, intptr_t& answer) {
  answer = 0;
  switch (code) {
    case cnDestroyed:
      (void)lParam;
      ActiveChanged();
      return;
    case cnActivated:
      if (n && n->Child) {
        ApplyGlobalModes(n->Child);
        if (Options.ChangeDir) {
          std::string name = ChildFileName(n->Child);
          size_t slash = name.rfind('/');
          if (slash != std::string::npos && slash > 0 && ::chdir(name.substr(0, slash).c_str()) == 0) {
            Options.InitDir = name.substr(0, slash);
          }
        }
      }
      ActiveChanged();
      // The window layer reports no activation of the program itself; a document window
      // coming to the front is where the user returns, so the files are checked there.
      if (!CheckingFileTimes) PostMessage(Window, wm_CheckFileTimes, 0, 0);
      return;
    case cnGrepProgress: {
      std::string first, second;
      if (!StatusBar || !n || !GrepStatusTexts(n->Value1, n->Child, first, second)) return;
      // While the search runs the bar is one part with the wait text; afterwards the
      // layout of the active window comes back with the counts.
      StatusKind = 0xFF;
      if (n->Value1 == gphStart) {
        StatusBarSetParts(StatusBar, std::vector<int32_t>{-1});
        StatusBarSetText(StatusBar, 0, first);
      } else {
        UpdateStatus();
      }
      return;
    }
    case cnGrepBarMode:
      if (n) CheckMenuItem(MenuDocuments, 152, n->Value1 ? MF_UNCHECKED : MF_CHECKED);
      return;
    case cnGrepOpen: {
      const auto* r = n ? static_cast<const TGrepOpenRequest*>(n->Data) : nullptr;
      if (!r) return;
      if (r->Action == gaRun) {
        if (TFrameSpawn(*this, {"xdg-open", r->FileName}) != 0) MessageBeep(0);
        return;
      }
      // Binary files open in the hex editor at the offset, once it exists.
      if (r->Binary && !HexWindowsAvailable()) {
        MessageBeep(0);
        return;
      }
      const TFilePosition position =
          r->Binary ? TFilePosition{static_cast<int32_t>(r->Position), 0, true}
                    : TFilePosition{static_cast<int32_t>(r->Position) + 1, r->Column + 1, false};
      OpenFile(r->FileName, false, &position, true);
      return;
    }
    case cnQueryClose:
      answer = n && QueryClose(n->Child) ? 1 : 0;
      return;
    case cnRightButton: {
      if (!n) return;
      SendMessage(Client, WM_MDIACTIVATE, static_cast<uintptr_t>(n->Child), 0);
      uint32_t id = n->Kind == wkHex ? kMenuHexContext : n->Kind == wkGrep ? kMenuGrepContext
                  : n->Kind == wkDiff ? kMenuDiffContext : kMenuTextContext;
      TMenu menu = LoadMenuIndirect(EditorMenu(id), true);
      if (!menu) return;
      InitMenuPopup(menu);
      if (Options.HelpFiles.empty()) EnableMenuItem(menu, 245, MF_GRAYED);
      if (n->Kind == wkHex) CheckMenuItem(menu, 195, Options.HexTextBlockOnly ? MF_CHECKED : MF_UNCHECKED);
      TPoint at = ClientToScreen(n->Child, TPoint{LParamX(n->Value2), LParamY(n->Value2)});
      uint32_t chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at, Window);
      DestroyMenu(menu);
      if (chosen) PostMessage(Window, WM_COMMAND, chosen, 0);
      return;
    }
    case cnGotoDiff:
      if (n && n->Data) {
        ShowComparedFiles(Client, *static_cast<const TGotoDiffParam*>(n->Data),
                          [this](const std::string& name, int32_t line) {
                            bool isNew = FindDocument(ExpandFileName(name)) == 0;
                            TFilePosition at{line + 1, 1, false};
                            TWindow w = OpenFile(name, false, &at, true);
                            return std::pair<TWindow, bool>{w, isNew && w != 0};
                          });
      }
      return;
    case cnDiffCount:
      if (n && StatusBar && n->Child == Active()) StatusBarSetText(StatusBar, 0, CompareCountText(n->Value1));
      return;
    case cnDropChoice: {
      TMenu menu = LoadMenuIndirect(EditorMenu(kMenuDropChoice), true);
      if (!menu) return;
      TPoint at = GetCursorPos();
      uint32_t chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at, Window);
      DestroyMenu(menu);
      answer = chosen == 1001 ? 1 : chosen == 1002 ? 2 : 0;
      return;
    }
    case cnDosModeChanged:
      if (n) CheckMenuItem(MenuDocuments, 197, n->Value1 ? MF_CHECKED : MF_UNCHECKED);
      if (n && ToolBar) ToolBarCheck(ToolBar, 197, n->Value1 != 0);
      UpdateStatus();
      return;
    case cnInsertModeChanged:
      UpdateStatus();
      if (ToolBar) ToolBarEnable(ToolBar, 178, IsAvailable(178));
      return;
    case cnModifiedChanged:
    case cnCaretLineChanged:
    case cnCaretColumnChanged:
      if (!n || n->Child == Active()) UpdateStatus();
      return;
    case cnSelectionChanged:
      IdleStep();
      return;
    case cnHexCaretMoved:
      if (!n || n->Child == Active()) UpdateStatus();
      return;
    case cnHexModeChanged:
      CheckMenuItem(MenuDocuments, 155, n && n->Value1 ? MF_CHECKED : MF_UNCHECKED);
      UpdateStatus();
      if (ToolBar) ToolBarEnable(ToolBar, 178, IsAvailable(178));
      return;
    case cnHexAskSave:
      answer = AskYesNoCancel(Window, LoadResString(46), 71);
      if (answer == 1 && n && n->Data) {
        static_cast<THexSaveQuestion*>(const_cast<void*>(n->Data))->Backup = Options.Backup ? 1 : 0;
      }
      return;
    default:
      return;
  }
}

intptr_t FrameWindowProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TFrame* f = FrameOf(window);
  TWindow client = f ? f->Client : 0;
  if (f && f->ProgramHook && (message == WM_TIMER || message >= WM_USER + 810) &&
      f->ProgramHook(message, wParam, lParam)) {
    return 0;
  }
  // The preview asks to print, with the page count it knows (or -1).
  if (f && f->Printing && message != 0 && message == f->Printing->WantPrintMessage()) {
    f->PrintActive(static_cast<int32_t>(static_cast<intptr_t>(wParam)));
    return 0;
  }
  switch (message) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
      f = static_cast<TFrame*>(const_cast<void*>(cs->CreateParams));
      SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(f));
      f->Window = window;
      SetMenu(window, f->MenuNoDocuments);
      TClientCreateStruct create{GetSubMenu(f->MenuDocuments, kWindowMenuPosition), kFirstWindowCommand};
      f->Client = CreateMdiClient(window, GetClientRect(window),
                                  WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, kMdiClientId, create);
      uint32_t style = WS_CHILD | (f->Options.ToolBar ? WS_VISIBLE : 0) |
                       (f->Options.ToolTips ? TBSTYLE_TOOLTIPS : 0) |
                       (f->Options.ToolBarFlat ? TBSTYLE_FLAT : 0);
      std::vector<int32_t> arrangement = Arrangement(f->Options.ToolBarButtons);
      f->ToolBar = CreateToolBar(window, kToolBarId, style, EditorToolImages(), EditorToolButtons(), arrangement);
      f->StatusBar = CreateStatusBar(window, kStatusBarId,
                                     WS_CHILD | SBARS_SIZEGRIP | (f->Options.StatusBar ? WS_VISIBLE : 0));
      if (!f->Client || !f->ToolBar || !f->StatusBar) return -1;
      f->Dpi = std::max(96, GetSystemMetrics(SM_LOGPIXELSY));
      DragAcceptFiles(window, true);
      f->RebuildRecentMenus();
      ApplySettingsGroup(*f, 41);
      f->ActiveChanged();
      f->Layout();
      PostMessage(window, wm_StartupOpen, 0, 0);
      return 0;
    }
    case WM_SIZE:
      if (f) {
        f->Options.WinMaximized = GetWindowStyle(window) & WS_MAXIMIZE;
        if (!(GetWindowStyle(window) & (WS_MAXIMIZE | WS_MINIMIZE))) {
          TRect r = GetWindowRect(window);
          f->Options.WinW = r.Right - r.Left;
          f->Options.WinH = r.Bottom - r.Top;
        }
        f->Layout();
      }
      return 0;
    case WM_MOVE:
      if (f && !(GetWindowStyle(window) & (WS_MAXIMIZE | WS_MINIMIZE))) {
        TRect r = GetWindowRect(window);
        f->Options.WinX = r.Left;
        f->Options.WinY = r.Top;
      }
      break;
    case WM_ACTIVATE:
      if (f && LoWord(wParam) != 0 && !IsIconic(window)) PostMessage(window, wm_CheckFileTimes, 0, 0);
      break;
    case WM_COMMAND:
      if (!f) break;
      if (LoWord(wParam) >= kFirstWindowCommand && LoWord(wParam) < kFirstWindowCommand + 10) break;
      if (f->Modeless) {
        MessageBeep(0);
        return 0;
      }
      f->Command(static_cast<uint16_t>(LoWord(wParam)));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<TNmHdr*>(lParam);
      if (!f || !header) break;
      auto* tb = reinterpret_cast<TNmToolBar*>(lParam);
      switch (header->Code) {
        case TTN_GETDISPINFO:
          tb->Text = std::string(CommandToolTip(tb->Command));
          return 0;
        case TBN_GETBUTTONINFO:
          tb->Text = MenuHint(tb->Command, f->MailAvailable);
          return 0;
        case TBN_QUERYINSERT:
        case TBN_QUERYDELETE:
          return 1;
        case TBN_RESET:
        case TBN_CUSTHELP:
          MessageBeep(0);
          return 0;
        case TBN_TOOLBARCHANGE:
          f->Options.ToolBarButtons = f->ToolBarLayoutString();
          f->ActiveChanged();
          f->Layout();
          return 0;
        default:
          return 0;
      }
    }
    case WM_INITMENUPOPUP:
      if (f && !HiWord(static_cast<uintptr_t>(lParam))) f->InitMenuPopup(static_cast<TMenu>(wParam));
      return 0;
    case WM_MENUSELECT:
      if (f) f->MenuSelect(static_cast<uint16_t>(LoWord(wParam)), static_cast<uint32_t>(HiWord(wParam)));
      return 0;
    case WM_DROPFILES: {
      auto drop = static_cast<THandle>(wParam);
      std::vector<std::string> files;
      for (uint32_t i = 0; i < DragQueryFileCount(drop); ++i) files.push_back(DragQueryFile(drop, i));
      DragFinish(drop);
      if (f) {
        for (const std::string& name : files) f->OpenFile(name, false, nullptr, false);
      }
      ActivateWindow(window);
      return 0;
    }
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
      if (!f) break;
      if (f->Modeless) return 0;
      if (!f->CloseAll() || !f->Documents().empty()) return 0;
      if (message == WM_QUERYENDSESSION) return 1;
      DestroyWindow(window);
      return 0;
    case WM_ENDSESSION:
      // The session ends without a WM_CLOSE: settings and lists are written now.
      if (f && wParam) f->Shutdown();
      return 0;
    case WM_DESTROY:
      if (f) {
        // The attached menu goes with the window; the other one is the frame's to destroy.
        TMenu attached = GetMenu(window);
        for (TMenu* menu : {&f->MenuNoDocuments, &f->MenuDocuments}) {
          if (*menu == attached) *menu = 0;
        }
      }
      PostQuitMessage(0);
      return 0;
    case wm_ChildNotify: {
      if (!f) return 0;
      intptr_t answer = 0;
      const TChildNotify* n = wParam == cnDestroyed ? nullptr : reinterpret_cast<const TChildNotify*>(lParam);
      f->ChildNotify(static_cast<uint32_t>(wParam), n, lParam, answer);
      return answer;
    }
    case wm_StartupOpen:
      if (f) {
        TStartupRequest request = ParseCommandLine(f->Args);
        request.OwnStartup = 1;
        f->ProcessRequest(request);
      }
      return 0;
    case wm_CheckFileTimes:
      if (f) f->CheckFileTimes();
      return 0;
    case wm_RefreshRecentMenu:
      if (f) f->RebuildRecentMenus();
      return 0;
    case wm_ExtClipboardSlot:
      return f && f->ExtClipboardSlot(static_cast<int32_t>(wParam), lParam != 0) ? 1 : 0;
    case wm_OpenFileAt:
      if (f && lParam) {
        auto* at = reinterpret_cast<const TFileAtRequest*>(lParam);
        return static_cast<intptr_t>(f->OpenFile(at->FileName, false, &at->Position, true));
      }
      return 0;
    case wm_QueryActiveFile:
      if (f && lParam) {
        TWindow active = f->Active();
        uint8_t kind = active ? ChildKind(active) : wkNone;
        std::string name = active ? ChildFileName(active) : "";
        if ((kind != wkEdit && kind != wkHex) || name.empty()) return 0;
        auto* out = reinterpret_cast<TFileAtRequest*>(lParam);
        out->FileName = name;
        out->Position.Hex = kind == wkHex;
        if (auto* text = dynamic_cast<TTextChildData*>(GetChildData(active))) {
          out->Position.Line = text->Caret.Line + 1;
          out->Position.Column = text->Caret.Column + 1;
        }
        if (THexChildData* hex = HexChild(active)) {
          out->Position.Line = static_cast<int32_t>(std::min(hex->CaretOffset(), hex->FileSize()));
          out->Position.Column = 0;
        }
        return 1;
      }
      return 0;
    case wm_RemoteActivate: {
      bool minimized = IsIconic(window);
      if (minimized) SendMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
      ShowWindow(window, true);
      ActivateWindow(window);
      return minimized ? 1 : 0;
    }
    case wm_RemoteCommandLine:
      if (f && lParam) {
        TStartupRequest request = *reinterpret_cast<const TStartupRequest*>(lParam);
        request.OwnStartup = 0;
        if (request.FileName[0] || request.GroupName[0]) f->ProcessRequest(request);
      }
      return 1;
    case wm_SettingsChanged:
      if (f) f->SettingsChanged(static_cast<int32_t>(wParam), lParam);
      return 0;
    case wm_HandOverPending:
      if (f && f->HandOver) f->HandOver->Take();
      return 0;
    case WM_NCDESTROY:
      SetWindowExtra(window, 0, 0);
      if (f) {
        f->Window = 0;
        f->Client = f->ToolBar = f->StatusBar = 0;
      }
      return 0;
    default:
      break;
  }
  return DefFrameProc(window, client, message, wParam, lParam);
}
