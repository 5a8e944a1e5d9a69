// Reading the identification and the bootloader name out of a driver file.
#include "loader/actions/DriverFile.h"

#include <cctype>

#include "platform/file/File.h"

namespace krlad {
namespace {

constexpr int64_t kKrtIdPointerAt = 560;
constexpr int64_t kTableOffsetAt = 100;
constexpr int64_t kIdPointerBehindTable = 40;
constexpr int64_t kBootloaderPointerAt = 5;

bool ReadExact(int32_t file, int64_t offset, void* buffer, int32_t count) {
  return offset >= 0 && platform::FileRead(file, buffer, count, offset) == count;
}

bool ReadLittle(int32_t file, int64_t offset, int32_t bytes, int64_t& value) {
  uint8_t b[4] = {};
  if (!ReadExact(file, offset, b, bytes)) return false;
  value = 0;
  for (int32_t i = bytes - 1; i >= 0; --i) value = (value << 8) | b[i];
  return true;
}

}  // namespace

bool IsKrtFile(std::string_view name) {
  size_t dot = name.rfind('.');
  size_t slash = name.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot)) return false;
  std::string_view ext = name.substr(dot);
  if (ext.size() != 4) return false;
  const char want[] = ".KRT";
  for (size_t i = 0; i < 4; ++i)
    if (std::toupper(static_cast<unsigned char>(ext[i])) != want[i]) return false;
  return true;
}

bool ReadDriverId(int32_t file, bool krt, TDriverId& id) {
  int64_t pointer = 0;
  if (krt) {
    if (!ReadLittle(file, kKrtIdPointerAt, 3, pointer)) return false;
  } else {
    int64_t w = 0;
    if (!ReadLittle(file, kTableOffsetAt, 2, w)) return false;
    if (!ReadLittle(file, w + kIdPointerBehindTable, 2, pointer)) return false;
  }
  return ReadExact(file, pointer, id.data(), static_cast<int32_t>(id.size()));
}

bool ReadBootloaderName(int32_t file, std::string& name) {
  int64_t pointer = 0;
  if (!ReadLittle(file, kBootloaderPointerAt, 2, pointer)) return false;
  name.assign(kBootloaderNameSize, '\0');
  return ReadExact(file, pointer, name.data(), static_cast<int32_t>(kBootloaderNameSize));
}

std::string NameText(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace krlad
