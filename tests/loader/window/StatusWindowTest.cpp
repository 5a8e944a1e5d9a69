// The status dialog on the window thread: layout and texts, fields, progress and boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "StatusFixture.h"
#include "loader/window/StatusLayout.h"
#include "loader/window/StatusWindow.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;
using namespace krlad;

namespace {

class StatusWindowTest : public loadwintest::StatusTest {
 protected:
  static bool Inside(const TRect& inner, const TRect& outer) {
    return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
           inner.Bottom <= outer.Bottom;
  }
};

TEST_F(StatusWindowTest, DialogHasTheCaptionGroupsFieldsAndButton) {
  TStatusWindow status;
  ASSERT_TRUE(status.Create());
  TWindow dialog = status.Window();
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(GetClassName(dialog), "KRLADWIN");
  EXPECT_EQ(GetWindowText(dialog), "KRLad für Windows Version 3.1");
  EXPECT_FALSE(IsWindowVisible(dialog));  // shown by the run
  EXPECT_EQ(GetClientRect(dialog), (TRect{0, 0, kStatusClientSize.Width, kStatusClientSize.Height}));

  for (int32_t id : {101, 102, 103, 104, 105}) {
    TWindow field = GetDlgItem(dialog, id);
    ASSERT_NE(field, 0u) << id;
    EXPECT_EQ(ControlKindOf(field), TControlKind::Static);
    EXPECT_EQ(GetWindowText(field), "");
    EXPECT_TRUE(IsWindowVisible(field));
  }
  TWindow bar = GetDlgItem(dialog, 107);
  ASSERT_NE(bar, 0u);
  EXPECT_EQ(ControlKindOf(bar), TControlKind::Progress);
  EXPECT_FALSE(IsWindowVisible(bar));
  TWindow abort = GetDlgItem(dialog, 2);
  EXPECT_EQ(ControlKindOf(abort), TControlKind::PushButton);
  EXPECT_EQ(GetWindowText(abort), "Abbruch");
  EXPECT_EQ(GetFocus(), abort);

  // The action field has room for two lines and wraps; the others keep to one.
  TRect action = GetWindowRect(GetDlgItem(dialog, 102));
  TRect port = GetWindowRect(GetDlgItem(dialog, 104));
  EXPECT_EQ(action.Height(), 2 * port.Height());
  EXPECT_EQ(GetWindowStyle(GetDlgItem(dialog, 102)) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(GetWindowStyle(GetDlgItem(dialog, 104)) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);

  // The status line and the bar sit in the first group, the four fields in "Info".
  TRect statusGroup = kStatusControls[0].Rect;
  TRect infoGroup = kStatusControls[3].Rect;
  EXPECT_EQ(kStatusControls[0].Text, "Aktueller Status");
  EXPECT_EQ(kStatusControls[3].Text, "Info");
  EXPECT_TRUE(Inside(GetWindowRect(GetDlgItem(dialog, 101)), statusGroup));
  EXPECT_TRUE(Inside(GetWindowRect(bar), statusGroup));
  for (int32_t id : {102, 103, 104, 105}) {
    EXPECT_TRUE(Inside(GetWindowRect(GetDlgItem(dialog, id)), infoGroup)) << id;
  }
  EXPECT_FALSE(Inside(GetWindowRect(abort), infoGroup));
  for (const TControlDef& c : kStatusControls) {
    EXPECT_TRUE(Inside(c.Rect, GetClientRect(dialog))) << c.Text;
  }

  // What the user sees once the window shows.
  ShowWindow(dialog, true);
  RunPendingMessages();
  std::vector<std::string> texts;
  for (const TPaintRecord& r : Backend->Records) {
    if (r.Op == TPaintRecord::TOp::Text) texts.push_back(r.Text);
  }
  for (const char* text : {"Aktueller Status", "Info", "Aktion:", "Angeschlossen an:",
                           "Schnittstelle:", "Geschwindigkeit:", "Abbruch"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  }
}

TEST_F(StatusWindowTest, FieldsTakeTextsByIdAndByCallNumber) {
  TStatusWindow status;
  EXPECT_FALSE(status.SetText(101, "before the window"));
  ASSERT_TRUE(status.Create());
  TWindow dialog = status.Window();
  EXPECT_TRUE(status.SetText(101, "Verbindung wird aufgebaut ..."));
  EXPECT_FALSE(status.SetText(106, "x"));
  EXPECT_FALSE(status.SetText(107, "x"));
  EXPECT_EQ(GetDlgItemText(dialog, 101), "Verbindung wird aufgebaut ...");

  status.StatusCall(scAction, 0, "\"a.ved\" VEL Datensatz wird geladen .");
  status.StatusCall(scConnectedTo, 0, "KRT 1");
  status.StatusCall(scPort, 0, "COM2");
  status.StatusCall(scSpeed, 0, "38400 Baud");
  EXPECT_EQ(GetDlgItemText(dialog, 102), "\"a.ved\" VEL Datensatz wird geladen .");
  EXPECT_EQ(GetDlgItemText(dialog, 103), "KRT 1");
  EXPECT_EQ(GetDlgItemText(dialog, 104), "COM2");
  EXPECT_EQ(GetDlgItemText(dialog, 105), "38400 Baud");
  EXPECT_EQ(status.StatusCall(scAskCancel, 0, ""), 0);
  status.StatusCall(scSetCancel, 0, "");
  EXPECT_EQ(status.StatusCall(scAskCancel, 0, ""), 1);
  EXPECT_TRUE(status.Cancelled());
}

TEST_F(StatusWindowTest, ProgressShowsPercentOfTotalAndHides) {
  TStatusWindow status;
  ASSERT_TRUE(status.Create());
  TWindow bar = GetDlgItem(status.Window(), 107);
  status.ProgressStart(400);
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(GetProgressState(bar), (TProgressState{0, 100, 0}));
  status.ProgressStep(100);
  EXPECT_EQ(GetProgressState(bar).Pos, 25);
  status.ProgressStep(399);
  EXPECT_EQ(GetProgressState(bar).Pos, 99);
  status.ProgressStep(1000);  // more than announced stays full
  EXPECT_EQ(GetProgressState(bar).Pos, 100);
  // Large totals do not overflow n * 100.
  status.StatusCall(scProgressStart, 2000000000, "");
  EXPECT_EQ(GetProgressState(bar).Pos, 0);
  status.StatusCall(scProgressStep, 1000000000, "");
  EXPECT_EQ(GetProgressState(bar).Pos, 50);
  // A transfer with nothing to send is complete at its first step.
  status.ProgressStart(0);
  status.ProgressStep(0);
  EXPECT_EQ(GetProgressState(bar).Pos, 0);
  status.ProgressStep(1);
  EXPECT_EQ(GetProgressState(bar).Pos, 100);
  status.StatusCall(scProgressHide, 0, "");
  EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(StatusWindowTest, BoxesHaveTheirCaptionsIconsButtonsAndAnswers) {
  TStatusWindow status;
  EXPECT_EQ(status.ShowBox(TBoxKind::Question, "no window"), baOther);
  EXPECT_TRUE(Backend->Boxes.empty());
  ASSERT_TRUE(status.Create());
  Backend->QueueAnswer(IDOK);
  Backend->QueueAnswer(IDOK);
  Backend->QueueAnswer(IDYES);
  Backend->QueueAnswer(IDNO);
  Backend->QueueAnswer(IDCANCEL);
  EXPECT_EQ(status.ShowBox(TBoxKind::Error, "Gerät reagiert nicht !"), baOk);
  EXPECT_EQ(status.ShowBox(TBoxKind::Warning, "w"), baOk);
  EXPECT_EQ(status.ShowBox(TBoxKind::Question, "Wiederholen ?"), baYes);
  EXPECT_EQ(status.ShowBox(TBoxKind::Question, "Wiederholen ?"), baNo);
  EXPECT_EQ(status.ShowBox(TBoxKind::Question, "Wiederholen ?"), baOther);
  ASSERT_EQ(Backend->Boxes.size(), 5u);
  const TShownBox& error = Backend->Boxes[0];
  EXPECT_EQ(error.Owner, status.Window());
  EXPECT_EQ(error.Caption, "Fehler");
  EXPECT_EQ(error.Text, "Gerät reagiert nicht !");
  EXPECT_EQ(error.Type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(Backend->Boxes[1].Caption, "Warnung");
  EXPECT_EQ(Backend->Boxes[1].Type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(Backend->Boxes[2].Caption, "Meldung");
  EXPECT_EQ(Backend->Boxes[2].Type, MB_YESNO | MB_ICONQUESTION);
}

TEST_F(StatusWindowTest, AbbruchOrCloseWithoutWorkerClosesTheWindow) {
  TStatusWindow first;
  ASSERT_TRUE(first.Create());
  TWindow dialog = first.Window();
  SendMessage(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(first.Window(), 0u);
  EXPECT_FALSE(first.Cancelled());
  EXPECT_TRUE(Backend->Boxes.empty());

  TStatusWindow second;  // the class stays registered for a second window
  ASSERT_TRUE(second.Create());
  dialog = second.Window();
  PostMessage(dialog, WM_CLOSE, 0, 0);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(dialog));
}

}  // namespace
