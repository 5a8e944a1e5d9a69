// Saving, the close prompt, closing all windows and the check for files changed on disk.
#include <strings.h>

#include "editor/frame/Frame.h"
#include "editor/frame/ShowMessage.h"
#include "editor/hex/HexChildData.h"
#include "editor/search/SyntaxColorInfo.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

std::string ExpandFileName(const std::string& name);

namespace {

bool SameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Extension(const std::string& name) {
  size_t slash = name.rfind('/');
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return name.substr(dot);
}

// The line-end format a window was read in: 0 Windows/DOS, 1 Unix, 2 Macintosh. Read with
// any line end, a file whose lines all ended alike keeps that format, so that saving a Unix
// or Macintosh file does not rewrite every line end of it.
int32_t CurrentFormat(TWindow window) {
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(window));
  if (!text) return 0;
  if (text->LoadMode == lemAny) {
    return text->FoundLineEnds == leLf ? lefUnix : text->FoundLineEnds == leCr ? lefMacintosh : 0;
  }
  return text->LoadMode == lemLf ? 1 : text->LoadMode == lemCr ? 2 : 0;
}

std::string FilterString(const TIniOptions& options) {
  std::string filter;
  for (const std::string& f : options.Filters) filter += f + "|";
  if (filter.empty()) filter = std::string(LoadResString(20)) + "|";
  return filter;
}

}  // namespace

std::string DocumentTitle(TWindow window) {
  std::string title = ChildWindowText(window);
  // The modified mark the window adds ("  *") is no part of the name.
  size_t n = title.size();
  if (n >= 3 && (title[n - 1] == '*' || title[n - 2] == '*')) title.resize(n - 3);
  return title;
}

std::string TFrame::ClosePromptName(TWindow window) const {
  std::string name = ChildFileName(window);
  if (name.empty()) name = "<" + DocumentTitle(window) + ">";
  return BreakLongName(name);
}

bool TFrame::Save(TWindow window) {
  if (!window) return false;
  std::string name = ChildFileName(window);
  if (name.empty() || ChildReadOnly(window)) return SaveAs(window, false);
  return SaveToName(window, name, CurrentFormat(window), false);
}

bool TFrame::SaveAs(TWindow window, bool selection) {
  uint8_t kind = window ? ChildKind(window) : wkNone;
  if (kind != wkEdit && kind != wkHex && kind != wkGrep) return false;
  TFileDialog dialog;
  dialog.Owner = Window;
  dialog.Save = true;
  dialog.Title = LoadResString(selection ? 68 : 49);
  dialog.Filter = FilterString(Options);
  dialog.FilterIndex = Options.FilterIndex;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!selection) dialog.FileName = ChildFileName(window);
  dialog.InitialDir = Options.InitDir;
  dialog.FormatLabel = "&Zeilenende:";
  dialog.Formats = {std::string(LoadResString(80)), std::string(LoadResString(81)),
                    std::string(LoadResString(82))};
  dialog.Format = CurrentFormat(window);
  if (!GetSaveFileName(dialog) || dialog.Files.empty()) return false;
  Options.FilterIndex = dialog.FilterIndex;
  return SaveToName(window, ExpandFileName(dialog.Files[0]), dialog.Format, selection);
}

