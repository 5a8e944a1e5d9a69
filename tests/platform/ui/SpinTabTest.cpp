// Spin fields with their buddies, progress bars as gauges, and tab controls with refusable
// changes and several rows.
#include <gtest/gtest.h>

#include <vector>

#include "UiFixture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/Input.h"

using namespace platform;
using uitest::Seen;

namespace {

// Recorded for WM_VSCROLL next to the notification codes.
constexpr int32_t kScrolled = 1;
bool gRefuse = false;
std::vector<int32_t>* gCodes = nullptr;

intptr_t ParentProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == WM_VSCROLL) gCodes->push_back(kScrolled);
  if (m == WM_NOTIFY) {
    const auto* n = reinterpret_cast<const TNmHdr*>(lp);
    gCodes->push_back(n->Code);
    if (n->Code == TCN_SELCHANGING || n->Code == UDN_DELTAPOS) return gRefuse ? 1 : 0;
  }
  return DefWindowProc(w, m, wp, lp);
}

class SpinTabTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    TWindowClass cls;
    cls.Name = "NotifyParent";
    cls.Proc = ParentProc;
    ASSERT_TRUE(RegisterWindowClass(cls));
    gCodes = &Codes;
    gRefuse = false;
    Parent = CreateWindowEx(0, "NotifyParent", "", WS_VISIBLE, {0, 0, 400, 300}, 0, nullptr);
  }
  std::vector<int32_t> Codes;
  TWindow Parent = 0;
};

TEST_F(SpinTabTest, SpinStepsWithinItsRangeShowsTheValueInItsBuddyAndReadsTypedNumbers) {
  TWindow buddy = CreateControl(kEditClass, "", WS_VISIBLE | WS_TABSTOP, {10, 10, 110, 30}, Parent, 1);
  TWindow spin = CreateControl(kSpinClass, "", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
                               {0, 0, 16, 20}, Parent, 2);
  EXPECT_EQ(static_cast<TWindow>(SendMessage(spin, UDM_GETBUDDY, 0, 0)), buddy);
  // Right-aligned: the spin takes the right end of the buddy's old place.
  EXPECT_EQ(GetWindowRect(spin), (TRect{94, 10, 110, 30}));
  EXPECT_EQ(GetWindowRect(buddy).Right, 94);
  SendMessage(spin, UDM_SETRANGE32, 1, 3);
  SendMessage(spin, UDM_SETPOS32, 0, 2);
  EXPECT_EQ(GetWindowText(buddy), "2");
  SendMessage(spin, WM_KEYDOWN, VK_UP, 0);
  SendMessage(spin, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 3);
  EXPECT_EQ(GetWindowText(buddy), "3");
  // The user typed a number: the next step starts from it.
  SetWindowText(buddy, "1");
  ScriptClick(spin, {5, 15});  // lower half: down
  RunPendingMessages();
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 1);
  // Text that is no number in the range is reported and leaves the last value.
  SetWindowText(buddy, "77");
  bool error = false;
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, reinterpret_cast<intptr_t>(&error)), 1);
  EXPECT_TRUE(error);
  // A refused step changes nothing.
  gRefuse = true;
  SetWindowText(buddy, "2");
  SendMessage(spin, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(GetWindowText(buddy), "2");
  EXPECT_EQ(Codes.back(), UDN_DELTAPOS);
  // In a dialog the arrows of the buddy step the spin.
  gRefuse = false;
  SetFocus(buddy);
  TMsg up{buddy, WM_KEYDOWN, VK_UP, 0};
  EXPECT_TRUE(IsDialogMessage(Parent, up));
  EXPECT_EQ(GetWindowText(buddy), "3");
}

TEST_F(SpinTabTest, WrappingSpinGoesRoundAndPlainOneStopsAtTheEnds) {
  TWindow spin = CreateControl(kSpinClass, "", WS_VISIBLE | UDS_WRAP, {0, 0, 16, 20}, Parent, 2);
  SendMessage(spin, UDM_SETRANGE32, 0, 2);
  SendMessage(spin, UDM_SETPOS32, 0, 2);
  SendMessage(spin, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 0);
  SetWindowStyle(spin, GetWindowStyle(spin) & ~UDS_WRAP);
  Codes.clear();
  SendMessage(spin, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 0);
  // At the end of the range the parent hears of the attempt, not of a change.
  EXPECT_EQ(Codes, (std::vector<int32_t>{UDN_DELTAPOS}));
  // A position outside the range is clamped.
  SendMessage(spin, UDM_SETPOS32, 0, 50);
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 2);
}

