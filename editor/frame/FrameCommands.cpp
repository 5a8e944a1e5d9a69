// The frame's command dispatch: file, edit, view, window and help commands, and the end of
// the program with the settings written once.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <thread>

#include "editor/clipboard/ExtClipDialog.h"
#include "editor/clipboard/ExtClipboard.h"
#include "editor/compare/CompareWindow.h"
#include "editor/find/FindController.h"
#include "editor/find/TextWindowSearch.h"
#include "editor/frame/CommandAvailable.h"
#include "editor/frame/CommandTable.h"
#include "editor/frame/Frame.h"
#include "editor/frame/FrameSettings.h"
#include "editor/frame/ShowMessage.h"
#include "editor/grep/GrepWindow.h"
#include "editor/frame/StatusTexts.h"
#include "editor/hex/HexChildData.h"
#include "editor/hex/HexCommands.h"
#include "editor/print/EditorPrinting.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/file/SettingsPath.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

extern char** environ;

using namespace platform;

std::string ExpandFileName(const std::string& name);

namespace {

// Starts argv[0] from PATH without a shell and without waiting; 0, or the errno of the start.
int32_t SpawnDetached(const std::vector<std::string>& args) {
  if (args.empty()) return ENOENT;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
  if (error != 0) return error;
  // Reaped in the background so that no zombie stays; the answer is not waited for.
  std::thread([pid] { int status = 0; (void)::waitpid(pid, &status, 0); }).detach();
  return 0;
}

std::string FilterString(const TIniOptions& options) {
  std::string filter;
  for (const std::string& f : options.Filters) filter += f + "|";
  if (filter.empty()) filter = std::string(LoadResString(20)) + "|";
  return filter;
}

bool ProgramOnPath(const char* name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string dirs = path;
  size_t i = 0;
  while (i <= dirs.size()) {
    size_t j = dirs.find(':', i);
    if (j == std::string::npos) j = dirs.size();
    std::string candidate = dirs.substr(i, j - i) + "/" + name;
    if (j > i && ::access(candidate.c_str(), X_OK) == 0) return true;
    i = j + 1;
  }
  return false;
}

// The find commands' controller, made and wired to the frame at the first use.
TFindController& FindCommands(TFrame& f) {
  if (!f.Finder) {
    RegisterTextWindowSearch();
    auto c = std::make_shared<TFindController>();
    c->Owner = f.Window;
    c->StatusBar = f.StatusBar;
    c->Options = &f.Options;
    c->Documents = [&f] { return f.Documents(); };
    c->Activate = [&f](TWindow w) {
      SendMessage(f.Client, WM_MDIACTIVATE, static_cast<uintptr_t>(w), 0);
    };
    c->SetModeless = [&f](TWindow w) { f.Modeless = w; };
    c->RestoreStatus = [&f] {
      f.StatusKind = 0xFF;
      f.UpdateStatus();
    };
    c->Message = [&f](std::string_view text, uint32_t caption, int32_t icon) {
      ShowInfo(f.Window, text, caption, icon);
    };
    c->OpenMultiReplaceSettings = [&f](TWindow dialog) { OpenMultiReplaceSettings(f, dialog); };
    f.Finder = std::move(c);
  }
  return *f.Finder;
}

// Replaces a text or hex window by one of the other kind on the same file, in the same place.
void SwitchEditorKind(TFrame& f, TWindow window, uint8_t kind) {
  std::string name = ChildFileName(window);
  bool readOnly = ChildReadOnly(window);
  bool maximized = false;
  f.Active(&maximized);
  // A document window's rectangle is in its MDI client's coordinates already.
  TRect place = GetWindowRect(window);
  if (maximized) place.Left = INT32_MAX;
  if (name.empty() || !f.CloseDocument(window)) return;
  if (!f.CreateDocumentWindow(kind, name, &place, readOnly) && kind == wkEdit) {
    f.CreateDocumentWindow(wkHex, name, &place, readOnly);
  }
}

// The commands a hex window handles itself; false for the others.
bool HexWindowCommand(TFrame& f, TWindow active, uint16_t command) {
  THexChildData* hex = HexChild(active);
  if (!hex) return false;
  switch (command) {
    case 155: (void)HexToggleModeCommand(f.Window, active); return true;
    case 156: if (!HexInsertCommand(f.Window, active)) MessageBeep(0); return true;
    case 180: HexGotoCommand(f.Window, active); return true;
    case 195:
    case 196:
      // Both are settings of all hex windows.
      if (command == 195) f.Options.HexTextBlockOnly = !f.Options.HexTextBlockOnly;
      if (command == 196) f.Options.HexAllChars = !f.Options.HexAllChars;
      for (TWindow w : f.Documents()) {
        if (THexChildData* each = HexChild(w)) {
          each->SetViewMode(f.Options.HexTextBlockOnly ? hvCharsOnly : hvHexAndChars);
          each->SetAllChars(f.Options.HexAllChars);
        }
      }
      return true;
    case 203: SwitchEditorKind(f, active, wkEdit); return true;
    default: return false;
  }
}

}  // namespace

