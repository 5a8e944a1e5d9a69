// Lifetime of the layer's state.
#include "platform/ui/UiSystem.h"

#include <vector>

#include "platform/ui/Fonts.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {
namespace ui_detail {
namespace {
// Never destroyed with the other statics: a program ended by exit() while its windows live
// (the toolkit does so when the X server goes away) would otherwise tear them down after the
// handle table they use is gone. ShutdownUi ends the state on every orderly path.
std::unique_ptr<TUiState>& StateSlot() {
  static auto* state = new std::unique_ptr<TUiState>();
  return *state;
}
}  // namespace

TUiState* State() { return StateSlot().get(); }

TWindowObject* Lookup(TWindow window) {
  if (window == 0) return nullptr;
  return static_cast<TWindowObject*>(LookupHandle(window, THandleKind::Window));
}

}  // namespace ui_detail

using namespace ui_detail;

void InitUi(std::unique_ptr<TUiBackend> backend) {
  ShutdownUi();
  auto state = std::make_unique<TUiState>();
  state->Backend = std::move(backend);
  state->Thread = std::this_thread::get_id();
  StateSlot() = std::move(state);
  RegisterControlClasses();
}

void ShutdownUi() {
  TUiState* state = State();
  if (!state) return;
  // Top-level windows first; DestroyWindow takes the children along.
  while (!state->Windows.empty()) {
    TWindow top = state->Windows.front();
    while (TWindowObject* w = Lookup(top)) {
      if (!w->Parent) break;
      top = w->Parent;
    }
    if (!DestroyWindow(top)) state->Windows.erase(state->Windows.begin());
  }
  {
    std::lock_guard guard(state->QueueLock);
    for (auto& send : state->Sends) send->Result.set_value(0);
    state->Sends.clear();
    state->Posted.clear();
  }
  if (state->StockFont) RemoveHandle(state->StockFont);
  state->Classes.clear();
  StateSlot().reset();
}

TUiBackend* UiBackend() {
  TUiState* state = State();
  return state ? state->Backend.get() : nullptr;
}

bool IsUiThread() {
  TUiState* state = State();
  return state && state->Thread == std::this_thread::get_id();
}

bool QueryEndSession() {
  TUiState* state = State();
  if (!state) return true;
  auto topLevels = [state] {
    std::vector<TWindow> windows;
    for (TWindow w : state->Windows) {
      if (GetParent(w) == 0) windows.push_back(w);
    }
    return windows;
  };
  bool agreed = true;
  for (TWindow w : topLevels()) {
    // A window destroyed by an earlier answer is not asked.
    if (IsWindow(w) && SendMessage(w, WM_QUERYENDSESSION, 0, 0) == 0) {
      agreed = false;
      break;
    }
  }
  for (TWindow w : topLevels()) {
    if (IsWindow(w)) SendMessage(w, WM_ENDSESSION, agreed ? 1 : 0, 0);
  }
  return agreed;
}

}  // namespace platform
