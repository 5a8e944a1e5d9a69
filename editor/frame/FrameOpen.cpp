// Creating document windows, checking what they loaded, opening files and processing a
// start-up request.
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "editor/frame/Frame.h"
#include "editor/frame/ShowMessage.h"
#include "editor/hex/HexChildData.h"
#include "editor/search/SyntaxColorInfo.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "editor/text/TextFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

// Dialog 422: a file that is no text file.
constexpr int32_t kHexButton = 1;
constexpr int32_t kConvertButton = 2;
constexpr TDialogItem kNonTextItems[] = {
    {kStaticClass,
     "Die Datei ist wahrscheinlich keine Textdatei. Sie enthält\nNull-Bytes oder Zeilen sind zu "
     "lang.",
     WS_VISIBLE | SS_LEFT, {8, 8, 212, 36}, -1},
    {kButtonClass, "He&x-Editor", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {8, 44, 72, 58}, kHexButton},
    {kButtonClass, "&Umwandeln", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {78, 44, 142, 58},
     kConvertButton},
    {kButtonClass, "Abbrechen", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {148, 44, 212, 58}, IDCANCEL},
};

intptr_t NonTextProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_INITDIALOG) {
    // The hex editor window is not part of this build: its button is greyed.
    if (lParam == 0) EnableWindow(GetDlgItem(dialog, kHexButton), false);
    return 1;
  }
  if (message == WM_COMMAND) {
    int32_t id = static_cast<int32_t>(LoWord(wParam));
    if (id == kHexButton || id == kConvertButton || id == IDCANCEL) {
      EndDialog(dialog, id == IDCANCEL ? -100 : id);
      return 1;
    }
  }
  return 0;
}

std::string FullPath(const std::string& name) {
  if (name.empty()) return name;
  std::string path = name;
  if (path[0] != '/') {
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd) {
      path = std::string(cwd) + "/" + path;
      std::free(cwd);
    }
  }
  // Dots and doubled slashes out, without asking the disk (the file may not exist yet).
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace

// Also asked by the frame window when a search hit is to be opened.
bool HexWindowsAvailable() { return FindWindowClass(ChildClassInfo(wkHex)->Name) != nullptr; }

std::string ExpandFileName(const std::string& name) { return FullPath(name); }

bool TFrame::FindSyntax(const std::string& fileName, TSyntaxColorInfo& out) const {
  if (!Options.SyntaxColoring || ColorFile.empty()) return false;
  TProfileFile colors(ColorFile);
  if (colors.Load() != 0) return false;
  int32_t type = FindSyntaxType(ReadSyntaxExtensions(colors), fileName);
  TGlobalSyntaxColors global{Options.KeyColor, Options.CommentColor, Options.StringColor};
  return type >= 0 && LoadSyntaxColorInfo(colors, type, global, out);
}

TWindow TFrame::FindDocument(const std::string& fullPath) const {
  for (TWindow w : Documents()) {
    if (SameNoCase(ChildFileName(w), fullPath)) return w;
  }
  return 0;
}

int32_t TFrame::ReportChildStatus(TWindow window, int32_t status, int32_t attempt, uint8_t kind,
                                  const std::string& fileName) {
  if (!window || !IsWindow(window)) {
    ShowInfo(Window, LoadResString(348), 48, 3);
    ActiveChanged();
    return -50;
  }
  (void)kind;
  int32_t result = 0;
  switch (status) {
    case 0:
      return 0;
    case kHexTooLarge:
      ShowInfo(Window, HexTooLargeMessage(fileName), 48, 3);
      result = -1;
      break;
    case tfsNotText:
      if (attempt == 0) {
        if (Options.NonText == 1 && HexWindowsAvailable()) {
          result = 1;
        } else if (Options.NonText == 2 || (Options.NonText == 1 && !HexWindowsAvailable())) {
          result = 2;
        } else {
          TDialogTemplate tpl{LoadResString(48), {220, 64}, kNonTextItems, DS_MODALFRAME};
          result = static_cast<int32_t>(DialogBox(Window, tpl, NonTextProc, HexWindowsAvailable() ? 1 : 0));
          if (result != 1 && result != 2) result = -100;
        }
        break;
      }
      [[fallthrough]];
    default:
      ShowInfo(Window, std::string(LoadResString(320)) + fileName, 48, 3);
      result = status < 0 ? status : -1;
      break;
  }
  DestroyWindow(window);
  return result;
}

