// The preview window on the headless back end: page stepping, the page field, the counted
// total, zoom limits, two pages, large documents and the print request to the owner.
#include <gtest/gtest.h>

#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "printlib/PreviewForm.h"
#include "tests/printlib/PrintTestSupport.h"

using namespace platform;
using namespace printtest;

namespace {

// The print requests the owner window received: wParam of each.
std::vector<int32_t> gRequests;

intptr_t OwnerProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == RegisterWindowMessage("wm_ZKPreviewWantPrint")) {
    gRequests.push_back(static_cast<int32_t>(wParam));
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class PreviewFormTest : public ::testing::Test, public TPrintFixture {
 protected:
  PreviewFormTest() {
    TWindowClass cls;
    cls.Name = "PreviewOwner";
    cls.Proc = &OwnerProc;
    if (!FindWindowClass(cls.Name)) {
      EXPECT_TRUE(RegisterWindowClass(cls));
    }
    Owner = CreateWindowEx(0, "PreviewOwner", "Owner", WS_VISIBLE, TRect{10, 10, 810, 610}, 0, nullptr);
    Job.OwnerWindow = Owner;
    gRequests.clear();
  }
  // Runs the preview; the steps run while it waits for input, the last one must close it.
  void RunWith(TScriptSteps& steps) {
    Backend().SetIdleScript([&] { return steps.Step(); });
    RunPreview(Job, TestMetrics());
    Backend().SetIdleScript(nullptr);
    EXPECT_TRUE(steps.Done());
  }
  static TPreviewForm& Form() { return *TPreviewForm::Current(); }
  static bool Enabled(int32_t id) { return IsWindowEnabled(GetDlgItem(Form().Window(), id)); }
  static void Close() { SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcClose, 0); }

  TWindow Owner = 0;
};

TEST_F(PreviewFormTest, OnePageDocumentDisablesNextAndLastAfterTheFirstPaint) {
  Lines(10);
  TScriptSteps steps;
  steps.Then([] {
    ASSERT_TRUE(TPreviewForm::Current());
    EXPECT_EQ(GetWindowText(Form().Window()), "Z&K Quellwerk: Seitenansicht - [test.txt]");
    EXPECT_EQ(GetWindowRect(Form().Window()), (TRect{10, 10, 810, 610}));
    EXPECT_EQ(Form().LastPageNumber(), 1);
    EXPECT_FALSE(Enabled(TPreviewForm::idcNextPage));
    EXPECT_FALSE(Enabled(TPreviewForm::idcLastPage));
    EXPECT_FALSE(Enabled(TPreviewForm::idcPreviousPage));
    EXPECT_EQ(GetDlgItemText(Form().Window(), TPreviewForm::idcPageField), "1");
    Close();
  });
  RunWith(steps);
  EXPECT_EQ(TPreviewForm::Current(), nullptr);
}

TEST_F(PreviewFormTest, OverASmallFrameEveryButtonStaysInReach) {
  MoveWindow(Owner, TRect{20, 20, 620, 480});
  Lines(10);
  TScriptSteps steps;
  steps.Then([] {
    // Wider than the frame, as wide as its buttons need.
    const TRect window = GetWindowRect(Form().Window());
    EXPECT_EQ(window.Left, 20);
    EXPECT_GE(window.Width(), 7 * 104);
    // Made narrower by the user: the buttons share the width, "Schließen" included.
    MoveWindow(Form().Window(), TRect{window.Left, window.Top, window.Left + 500, window.Bottom});
    const TRect client = GetClientRect(Form().Window());
    const TRect close = GetWindowRect(GetDlgItem(Form().Window(), TPreviewForm::idcClose));
    EXPECT_LE(close.Right, client.Right);
    EXPECT_GE(close.Width(), 48);
    Close();
  });
  RunWith(steps);
}

TEST_F(PreviewFormTest, PageFieldAndStepButtonsStayInsideTheDocument) {
  Lines(3 * kLinesPerPage - 10);
  TScriptSteps steps;
  steps.Then([] {
         EXPECT_TRUE(Enabled(TPreviewForm::idcNextPage));
         EXPECT_EQ(Form().LastPageNumber(), -1);
         SetFocus(GetDlgItem(Form().Window(), TPreviewForm::idcPageField));
         SendDlgItemMessage(Form().Window(), TPreviewForm::idcPageField, EM_SETSEL, 0, -1);
         ScriptType("999");
         ScriptKey(VK_RETURN);
       })
      .Then([] {
        EXPECT_EQ(Form().CurrentPage(), 3);
        EXPECT_EQ(Form().LastPageNumber(), 3);
        EXPECT_EQ(GetDlgItemText(Form().Window(), TPreviewForm::idcPageField), "3");
        EXPECT_EQ(GetDlgItemText(Form().Window(), TPreviewForm::idcOfLabel), "von   3");
        EXPECT_FALSE(Enabled(TPreviewForm::idcNext));
        SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcPreviousPage, 0);
        EXPECT_EQ(Form().CurrentPage(), 2);
        SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcFirstPage, 0);
        EXPECT_EQ(Form().CurrentPage(), 1);
        EXPECT_FALSE(Enabled(TPreviewForm::idcPrevious));
        SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcPreviousPage, 0);
        EXPECT_EQ(Form().CurrentPage(), 1);
        SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcLastPage, 0);
        EXPECT_EQ(Form().CurrentPage(), 3);
        SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcNextPage, 0);
        EXPECT_EQ(Form().CurrentPage(), 3);
        Close();
      });
  RunWith(steps);
}

