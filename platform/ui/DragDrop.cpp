// Drop targets per window, the routing of a drag to the window that takes it, WM_DROPFILES
// with its block of paths, and drags started from a window.
#include "platform/ui/DragDrop.h"

#include <cstring>
#include <deque>
#include <map>

#include "platform/memory/GlobalMemory.h"
#include "platform/ui/DragDropScript.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

namespace ui_detail {

struct TDragDropState {
  std::map<TWindow, std::shared_ptr<TDropTarget>> Targets;
  // The drag over our windows now.
  bool Over = false;
  TTransferData Data;
  TWindow Receiver = 0;  // the window that takes it; 0: nobody
  bool Files = false;    // the receiver takes files (WM_DROPFILES), not a drop target
  std::shared_ptr<TDropTarget> Target;  // held while it hears the drag
  uint32_t LastEffect = DROPEFFECT_NONE;  // the receiver's latest answer
  // Drags started here.
  bool Dragging = false;
  std::deque<TDragOutcome> Outcomes;
  std::optional<TTransferData> LastDrag;
};

void ForgetDropTarget(TWindow window) {
  TUiState* s = State();
  if (s && s->DragDrop) s->DragDrop->Targets.erase(window);
}

}  // namespace ui_detail

using namespace ui_detail;

namespace {

// Layout of the block behind WM_DROPFILES: the offset of the paths, the point, two flags,
// then each path with a zero and one more zero at the end.
struct TDropFilesHeader {
  uint32_t FilesOffset;
  int32_t X;
  int32_t Y;
  uint32_t NonClient;
  uint32_t Wide;
};
static_assert(sizeof(TDropFilesHeader) == 20);

TDragDropState* Dnd() {
  TUiState* s = State();
  if (!s || !IsUiThread()) return nullptr;
  if (!s->DragDrop) s->DragDrop = std::make_shared<TDragDropState>();
  return s->DragDrop.get();
}

uint32_t Within(uint32_t effect, uint32_t allowed) {
  // One effect only: copy wins when a target names both.
  if (effect & allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (effect & allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  return DROPEFFECT_NONE;
}

// Files go to the nearest window that accepts them, so that a file manager's drop opens the
// files wherever it lands; anything else to the nearest drop target.
void Route(TDragDropState& d, TWindow window) {
  d.Receiver = 0;
  d.Files = false;
  if (!d.Data.Files.empty()) {
    for (TWindow w = window; w; w = GetParent(w)) {
      if (GetWindowExStyle(w) & WS_EX_ACCEPTFILES) {
        d.Receiver = w;
        d.Files = true;
        return;
      }
    }
  }
  for (TWindow w = window; w; w = GetParent(w)) {
    if (d.Targets.contains(w)) {
      d.Receiver = w;
      return;
    }
  }
}

void LeaveReceiver(TDragDropState& d) {
  std::shared_ptr<TDropTarget> target = std::move(d.Target);
  d.Target.reset();
  d.Receiver = 0;
  d.Files = false;
  if (target) target->DragLeave();
}

// Enters the receiver under `window`, leaving the previous one when it differs.
uint32_t EnterAt(TDragDropState& d, TWindow window, TPoint screen, uint32_t keyState,
                 uint32_t allowed, bool* entered) {
  TWindow before = d.Receiver;
  bool beforeFiles = d.Files;
  Route(d, window);
  *entered = d.Receiver != before || d.Files != beforeFiles;
  if (!*entered) return DROPEFFECT_NONE;
  TWindow receiver = d.Receiver;
  bool files = d.Files;
  if (before) {
    d.Receiver = before;
    d.Files = beforeFiles;
    LeaveReceiver(d);
    d.Receiver = receiver;
    d.Files = files;
  }
  if (!receiver) return DROPEFFECT_NONE;
  if (files) return Within(DROPEFFECT_COPY, allowed);
  auto it = d.Targets.find(receiver);
  if (it == d.Targets.end()) {
    d.Receiver = 0;
    return DROPEFFECT_NONE;
  }
  d.Target = it->second;
  return Within(d.Target->DragEnter(d.Data, keyState, screen, allowed), allowed);
}

// An empty path would end the list early: it is left out.
THandle DropFilesBlock(const std::vector<std::string>& paths, TPoint client) {
  size_t size = sizeof(TDropFilesHeader) + 1;
  for (const std::string& p : paths) size += p.empty() ? 0 : p.size() + 1;
  THandle block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return 0;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  TDropFilesHeader header{sizeof(TDropFilesHeader), client.X, client.Y, 0, 0};
  std::memcpy(bytes, &header, sizeof header);
  size_t at = sizeof header;
  for (const std::string& p : paths) {
    if (p.empty()) continue;
    std::memcpy(bytes + at, p.data(), p.size());
    at += p.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

// The paths of a drop block; a block that is too short or lacks its zeros yields what is
// complete in it.
std::vector<std::string> PathsOf(THandle drop, TPoint* client) {
  std::vector<std::string> paths;
  auto* bytes = static_cast<const char*>(GlobalLock(drop));
  if (!bytes) return paths;
  size_t size = GlobalSize(drop);
  if (size >= sizeof(TDropFilesHeader)) {
    TDropFilesHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (client) *client = TPoint{header.X, header.Y};
    size_t at = header.FilesOffset;
    while (at < size && bytes[at] != '\0') {
      const void* end = std::memchr(bytes + at, '\0', size - at);
      if (!end) break;
      size_t length = static_cast<size_t>(static_cast<const char*>(end) - (bytes + at));
      paths.emplace_back(bytes + at, length);
      at += length + 1;
    }
  }
  GlobalUnlock(drop);
  return paths;
}

}  // namespace

bool RegisterDragDrop(TWindow window, std::shared_ptr<TDropTarget> target) {
  TDragDropState* d = Dnd();
  if (!d || !target || !IsWindow(window) || d->Targets.contains(window)) return false;
  d->Targets.emplace(window, std::move(target));
  return true;
}

bool RevokeDragDrop(TWindow window) {
  TDragDropState* d = Dnd();
  return d && d->Targets.erase(window) > 0;
}

bool IsDropTarget(TWindow window) {
  TDragDropState* d = Dnd();
  return d && d->Targets.contains(window);
}

void DragAcceptFiles(TWindow window, bool accept) {
  uint32_t ex = GetWindowExStyle(window);
  SetWindowExStyle(window, accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~WS_EX_ACCEPTFILES));
}

uint32_t DragQueryFileCount(THandle drop) {
  return static_cast<uint32_t>(PathsOf(drop, nullptr).size());
}

std::string DragQueryFile(THandle drop, uint32_t index) {
  std::vector<std::string> paths = PathsOf(drop, nullptr);
  return index < paths.size() ? paths[index] : std::string();
}

bool DragQueryPoint(THandle drop, TPoint& client) {
  if (GlobalSize(drop) < sizeof(TDropFilesHeader)) return false;
  PathsOf(drop, &client);
  return true;
}

void DragFinish(THandle drop) { GlobalFree(drop); }

uint32_t InputDragEnter(TWindow window, const TTransferData& data, TPoint client,
                        uint32_t keyState, uint32_t allowed) {
  TDragDropState* d = Dnd();
  if (!d || !IsWindow(window)) return DROPEFFECT_NONE;
  if (d->Over) InputDragLeave();
  d->Over = true;
  d->Data = data;
  return InputDragOver(window, client, keyState, allowed);
}

uint32_t InputDragOver(TWindow window, TPoint client, uint32_t keyState, uint32_t allowed) {
  TDragDropState* d = Dnd();
  if (!d || !d->Over || !IsWindow(window)) return DROPEFFECT_NONE;
  TPoint screen = ClientToScreen(window, client);
  bool entered = false;
  uint32_t effect = EnterAt(*d, window, screen, keyState, allowed, &entered);
  if (!entered && d->Receiver) {
    effect = d->Files ? Within(DROPEFFECT_COPY, allowed)
                      : Within(d->Target->DragOver(keyState, screen, allowed), allowed);
  }
  d->LastEffect = effect;
  return effect;
}

void InputDragLeave() {
  TDragDropState* d = Dnd();
  if (!d || !d->Over) return;
  LeaveReceiver(*d);
  d->Over = false;
  d->Data = TTransferData();
}

uint32_t InputDrop(TWindow window, TPoint client, uint32_t keyState, uint32_t allowed) {
  TDragDropState* d = Dnd();
  if (!d || !d->Over) return DROPEFFECT_NONE;
  uint32_t effect = DROPEFFECT_NONE;
  if (IsWindow(window)) {
    // A drop where no drag went before enters there first, as a move would have.
    bool entered = false;
    effect = EnterAt(*d, window, ClientToScreen(window, client), keyState, allowed, &entered);
    if (!entered) effect = d->LastEffect;
  }
  if (effect == DROPEFFECT_NONE || !d->Receiver) {
    InputDragLeave();
    return DROPEFFECT_NONE;
  }
  TTransferData data = std::move(d->Data);
  d->Over = false;
  TWindow receiver = d->Receiver;
  d->Receiver = 0;
  if (d->Files) {
    d->Files = false;
    TPoint at = ScreenToClient(receiver, ClientToScreen(window, client));
    THandle block = DropFilesBlock(data.Files, at);
    if (!block) return DROPEFFECT_NONE;
    if (!PostMessage(receiver, WM_DROPFILES, block, 0)) {
      GlobalFree(block);
      return DROPEFFECT_NONE;
    }
    return effect;
  }
  std::shared_ptr<TDropTarget> target = std::move(d->Target);
  d->Target.reset();
  TPoint screen = ClientToScreen(window, client);
  return Within(target->Drop(data, keyState, screen, allowed), allowed);
}

bool IsDragging() {
  TDragDropState* d = Dnd();
  return d && d->Dragging;
}

uint32_t DoDragDrop(TWindow source, const TTransferData& data, uint32_t allowed) {
  TDragDropState* d = Dnd();
  if (!d || d->Dragging || !IsWindow(source) || data.Empty()) return DROPEFFECT_NONE;
  allowed &= DROPEFFECT_COPY | DROPEFFECT_MOVE;
  if (!allowed) return DROPEFFECT_NONE;
  d->Dragging = true;
  d->LastDrag = data;
  int32_t effect = UiBackend()->RunDrag(source, data, allowed);
  if (effect < 0) {
    // No native drag: the script plays the user.
    effect = DROPEFFECT_NONE;
    if (!d->Outcomes.empty()) {
      TDragOutcome outcome = d->Outcomes.front();
      d->Outcomes.pop_front();
      if (outcome.Kind == TDragOutcome::TKind::Drop && IsWindow(outcome.Target)) {
        effect = static_cast<int32_t>(
            ScriptDrop(outcome.Target, data, outcome.Client, outcome.KeyState, allowed));
      }
    }
  }
  // The state may be gone when a target shut the layer down.
  if (TDragDropState* after = Dnd()) after->Dragging = false;
  return Within(static_cast<uint32_t>(effect), allowed);
}

void QueueDragOutcome(const TDragOutcome& outcome) {
  if (TDragDropState* d = Dnd()) d->Outcomes.push_back(outcome);
}

std::optional<TTransferData> LastDragData() {
  TDragDropState* d = Dnd();
  return d ? d->LastDrag : std::nullopt;
}

uint32_t ScriptDrop(TWindow window, const TTransferData& data, TPoint client,
                    uint32_t keyState, uint32_t allowed) {
  InputDragEnter(window, data, client, keyState, allowed);
  uint32_t effect = InputDragOver(window, client, keyState, allowed);
  if (effect == DROPEFFECT_NONE) {
    InputDragLeave();
    return DROPEFFECT_NONE;
  }
  return InputDrop(window, client, keyState & ~(MK_LBUTTON | MK_RBUTTON), allowed);
}

uint32_t ScriptDropFiles(TWindow window, const std::vector<std::string>& paths, TPoint client) {
  TTransferData data;
  data.Files = paths;
  return ScriptDrop(window, data, client, MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

}  // namespace platform
