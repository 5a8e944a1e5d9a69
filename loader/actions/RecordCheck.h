// The check of a VEL data record before it is announced to the device.
#pragma once

#include <string_view>

namespace krlad {

// True for a complete record as the compiler writes it: 55 hex at byte 2, the length field
// (bytes 3 to 6, low byte first) equal to the size, and both check bytes right (X the
// exclusive OR, S the sum of the bytes rotated left by one, over byte 3 to the end).
bool IsVelRecord(std::string_view bytes);

}  // namespace krlad
