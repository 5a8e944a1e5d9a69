// Copy and paste in the hex window: plain text, or with zero bytes "ZKEDIT_HEXDATA" plus
// the text with blanks for the zeros.
#include <algorithm>

#include "editor/hex/HexChildData.h"
#include "editor/hex/HexClipData.h"
#include "platform/memory/GlobalMemory.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

uint32_t HexFormat() { return RegisterClipboardFormat(kHexClipFormatName); }

bool SetBlock(uint32_t format, std::string_view bytes) {
  THandle block = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(bytes.size(), 1));
  if (!block) return false;
  auto* p = static_cast<char*>(GlobalLock(block));
  std::copy(bytes.begin(), bytes.end(), p);
  GlobalUnlock(block);
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

}  // namespace

void THexChildData::Copy() {
  if (!HasSelection()) return;
  const std::string bytes = BytesAt(SelStart, SelEnd - SelStart);
  const bool zeros = bytes.find('\0') != std::string::npos;
  std::string text = bytes;
  std::replace(text.begin(), text.end(), '\0', ' ');
  if (!OpenClipboard(Window)) {
    MessageBeep(0);
    return;
  }
  EmptyClipboard();
  bool ok = true;
  if (zeros) ok = SetBlock(HexFormat(), MakeHexClipData(bytes));
  ok = SetBlock(DosMode ? CF_OEMTEXT : CF_TEXT, text) && ok;
  if (!CloseClipboard() || !ok) MessageBeep(0);
}

bool THexChildData::CanPaste() {
  if (NormalMode || ReadOnly || CacheReadOnly()) return false;
  return IsClipboardFormatAvailable(HexFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}

void THexChildData::Paste() {
  if (!CanPaste()) return;
  const int64_t offset = CaretOffset();
  if (offset > FileSize()) {
    MessageBeep(0);
    return;
  }
  std::string bytes;
  bool found = false;
  if (auto block = TakeClipboardBytes(Window, HexFormat())) found = ParseHexClipData(*block, &bytes);
  if (!found) {
    auto text = TakeClipboardText(Window, DosMode != 0);
    if (!text) return;
    bytes = text->substr(0, text->find('\0'));
  }
  if (bytes.empty()) return;
  // Inserted, never overwritten.
  if (!ReplaceRange(offset, 0, bytes)) {
    MessageBeep(0);
    return;
  }
  GotoOffset(offset + static_cast<int64_t>(bytes.size()), false);
}
