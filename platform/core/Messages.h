// Window message numbers shared by every component; the values are the Windows ones.
#pragma once

#include <cstdint>

namespace platform {

constexpr uint32_t WM_USER = 0x0400;

}  // namespace platform
