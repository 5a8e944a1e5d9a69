// Reads a "ZKEDIT_HEXDATA" block as another program may have left it on the clipboard, and
// checks that what it yields is exactly the counted bytes and survives a round trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/hex/HexClipData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view block(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  if (!ParseHexClipData(block, &bytes)) {
    if (size >= 4) {
      uint32_t count = 0;
      for (int i = 0; i < 4; ++i) count |= static_cast<uint32_t>(data[i]) << (8 * i);
      // Refused only when the count reaches past the block.
      if (count <= size - 4) std::abort();
    }
    return 0;
  }
  if (bytes != block.substr(4, bytes.size())) std::abort();
  std::string again;
  if (!ParseHexClipData(MakeHexClipData(bytes), &again) || again != bytes) std::abort();
  return 0;
}
