// uidemo: a frame with menus, tool bar, status bar, two document windows, dialogs and the
// clipboard, on the desktop through the Qt back end, to see and try the window layer by hand.
#include <cstdio>
#include <memory>

#include "platform/qt/QtBackend.h"
#include "platform/ui/Accelerator.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "tools/uidemo/DemoFrame.h"

int main() {
  platform::InitUi(std::make_unique<platform::TQtBackend>());
  platform::TWindow frame = uidemo::CreateDemoFrame();
  if (!frame) {
    std::fprintf(stderr, "uidemo: the frame could not be created\n");
    platform::ShutdownUi();
    return 1;
  }
  platform::TWindow client = uidemo::DemoClient(frame);
  platform::TLoopHooks hooks;
  hooks.PreTranslate = [&](const platform::TMsg& msg) {
    return platform::IsAnyDialogMessage(msg) || platform::TranslateMdiSysAccel(client, msg) ||
           platform::TranslateAccelerator(frame, uidemo::DemoAccelerators(), msg);
  };
  int32_t code = platform::RunMessageLoop(hooks);
  platform::ShutdownUi();
  return code;
}
