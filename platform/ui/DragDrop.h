// Drag and drop of the window layer: windows that take drops (enter, over, leave, drop, each
// answered with an effect), drags started from a window, and files dropped from the desktop's
// file manager, which reach a window that accepts them as WM_DROPFILES.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/HandleTable.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// Effects (Windows numbers).
constexpr uint32_t DROPEFFECT_NONE = 0;
constexpr uint32_t DROPEFFECT_COPY = 1;
constexpr uint32_t DROPEFFECT_MOVE = 2;
// Key state of a drag besides the MK_ flags of mouse messages.
constexpr uint32_t MK_ALT = 0x0020;

constexpr uint32_t WM_DROPFILES = 0x0233;
// Extended style of a window that takes files dropped from outside.
constexpr uint32_t WS_EX_ACCEPTFILES = 0x00000010;

// The drop side of a window. Points are screen coordinates, key states MK_ flags as they
// are now (at the drop the button is already up), `allowed` what the source permits. The
// answers are one effect; anything outside `allowed` counts as none.
class TDropTarget {
 public:
  virtual ~TDropTarget() = default;
  virtual uint32_t DragEnter(const TTransferData& data, uint32_t keyState, TPoint screen,
                             uint32_t allowed) = 0;
  virtual uint32_t DragOver(uint32_t keyState, TPoint screen, uint32_t allowed) = 0;
  virtual void DragLeave() = 0;
  virtual uint32_t Drop(const TTransferData& data, uint32_t keyState, TPoint screen,
                        uint32_t allowed) = 0;
};

// False for an invalid window or one registered already; the layer holds the target until it
// is revoked or the window is destroyed.
[[nodiscard]] bool RegisterDragDrop(TWindow window, std::shared_ptr<TDropTarget> target);
bool RevokeDragDrop(TWindow window);
bool IsDropTarget(TWindow window);

// Runs a drag of `data` from `source` until it is dropped or cancelled (Escape) and returns
// the effect the target chose within `allowed`; DROPEFFECT_NONE when cancelled or refused.
uint32_t DoDragDrop(TWindow source, const TTransferData& data, uint32_t allowed);
// True while DoDragDrop runs.
bool IsDragging();

// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(TWindow window, bool accept);
// On a WM_DROPFILES wParam: the number of files, one path (empty past the end), the point in
// the client coordinates of the window that received it, and the release of the block.
uint32_t DragQueryFileCount(THandle drop);
std::string DragQueryFile(THandle drop, uint32_t index);
bool DragQueryPoint(THandle drop, TPoint& client);
void DragFinish(THandle drop);

// Entry points of a back end while something is dragged over a window (client point of
// `window`). The layer picks the window that takes it: the nearest of `window` and its
// ancestors with a drop target, or for files one that accepts them. Each returns the effect.
uint32_t InputDragEnter(TWindow window, const TTransferData& data, TPoint client,
                        uint32_t keyState, uint32_t allowed);
uint32_t InputDragOver(TWindow window, TPoint client, uint32_t keyState, uint32_t allowed);
void InputDragLeave();
uint32_t InputDrop(TWindow window, TPoint client, uint32_t keyState, uint32_t allowed);

}  // namespace platform
