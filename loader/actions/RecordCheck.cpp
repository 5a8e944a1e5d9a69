// A damaged or truncated record must never reach the device: it would replace a working
// program there.
#include "loader/actions/RecordCheck.h"

#include <cstdint>

namespace krlad {

bool IsVelRecord(std::string_view bytes) {
  constexpr size_t kHeaderSize = 7;
  if (bytes.size() < kHeaderSize || static_cast<uint8_t>(bytes[2]) != 0x55) return false;
  uint32_t length = 0;
  for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<uint8_t>(bytes[3 + i]);
  if (length != bytes.size()) return false;
  uint8_t x = 0;
  uint8_t s = 0;
  for (size_t i = 3; i < bytes.size(); ++i) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    x = static_cast<uint8_t>(x ^ b);
    s = static_cast<uint8_t>(s + static_cast<uint8_t>((b << 1) | (b >> 7)));
  }
  return static_cast<uint8_t>(bytes[0]) == x && static_cast<uint8_t>(bytes[1]) == s;
}

}  // namespace krlad
