// A stand-in for the editor's frame in hit-list tests: a frame window with an MDI client
// that records what hit-list windows tell it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/frame/IniOptions.h"
#include "editor/grep/GrepWindow.h"
#include "editor/text/ChildTypes.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

struct TGrepNotified {
  platform::TWindow Child = 0;
  uint32_t Code = 0;
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  TGrepOpenRequest Open;
};

class TGrepTestHost {
 public:
  TGrepTestHost() {
    if (!platform::FindWindowClass("GrepTestFrame")) {
      platform::TWindowClass cls;
      cls.Name = "GrepTestFrame";
      cls.Proc = &TGrepTestHost::Proc;
      (void)platform::RegisterWindowClass(cls);
    }
    Current() = this;
    Frame = platform::CreateWindowEx(0, "GrepTestFrame", "Test", 0,
                                     platform::TRect{0, 0, 900, 700}, 0, nullptr);
    Client = platform::CreateMdiClient(Frame, platform::TRect{0, 0, 900, 700},
                                       platform::WS_CHILD | platform::WS_VISIBLE, 1000, {});
    Host.Frame = Frame;
    Host.Client = Client;
    Host.Options = &Options;
    Host.Profile = &Profile;
    Host.Modeless = &Modeless;
  }
  ~TGrepTestHost() {
    if (platform::IsWindow(Frame)) platform::DestroyWindow(Frame);
    Current() = nullptr;
  }

  std::vector<TGrepNotified> Notified;
  platform::TWindow Frame = 0;
  platform::TWindow Client = 0;
  platform::TWindow Modeless = 0;
  TIniOptions Options;
  platform::TProfileFile Profile;
  TGrepHost Host;
  // Called on every notification (to act while the search runs).
  std::function<void(const TGrepNotified&)> OnNotify;

  const TGrepNotified* Last(uint32_t code) const {
    for (auto it = Notified.rbegin(); it != Notified.rend(); ++it)
      if (it->Code == code) return &*it;
    return nullptr;
  }

 private:
  static TGrepTestHost*& Current() {
    static TGrepTestHost* host = nullptr;
    return host;
  }
  static intptr_t Proc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) {
    TGrepTestHost* h = Current();
    if (h && message == wm_ChildNotify && wParam != cnDestroyed) {
      const auto* n = reinterpret_cast<const TChildNotify*>(lParam);
      TGrepNotified note{n ? n->Child : 0, static_cast<uint32_t>(wParam), n ? n->Value1 : 0, n ? n->Value2 : 0, {}};
      if (n && wParam == cnGrepOpen && n->Data) note.Open = *static_cast<const TGrepOpenRequest*>(n->Data);
      h->Notified.push_back(note);
      if (h->OnNotify) h->OnNotify(note);
      return wParam == cnQueryClose ? 1 : 0;
    }
    return platform::DefFrameProc(window, h ? h->Client : 0, message, wParam, lParam);
  }
};
