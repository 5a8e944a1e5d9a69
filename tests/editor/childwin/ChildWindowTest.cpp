// The common window procedure and the base object: creation, focus and caret, keys,
// notifications to the frame, the mouse drag, and access by handle.
#include <gtest/gtest.h>

#include "platform/ui/Fonts.h"
#include "tests/editor/childwin/ChildFixture.h"

using namespace platform;
using namespace childtest;

using ChildWindowTest = ChildTest;

TEST_F(ChildWindowTest, CreationFillsTheObjectTakesFocusAndShowsTheCaret) {
  Params.MarginWidth = 12;
  Params.ReadOnly = 1;
  TWindow w = MakeDoc();
  ASSERT_NE(w, 0u);
  TTestDoc& d = Doc(w);
  EXPECT_EQ(d.Kind, wkEdit);
  EXPECT_EQ(d.FileName, "doc.txt");
  EXPECT_EQ(d.FrameWindow, FrameWindow);
  EXPECT_TRUE(d.ReadOnly);
  EXPECT_EQ(d.Scroller->MarginWidth, 12);
  EXPECT_FALSE(d.Scroller->MoveOrigin);
  EXPECT_TRUE(d.Scroller->HasVertBar);
  EXPECT_EQ(d.TextColor, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_NE(GetWindowExStyle(w) & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(GetFocus(), w);
  EXPECT_EQ(GetCaretState().Owner, w);
  EXPECT_TRUE(GetCaretState().Visible());
  EXPECT_EQ(GetCaretState().Width, 3);
  EXPECT_EQ(GetCaretState().Height, 16);
  EXPECT_EQ(GetClassCursor(w), TCursorKind::IBeam);
  EXPECT_EQ(GetClassStyle(w), CS_DBLCLKS);

  SetFocus(FrameWindow);
  EXPECT_EQ(GetCaretState().Owner, 0u);
  d.Overwrite = 1;  // a fixed font in overwrite mode: a block caret
  SetFocus(w);
  EXPECT_EQ(GetCaretState().Width, 8);
}

TEST_F(ChildWindowTest, FailedConstructionRefusesTheWindowWithoutLeaks) {
  uint32_t before = LiveHandleCount();
  TTestDoc::FailCreate = true;
  EXPECT_EQ(MakeDoc(), 0u);
  EXPECT_EQ(LiveHandleCount(), before);
  TTestDoc::FailCreate = false;
  EXPECT_EQ(CreateWindowEx(0, "ZKEditEditWin", "", WS_CHILD, {0, 0, 10, 10}, FrameWindow,
                           nullptr),
            0u);  // no creation record
}

TEST_F(ChildWindowTest, WindowWithoutCaretWantedHasNone) {
  TWindow w = MakeDoc();
  SetFocus(FrameWindow);
  Doc(w).CaretWanted = 0;
  SetFocus(w);
  EXPECT_EQ(GetCaretState().Owner, 0u);
}

TEST_F(ChildWindowTest, BaseKeyDownNavigates) {
  TWindow w = MakeDoc(400, 161);  // page step 9
  TTestDoc& d = Doc(w);
  auto press = [&](uint32_t key, bool shift = false, bool ctrl = false) {
    d.Calls.clear();
    if (shift) InputKey(VK_SHIFT, true);
    if (ctrl) InputKey(VK_CONTROL, true);
    InputKey(key, true);
    InputKey(key, false);
    if (ctrl) InputKey(VK_CONTROL, false);
    if (shift) InputKey(VK_SHIFT, false);
    RunPendingMessages();
    return d.Calls;
  };
  d.Caret = {4, 5};
  EXPECT_EQ(press(VK_PRIOR), std::vector<std::string>{"SetCaret(4,0,0,0)"});
  d.Caret = {4, 30};
  d.Scroller->ScrollTo(0, 25);
  EXPECT_EQ(press(VK_PRIOR, true), std::vector<std::string>{"MoveCaretBy(0,-9,1)"});
  EXPECT_EQ(d.Scroller->PosY, 16);
  EXPECT_EQ(press(VK_NEXT), std::vector<std::string>{"MoveCaretBy(0,9,0)"});
  EXPECT_EQ(d.Scroller->PosY, 25);
  EXPECT_EQ(press(VK_PRIOR, false, true), std::vector<std::string>{"Home(2,0)"});
  EXPECT_EQ(press(VK_NEXT, true, true), std::vector<std::string>{"End(2,1)"});
  EXPECT_EQ(press(VK_HOME, false, true), std::vector<std::string>{"Home(3,0)"});
  EXPECT_EQ(press(VK_END), std::vector<std::string>{"End(1,0)"});
  EXPECT_EQ(press(VK_LEFT, true), std::vector<std::string>{"MoveCaretBy(-1,0,1)"});
  EXPECT_EQ(press(VK_RIGHT), std::vector<std::string>{"MoveCaretBy(1,0,0)"});
  EXPECT_EQ(press(VK_UP), std::vector<std::string>{"MoveCaretBy(0,-1,0)"});
  EXPECT_TRUE(press(VK_DOWN, false, true).empty());
  EXPECT_EQ(d.KeyDown(VK_F1, false, false), 1);
}

TEST_F(ChildWindowTest, KindsWithoutCaretScrollWithTheKeys) {
  TWindow w = MakeDoc(400, 161);
  TTestDoc& d = Doc(w);
  d.CaretWanted = 0;
  EXPECT_EQ(d.KeyDown(VK_NEXT, false, false), 0);
  EXPECT_EQ(d.Scroller->PosY, 9);
  EXPECT_EQ(d.KeyDown(VK_DOWN, false, false), 0);
  EXPECT_EQ(d.KeyDown(VK_RIGHT, false, false), 0);
  EXPECT_EQ(d.Scroller->PosY, 10);
  EXPECT_EQ(d.Scroller->PosX, 1);
  EXPECT_EQ(d.KeyDown(VK_DOWN, false, true), 1);
  EXPECT_TRUE(d.Calls.empty());
}

TEST_F(ChildWindowTest, AltArrowsScrollAndLeaveTheCaret) {
  TWindow w = MakeDoc(400, 161);
  TTestDoc& d = Doc(w);
  d.Calls.clear();
  InputKey(VK_MENU, true);
  InputKey(VK_DOWN, true);
  InputKey(VK_DOWN, true);
  InputKey(VK_NEXT, true);
  InputKey(VK_RIGHT, true);
  InputKey(VK_UP, true);
  RunPendingMessages();
  EXPECT_EQ(d.Scroller->PosY, 10);
  EXPECT_EQ(d.Scroller->PosX, 1);
  EXPECT_EQ(d.Caret, (TTextPos{0, 0}));
  EXPECT_TRUE(d.Calls.empty());
  // The caret follows the view on screen.
  EXPECT_EQ(GetCaretPos(), (TPoint{-8, -160}));
}

TEST_F(ChildWindowTest, AltF10AsksForTheContextMenuAtTheMouse) {
  TWindow w = MakeDoc();
  InputMouse(w, WM_MOUSEMOVE, {30, 40});
  InputKey(VK_MENU, true);
  InputKey(VK_F10, true);
  RunPendingMessages();
  ASSERT_FALSE(Frame().Records.empty());
  EXPECT_EQ(Frame().Codes.back(), cnRightButton);
  EXPECT_EQ(Frame().Records.back().Value2, MakeLParam(30, 40));
}

TEST_F(ChildWindowTest, AltCharacterIsSwallowedOnceAndDosModeConvertsTyping) {
  struct TTyped : TTestDoc {
    std::vector<uint8_t> Chars;
    int32_t KeyChar(uint8_t c) override {
      Chars.push_back(c);
      return 0;
    }
  };
  // Swap in a recording object behind the same window.
  TWindow w = MakeDoc();
  auto* typed = new TTyped();
  TChildCreateParams p = Params;
  ASSERT_TRUE(typed->Create(w, p));
  delete GetChildData(w);
  SetWindowExtra(w, 0, reinterpret_cast<intptr_t>(static_cast<TScrlChildData*>(typed)));

  InputKey(VK_MENU, true);
  InputChar('x');
  InputKey(VK_MENU, false);
  InputChar('a');  // comes after the Alt combination: only clears the flag
  InputChar('b');
  typed->SetDosMode(true);
  InputChar(0xE4);  // ä in the Windows code page
  RunPendingMessages();
  EXPECT_EQ(typed->Chars, (std::vector<uint8_t>{'b', 0x84}));
  EXPECT_EQ(Frame().Codes.back(), cnDosModeChanged);
  EXPECT_EQ(Frame().Records.back().Value1, 1);
  typed->SetDosMode(true);
  EXPECT_EQ(std::count(Frame().Codes.begin(), Frame().Codes.end(), cnDosModeChanged), 1);
}

TEST_F(ChildWindowTest, ModifiedTwiceChangesTheCaptionOnceAndFalseAlwaysNotifies) {
  TWindow w = MakeDoc();
  TTestDoc& d = Doc(w);
  Frame().Codes.clear();
  Frame().Records.clear();
  d.SetModified(true);
  d.SetModified(true);
  EXPECT_EQ(GetWindowText(w), "doc.txt  *");
  ASSERT_EQ(Frame().Codes, (std::vector<uint32_t>{cnModifiedChanged}));
  EXPECT_EQ(Frame().Records[0].Value1, 1);
  EXPECT_EQ(Frame().Records[0].Child, w);
  EXPECT_EQ(Frame().Records[0].Kind, wkEdit);
  d.SetModified(false);
  EXPECT_EQ(GetWindowText(w), "doc.txt");
  d.SetModified(false);
  EXPECT_EQ(GetWindowText(w), "doc.txt");
  EXPECT_EQ(Frame().Codes.size(), 3u);
  EXPECT_EQ(Frame().Records[2].Value1, 0);
  // A caption renamed meanwhile keeps its text.
  d.SetModified(true);
  SetWindowText(w, "other*name");
  d.SetModified(false);
  EXPECT_EQ(GetWindowText(w), "other*name");
}

TEST_F(ChildWindowTest, CloseQuestionAnsweredZeroKeepsTheWindow) {
  TWindow w = MakeDoc();
  Frame().CloseAnswer = 0;
  SendMessage(w, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(SendMessage(w, WM_QUERYENDSESSION, 0, 0), 0);
  EXPECT_EQ(Frame().Codes.back(), cnQueryClose);
  Frame().CloseAnswer = 1;
  SendMessage(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
  RunPendingMessages();
  EXPECT_EQ(Frame().PostedDestroyed, std::vector<intptr_t>{static_cast<intptr_t>(w)});
}

TEST_F(ChildWindowTest, RightButtonAndActivationNotifyTheFrame) {
  TWindow w = MakeDoc();
  SetFocus(FrameWindow);
  SendMessage(w, WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(7, 9));
  EXPECT_EQ(GetFocus(), w);
  EXPECT_EQ(Frame().Codes.back(), cnRightButton);
  EXPECT_EQ(Frame().Records.back().Value1, static_cast<int32_t>(MK_RBUTTON));
  SendMessage(w, WM_MDIACTIVATE, 0, static_cast<intptr_t>(FrameWindow));  // losing
  EXPECT_NE(Frame().Codes.back(), cnActivated);
  InvalidateRect(w, nullptr);
  SendMessage(w, WM_MDIACTIVATE, 0, static_cast<intptr_t>(w));
  EXPECT_EQ(Frame().Codes.back(), cnActivated);
  EXPECT_TRUE(GetUpdateRect(w).IsEmpty());  // painted at once
}

TEST_F(ChildWindowTest, PaintUsesTheObjectsFontAndColourTransparently) {
  Params.TextColor = MakeRgb(10, 20, 30);
  TLogFont log;
  log.Height = -20;
  log.FaceName = "Courier New";
  Params.Font = CreateFontIndirect(log);
  TWindow w = MakeDoc();
  Backend->Records.clear();
  InvalidateRect(w, nullptr);
  UpdateWindow(w);
  std::vector<TPaintRecord> texts;
  for (const auto& r : Backend->Records) {
    if (r.Op == TPaintRecord::TOp::Text) texts.push_back(r);
  }
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Color, MakeRgb(10, 20, 30));
  EXPECT_EQ(texts[0].Face, "Courier New");
  EXPECT_EQ(Doc(w).CharWidth, 10);
  EXPECT_EQ(Doc(w).CharHeight, 20);
}

TEST_F(ChildWindowTest, SetFontMeasuresAndRecomputesSteps) {
  TWindow w = MakeDoc(400, 161);
  TTestDoc& d = Doc(w);
  TLogFont log;
  log.Height = 16;
  log.FaceName = "Arial";
  TFont proportional = CreateFontIndirect(log);
  ChildSetFont(w, proportional);
  EXPECT_FALSE(d.FixedPitch);
  EXPECT_EQ(d.CharHeight, 18);  // height 16 + external leading 2
  EXPECT_EQ(d.Scroller->UnitY, 18);
  EXPECT_EQ(d.Scroller->PageStepY, 8);  // (161 + 1) / 18 - 1
  EXPECT_EQ(ChildGetFont(w), proportional);
  EXPECT_EQ(GetCaretState().Height, 18);  // recreated for the focused window
  d.Overwrite = 1;
  EXPECT_EQ(d.GetCaretSize().Width, 3);  // no block caret in a proportional font
  ChildSetFont(w, 0xDEAD);               // not a font: ignored
  EXPECT_EQ(ChildGetFont(w), proportional);
}

TEST_F(ChildWindowTest, SetColorsStoresChangesAndSetsTheClassBrush) {
  TWindow w = MakeDoc();
  TTestDoc& d = Doc(w);
  TBrush grey = CreateSolidBrush(MakeRgb(200, 200, 200));
  RunPendingMessages();
  ChildSetColors(w, MakeRgb(1, 1, 1), 0xFFFFFFFF, grey);
  EXPECT_EQ(d.TextColor, MakeRgb(1, 1, 1));
  EXPECT_EQ(d.MarkColor, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetClassBackground(w), grey);
  EXPECT_FALSE(GetUpdateRect(w).IsEmpty());
  RunPendingMessages();
  ChildSetColors(w, MakeRgb(1, 1, 1), 0xFFFFFFFF, grey);  // nothing changed: no repaint
  EXPECT_TRUE(GetUpdateRect(w).IsEmpty());
  ChildSetColors(w, MakeRgb(1, 1, 1), 0xFFFFFFFF, 0);
  EXPECT_EQ(GetClassBackground(w), kWindowColorBrush);
}

TEST_F(ChildWindowTest, ClickPlacesTheCaretAndDragAboveScrollsOneLinePerTick) {
  TWindow w = MakeDoc(400, 160);
  TTestDoc& d = Doc(w);
  d.Scroller->ScrollTo(0, 50);
  RunPendingMessages();
  d.Calls.clear();
  int step = 0;
  int ticksWhenReleased = 0;
  Backend->SetIdleScript([&] {
    ++step;
    if (step == 1) {
      InputMouse(w, WM_MOUSEMOVE, {16, 20});  // swallowed right after the click
      InputMouse(w, WM_MOUSEMOVE, {16, -30});  // above the window: ignored, timer scrolls
      return true;
    }
    if (step < 8) return false;  // let the clock run to the next tick
    ticksWhenReleased = Frame().Timers;
    InputMouse(w, WM_LBUTTONUP, {16, -30});
    return true;
  });
  InputMouse(w, WM_LBUTTONDOWN, {16, 32});
  RunPendingMessages();
  Backend->SetIdleScript(nullptr);

  EXPECT_EQ(d.Calls.front(), "SetCaret(2,52,0,0)");
  EXPECT_EQ(GetCapture(), 0u);
  ASSERT_GT(ticksWhenReleased, 3);
  EXPECT_EQ(d.Scroller->PosY, 50 - ticksWhenReleased);
  EXPECT_EQ(d.Caret.Line, 52 - ticksWhenReleased);
  EXPECT_EQ(d.Calls.back(), "MoveCaretBy(0,-1,1)");
  // The timer is gone with the button.
  Backend->AdvanceClock(100);
  int before = Frame().Timers;
  RunPendingMessages();
  EXPECT_EQ(Frame().Timers, before);
}

TEST_F(ChildWindowTest, DragInsideTheWindowExtendsTheSelection) {
  TWindow w = MakeDoc(400, 160);
  TTestDoc& d = Doc(w);
  int step = 0;
  Backend->SetIdleScript([&] {
    switch (++step) {
      case 1:
        InputMouse(w, WM_MOUSEMOVE, {8, 0});  // the one move ignored after a click
        return true;
      case 2:
        InputMouse(w, WM_MOUSEMOVE, {40, 48});
        return true;
      case 3:
        InputMouse(w, WM_MOUSEMOVE, {40, 900});  // below the page while the timer runs
        InputMouse(w, WM_LBUTTONUP, {40, 900});
        return true;
      default:
        return false;
    }
  });
  InputMouse(w, WM_LBUTTONDOWN, {0, 0});
  RunPendingMessages();
  Backend->SetIdleScript(nullptr);
  ASSERT_EQ(d.Calls.size(), 2u);
  EXPECT_EQ(d.Calls[0], "SetCaret(0,0,0,0)");
  EXPECT_EQ(d.Calls[1], "SetCaret(5,3,0,1)");
}

TEST_F(ChildWindowTest, LoadedNotificationPaintsAtOnce) {
  TWindow w = MakeDoc();
  int before = Backend->PaintCanvases;
  SendMessage(w, wm_FileLoaded, 0, 0);
  EXPECT_EQ(Backend->PaintCanvases, before + 1);
}

TEST_F(ChildWindowTest, AccessByHandle) {
  TWindow w = MakeDoc(400, 161);
  EXPECT_EQ(ChildKind(w), wkEdit);
  EXPECT_EQ(ChildFileName(w), "doc.txt");
  SetWindowText(w, std::string(300, 'x'));
  EXPECT_EQ(ChildWindowText(w).size(), kChildWindowTextMax);
  EXPECT_FALSE(ChildCanCopy(w));
  EXPECT_EQ(ChildSave(w, "x", 0, false), 0);
  ChildSetReadOnly(w, true);
  EXPECT_TRUE(ChildReadOnly(w));
  ChildSetShowSpecial(w, true);
  EXPECT_TRUE(ChildShowSpecial(w));
  EXPECT_TRUE(ChildFixedPitch(w));

  // Goto into the last two lines of the page scrolls it 3 lines above the bottom.
  ChildGoto(w, 9, 0, false);
  EXPECT_EQ(Doc(w).Scroller->PosY, 3);
  ChildGoto(w, 5, 0, false);  // visible and high enough: stays
  EXPECT_EQ(Doc(w).Scroller->PosY, 3);

  TLineTextCallback lines = ChildLineCallback(w);
  std::string text;
  EXPECT_TRUE(lines(7, text));
  EXPECT_EQ(text, "L7");
  EXPECT_FALSE(lines(100, text));

  // Other windows answer nothing.
  EXPECT_EQ(ChildKind(FrameWindow), wkNone);
  EXPECT_FALSE(ChildLineCallback(FrameWindow)(0, text));
  ChildUndo(FrameWindow);
}

TEST_F(ChildWindowTest, TheFourClassesAndMinimisedSizes) {
  for (uint8_t kind : {wkHex, wkGrep, wkDiff}) ASSERT_TRUE(RegisterChildClass(kind, TestDocProc));
  EXPECT_FALSE(RegisterChildClass(wkEdit, TestDocProc));  // taken
  EXPECT_FALSE(RegisterChildClass(5, TestDocProc));
  EXPECT_FALSE(RegisterChildClass(wkNone, TestDocProc));
  const TWindowClass* hex = FindWindowClass("ZKEditHexWin");
  ASSERT_NE(hex, nullptr);
  EXPECT_EQ(hex->Style, 0u);
  EXPECT_EQ(hex->Cursor, TCursorKind::IBeam);
  EXPECT_EQ(hex->ExtraValues, 1);
  EXPECT_EQ(hex->Background, kWindowColorBrush);
  EXPECT_EQ(FindWindowClass("ZKEditGrepWin")->Cursor, TCursorKind::Arrow);
  EXPECT_EQ(FindWindowClass("ZKEditDiffWin")->Style, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);

  Params.Kind = wkDiff;
  TWindow w = CreateWindowEx(0, "ZKEditDiffWin", "diff", WS_CHILD | WS_VISIBLE,
                             {0, 0, 400, 160}, FrameWindow, &Params);
  ASSERT_NE(w, 0u);
  RunPendingMessages();
  InputSize(w, 399, 160);  // redraw on horizontal size change: everything
  EXPECT_EQ(GetUpdateRect(w), (TRect{0, 0, 399, 160}));
  int32_t steps = Doc(w).Scroller->PageStepY;
  SendMessage(w, WM_SIZE, SIZE_MINIMIZED, MakeLParam(0, 0));
  EXPECT_EQ(Doc(w).Scroller->PageStepY, steps);
}
