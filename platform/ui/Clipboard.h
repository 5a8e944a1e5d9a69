// The clipboard of the window layer: open, empty, set and get blocks by format, close, and
// availability without opening; the content lives in the back end's system clipboard or, without
// one, in memory. Windows registered as listeners hear of every change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/HandleTable.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// Posted to every listener after the clipboard's content changed.
constexpr uint32_t WM_CLIPBOARDUPDATE = 0x031D;

// The system clipboard a back end offers (the headless one keeps none: the layer's own
// in-memory clipboard stands in).
class TSystemClipboard {
 public:
  virtual ~TSystemClipboard() = default;
  virtual TTransferData Read() = 0;
  [[nodiscard]] virtual bool Write(const TTransferData& data) = 0;
  // Asked often (menus, idle updates of the tool bar): a clipboard may answer without
  // copying its content.
  virtual bool Has(uint32_t format) { return Read().Has(format); }
};

// False while it is open already (by any window) or outside the user-interface thread.
[[nodiscard]] bool OpenClipboard(TWindow owner);
// Drops every format; the clipboard must be open.
bool EmptyClipboard();
// Hands a global memory block to the clipboard: on success the clipboard owns (and has freed)
// it; on failure the caller still does. CF_TEXT and CF_OEMTEXT take the bytes up to the first
// zero in that code page; registered formats keep the block's bytes exactly.
[[nodiscard]] bool SetClipboardData(uint32_t format, THandle block);
// A block owned by the clipboard until it is closed or emptied: text with a terminating zero,
// a registered format's bytes exactly; 0 when the clipboard is not open or lacks the format.
THandle GetClipboardData(uint32_t format);
// Writes what changed to the system clipboard; false when it was not open or the write failed.
bool CloseClipboard();
bool IsClipboardFormatAvailable(uint32_t format);

// Listeners get WM_CLIPBOARDUPDATE posted after each change.
bool AddClipboardFormatListener(TWindow window);
bool RemoveClipboardFormatListener(TWindow window);
// From a back end whose system clipboard changed outside the layer.
void InputClipboardChanged();

// The same calls in one piece: the text of a document in its code page, or a registered
// format's bytes; each opens and closes the clipboard itself.
[[nodiscard]] bool PutClipboardText(TWindow owner, std::string_view bytes, bool oem);
std::optional<std::string> TakeClipboardText(TWindow owner, bool oem);
[[nodiscard]] bool PutClipboardBytes(TWindow owner, uint32_t format, std::string_view bytes);
std::optional<std::string> TakeClipboardBytes(TWindow owner, uint32_t format);

}  // namespace platform
