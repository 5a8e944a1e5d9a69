// The clipboard calls: a working copy while open, written back to the system clipboard (or the
// in-memory one) on close, and change notices to the listeners.
#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/memory/GlobalMemory.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

namespace ui_detail {

struct TClipboardState {
  TTransferData Memory;  // the content when the back end has no system clipboard
  bool Open = false;
  bool Changed = false;  // since it was opened
  TWindow Owner = 0;
  TTransferData Working;
  std::vector<THandle> Handed;  // blocks GetClipboardData gave out
  std::vector<TWindow> Listeners;

  void FreeHanded() {
    for (THandle block : Handed) GlobalFree(block);
    Handed.clear();
  }
  ~TClipboardState() { FreeHanded(); }
};

}  // namespace ui_detail

using namespace ui_detail;

namespace {

TClipboardState* Clip() {
  TUiState* s = State();
  if (!s || !IsUiThread()) return nullptr;
  if (!s->Clipboard) s->Clipboard = std::make_shared<TClipboardState>();
  return s->Clipboard.get();
}

TSystemClipboard* System() {
  TUiBackend* backend = UiBackend();
  return backend ? backend->SystemClipboard() : nullptr;
}

TTransferData ReadContent(TClipboardState& c) {
  if (TSystemClipboard* system = System()) return system->Read();
  return c.Memory;
}

void NotifyListeners(TClipboardState& c) {
  std::erase_if(c.Listeners, [](TWindow w) { return !IsWindow(w); });
  for (TWindow w : c.Listeners) PostMessage(w, WM_CLIPBOARDUPDATE, 0, 0);
}

THandle BlockOf(std::string_view bytes) {
  THandle block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return 0;
  if (!bytes.empty()) {
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

}  // namespace

bool OpenClipboard(TWindow owner) {
  TClipboardState* c = Clip();
  if (!c || c->Open) return false;
  c->Open = true;
  c->Changed = false;
  c->Owner = owner;
  c->Working = ReadContent(*c);
  return true;
}

bool EmptyClipboard() {
  TClipboardState* c = Clip();
  if (!c || !c->Open) return false;
  c->FreeHanded();
  c->Working = TTransferData();
  c->Changed = true;
  return true;
}

bool SetClipboardData(uint32_t format, THandle block) {
  TClipboardState* c = Clip();
  if (!c || !c->Open) return false;
  void* data = GlobalLock(block);
  if (!data) return false;
  std::string_view bytes(static_cast<const char*>(data), GlobalSize(block));
  bool set = c->Working.Set(format, bytes);
  GlobalUnlock(block);
  if (!set) return false;
  GlobalFree(block);
  c->Changed = true;
  return true;
}

THandle GetClipboardData(uint32_t format) {
  TClipboardState* c = Clip();
  if (!c || !c->Open) return 0;
  std::optional<std::string> bytes = c->Working.Get(format);
  if (!bytes) return 0;
  if (format == CF_TEXT || format == CF_OEMTEXT) *bytes += '\0';
  THandle block = BlockOf(*bytes);
  if (block) c->Handed.push_back(block);
  return block;
}

bool CloseClipboard() {
  TClipboardState* c = Clip();
  if (!c || !c->Open) return false;
  c->Open = false;
  c->Owner = 0;
  c->FreeHanded();
  if (!c->Changed) return true;
  c->Changed = false;
  if (TSystemClipboard* system = System()) {
    // The system clipboard reports its own change back through InputClipboardChanged.
    bool written = system->Write(c->Working);
    c->Working = TTransferData();
    return written;
  }
  c->Memory = std::move(c->Working);
  c->Working = TTransferData();
  NotifyListeners(*c);
  return true;
}

bool IsClipboardFormatAvailable(uint32_t format) {
  TClipboardState* c = Clip();
  if (!c) return false;
  if (c->Open) return c->Working.Has(format);
  if (TSystemClipboard* system = System()) return system->Has(format);
  return c->Memory.Has(format);
}

bool AddClipboardFormatListener(TWindow window) {
  TClipboardState* c = Clip();
  if (!c || !IsWindow(window)) return false;
  if (std::find(c->Listeners.begin(), c->Listeners.end(), window) == c->Listeners.end()) {
    c->Listeners.push_back(window);
  }
  return true;
}

bool RemoveClipboardFormatListener(TWindow window) {
  TClipboardState* c = Clip();
  return c && std::erase(c->Listeners, window) > 0;
}

void InputClipboardChanged() {
  if (TClipboardState* c = Clip()) NotifyListeners(*c);
}

bool PutClipboardBytes(TWindow owner, uint32_t format, std::string_view bytes) {
  THandle block = BlockOf(bytes);
  if (!block) return false;
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool set = SetClipboardData(format, block);
  if (!set) GlobalFree(block);
  bool closed = CloseClipboard();
  return set && closed;
}

std::optional<std::string> TakeClipboardBytes(TWindow owner, uint32_t format) {
  if (!OpenClipboard(owner)) return std::nullopt;
  std::optional<std::string> bytes;
  if (THandle block = GetClipboardData(format)) {
    bytes.emplace(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  if (bytes && (format == CF_TEXT || format == CF_OEMTEXT)) bytes->pop_back();
  return bytes;
}

bool PutClipboardText(TWindow owner, std::string_view bytes, bool oem) {
  return PutClipboardBytes(owner, oem ? CF_OEMTEXT : CF_TEXT, bytes);
}

std::optional<std::string> TakeClipboardText(TWindow owner, bool oem) {
  return TakeClipboardBytes(owner, oem ? CF_OEMTEXT : CF_TEXT);
}

}  // namespace platform