bool TFrame::SaveToName(TWindow window, const std::string& name, int32_t format, bool selection) {
  const std::string own = ChildFileName(window);
  const bool same = SameNoCase(name, own);
  if (!same) {
    if (TWindow other = FindDocument(name); other && other != window) {
      ShowInfo(Window, FormatFileText(331, name), 49, 3);
      return false;
    }
  }
  if (selection && same) {
    ShowInfo(Window, LoadResString(322), 68, 3);
    return false;
  }
  if (!selection && same && ChildReadOnly(window)) {
    ShowInfo(Window, LoadResString(323), 49, 3);
    return false;
  }
  int32_t status = selection ? ChildSaveSelection(window, name, format)
                             : ChildSave(window, name, format, Options.Backup);
  auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window));
  if (status == kSaveChangedOnDisk && edit) {
    // Someone else wrote the file since we read it: overwrite only on the user's word.
    if (!AskYesNo(Window, FormatFileText(328, BreakLongName(name)), 49)) return false;
    edit->OverwriteChangedFile = 1;
    status = ChildSave(window, name, format, Options.Backup);
    if (auto* still = dynamic_cast<TEditChildData*>(GetChildData(window))) still->OverwriteChangedFile = 0;
  }
  if (status != 0) {
    ShowInfo(Window, std::string(LoadResString(321)) + name, 49, 3);
    return false;
  }
  if (!selection && edit) {
    // The file now has the format it was saved in; the next save keeps it.
    edit->FoundLineEnds = format == lefUnix ? leLf : format == lefMacintosh ? leCr : leCrLf;
    if (!SameNoCase(Extension(own), Extension(name))) {
      TSyntaxColorInfo syntax;
      edit->SetSyntaxColoring(FindSyntax(name, syntax) ? &syntax : nullptr);
    }
    if (!same) SetWindowText(window, name);
  }
  UpdateStatus();
  return true;
}

bool TFrame::SaveAll() {
  for (TWindow w : Documents()) {
    uint8_t kind = ChildKind(w);
    if ((kind != wkEdit && kind != wkHex) || ChildReadOnly(w)) continue;
    if (!Save(w)) return false;
  }
  return true;
}

bool TFrame::QueryClose(TWindow window) {
  if (!window) return true;
  if (ChildModified(window)) {
    int32_t answer = AskYesNoCancel(Window, FormatFileText(32, ClosePromptName(window)), 50);
    if (answer < 0) return false;
    if (answer == 1 && !Save(window)) return false;
  }
  uint8_t kind = ChildKind(window);
  std::string name = ChildFileName(window);
  if ((kind == wkEdit || kind == wkHex) && !name.empty()) {
    TFilePosition position;
    if (auto* text = dynamic_cast<TTextChildData*>(GetChildData(window))) {
      position.Line = text->Caret.Line + 1;
      position.Column = text->Caret.Column + 1;
    }
    if (THexChildData* hex = HexChild(window)) {
      position.Line = static_cast<int32_t>(std::min(hex->CaretOffset(), hex->FileSize()));
      position.Column = 0;
    }
    position.Hex = kind == wkHex;
    Lists.Recent.MoveToTop(name, position);
    RebuildRecentMenus();
  }
  return true;
}

bool TFrame::CloseDocument(TWindow window) {
  if (!window || !IsWindow(window)) return true;
  SendMessage(window, WM_CLOSE, 0, 0);
  return !IsWindow(window);
}

bool TFrame::CloseAll() {
  std::vector<TWindow> windows = Documents();
  TWindow active = Active();
  int32_t closed = 0;
  for (TWindow w : windows) {
    if (w == active) continue;
    SendMessage(Client, WM_MDIACTIVATE, static_cast<uintptr_t>(w), 0);
    if (!CloseDocument(w)) {
      ClosedByCloseAll = 0;
      Options.OpenedFiles = 0;
      return false;
    }
    ++closed;
  }
  if (active && IsWindow(active)) {
    if (!CloseDocument(active)) {
      ClosedByCloseAll = 0;
      Options.OpenedFiles = 0;
      return false;
    }
    ++closed;
  }
  ClosedByCloseAll = closed;
  Options.OpenedFiles = closed;
  return true;
}

void TFrame::CheckFileTimes() {
  if (CheckingFileTimes) return;
  CheckingFileTimes = true;
  for (TWindow w : Documents()) {
    if (!IsWindow(w) || !ChildFileChangedOnDisk(w)) continue;
    ReleaseCapture();
    std::string name = ChildFileName(w);
    std::string shown = name.size() > 40 ? name + "\n" : name;
    bool reload = AskYesNo(Window, FormatFileText(324, shown), 69);
    if (ChildReload(w, reload) != 0 && reload) {
      ShowInfo(Window, std::string(LoadResString(320)) + name, 48, 3);
    }
  }
  CheckingFileTimes = false;
  UpdateStatus();
}
