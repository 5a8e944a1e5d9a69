// Arbitrary bytes as text from another program's clipboard or drag, and as a file-drop
// block: conversion must never crash, code-page text must survive the trip through Unicode,
// and a broken drop block yields only complete paths.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/memory/GlobalMemory.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/DragDrop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (bool oem : {false, true}) {
    std::string converted = platform::Utf8ToCodePageText(bytes, oem);
    if (converted.size() > bytes.size()) std::abort();
    // Code-page bytes come back unchanged from Unicode.
    std::string back =
        platform::Utf8ToCodePageText(platform::CodePageTextToUtf8(bytes, oem), oem);
    if (back != bytes) std::abort();
    platform::TTransferData transfer;
    transfer.Text = std::string(bytes);
    std::optional<std::string> text = transfer.Get(oem ? platform::CF_OEMTEXT : platform::CF_TEXT);
    if (!text || text->find('\0') != std::string::npos) std::abort();
  }

  platform::THandle block = platform::GlobalAlloc(platform::GMEM_MOVEABLE, size);
  if (!block) return 0;
  if (size) std::memcpy(platform::GlobalLock(block), data, size);
  platform::GlobalUnlock(block);
  uint32_t count = platform::DragQueryFileCount(block);
  if (count > size) std::abort();
  for (uint32_t i = 0; i < count; ++i) {
    if (platform::DragQueryFile(block, i).empty()) std::abort();
  }
  platform::DragFinish(block);
  return 0;
}
