// The "&Anwendung" menu, the placeholders of an application's arguments, the dialog
// "Programm ausführen" and the start without a shell.
#include "editor/settings/Applications.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <thread>

#include "editor/settings/SettingsIds.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildTypes.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/TextChildData.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

extern char** environ;

using namespace platform;

namespace {

constexpr size_t kMaxArguments = 500;

constexpr TDialogItem kRunItems[] = {
    {kStaticClass, "Programm:", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 6, 60, 16}, -1},
    {kStaticClass, "", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, {62, 6, 250, 16}, idRunProgram},
    {kStaticClass, "&Argumente:", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 22, 60, 32}, -1},
    {kEditClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | WS_GROUP, {62, 20, 250, 32}, idRunArguments},
    {kButtonClass, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {136, 40, 190, 54}, IDOK},
    {kButtonClass, "Abbrechen", WS_VISIBLE | WS_TABSTOP, {196, 40, 250, 54}, IDCANCEL},
};
const TDialogTemplate kRunTemplate{"Programm ausführen", {256, 60}, kRunItems, DS_MODALFRAME};

struct TRunRequest {
  std::string Program;
  std::string Arguments;
};

intptr_t RunProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto* r = reinterpret_cast<TRunRequest*>(lParam);
      SetDlgItemText(dialog, idRunProgram, r->Program);
      SendDlgItemMessage(dialog, idRunArguments, EM_LIMITTEXT, kMaxArguments, 0);
      SetDlgItemText(dialog, idRunArguments, r->Arguments.substr(0, kMaxArguments));
      GotoDlgCtrl(GetDlgItem(dialog, idRunArguments));
      return 0;
    }
    case WM_COMMAND:
      if ((wParam & 0xFFFF) == static_cast<uintptr_t>(IDOK)) {
        auto* r = reinterpret_cast<TRunRequest*>(GetWindowExtra(dialog, 0));
        r->Arguments = GetDlgItemText(dialog, idRunArguments);
        EndDialog(dialog, IDOK);
        return 1;
      }
      if ((wParam & 0xFFFF) == static_cast<uintptr_t>(IDCANCEL)) {
        EndDialog(dialog, IDCANCEL);
        return 1;
      }
      return 0;
    default:
      return 0;
  }
}

// Offset of the first `code` ("%1", "%L", "%S") without regard to case, or npos.
size_t FindCode(const std::string& text, char code) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && std::toupper(static_cast<unsigned char>(text[i + 1])) == code) return i;
  }
  return std::string::npos;
}

std::string Caption() { return std::string(LoadResString(0)) + ": Anwendung starten"; }

}  // namespace

void RebuildAppsMenu(TMenu bar, const TAppsList& apps) {
  TMenu holder = 0;
  int32_t at = 0;
  if (!bar || !FindMenuCommand(bar, 208, holder, at)) return;
  while (GetMenuItemCount(holder) > at + 1) DeleteMenu(holder, static_cast<uint32_t>(at + 1), MF_BYPOSITION);
  if (apps.Size() == 0) return;
  AppendMenu(holder, MF_SEPARATOR, 0, "");
  for (size_t i = 0; i < apps.Size() && i < TAppsList::kMaxApps; ++i) {
    AppendMenu(holder, MF_STRING, kFirstAppCommand + i, "&" + std::to_string(i + 1) + " " + apps[i].MenuEntry);
  }
}

TAppCommand BuildAppCommand(const TAppEntry& app, const std::string& arguments,
                            const TAppContext& context) {
  TAppCommand command;
  command.WorkingDirectory = app.WorkingDirectory;
  // A program field naming a file is taken whole, blanks and all; otherwise it may carry
  // quotes or arguments of its own.
  std::vector<std::string> program;
  if (::access(app.Program.c_str(), F_OK) == 0) {
    program.push_back(app.Program);
  } else {
    program = SplitCommandLine(app.Program);
  }
  if (program.empty()) return command;
  command.Args = program;

  std::vector<std::string> templates = SplitCommandLine(arguments);
  struct TCode {
    char Letter;
    bool Has;
    const std::string* Value;
    size_t Token = std::string::npos;
    size_t Offset = 0;
  };
  TCode codes[] = {{'1', context.HasFile, &context.FileName},
                   {'L', context.HasLine, &context.CursorLine},
                   {'S', context.HasSelection, &context.Selection}};
  for (TCode& c : codes) {
    for (size_t t = 0; t < templates.size(); ++t) {
      size_t at = FindCode(templates[t], c.Letter);
      if (at != std::string::npos) {
        c.Token = t;
        c.Offset = at;
        break;
      }
    }
  }
  for (size_t t = 0; t < templates.size(); ++t) {
    const std::string& source = templates[t];
    std::vector<const TCode*> here;
    for (const TCode& c : codes) {
      if (c.Token == t) here.push_back(&c);
    }
    if (here.empty()) {
      command.Args.push_back(source);
      continue;
    }
    std::sort(here.begin(), here.end(), [](const TCode* a, const TCode* b) { return a->Offset < b->Offset; });
    std::string out;
    size_t from = 0;
    for (const TCode* c : here) {
      out.append(source, from, c->Offset - from);
      if (c->Has) out += *c->Value;
      from = c->Offset + 2;
    }
    out.append(source, from);
    if (!out.empty()) command.Args.push_back(out);
  }
  return command;
}

int32_t SpawnApplication(const TAppCommand& command) {
  if (command.Args.empty() || command.Args[0].empty()) return ENOENT;
  std::vector<std::string> args = command.Args;
  args[0] = ResolveProgramName(args[0]);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The directory changes for the child only; the editor's own stays as it is.
  if (!command.WorkingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, command.WorkingDirectory.c_str());
  }
  pid_t pid = -1;
  const bool search = args[0].find('/') == std::string::npos;
  int error = search ? posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ)
                     : posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return error;
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return 0;
}

TAppContext AppContextOf(TWindow window) {
  TAppContext c;
  if (!window) return c;
  uint8_t kind = ChildKind(window);
  std::string name = ChildFileName(window);
  if ((kind == wkEdit || kind == wkHex) && !name.empty()) {
    c.HasFile = true;
    c.FileName = name;
  }
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(window));
  if (text && kind != wkHex) {
    if (text->Caret.Line >= 0 && text->Caret.Line < text->Lines.Count()) {
      c.HasLine = true;
      c.CursorLine = std::string(text->Lines.Text(text->Caret.Line));
    }
    if (text->HasSelection()) {
      c.HasSelection = true;
      c.Selection = text->SelectionText();
    }
  }
  return c;
}

bool StartApplication(TAppStartHost& host, const TAppEntry& app) {
  std::string arguments = app.Arguments;
  if (app.AskForArguments) {
    TRunRequest request{app.Program, arguments};
    if (DialogBox(host.Owner, kRunTemplate, RunProc, reinterpret_cast<intptr_t>(&request)) != IDOK) return false;
    arguments = request.Arguments.substr(0, kMaxArguments);
  }
  TAppContext context = AppContextOf(host.Active);
  if (context.HasFile && FindCode(arguments, '1') != std::string::npos && ChildModified(host.Active)) {
    std::string text(LoadResString(32));
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, context.FileName);
    int32_t answer = MessageBox(host.Owner, text, Caption(), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES && (!host.Save || !host.Save(host.Active))) return false;
  }
  TAppCommand command = BuildAppCommand(app, arguments, context);
  int32_t result = host.Start ? host.Start(command) : SpawnApplication(command);
  if (result != 0) {
    std::string text(LoadResString(340));
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, app.Program);
    (void)MessageBox(host.Owner, text, Caption(), MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}
