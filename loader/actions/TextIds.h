// String-table texts that only the actions use, by name.
#pragma once

#include <cstdint>

#include "resources/krladwin32/Strings.h"

namespace krlad {

enum : uint32_t {
  idsActDriver = 102,
  idsActDriverNoDriver = 104,
  idsHwCardFirst = 301,  // interface card code c is entry 301 + c
  idsHwClockRam = 358,
  idsHwNone = 381,
  idsHwCard = 382,
  idsErrFileMissing = 1004,
  idsErrNoBootloader = 1005,
  idsErrWrongBootloader = 1007,
  idsErrReplaceFile = 1010,
  idsErrBadVelRecord = 1013,  // header, length or check bytes of a VEL record wrong
  idsErrEmptyFile = 1014,
};

// Fills the caption text 1501.
inline constexpr const char* kLoaderVersion = "3.1";

}  // namespace krlad
