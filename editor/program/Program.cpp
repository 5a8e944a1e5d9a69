// The start-up sequence and the message loop of the editor.
#include "editor/program/Program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/frame/Frame.h"
#include "editor/frame/HandOver.h"
#include "editor/frame/ShowMessage.h"
#include "editor/program/DisplayCheck.h"
#include "editor/program/Recovery.h"
#include "platform/file/SettingsPath.h"
#include "platform/ui/Accelerator.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Accelerators.h"

using namespace platform;

bool MailProgramInstalled();

namespace {

bool DirectoryUsable(const std::string& dir) {
  struct stat st;
  return !dir.empty() && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int RunEditor(const std::vector<std::string>& args, const TProgramSetup& setup) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(std::string(CommandLineHelp()).c_str(), stdout);
      return 0;
    }
  }
  if (!(setup.HasDisplay ? setup.HasDisplay() : DisplayReachable())) {
    std::fputs(std::string(NoDisplayMessage()).c_str(), stderr);
    return 1;
  }

  auto frame = std::make_unique<TFrame>();
  frame->Args = args;
  // 1. Files in the program's directory, or the user's configuration directory.
  TSettingsPaths settings = ResolveSettingsPaths(kSettingsFileName, setup.ProgramDirectory);
  frame->Profile = std::make_unique<TProfileFile>(settings.Read);
  frame->Profile->SetWritePath(settings.Write);
  frame->HelpFile = setup.ProgramDirectory + "/ZKEdit32.Hlp";
  frame->ColorFile = ResolveSettingsPaths("ZKColors.Ini", setup.ProgramDirectory).Read;
  // 3. Settings (read before the hand-over: MultInst decides it).
  frame->SettingsReadFailed = !LoadSettings(frame->Options, *frame->Profile);

  std::string socketPath = HandOverSocketPath();
  if (!frame->Options.MultipleInstances && !socketPath.empty() &&
      HandOverToRunning(socketPath, ParseCommandLine(args)) == 0) {
    return 0;
  }

  InitUi(setup.MakeBackend());
  frame->Environment.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  frame->Environment.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (!frame->SettingsReadFailed) ReadSettings(frame->Options, *frame->Profile, frame->Environment);
  LoadFileLists(*frame->Profile, frame->Lists);
  if (frame->SettingsReadFailed) {
    ShowInfo(0, SettingsFileMessage(kSettingsFileName, false), 70, 3);
  }
  // 4. Working directory.
  if (frame->Options.RestoreDir && DirectoryUsable(frame->Options.InitDir) &&
      ::chdir(frame->Options.InitDir.c_str()) == 0) {
  } else if (char* cwd = ::getcwd(nullptr, 0)) {
    frame->Options.InitDir = cwd;
    std::free(cwd);
  }

  if (!frame->Create()) {
    std::fprintf(stderr, "zkedit32: das Hauptfenster kann nicht erzeugt werden\n");
    frame.reset();
    ShutdownUi();
    return 255;
  }
  // 8. The single instance: a race with another start is settled by who listens first.
  if (!frame->Options.MultipleInstances && !socketPath.empty()) {
    frame->HandOver = std::make_shared<THandOver>(frame->Window);
    if (frame->HandOver->Start(socketPath) == 1) {
      frame->HandOver.reset();
      (void)HandOverToRunning(socketPath, ParseCommandLine(args));
      frame.reset();
      ShutdownUi();
      return 0;
    }
  }
  frame->MailAvailable = MailProgramInstalled();
  auto recovery = std::make_unique<TRecovery>(*frame);
  frame->Show();
  recovery->OfferRestore();
  recovery->OfferInterruptedSaves();

  TWindow frameWindow = frame->Window;
  TWindow client = frame->Client;
  TLoopHooks hooks;
  hooks.PreTranslate = [&](const TMsg& msg) {
    if (IsAnyDialogMessage(msg)) return true;
    if (!IsWindow(frameWindow)) return false;
    return TranslateMdiSysAccel(client, msg) ||
           TranslateAccelerator(frameWindow, EditorAccelerators(), msg);
  };
  hooks.Idle = [&] {
    if (frame->Window) frame->IdleStep();
    return false;
  };
  (void)RunMessageLoop(hooks);

  if (frame->HandOver) frame->HandOver->Stop();
  recovery->Stop();
  frame->Shutdown();
  recovery->Clear();
  recovery.reset();
  frame.reset();
  ShutdownUi();
  return 0;
}