bool MailProgramInstalled() { return ProgramOnPath("xdg-email"); }

int32_t TFrameSpawn(TFrame& f, const std::vector<std::string>& args) {
  return f.Spawn ? f.Spawn(args) : SpawnDetached(args);
}

void TFrame::Command(uint16_t command) {
  TWindow active = Active();
  if (!IsAvailable(command)) {
    // Accelerators of greyed commands reach here too.
    MessageBeep(0);
    return;
  }
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(active));
  auto* edit = dynamic_cast<TEditChildData*>(text);
  if (IsSettingsCommand(command)) {
    SettingsCommand(*this, command);
    ActiveChanged();
    return;
  }
  if (HexWindowCommand(*this, active, command)) {
    ActiveChanged();
    return;
  }
  switch (command) {
    case 112:
      CreateDocumentWindow(wkEdit, "", nullptr, false);
      break;
    case 113: {
      TFileDialog dialog;
      dialog.Owner = Window;
      dialog.Title = LoadResString(48);
      dialog.Filter = FilterString(Options);
      dialog.FilterIndex = Options.FilterIndex;
      dialog.InitialDir = Options.InitDir;
      dialog.Flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
      dialog.HistoryLabel = "&Verzeichnisse:";
      for (size_t i = 0; i < Options.Dirs.Size(); ++i) dialog.History.push_back(Options.Dirs[i]);
      dialog.CheckLabel = "In den HE&X-Editor laden";
      if (!GetOpenFileName(dialog)) break;
      Options.FilterIndex = dialog.FilterIndex;
      bool readOnly = dialog.Flags & OFN_READONLY;
      for (const std::string& name : dialog.Files) {
        std::string full = ExpandFileName(name);
        size_t slash = full.rfind('/');
        if (slash != std::string::npos) {
          Options.InitDir = full.substr(0, std::max<size_t>(slash, 1));
          Options.Dirs.Add(Options.InitDir);
        }
        TFilePosition position{1, 1, dialog.Checked};
        OpenFile(full, readOnly, dialog.Checked ? &position : nullptr, false);
      }
      break;
    }
    case 122: PrintActive(-1); break;
    case 123: PreviewActive(); break;
    case 114: Save(active); break;
    case 115: SaveAs(active, false); break;
    case 116: SaveAll(); break;
    case 117: CloseDocument(active); break;
    case 118: CloseAll(); break;
    case 125: {
      std::string body;
      for (int32_t i = 0; text && i < text->Lines.Count(); ++i) {
        body += std::string(text->Lines.Text(i));
        body += '\n';
      }
      std::string subject = ChildFileName(active);
      if (TFrameSpawn(*this, {"xdg-email", "--utf8", "--subject", subject, "--body", body}) != 0) {
        MessageBeep(0);
      }
      break;
    }
    case 127: PostMessage(Window, WM_CLOSE, 0, 0); break;
    case 128: case 129: case 130: case 131: {
      size_t index = command - 128u;
      if (index < Lists.Recent.Size()) {
        TFileListEntry entry = Lists.Recent[index];
        OpenFile(entry.Name, false, &entry.Position, false);
      }
      break;
    }
    case 144: ChildUndo(active); break;
    case 145: ChildRedo(active); break;
    case 146: ChildCut(active); break;
    case 147: ChildCopy(active); break;
    case 148: ChildPaste(active); break;
    case 149: ChildDelete(active); break;
    case 150: ChildSelectAll(active); break;
    case 152: case 157: case 158:
      GrepWindowCommand(active, command);
      break;
    case 151:
      ColumnBlockMode = !ColumnBlockMode;
      for (TWindow w : Documents()) ApplyGlobalModes(w);
      break;
    case 159: {
      if (!ExtClipboard) ExtClipboard = std::make_shared<TExtClipboard>();
      TExtClipHost host;
      host.Owner = Window;
      host.Active = active;
      host.Slots = ExtClipboard.get();
      host.Help = [this] {
        if (::access(HelpFile.c_str(), R_OK) == 0) (void)TFrameSpawn(*this, {"xdg-open", HelpFile});
      };
      (void)RunExtClipboardDialog(host);
      break;
    }
    case 160: case 161: case 162: case 163:
      if (edit) {
        std::time_t now = std::time(nullptr);
        std::string insert = command == 160   ? ShortDateText(now) + "  " + ShortTimeText(now)
                             : command == 161 ? ShortDateText(now)
                             : command == 162 ? ShortTimeText(now)
                                              : std::string();
        if (command == 163) {
          edit->ReplaceAt(edit->Caret.Line, 0, 0, "\x0C", false);
        } else {
          edit->InsertTextAtCaret(insert);
        }
      }
      break;
    case 164:
      if (edit) {
        TFileDialog dialog;
        dialog.Owner = Window;
        dialog.Title = LoadResString(67);
        dialog.Filter = FilterString(Options);
        dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileName(dialog) || dialog.Files.empty()) break;
        const std::string& name = dialog.Files[0];
        int32_t result = edit->InsertFile(name.c_str());
        std::string message;
        if (result == -10) message = LoadResString(327);
        else if (result == -4) message = std::string(LoadResString(325)) + name + "\r\r" + std::string(LoadResString(326));
        else if (result == -1 || result == -2) message = std::string(LoadResString(320)) + name;
        else if (result != 0) message = std::string(LoadResString(325)) + name;
        if (!message.empty()) ShowInfo(Window, message, 67, 3);
      }
      break;
    case 165: if (edit) edit->ShiftBlockRight(); break;
    case 166: if (edit) edit->ShiftBlockLeft(); break;
    case 168: SaveAs(active, true); break;
    case 169: if (edit) edit->ConvertCase(ccUpper); break;
    case 170: if (edit) edit->ConvertCase(ccLower); break;
    case 171: if (edit) edit->ConvertCase(ccToggle); break;
    case 172: if (edit) edit->ConvertCase(ccCapitalize); break;
    case 173: if (edit) edit->TabsToSpaces(); break;
    case 174: if (edit) edit->ConvertCharset(true); break;
    case 175: if (edit) edit->ConvertCharset(false); break;
    case 176: FindCommands(*this).Find(active); break;
    case 177: FindCommands(*this).FindNext(active, false); break;
    case 178: FindCommands(*this).Replace(active); break;
    case 179: FindCommands(*this).MultipleReplace(active); break;
    case 180: FindCommands(*this).GotoLine(active); break;
    case 186: FindCommands(*this).FindNext(active, true); break;
    case 181: ChildGotoStart(active); break;
    case 182: ChildGotoEnd(active); break;
    case 184: {
      TCompareHost host;
      host.Frame = Window;
      host.Client = Client;
      host.Options = &Options;
      host.Profile = Profile.get();
      host.Counter = &CompareCounter;
      RunCompareCommand(host);
      break;
    }
    case 183: {
      TGrepHost host;
      host.Frame = Window;
      host.Client = Client;
      host.Options = &Options;
      host.Profile = Profile.get();
      host.Modeless = &Modeless;
      RunGrepCommand(host);
      break;
    }
    case 185: if (edit) edit->RemoveEmptyLines(); break;
    case 192:
      Options.ShowLineNumbers = !Options.ShowLineNumbers;
      for (TWindow w : Documents()) ApplyGlobalModes(w);
      break;
    case 193:
      Options.ShowExChars = !Options.ShowExChars;
      for (TWindow w : Documents()) ApplyGlobalModes(w);
      break;
    case 202:
      if (edit) SwitchEditorKind(*this, active, wkHex);
      break;
    case 197:
      ChildSetDosMode(active, !ChildDosMode(active));
      break;
    case 204:
      ChildSetReadOnly(active, !ChildReadOnly(active));
      break;
    case 224: SendMessage(Client, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
    case 225: SendMessage(Client, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    case 226: SendMessage(Client, WM_MDICASCADE, 0, 0); break;
    case 227: SendMessage(Client, WM_MDIICONARRANGE, 0, 0); break;
    case 228:
      for (TWindow w : Documents()) SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case 230:
      if (!SingleWindow) {
        bool refused = false;
        for (TWindow w : Documents()) {
          uint8_t kind = ChildKind(w);
          if (w == active || (kind != wkEdit && kind != wkHex)) continue;
          SendMessage(Client, WM_MDIACTIVATE, static_cast<uintptr_t>(w), 0);
          if (!CloseDocument(w)) {
            refused = true;
            break;
          }
        }
        if (active && IsWindow(active)) SendMessage(Client, WM_MDIACTIVATE, static_cast<uintptr_t>(active), 0);
        SingleWindow = !refused;
      } else {
        SingleWindow = false;
      }
      break;
    case 240: case 242: case 245:
      // The help file opens with the system's viewer when there is one.
      if (::access(HelpFile.c_str(), R_OK) == 0) (void)TFrameSpawn(*this, {"xdg-open", HelpFile});
      break;
    case 904: case 905: case 906: case 907: case 908: case 909:
      CompareWindowCommand(active, command);
      break;
    case 244:
      ShowInfo(Window, "Z&K Quellwerk für Linux\nProgrammversion 1.0", 0, 1);
      break;
    default:
      if (command >= 250 && command <= 259 && text) {
        text->GotoBookmark(command - 250);
      } else if (command >= 260 && command <= 269 && text) {
        text->ToggleBookmark(command - 260, false);
      } else if (command >= 280 && command <= 299) {
        SendMessage(Window, wm_ExtClipboardSlot, static_cast<uintptr_t>(command % 10),
                    command < 290 ? 1 : 0);
      }
      break;
  }
  ActiveChanged();
}

