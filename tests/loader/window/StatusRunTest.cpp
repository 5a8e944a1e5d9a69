// The status window with a worker thread: fields from the worker, questions answered by
// script, cancel by "Abbruch" and by closing, and the end of the run with the worker.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "StatusFixture.h"
#include "loader/window/StatusWindow.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;
using namespace krlad;

namespace {

// Waits on the worker's side for the window thread to cancel; false after a few seconds.
bool WaitForCancel(const TStatusWindow& status) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!status.Cancelled()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class StatusRunTest : public loadwintest::StatusTest {
 protected:
  // Runs `act` once on the window thread, after the worker has said it is waiting.
  void WhenWorkerWaits(std::function<void()> act) {
    Backend->SetIdleScript([this, act = std::move(act), done = false]() mutable {
      if (!done && Waiting.load()) {
        done = true;
        act();
      }
      return true;  // keep looking while the worker runs
    });
  }
  std::atomic<bool> Waiting{false};
};

TEST_F(StatusRunTest, WorkerFillsFieldsFromItsThreadAndTheRunEndsWithIt) {
  TStatusWindow status;
  std::thread::id windowThread = std::this_thread::get_id();
  std::thread::id workerThread;
  std::atomic<bool> checked{false};
  std::string action, port;
  TProgressState progress;
  bool barShown = false, windowShown = false;
  WhenWorkerWaits([&] {
    TWindow dialog = status.Window();
    action = GetDlgItemText(dialog, 102);
    port = GetDlgItemText(dialog, 104);
    progress = GetProgressState(GetDlgItem(dialog, 107));
    barShown = IsWindowVisible(GetDlgItem(dialog, 107));
    windowShown = IsWindowVisible(dialog);
    checked = true;
  });
  int32_t result = status.Run([&] {
    workerThread = std::this_thread::get_id();
    EXPECT_TRUE(status.SetText(102, "\"a.ved\" VEL Datensatz wird geladen ."));
    status.StatusCall(scPort, 0, "COM1");
    status.ProgressStart(400);
    status.ProgressStep(100);
    Waiting = true;
    while (!checked.load()) std::this_thread::yield();
    status.ProgressHide();
    return 42;
  });
  EXPECT_EQ(result, 42);
  EXPECT_NE(workerThread, windowThread);
  EXPECT_EQ(action, "\"a.ved\" VEL Datensatz wird geladen .");
  EXPECT_EQ(port, "COM1");
  EXPECT_EQ(progress.Pos, 25);
  EXPECT_TRUE(barShown);
  EXPECT_TRUE(windowShown);
  // The worker's close request closed the window; nobody cancelled.
  EXPECT_EQ(status.Window(), 0u);
  EXPECT_FALSE(status.Cancelled());
  EXPECT_TRUE(Backend->Boxes.empty());
}

TEST_F(StatusRunTest, QuestionsOfTheWorkerAreAnsweredOnTheWindowThread) {
  TStatusWindow status;
  Backend->QueueAnswer(IDNO);
  Backend->QueueAnswer(IDYES);
  int32_t result = status.Run([&] {
    int32_t first = status.ShowBox(TBoxKind::Question, "Gerät reagiert nicht !   Wiederholen ?");
    int32_t second = status.ShowBox(TBoxKind::Question, "Gerät reagiert nicht !   Wiederholen ?");
    int32_t error = status.ShowBox(TBoxKind::Error, "Gerät reagiert nicht !");
    return first * 100 + second * 10 + error;
  });
  EXPECT_EQ(result, baNo * 100 + baYes * 10 + baOk);
  ASSERT_EQ(Backend->Boxes.size(), 3u);
  EXPECT_EQ(Backend->Boxes[0].Caption, "Meldung");
  EXPECT_EQ(Backend->Boxes[2].Caption, "Fehler");
  EXPECT_NE(Backend->Boxes[0].Owner, 0u);
}

TEST_F(StatusRunTest, AbbruchWhileTheWorkerRunsReportsAndCancels) {
  TStatusWindow status;
  WhenWorkerWaits([&] {
    TWindow abort = GetDlgItem(status.Window(), 2);
    InputMouse(abort, WM_LBUTTONDOWN, {4, 4});
    InputMouse(abort, WM_LBUTTONUP, {4, 4});
    // A second click reports nothing more.
    InputMouse(abort, WM_LBUTTONDOWN, {4, 4});
    InputMouse(abort, WM_LBUTTONUP, {4, 4});
  });
  bool windowStayed = false;
  int32_t result = status.Run([&] {
    Waiting = true;
    if (!WaitForCancel(status)) return -2;
    // The window stays until the worker ends.
    windowStayed = status.SetText(101, "after the cancel");
    return 7;
  });
  EXPECT_EQ(result, 7);
  EXPECT_TRUE(windowStayed);
  EXPECT_TRUE(status.Cancelled());
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Anwender hat abgebrochen !");
  EXPECT_EQ(Backend->Boxes[0].Caption, "Fehler");
  EXPECT_EQ(Backend->Boxes[0].Type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(status.Window(), 0u);

  // A second run has a new window and starts uncancelled.
  EXPECT_EQ(status.Run([&] { return status.Cancelled() ? -2 : 8; }), 8);
}

TEST_F(StatusRunTest, EscapeInTheDialogIsAbbruch) {
  TStatusWindow status;
  WhenWorkerWaits([] {
    InputKey(VK_ESCAPE, true);  // the focus is on "Abbruch"
    InputKey(VK_ESCAPE, false);
  });
  int32_t result = status.Run([&] {
    Waiting = true;
    return WaitForCancel(status) ? 6 : -2;
  });
  EXPECT_EQ(result, 6);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Anwender hat abgebrochen !");
}

TEST_F(StatusRunTest, ClosingWhileTheWorkerRunsGoesToTheCancelHandler) {
  TStatusWindow status;
  std::vector<bool> handlerSawCancel;
  status.SetCancelHandler([&] { handlerSawCancel.push_back(status.Cancelled()); });
  WhenWorkerWaits([&] {
    PostMessage(status.Window(), WM_CLOSE, 0, 0);
    PostMessage(status.Window(), WM_CLOSE, 0, 0);
  });
  int32_t result = status.Run([&] {
    Waiting = true;
    return WaitForCancel(status) ? 5 : -2;
  });
  EXPECT_EQ(result, 5);
  // Once, on the window thread, with the flag already set; the handler reports instead.
  EXPECT_EQ(handlerSawCancel, (std::vector<bool>{true}));
  EXPECT_TRUE(Backend->Boxes.empty());
}

TEST_F(StatusRunTest, AQuitDuringTheRunCancelsAndWaitsForTheWorker) {
  TStatusWindow status;
  WhenWorkerWaits([] { PostQuitMessage(3); });
  std::atomic<bool> workerEnded{false};
  int32_t result = status.Run([&] {
    Waiting = true;
    bool cancelled = WaitForCancel(status);
    // Its calls are still answered while the window thread waits for it.
    status.ProgressStart(10);
    workerEnded = true;
    return cancelled ? 9 : -2;
  });
  EXPECT_EQ(result, 9);
  EXPECT_TRUE(workerEnded);
  EXPECT_FALSE(IsWindow(status.Window()));
  // The quit is kept for the caller's loop.
  Backend->SetIdleScript(nullptr);
  TMsg msg;
  ASSERT_TRUE(PeekMessage(msg, true));
  EXPECT_EQ(msg.Message, WM_QUIT);
  EXPECT_EQ(msg.WParam, 3u);
}

TEST_F(StatusRunTest, AWindowDestroyedUnderTheWorkerStopsIt) {
  TStatusWindow status;
  WhenWorkerWaits([&] { DestroyWindow(status.Window()); });
  bool textAfter = true;
  int32_t result = status.Run([&] {
    Waiting = true;
    bool cancelled = WaitForCancel(status);
    textAfter = status.SetText(101, "nobody sees this");
    return cancelled ? 4 : -2;
  });
  EXPECT_EQ(result, 4);
  EXPECT_FALSE(textAfter);
  EXPECT_TRUE(Backend->Boxes.empty());
}

TEST_F(StatusRunTest, AWorkerThatThrowsEndsTheRunWithMinusOne) {
  TStatusWindow status;
  int32_t result = status.Run([]() -> int32_t { throw std::runtime_error("lost"); });
  EXPECT_EQ(result, -1);
  EXPECT_EQ(status.Window(), 0u);
}

}  // namespace
