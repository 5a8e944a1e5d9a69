// Building and reading "ZKEDIT_HEXDATA" blocks.
#include "editor/hex/HexClipData.h"

#include <cstdint>

std::string MakeHexClipData(std::string_view bytes) {
  const auto count = static_cast<uint32_t>(bytes.size());
  std::string block;
  block.reserve(bytes.size() + 5);
  for (int shift = 0; shift < 32; shift += 8) block += static_cast<char>((count >> shift) & 0xFF);
  block.append(bytes);
  block += '\0';
  return block;
}

bool ParseHexClipData(std::string_view block, std::string* bytes) {
  if (block.size() < 4) return false;
  uint32_t count = 0;
  for (int i = 0; i < 4; ++i) count |= static_cast<uint32_t>(static_cast<uint8_t>(block[static_cast<size_t>(i)])) << (8 * i);
  // The count comes from another program: it may not reach past the block.
  if (count > block.size() - 4) return false;
  if (bytes) bytes->assign(block.substr(4, count));
  return true;
}