TWindow TFrame::CreateDocumentWindow(uint8_t kind, const std::string& fileName, const TRect* place,
                                     bool readOnly, int32_t param) {
  (void)param;
  if (SingleWindow && (kind == wkEdit || kind == wkHex)) {
    for (TWindow w : Documents()) {
      uint8_t k = ChildKind(w);
      if ((k == wkEdit || k == wkHex) && !CloseDocument(w)) {
        SingleWindow = false;
        ActiveChanged();
        break;
      }
    }
  }
  const TChildClassInfo* info = ChildClassInfo(kind);
  if (!info || !FindWindowClass(info->Name)) {
    ShowInfo(Window, LoadResString(348), 48, 3);
    return 0;
  }
  bool convertNuls = false;
  for (int32_t attempt = 0; attempt < 2; ++attempt) {
    TChildCreateParams p{};
    p.FrameWindow = Window;
    p.MdiClient = Client;
    p.Kind = kind;
    p.FileName = fileName.c_str();
    if (!TextFont) TextFont = CreateFontIndirect(Options.Fonts[0]);
    p.Font = TextFont;
    const TKindColors& colors = Options.Colors[0];
    p.TextColor = Options.SystemColors ? 0xFFFFFFFF : colors.Text;
    p.MarkColor = colors.Highlight;
    if (!TextBrush && !Options.SystemColors) TextBrush = CreateSolidBrush(colors.Back);
    p.Background = Options.SystemColors ? 0 : TextBrush;
    p.ReadOnly = readOnly || convertNuls;
    p.DosMode = DosDefault || Options.DosMode;
    p.DragDrop = Options.DragDropEdit;
    p.TabWidth = Options.TabCols;
    p.FreeCaret = Options.CursorBeyondEnd;
    p.ColumnBlock = ColumnBlockMode;
    p.LineNumbers = Options.ShowLineNumbers;
    p.LineEndMode = static_cast<uint8_t>(Options.LineEnds);
    p.KeepLocked = Options.Protect;
    p.AutoIndent = Options.AutoIndent;
    p.TypingReplacesSelection = Options.ReplaceSelection;
    p.RemoveTrailingBlanks = Options.DeleteTrailingBlanks;
    p.TabInsertsSpaces = Options.TabToSpaces;
    p.WordWrap = Options.WordWrap;
    p.WrapAtWindowEdge = Options.WrapAtWindow;
    p.WrapColumn = Options.WrapCol;
    p.NulAsSpace = convertNuls;
    p.ShowSpecial = Options.ShowExChars;
    if (kind == wkHex) {
      // Hex windows take the all-characters flag and the characters-only view in these two,
      // and the address colour as their highlight.
      p.ShowSpecial = Options.HexAllChars;
      p.ColumnBlock = Options.HexTextBlockOnly;
      p.MarkColor = Options.Colors[1].Highlight;
    }
    std::string title = fileName;
    if (title.empty()) title = std::string(LoadResString(2)) + " " + std::to_string(Untitled++);
    TMdiCreateStruct create;
    create.ClassName = info->Name;
    create.Title = title;
    create.Style = WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    bool activeMaximized = false;
    TWindow active = Active(&activeMaximized);
    if (place) {
      if (place->Left == INT32_MAX) {
        create.Style |= WS_MAXIMIZE;
      } else {
        create.Rect = *place;
      }
    } else if (active ? activeMaximized : Options.OpenZoomed) {
      create.Style |= WS_MAXIMIZE;
    }
    create.Params = &p;
    auto window = static_cast<TWindow>(SendMessage(Client, WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&create)));
    int32_t status = window ? ChildLoad(window) : 0;
    TSyntaxColorInfo syntax;
    if (window && status == 0 && !fileName.empty() && FindSyntax(fileName, syntax)) {
      if (auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window))) edit->SetSyntaxColoring(&syntax);
    }
    int32_t result = ReportChildStatus(window, status, attempt, kind, fileName);
    if (result == 0) {
      ActiveChanged();
      return window;
    }
    if (result == 1 && HexWindowsAvailable() && kind != wkHex) {
      kind = wkHex;
      info = ChildClassInfo(kind);
      continue;
    }
    if (result == 2 && !convertNuls) {
      convertNuls = true;
      continue;
    }
    break;
  }
  ActiveChanged();
  return 0;
}

