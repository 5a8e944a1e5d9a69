// A stand-in for the editor's frame in compare window tests: a frame window with an MDI
// client that records what compare windows tell it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/compare/CompareWindow.h"
#include "editor/frame/IniOptions.h"
#include "editor/text/ChildTypes.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

struct TNotified {
  uint32_t Code = 0;
  int32_t Value = 0;
  TGotoDiffParam Goto;
};

class TCompareTestHost {
 public:
  TCompareTestHost() {
    if (!platform::FindWindowClass("CmpTestFrame")) {
      platform::TWindowClass cls;
      cls.Name = "CmpTestFrame";
      cls.Proc = &TCompareTestHost::Proc;
      (void)platform::RegisterWindowClass(cls);
    }
    Current() = this;
    Frame = platform::CreateWindowEx(0, "CmpTestFrame", "Test", 0, platform::TRect{0, 0, 900, 700}, 0, nullptr);
    Client = platform::CreateMdiClient(Frame, platform::TRect{0, 0, 900, 700},
                                       platform::WS_CHILD | platform::WS_VISIBLE, 1000, {});
    Host.Frame = Frame;
    Host.Client = Client;
    Host.Options = &Options;
    Host.Profile = &Profile;
    Host.Counter = &Counter;
  }
  ~TCompareTestHost() {
    if (platform::IsWindow(Frame)) platform::DestroyWindow(Frame);
    Current() = nullptr;
  }

  // Codes of wm_ChildNotify seen, in order.
  std::vector<TNotified> Notified;
  std::vector<uint32_t> Posted;  // other messages the frame received
  platform::TWindow Frame = 0;
  platform::TWindow Client = 0;
  TIniOptions Options;
  platform::TProfileFile Profile;
  int32_t Counter = 1;
  TCompareHost Host;

  int32_t LastCount() const {
    for (auto it = Notified.rbegin(); it != Notified.rend(); ++it)
      if (it->Code == static_cast<uint32_t>(cnDiffCount)) return it->Value;
    return -1;
  }
  const TNotified* LastGoto() const {
    for (auto it = Notified.rbegin(); it != Notified.rend(); ++it)
      if (it->Code == static_cast<uint32_t>(cnGotoDiff)) return &*it;
    return nullptr;
  }

 private:
  static TCompareTestHost*& Current() {
    static TCompareTestHost* host = nullptr;
    return host;
  }
  static intptr_t Proc(platform::TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    TCompareTestHost* h = Current();
    if (h && message == wm_ChildNotify && wParam != cnDestroyed) {
      const auto* n = reinterpret_cast<const TChildNotify*>(lParam);
      TNotified note{static_cast<uint32_t>(wParam), n ? n->Value1 : 0, {}};
      if (n && wParam == static_cast<uint32_t>(cnGotoDiff) && n->Data) {
        note.Goto = *static_cast<const TGotoDiffParam*>(n->Data);
      }
      h->Notified.push_back(note);
      return 1;
    }
    if (h && message >= platform::WM_USER + 900) h->Posted.push_back(message);
    return platform::DefFrameProc(window, h ? h->Client : 0, message, wParam, lParam);
  }
};
