// VEL data records from outside, checked before a load: a record the check accepts must
// say its own size and carry the check bytes of its content.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "loader/actions/RecordCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!krlad::IsVelRecord(bytes)) return 0;
  if (size < 7 || data[2] != 0x55) __builtin_trap();
  const uint32_t length = data[3] | (uint32_t{data[4]} << 8) | (uint32_t{data[5]} << 16) |
                          (uint32_t{data[6]} << 24);
  if (length != size) __builtin_trap();
  uint8_t x = 0;
  for (size_t i = 3; i < size; ++i) x = static_cast<uint8_t>(x ^ data[i]);
  if (x != data[0]) __builtin_trap();
  return 0;
}