TWindow TFrame::OpenFile(const std::string& name, bool readOnly, const TFilePosition* position,
                         bool forcePosition) {
  std::string path = FullPath(name);
  if (path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".~ZK") == 0) {
    MessageBeep(0);
    return 0;
  }
  TWindow window = FindDocument(path);
  if (window) {
    if (IsIconic(window)) SendMessage(Client, WM_MDIRESTORE, static_cast<uintptr_t>(window), 0);
    SendMessage(Client, WM_MDIACTIVATE, static_cast<uintptr_t>(window), 0);
  } else {
    uint8_t kind = position && position->Hex && HexWindowsAvailable() ? wkHex : wkEdit;
    window = CreateDocumentWindow(kind, path, nullptr, readOnly);
    if (!window) return 0;
  }
  if (position && (forcePosition || Options.GotoLastPos) && ChildKind(window) == wkEdit) {
    ChildGoto(window, std::max(position->Line - 1, 0), std::max(position->Column - 1, 0), false);
  }
  if (position && position->Hex && (forcePosition || Options.GotoLastPos)) {
    if (THexChildData* hex = HexChild(window)) hex->GotoOffset(std::max(position->Line, 0), false);
  }
  return window;
}

void TFrame::ProcessRequest(const TStartupRequest& request) {
  std::string file = RequestFileName(request);
  std::string group = RequestGroupName(request);
  if (!file.empty()) {
    DosDefault = request.Dos != 0;
    TFilePosition position{request.Line, request.Column, request.Hex != 0};
    OpenFile(file, false, &position, true);
    DosDefault = false;
    if (request.Print && Active()) {
      PrintAllActive();
      if (request.WasMinimized) SendMessage(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      // Started only to print: the program ends after printing.
      if (request.OwnStartup) PostMessage(Window, WM_CLOSE, 0, 0);
    } else if (request.WasMinimized) {
      SendMessage(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
  }
  if (!group.empty()) {
    int32_t index = Lists.Groups.IndexOf(group);
    if (index >= 0) {
      const TFileList& files = Lists.Groups[static_cast<size_t>(index)].Files;
      for (size_t i = 0; i < files.Size(); ++i) OpenFile(files[i].Name, false, &files[i].Position, false);
    }
  }
  if (!file.empty() || !group.empty() || !request.OwnStartup) return;
  switch (Options.AutoOpen) {
    case 1:
      CreateDocumentWindow(wkEdit, "", nullptr, false);
      break;
    case 2:
      if (!Lists.Recent.Empty()) OpenFile(Lists.Recent[0].Name, false, &Lists.Recent[0].Position, false);
      break;
    case 3: {
      size_t n = std::min<size_t>(static_cast<size_t>(std::max(Options.OpenedFiles, 0)), Lists.Recent.Size());
      for (size_t i = n; i-- > 0;) OpenFile(Lists.Recent[i].Name, false, &Lists.Recent[i].Position, false);
      break;
    }
    default:
      break;
  }
}
