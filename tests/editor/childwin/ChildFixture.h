// A headless frame that records notifications, and a small document kind that records the
// calls the framework makes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace childtest {

// An unpacked copy of a TChildNotify (fields of a packed record do not bind to references).
struct TSeenNotify {
  platform::TWindow Child;
  uint8_t Kind;
  int32_t Value1;
  int32_t Value2;
};

struct TFrameLog {
  std::vector<uint32_t> Codes;
  std::vector<TSeenNotify> Records;
  std::vector<intptr_t> PostedDestroyed;
  intptr_t CloseAnswer = 1;
  int Timers = 0;
};

inline TFrameLog& Frame() {
  static TFrameLog log;
  return log;
}

inline intptr_t FrameProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) {
    Frame().Codes.push_back(static_cast<uint32_t>(wp));
    if (wp == cnDestroyed) {
      Frame().PostedDestroyed.push_back(lp);
      return 0;
    }
    const auto* n = reinterpret_cast<const TChildNotify*>(lp);
    Frame().Records.push_back({n->Child, n->Kind, n->Value1, n->Value2});
    return wp == cnQueryClose ? Frame().CloseAnswer : 0;
  }
  return platform::DefWindowProc(w, m, wp, lp);
}

// A document of Lines lines whose caret operations are logged and behave simply.
class TTestDoc : public TScrlChildData {
 public:
  static inline int32_t Lines = 100;
  static inline bool FailCreate = false;
  std::vector<std::string> Calls;

  bool Create(platform::TWindow window, const TChildCreateParams& params) override {
    if (!TScrlChildData::Create(window, params)) return false;
    Scroller->SetRange(200, Lines - 1);
    return !FailCreate;
  }
  void SetCaret(int32_t column, int32_t line, bool screen, bool extend) override {
    Calls.push_back("SetCaret(" + std::to_string(column) + "," + std::to_string(line) + "," +
                    std::to_string(screen) + "," + std::to_string(extend) + ")");
    if (column >= 0) Caret.Column = column;
    if (line >= 0) Caret.Line = std::clamp(line, 0, Lines - 1);
  }
  void MoveCaretBy(int32_t columns, int32_t lines, bool extend) override {
    Calls.push_back("MoveCaretBy(" + std::to_string(columns) + "," + std::to_string(lines) +
                    "," + std::to_string(extend) + ")");
    Caret.Column = std::max(Caret.Column + columns, 0);
    Caret.Line = std::clamp(Caret.Line + lines, 0, Lines - 1);
  }
  void MoveCaretTo(uint32_t key, int32_t scope, bool extend) override {
    Calls.push_back(std::string(key == platform::VK_HOME ? "Home" : "End") + "(" +
                    std::to_string(scope) + "," + std::to_string(extend) + ")");
  }
  TTextPos PixelToPos(int32_t x, int32_t y) override {
    return TTextPos{x / CharWidth + Scroller->PosX, std::max(y / CharHeight + Scroller->PosY, 0)};
  }
  platform::TPoint GetCaretPixelPos() override {
    return {(Caret.Column - Scroller->PosX) * CharWidth,
            (Caret.Line - Scroller->PosY) * CharHeight};
  }
  void Paint(platform::TCanvas& dc, const platform::TRect&) override {
    dc.TextOut(0, 0, "line " + std::to_string(Scroller->PosY));
  }
  bool GetLineText(int32_t line, std::string& text) override {
    if (line < 0 || line >= Lines) return false;
    text = "L" + std::to_string(line);
    return true;
  }
};

inline intptr_t TestDocProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_CreateChildObject) return CreateChildObject<TTestDoc>(w, lp);
  if (m == platform::WM_TIMER) ++Frame().Timers;
  return ChildWindowProc(w, m, wp, lp);
}

class ChildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    Frame() = TFrameLog{};
    TTestDoc::Lines = 100;
    TTestDoc::FailCreate = false;
    platform::TWindowClass frame;
    frame.Name = "TestFrame";
    frame.Proc = FrameProc;
    ASSERT_TRUE(platform::RegisterWindowClass(frame));
    ASSERT_TRUE(RegisterChildClass(wkEdit, TestDocProc));
    FrameWindow = platform::CreateWindowEx(0, "TestFrame", "Z&K Quellwerk", platform::WS_VISIBLE,
                                           {0, 0, 800, 600}, 0, nullptr);
    Params = TChildCreateParams{};
    Params.FrameWindow = FrameWindow;
    Params.Kind = wkEdit;
    Params.FileName = "doc.txt";
    Params.TextColor = 0xFFFFFFFF;
    Params.MarkColor = 0xFFFFFFFF;
  }
  void TearDown() override { platform::ShutdownUi(); }

  // A document window with a client area of width x height pixels.
  platform::TWindow MakeDoc(int32_t width = 400, int32_t height = 160) {
    platform::TWindow w = platform::CreateWindowEx(
        0, "ZKEditEditWin", "doc.txt",
        platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_HSCROLL | platform::WS_VSCROLL,
        {0, 0, width, height}, FrameWindow, &Params);
    if (w) platform::RunPendingMessages();
    return w;
  }
  static TTestDoc& Doc(platform::TWindow w) { return static_cast<TTestDoc&>(*GetChildData(w)); }

  platform::THeadlessBackend* Backend = nullptr;
  platform::TWindow FrameWindow = 0;
  TChildCreateParams Params{};
};

}  // namespace childtest
