// A headless frame with an editor window whose document the test fills, a fixed font of
// 8 x 16 pixels, a recording frame and an in-memory clipboard.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/DragDropScript.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace textview {

struct TFrameSeen {
  uint32_t Code;
  int32_t Value1;
};

inline std::vector<TFrameSeen>& FrameSeen() {
  static std::vector<TFrameSeen> seen;
  return seen;
}
inline intptr_t& DropAnswer() {
  static intptr_t answer = 1;
  return answer;
}

inline intptr_t FrameProc(platform::TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) {
    if (wp == cnDestroyed) return 0;
    const auto* n = reinterpret_cast<const TChildNotify*>(lp);
    FrameSeen().push_back({static_cast<uint32_t>(wp), n->Value1});
    if (wp == cnDropChoice) return DropAnswer();
    return wp == cnQueryClose ? 1 : 0;
  }
  return platform::DefWindowProc(w, m, wp, lp);
}

class TextViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
    FrameSeen().clear();
    DropAnswer() = 1;
    platform::TWindowClass frame;
    frame.Name = "TextFrame";
    frame.Proc = FrameProc;
    ASSERT_TRUE(platform::RegisterWindowClass(frame));
    ASSERT_TRUE(RegisterChildClass(wkEdit, EditChildProc));
    FrameWindow = platform::CreateWindowEx(0, "TextFrame", "Z&K Quellwerk", platform::WS_VISIBLE,
                                           {0, 0, 800, 600}, 0, nullptr);
    ClearClip();
    platform::TLogFont lf;
    lf.Height = 16;
    lf.FaceName = "Courier New";
    lf.PitchAndFamily = platform::kFixedPitch;
    FixedFont = platform::CreateFontIndirect(lf);
    lf.FaceName = "Arial";
    lf.PitchAndFamily = 0;
    PropFont = platform::CreateFontIndirect(lf);
    Params = TChildCreateParams{};
    Params.FrameWindow = FrameWindow;
    Params.Kind = wkEdit;
    Params.FileName = "";
    Params.Font = FixedFont;
    Params.TextColor = 0xFFFFFFFF;
    Params.MarkColor = platform::MakeRgb(128, 128, 128);
    Params.TabWidth = 8;
    Params.LineEndMode = lemCrLf;
    Params.WrapColumn = 72;
  }
  void TearDown() override { platform::ShutdownUi(); }

  // The clipboard's plain text in the Windows character set ("" when it has none).
  std::string ClipText() {
    std::optional<std::string> text = platform::TakeClipboardText(FrameWindow, false);
    return text ? *text : std::string();
  }
  void SetClipText(std::string_view text) {
    ASSERT_TRUE(platform::PutClipboardText(FrameWindow, text, false));
  }
  void ClearClip() {
    ASSERT_TRUE(platform::OpenClipboard(FrameWindow));
    platform::EmptyClipboard();
    platform::CloseClipboard();
  }

  // An editor window of width x height pixels showing the lines.
  TEditChildData& Make(const std::vector<std::string>& lines, int32_t width = 400,
                       int32_t height = 160) {
    Window = platform::CreateWindowEx(
        0, "ZKEditEditWin", "doc.txt",
        platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_HSCROLL | platform::WS_VSCROLL,
        {0, 0, width, height}, FrameWindow, &Params);
    EXPECT_NE(Window, 0u);
    TEditChildData& d = Doc();
    SetText(d, lines);
    platform::InputFocus(Window);
    platform::RunPendingMessages();
    FrameSeen().clear();
    return d;
  }
  TEditChildData& Doc() { return *dynamic_cast<TEditChildData*>(GetChildData(Window)); }

  static void SetText(TEditChildData& d, const std::vector<std::string>& lines) {
    d.Lines.Empty();
    for (const std::string& l : lines) d.Lines.AddCopy(l);
    if (d.Lines.Count() == 0) d.Lines.AddCopy({});
    d.UpdateRanges(true);
  }
  static std::vector<std::string> Text(TEditChildData& d) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < d.Lines.Count(); ++i) out.emplace_back(d.Lines.Text(i));
    return out;
  }

  // Keys through the window's message path, with the modifier keys held as given.
  void Key(uint32_t vk, bool shift = false, bool ctrl = false) {
    if (shift) platform::InputKey(platform::VK_SHIFT, true);
    if (ctrl) platform::InputKey(platform::VK_CONTROL, true);
    platform::InputKey(vk, true);
    platform::InputKey(vk, false);
    if (ctrl) platform::InputKey(platform::VK_CONTROL, false);
    if (shift) platform::InputKey(platform::VK_SHIFT, false);
    platform::RunPendingMessages();
  }
  void Type(std::string_view text) {
    for (char c : text) platform::InputChar(static_cast<uint8_t>(c));
    platform::RunPendingMessages();
  }
  int Count(uint32_t code) const {
    int n = 0;
    for (const TFrameSeen& s : FrameSeen()) n += s.Code == code;
    return n;
  }
  // Paints the whole window and returns the records of that paint.
  std::vector<platform::TPaintRecord> PaintAll() {
    Backend->Records.clear();
    platform::InvalidateRect(Window, nullptr);
    platform::UpdateWindow(Window);
    return Backend->Records;
  }

  platform::THeadlessBackend* Backend = nullptr;
  platform::TWindow FrameWindow = 0;
  platform::TWindow Window = 0;
  platform::TFont FixedFont = 0;
  platform::TFont PropFont = 0;
  TChildCreateParams Params{};
};

}  // namespace textview
