// Internal state of the window layer, shared by its source files only.
#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

namespace platform::ui_detail {

struct TClipboardState;
struct TDragDropState;
struct TDialogScriptState;

struct TWindowObject final : THandleObject {
  THandleKind Kind() const override { return THandleKind::Window; }
  TWindow Handle = 0;
  std::shared_ptr<TWindowClass> Class;
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  TWindow Parent = 0;
  int32_t ControlId = 0;  // of a child: what WM_COMMAND tells its parent
  std::vector<TWindow> Children;
  TRect Rect;
  bool Visible = false;
  bool Destroying = false;
  std::vector<intptr_t> Extra;
  std::array<TScrollBarState, 2> Bars{};
  TRect Invalid;  // bounding box; empty = valid
  THandle Menu = 0;  // menu bar of a top-level window; destroyed with it
  TRect NormalRect;  // of a maximised or minimised top-level window
};

struct TCrossSend {
  TMsg Msg;
  std::promise<intptr_t> Result;
};

struct TTimer {
  TWindow Window = 0;
  uintptr_t Id = 0;
  uint32_t Period = 0;
  uint64_t Due = 0;
};

struct TUiState {
  std::unique_ptr<TUiBackend> Backend;
  std::thread::id Thread;
  std::map<std::string, std::shared_ptr<TWindowClass>> Classes;  // key: upper-case name
  std::vector<TWindow> Windows;  // creation order
  std::vector<TTimer> Timers;
  TWindow Focus = 0;
  TWindow Capture = 0;
  TCaretState Caret;
  TCursorKind Cursor = TCursorKind::Arrow;
  // Keys as of the message being handled (what GetKeyState reports) and as the input
  // arrived.
  std::array<bool, 256> Keys{};
  std::array<bool, 256> AsyncKeys{};
  TPoint CursorScreen;
  TFont StockFont = 0;
  // Guarded by QueueLock: everything other threads reach.
  std::mutex QueueLock;
  std::deque<TMsg> Posted;
  std::deque<std::shared_ptr<TCrossSend>> Sends;
  bool QuitPosted = false;
  int32_t QuitCode = 0;
  // Made on first use by Clipboard.cpp and DragDrop.cpp.
  std::shared_ptr<TClipboardState> Clipboard;
  std::shared_ptr<TDragDropState> DragDrop;
  // Scripted answers of the common dialogs (DialogScript.cpp).
  std::shared_ptr<TDialogScriptState> DialogScript;
};

// Null before InitUi.
TUiState* State();
// Brings the key state up to a keyboard or mouse message taken from the queue.
void TrackKeyState(const TMsg& msg);
TWindowObject* Lookup(TWindow window);
// Answers the sends other threads are waiting for (user-interface thread).
void RunCrossSends();
// Drops the drop target of a window that goes away.
void ForgetDropTarget(TWindow window);
// The classes of the dialog controls; every session has them.
void RegisterControlClasses();
// Destroys the dialogs a window owns (Dialog.cpp).
void DestroyOwnedDialogs(TWindow owner);
// A document window of an MDI client is going away: the client forgets it and activates
// another one.
void MdiChildGone(TWindow client, TWindow child);
// A document window of an MDI client got a new title: the window list follows.
void MdiChildRetitled(TWindow client);

}  // namespace platform::ui_detail
