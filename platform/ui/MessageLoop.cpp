// Message queue of the user-interface thread: sends across threads, posts, paints, timers.
#include "platform/ui/MessageLoop.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/charset/Charset.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace ui_detail {

void RunCrossSends() {
  TUiState* s = State();
  for (;;) {
    std::shared_ptr<TCrossSend> send;
    {
      std::lock_guard guard(s->QueueLock);
      if (s->Sends.empty()) return;
      send = std::move(s->Sends.front());
      s->Sends.pop_front();
    }
    intptr_t result = SendMessage(send->Msg.Window, send->Msg.Message, send->Msg.WParam,
                                  send->Msg.LParam);
    send->Result.set_value(result);
    if (!State()) return;
  }
}

}  // namespace ui_detail

namespace {

bool TakePosted(TMsg& msg, bool remove) {
  TUiState* s = State();
  std::lock_guard guard(s->QueueLock);
  if (!s->Posted.empty()) {
    msg = s->Posted.front();
    if (remove) {
      s->Posted.pop_front();
      TrackKeyState(msg);
    }
    return true;
  }
  if (s->QuitPosted) {
    msg = TMsg{0, WM_QUIT, static_cast<uintptr_t>(s->QuitCode), 0};
    if (remove) s->QuitPosted = false;
    return true;
  }
  return false;
}

bool TakePaint(TMsg& msg) {
  TUiState* s = State();
  if (s->Backend->PaintsNatively()) return false;
  for (TWindow window : s->Windows) {
    TWindowObject* w = Lookup(window);
    if (w && w->Visible && !w->Invalid.IsEmpty()) {
      msg = TMsg{window, WM_PAINT, 0, 0};
      return true;
    }
  }
  return false;
}

// Delivers at most one tick per timer and period, like the Windows timers.
bool TakeTimer(TMsg& msg, bool remove) {
  TUiState* s = State();
  uint64_t now = s->Backend->NowMs();
  auto due = std::min_element(s->Timers.begin(), s->Timers.end(),
                              [](const TTimer& a, const TTimer& b) { return a.Due < b.Due; });
  if (due == s->Timers.end() || due->Due > now) return false;
  msg = TMsg{due->Window, WM_TIMER, due->Id, 0};
  if (remove) due->Due = now + std::max<uint32_t>(due->Period, 1);
  return true;
}

int64_t NextTimerWait() {
  TUiState* s = State();
  if (s->Timers.empty()) return -1;
  uint64_t now = s->Backend->NowMs();
  uint64_t next = UINT64_MAX;
  for (const TTimer& t : s->Timers) next = std::min(next, t.Due);
  return next <= now ? 0 : static_cast<int64_t>(next - now);
}

bool TryTake(TMsg& msg, bool remove) {
  RunCrossSends();
  if (!State()) return false;
  return TakePosted(msg, remove) || TakePaint(msg) || TakeTimer(msg, remove);
}

}  // namespace

intptr_t SendMessage(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TUiState* s = State();
  if (!s) return 0;
  if (!IsUiThread()) {
    auto send = std::make_shared<TCrossSend>();
    send->Msg = TMsg{window, message, wParam, lParam};
    auto result = send->Result.get_future();
    {
      std::lock_guard guard(s->QueueLock);
      s->Sends.push_back(send);
    }
    s->Backend->Wake();
    return result.get();
  }
  TWindowObject* w = Lookup(window);
  if (!w) return 0;
  return w->Class->Proc(window, message, wParam, lParam);
}

bool PostMessage(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TUiState* s = State();
  if (!s) return false;
  // Other threads cannot look into the window table safely; Dispatch checks the handle.
  if (IsUiThread() && window && !Lookup(window)) return false;
  {
    std::lock_guard guard(s->QueueLock);
    s->Posted.push_back(TMsg{window, message, wParam, lParam});
  }
  s->Backend->Wake();
  return true;
}

void PostQuitMessage(int32_t code) {
  TUiState* s = State();
  if (!s) return;
  {
    std::lock_guard guard(s->QueueLock);
    s->QuitPosted = true;
    s->QuitCode = code;
  }
  s->Backend->Wake();
}

bool GetMessage(TMsg& msg) {
  for (;;) {
    if (!State()) {
      msg = TMsg{0, WM_QUIT, 0, 0};
      return false;
    }
    if (TryTake(msg, true)) return msg.Message != WM_QUIT;
    if (!State()) continue;
    State()->Backend->WaitForEvents(NextTimerWait());
  }
}

bool PeekMessage(TMsg& msg, bool remove) {
  if (!State()) return false;
  if (TryTake(msg, remove)) return true;
  if (!State()) return false;
  // Let the toolkit deliver what has arrived, then look again.
  State()->Backend->WaitForEvents(0);
  return State() && TryTake(msg, remove);
}

intptr_t DispatchMessage(const TMsg& msg) {
  if (!msg.Window || !IsWindow(msg.Window)) return 0;
  return SendMessage(msg.Window, msg.Message, msg.WParam, msg.LParam);
}

int32_t RunMessageLoop(const TLoopHooks& hooks) {
  TMsg msg;
  for (;;) {
    if (hooks.Idle) {
      while (!PeekMessage(msg, false)) {
        if (!hooks.Idle()) break;
      }
    }
    if (!GetMessage(msg)) return static_cast<int32_t>(msg.WParam);
    // Modeless dialogs take their keys first, as the application's loop would route them.
    if (IsAnyDialogMessage(msg)) continue;
    if (hooks.PreTranslate && hooks.PreTranslate(msg)) continue;
    DispatchMessage(msg);
  }
}

bool PumpOneMessage() {
  TMsg msg;
  if (!PeekMessage(msg, true)) return false;
  if (msg.Message == WM_QUIT) {
    PostQuitMessage(static_cast<int32_t>(msg.WParam));
    return false;
  }
  // A modeless dialog's keys work while long work lets one message run at a time.
  if (IsAnyDialogMessage(msg)) return true;
  DispatchMessage(msg);
  return true;
}

uint32_t RegisterWindowMessage(std::string_view name) {
  static std::mutex lock;
  static std::map<std::string, uint32_t> numbers;
  constexpr uint32_t kFirst = 0xC000;
  constexpr uint32_t kLast = 0xFFFF;
  if (name.empty()) return 0;
  std::lock_guard guard(lock);
  auto [it, added] = numbers.emplace(UpperCaseWin(name), 0);
  if (added) {
    if (numbers.size() > kLast - kFirst + 1) {
      numbers.erase(it);
      return 0;
    }
    it->second = kFirst + static_cast<uint32_t>(numbers.size() - 1);
  }
  return it->second;
}

uintptr_t SetTimer(TWindow window, uintptr_t id, uint32_t periodMs) {
  TUiState* s = State();
  if (!s || !Lookup(window) || id == 0) return 0;
  std::erase_if(s->Timers, [&](const TTimer& t) { return t.Window == window && t.Id == id; });
  s->Timers.push_back(TTimer{window, id, periodMs, s->Backend->NowMs() + periodMs});
  s->Backend->Wake();
  return id;
}

bool KillTimer(TWindow window, uintptr_t id) {
  TUiState* s = State();
  if (!s) return false;
  return std::erase_if(s->Timers, [&](const TTimer& t) {
           return t.Window == window && t.Id == id;
         }) > 0;
}

}  // namespace platform