bool TFrame::ExtClipboardSlot(int32_t slot, bool copy) {
  if (!ExtClipboard) ExtClipboard = std::make_shared<TExtClipboard>();
  TWindow active = Active();
  return copy ? ExtClipboard->CopyToSlot(active, slot) : ExtClipboard->PasteSlot(active, slot);
}

void TFrame::Shutdown() {
  if (ShutdownDone) return;
  ShutdownDone = true;
  char* cwd = ::getcwd(nullptr, 0);
  if (cwd) {
    Options.InitDir = cwd;
    std::free(cwd);
  }
  // One write of the file: the settings first, then the lists.
  WriteSettings(Options, *Profile);
  SaveFileLists(*Profile, Lists);
  if (Profile->Flush() != 0) {
    ShowInfo(Window, SettingsFileMessage(kSettingsFileName, true), 70, 3);
  }
}

namespace {

TEditorPrinting& PrintingOf(std::shared_ptr<TEditorPrinting>& printing) {
  if (!printing) printing = std::make_shared<TEditorPrinting>(ProgramDirectory());
  return *printing;
}

}  // namespace

void TFrame::PrintActive(int32_t pageCount) {
  TWindow active = Active();
  if (!active) return;
  PrintingOf(Printing).PrintCommand({Window, active, DocumentTitle(active), &Options}, pageCount);
}

void TFrame::PreviewActive() {
  TWindow active = Active();
  if (!active) return;
  PrintingOf(Printing).PreviewCommand({Window, active, DocumentTitle(active), &Options});
}

void TFrame::PrintAllActive() {
  TWindow active = Active();
  if (!active) return;
  PrintingOf(Printing).PrintAll({Window, active, DocumentTitle(active), &Options});
}