TEST_F(SpinTabTest, TabChangeCanBeRefusedAndManyTabsTakeSeveralRows) {
  TWindow tabs = CreateControl(kTabControlClass, "", WS_VISIBLE | TCS_MULTILINE, {0, 0, 200, 150}, Parent, 4);
  const char* names[] = {"Allgemein", "Sicherheit", "Texteditor", "Farben/Schriften", "Dateifilter"};
  for (int i = 0; i < 5; ++i) SendMessage(tabs, TCM_INSERTITEM, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(names[i]));
  EXPECT_GT(SendMessage(tabs, TCM_GETROWCOUNT, 0, 0), 1);
  TRect first{};
  TRect last{};
  SendMessage(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<intptr_t>(&first));
  SendMessage(tabs, TCM_GETITEMRECT, 4, reinterpret_cast<intptr_t>(&last));
  // The row of the current tab is the one next to the page.
  EXPECT_LT(last.Top, first.Top);
  EXPECT_LE(last.Right, 200);
  // The display area starts below every row.
  TRect area{0, 0, 200, 150};
  SendMessage(tabs, TCM_ADJUSTRECT, 0, reinterpret_cast<intptr_t>(&area));
  EXPECT_GE(area.Top, first.Bottom);

  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 0);
  ScriptClick(tabs, {last.Left + 2, last.Top + 2});
  RunPendingMessages();
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 4);
  // Its row has moved down to the page.
  SendMessage(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<intptr_t>(&first));
  SendMessage(tabs, TCM_GETITEMRECT, 4, reinterpret_cast<intptr_t>(&last));
  EXPECT_GT(last.Top, first.Top);
  EXPECT_EQ(Codes, (std::vector<int32_t>{TCN_SELCHANGING, TCN_SELCHANGE}));
  gRefuse = true;
  SendMessage(tabs, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(Codes.back(), TCN_SELCHANGING);
  // Deleting the current last tab moves the selection to the new last one.
  SendMessage(tabs, TCM_DELETEITEM, 4, 0);
  EXPECT_EQ(SendMessage(tabs, TCM_GETCURSEL, 0, 0), 3);
}

TEST_F(SpinTabTest, CheckBoxesAndRadioButtonsKeepTheirStates) {
  TWindow three = CreateControl(kButtonClass, "&Drei", WS_VISIBLE | BS_AUTO3STATE, {0, 0, 80, 16}, Parent, 10);
  TWindow plain = CreateControl(kButtonClass, "Zwei", WS_VISIBLE | BS_CHECKBOX, {0, 20, 80, 36}, Parent, 11);
  SendMessage(three, BM_CLICK, 0, 0);
  SendMessage(three, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessage(three, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(three, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // A two-state box cannot be indeterminate; a non-automatic one leaves it to the program.
  SendMessage(plain, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessage(plain, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessage(plain, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(plain, BM_GETCHECK, 0, 0), BST_CHECKED);
  // Radio groups end at the next WS_GROUP.
  TWindow r1 = CreateControl(kButtonClass, "1", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, {0, 40, 80, 56}, Parent, 20);
  TWindow r2 = CreateControl(kButtonClass, "2", WS_VISIBLE | BS_AUTORADIOBUTTON, {0, 60, 80, 76}, Parent, 21);
  TWindow other = CreateControl(kButtonClass, "3", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, {0, 80, 80, 96}, Parent, 22);
  SendMessage(other, BM_CLICK, 0, 0);
  SendMessage(r1, BM_CLICK, 0, 0);
  SendMessage(r2, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(CheckRadioButton(Parent, 20, 21, 20));
  EXPECT_EQ(IsDlgButtonChecked(Parent, 21), BST_UNCHECKED);
  EXPECT_TRUE(CheckRadioButton(Parent, 20, 21, 21));
  EXPECT_FALSE(CheckRadioButton(Parent, 20, 21, 99));
  // Disabled buttons take no clicks, neither by mouse nor by BM_CLICK.
  EnableWindow(r1, false);
  ScriptClick(r1, {5, 5});
  RunPendingMessages();
  SendMessage(r1, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(r1));
  EXPECT_TRUE(EnableWindow(r1, true));
}

}  // namespace
