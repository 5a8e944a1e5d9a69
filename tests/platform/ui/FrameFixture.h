// A headless frame with an MDI client, the editor's menus, tool bar and status bar, and
// document windows that record what reaches them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Menus.h"
#include "resources/zkedit32/ToolBarButtons.h"

namespace frametest {

struct TSeen {
  platform::TWindow Window;
  uint32_t Message;
  uintptr_t WParam;
  intptr_t LParam;
};

inline std::vector<TSeen>& Seen() {
  static std::vector<TSeen> seen;
  return seen;
}

struct TFrameParts {
  platform::TWindow Client = 0;
  platform::TWindow ToolBar = 0;
  platform::TWindow StatusBar = 0;
  platform::TMenu NoDocs = 0;
  platform::TMenu Docs = 0;
  // Commands the frame greys when a popup opens.
  std::vector<uint32_t> Grey;
};

inline TFrameParts& Parts() {
  static TFrameParts parts;
  return parts;
}

inline const int32_t kLayout[] = {-1, 0, 1, 2, 4, 25, -1, 7, 8, 9, -1, 20, 24};

inline intptr_t FrameProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  using namespace platform;
  TFrameParts& p = Parts();
  switch (m) {
    case WM_CREATE: {
      p.NoDocs = LoadMenuIndirect(EditorMenu(kMenuNoDocuments));
      p.Docs = LoadMenuIndirect(EditorMenu(kMenuDocuments));
      SetMenu(w, p.NoDocs);
      TClientCreateStruct ccs{GetSubMenu(p.Docs, kWindowMenuPosition), 380};
      p.Client = CreateMdiClient(w, {0, 0, 10, 10}, WS_VISIBLE, 1000, ccs);
      p.ToolBar = CreateToolBar(w, 1010, WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                EditorToolImages(), EditorToolButtons(), kLayout);
      p.StatusBar = CreateStatusBar(w, 1020, WS_VISIBLE | SBARS_SIZEGRIP);
      return 0;
    }
    case WM_SIZE: {
      if (!p.Client) return 0;
      TRect r = GetClientRect(w);
      int32_t top = ToolBarHeight(p.ToolBar);
      int32_t bottom = r.Bottom - StatusBarHeight(p.StatusBar);
      MoveWindow(p.ToolBar, {0, 0, r.Right, top});
      MoveWindow(p.StatusBar, {0, bottom, r.Right, r.Bottom});
      MoveWindow(p.Client, {0, top, r.Right, bottom});
      return 0;
    }
    case WM_INITMENUPOPUP:
      Seen().push_back({w, m, wp, lp});
      for (uint32_t id : p.Grey) EnableMenuItem(static_cast<TMenu>(wp), id, MF_GRAYED);
      return 0;
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<TNmToolBar*>(lp);
      Seen().push_back({w, m, wp, nm->Hdr.Code});
      if (nm->Hdr.Code == TTN_GETDISPINFO) nm->Text = "Tipp " + std::to_string(nm->Command);
      if (nm->Hdr.Code == TBN_GETBUTTONINFO) nm->Text = "Name " + std::to_string(nm->Command);
      // Button 122 (print) may not leave the bar; everything else may come and go.
      if (nm->Hdr.Code == TBN_QUERYDELETE) return nm->Command != 122;
      if (nm->Hdr.Code == TBN_QUERYINSERT) return 1;
      return 0;
    }
    case WM_COMMAND:
    case WM_MENUSELECT:
    case WM_INITMENU:
      Seen().push_back({w, m, wp, lp});
      break;
    default:
      break;
  }
  return DefFrameProc(w, p.Client, m, wp, lp);
}

inline intptr_t DocProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  using namespace platform;
  if (m == WM_MDIACTIVATE || m == WM_SIZE || m == WM_COMMAND || m == WM_CHAR ||
      m == WM_KEYDOWN || m == WM_SYSCHAR || m == WM_SYSCOMMAND) {
    Seen().push_back({w, m, wp, lp});
  }
  return DefMdiChildProc(w, m, wp, lp);
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace platform;
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Seen().clear();
    Parts() = TFrameParts{};
    TWindowClass frame;
    frame.Name = "TestFrame";
    frame.Proc = FrameProc;
    ASSERT_TRUE(RegisterWindowClass(frame));
    TWindowClass doc;
    doc.Name = "TestDoc";
    doc.Proc = DocProc;
    ASSERT_TRUE(RegisterWindowClass(doc));
    Frame = CreateWindowEx(0, "TestFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 800, 600}, 0,
                           nullptr);
    ASSERT_NE(Frame, 0u);
    Client = Parts().Client;
  }
  void TearDown() override {
    platform::ShutdownUi();
    Seen().clear();
  }

  platform::TWindow NewDoc(std::string_view title, uint32_t style = 0) {
    platform::TMdiCreateStruct mcs;
    mcs.ClassName = "TestDoc";
    mcs.Title = title;
    mcs.Style = style;
    return static_cast<platform::TWindow>(
        platform::SendMessage(Client, platform::WM_MDICREATE, 0, reinterpret_cast<intptr_t>(&mcs)));
  }
  std::vector<TSeen> Of(platform::TWindow w, uint32_t message) const {
    std::vector<TSeen> list;
    for (const TSeen& s : Seen()) {
      if (s.Window == w && s.Message == message) list.push_back(s);
    }
    return list;
  }
  // Window-list texts of the "&Fenster" popup of menu 110.
  std::vector<std::string> WindowList() const {
    using namespace platform;
    std::vector<std::string> texts;
    TMenu popup = GetSubMenu(Parts().Docs, kWindowMenuPosition);
    for (int32_t i = 0; i < GetMenuItemCount(popup); ++i) {
      uint32_t id = GetMenuItemID(popup, i);
      if (id >= 380 && id < 390) {
        bool checked = GetMenuState(popup, static_cast<uint32_t>(i), MF_BYPOSITION) & MF_CHECKED;
        texts.push_back(GetMenuString(popup, static_cast<uint32_t>(i), MF_BYPOSITION) +
                        (checked ? " *" : ""));
      }
    }
    return texts;
  }

  platform::THeadlessBackend* Backend = nullptr;
  platform::TWindow Frame = 0;
  platform::TWindow Client = 0;
};

}  // namespace frametest