TEST_F(PreviewFormTest, TotalOfTheHeaderIsCountedAfterTheFirstPageIsShown) {
  Lines(3 * kLinesPerPage);
  std::strcpy(Job.Header, "S \x01\x01 / \x02\x02");
  TScriptSteps steps;
  int32_t shownAtFirst = 0;
  steps.Then([&] {
         // The first page is up; the count runs from a message it posted itself.
         shownAtFirst = Form().LastPageNumber();
       })
      .Then([] {
        EXPECT_TRUE(Form().TotalNeeded());
        EXPECT_EQ(Form().LastPageNumber(), 3);
        EXPECT_EQ(GetDlgItemText(Form().Window(), TPreviewForm::idcOfLabel), "von   3");
        Close();
      });
  RunWith(steps);
  EXPECT_EQ(shownAtFirst, 3);
}

TEST_F(PreviewFormTest, ZoomGoesBySteps) {
  Lines(10);
  TScriptSteps steps;
  steps.Then([] {
    EXPECT_DOUBLE_EQ(Form().Zoom(), 1.0);
    EXPECT_TRUE(Form().ZoomIn());
    EXPECT_DOUBLE_EQ(Form().Zoom(), 1.5);
    EXPECT_TRUE(Form().ZoomIn());
    EXPECT_DOUBLE_EQ(Form().Zoom(), 2.25);
    while (Form().ZoomIn()) {
    }
    EXPECT_NEAR(Form().Zoom(), 7.59375, 1e-9);
    EXPECT_FALSE(Enabled(TPreviewForm::idcZoomIn));
    while (Form().ZoomOut()) {
    }
    EXPECT_NEAR(Form().Zoom(), 1.0 / 1.5, 1e-9);
    EXPECT_FALSE(Form().ZoomOut());
    // Two pages reset the zoom and take the zoom commands away.
    SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcTwoPages, 0);
    EXPECT_TRUE(Form().TwoPages());
    EXPECT_DOUBLE_EQ(Form().Zoom(), 1.0);
    EXPECT_FALSE(Enabled(TPreviewForm::idcZoomIn));
    EXPECT_FALSE(Form().ZoomIn());
    EXPECT_EQ(GetDlgItemText(Form().Window(), TPreviewForm::idcTwoPages), "Eine Sei&te");
    SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcTwoPages, 0);
    EXPECT_TRUE(Enabled(TPreviewForm::idcZoomIn));
    Close();
  });
  RunWith(steps);
}

TEST_F(PreviewFormTest, ClickZoomsInAndCentresTheClickedPoint) {
  Lines(10);
  TScriptSteps steps;
  steps.Then([] {
    const TRect view = GetClientRect(Form().View());
    ScriptClick(Form().View(), TPoint{view.Width() / 2, view.Height() / 2});
  }).Then([] {
    EXPECT_DOUBLE_EQ(Form().Zoom(), 1.5);
    // The page is now higher than the view: the vertical bar scrolls it.
    TScrollBarState bar = GetScrollBar(Form().View(), SB_VERT);
    EXPECT_GT(bar.Max, 0);
    const TRect view = GetClientRect(Form().View());
    const int32_t panel = static_cast<int32_t>((view.Height() - 8) * 1.5);
    EXPECT_GT(bar.Pos, 0);
    EXPECT_NEAR(bar.Pos, panel / 2 + 3 - view.Height() / 2, 2);
    Close();
  });
  RunWith(steps);
}

TEST_F(PreviewFormTest, LargeDocumentHidesStepButtonsAndNeverCounts) {
  Lines(20);
  Job.LineCount = kLargeDocumentLines + 1;
  std::strcpy(Job.Footer, "\x02\x02");
  TScriptSteps steps;
  steps.Then([] {}).Then([] {
    EXPECT_TRUE(Form().LargeDocument());
    EXPECT_FALSE(Form().TotalNeeded());
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Form().Window(), TPreviewForm::idcNextPage)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Form().Window(), TPreviewForm::idcOfLabel)));
    EXPECT_TRUE(GetWindowStyle(GetDlgItem(Form().Window(), TPreviewForm::idcPageField)) & ES_READONLY);
    Close();
  });
  RunWith(steps);
}

TEST_F(PreviewFormTest, PrintButtonPostsTheKnownTotalToTheOwnerAndCloses) {
  Lines(2 * kLinesPerPage);
  TScriptSteps steps;
  steps.Then([] { SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcLastPage, 0); })
      .Then([] { SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcPrint, 0); });
  RunWith(steps);
  RunPendingMessages();
  EXPECT_EQ(gRequests, std::vector<int32_t>{2});
}

TEST_F(PreviewFormTest, PrintRequestBeforeTheTotalIsKnownSendsMinusOne) {
  Lines(2 * kLinesPerPage);
  TScriptSteps steps;
  steps.Then([] { SendMessage(Form().Window(), WM_COMMAND, TPreviewForm::idcPrint, 0); });
  RunWith(steps);
  RunPendingMessages();
  EXPECT_EQ(gRequests, std::vector<int32_t>{-1});
}

}  // namespace
