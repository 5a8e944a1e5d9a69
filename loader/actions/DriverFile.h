// What a driver file says about itself: the identification the device reports once the
// driver is loaded, and the name of the bootloader it needs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace krlad {

constexpr size_t kDriverIdSize = 128;
constexpr size_t kBootloaderNameSize = 11;
using TDriverId = std::array<uint8_t, kDriverIdSize>;

// True for a file name with the extension ".KRT" (in any case).
bool IsKrtFile(std::string_view name);

// The identification: for ".KRT" files at the 3-byte pointer at offset 560, otherwise at
// the 2-byte pointer found at offset w + 40, where w is the 2-byte value at offset 100.
// False when a pointer or the 128 bytes lie beyond the end of the file.
[[nodiscard]] bool ReadDriverId(int32_t file, bool krt, TDriverId& id);

// The 11 bytes at the 2-byte pointer at offset 5; false when they lie beyond the end.
[[nodiscard]] bool ReadBootloaderName(int32_t file, std::string& name);

// A name of 11 bytes as a text for messages: cut at the first NUL.
std::string NameText(std::string_view bytes);

}  // namespace krlad
