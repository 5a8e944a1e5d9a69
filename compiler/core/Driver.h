// The target device's driver file: only its table of 3-byte addresses is used.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/core/FileImage.h"

constexpr int32_t kDriverCodeStartEntry = 8;
constexpr int32_t kDriverVersionEntry = 24;
constexpr int32_t kDriverEntries = 256;

class TreiberData {
 public:
  // The table address is a driver-file offset, used as it stands.
  [[nodiscard]] bool Open(const char* name, int32_t tableAddress);
  void Assign(std::string bytes, int32_t tableAddress);
  bool IsOpen() const { return Open_; }
  // Entry n (0 to 255), or -1 when the driver is not open or the entry cannot be read.
  int32_t Entry(int32_t n) const;
  // The NUL-terminated text at entry 24's offset; empty when there is none.
  std::string VersionText() const;

 private:
  TFileImage Image_;
  int32_t Table_ = 0;
  bool Open_ = false;
};
