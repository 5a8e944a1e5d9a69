// A headless frame that records the hex window's notifications and answers its save
// question, and helpers to make hex windows on files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

namespace hextest {

struct TFrameLog {
  std::vector<uint32_t> Codes;
  std::vector<int32_t> Offsets;  // Value1 of each 401
  std::vector<int32_t> Bytes;    // Value2 of each 401
  intptr_t SaveAnswer = 0;       // the answer to 403
  uint8_t Backup = 0;            // handed back with a yes
};

inline TFrameLog& Log() {
  static TFrameLog log;
  return log;
}

inline intptr_t FrameProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) {
    Log().Codes.push_back(static_cast<uint32_t>(wp));
    if (wp == cnDestroyed) return 0;
    const auto* n = reinterpret_cast<const TChildNotify*>(lp);
    if (wp == cnHexCaretMoved) {
      Log().Offsets.push_back(n->Value1);
      Log().Bytes.push_back(n->Value2);
    }
    if (wp == cnHexAskSave) {
      if (Log().SaveAnswer == 1 && n->Data) {
        static_cast<THexSaveQuestion*>(const_cast<void*>(n->Data))->Backup = Log().Backup;
      }
      return Log().SaveAnswer;
    }
    return wp == cnQueryClose ? 1 : 0;
  }
  return platform::DefWindowProc(w, m, wp, lp);
}

class HexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Log() = TFrameLog{};
    platform::TWindowClass frame;
    frame.Name = "HexTestFrame";
    frame.Proc = FrameProc;
    ASSERT_TRUE(platform::RegisterWindowClass(frame));
    ASSERT_TRUE(RegisterChildClass(wkHex, HexChildProc));
    FrameWindow = platform::CreateWindowEx(0, "HexTestFrame", "Z&K Quellwerk", platform::WS_VISIBLE,
                                           {0, 0, 800, 600}, 0, nullptr);
  }
  void TearDown() override { platform::ShutdownUi(); }

  // A hex window on `path` with a client area of width x height pixels; 0 when the window
  // could not be made. The load status goes to `status`.
  platform::TWindow Open(const std::string& path, int32_t* status = nullptr, bool readOnly = false,
                         int32_t width = 640, int32_t height = 160) {
    TChildCreateParams p{};
    p.FrameWindow = FrameWindow;
    p.Kind = wkHex;
    p.FileName = path.c_str();
    p.TextColor = 0xFFFFFFFF;
    p.MarkColor = 0x000080;
    p.ReadOnly = readOnly;
    platform::TWindow w = platform::CreateWindowEx(
        0, "ZKEditHexWin", path,
        platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_HSCROLL | platform::WS_VSCROLL,
        {0, 0, width, height}, FrameWindow, &p);
    if (!w) return 0;
    int32_t s = ChildLoad(w);
    if (status) *status = s;
    platform::RunPendingMessages();
    return w;
  }
  static THexChildData& Hex(platform::TWindow w) { return *HexChild(w); }
  void Type(platform::TWindow w, std::string_view text) {
    for (char c : text) platform::SendMessage(w, platform::WM_CHAR, static_cast<uint8_t>(c), 0);
  }
  void Key(platform::TWindow w, uint32_t key) { platform::SendMessage(w, platform::WM_KEYDOWN, key, 0); }
  std::string Line(platform::TWindow w, int32_t line) {
    std::string text;
    EXPECT_TRUE(Hex(w).GetLineText(line, text));
    return text;
  }

  TTempDir Dir;
  platform::THeadlessBackend* Backend = nullptr;
  platform::TWindow FrameWindow = 0;
};

}  // namespace hextest
