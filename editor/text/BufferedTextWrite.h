// The buffered writer through which text files are saved.
#pragma once

#include <cstdint>
#include <memory>

#include "editor/text/TextTypes.h"

class TBufferedTextWrite {
 public:
  static constexpr int32_t kInitialCapacity = 32000;

  // The handle is not owned. Error is -10 when the buffer cannot be allocated.
  TBufferedTextWrite(int32_t handle, int32_t format);
  TBufferedTextWrite(const TBufferedTextWrite&) = delete;
  TBufferedTextWrite& operator=(const TBufferedTextWrite&) = delete;
  // Frees the buffer without flushing.
  ~TBufferedTextWrite() = default;

  // Appends the text (length < 0: up to its NUL; null text: length 0) and, when asked,
  // a line end of the format. 0, or -4 when a write failed (the line is then not taken).
  [[nodiscard]] int32_t WriteLine(const char* text, int32_t length, bool appendLineEnd);
  // Writes the pending bytes in one write. 0 or -4; fails at once when Error is set.
  [[nodiscard]] int32_t Flush();

  int32_t Error() const { return Error_; }
  int32_t Capacity() const { return Capacity_; }
  int32_t Fill() const { return Fill_; }
  int32_t Format() const { return Format_; }
  int32_t Handle() const { return Handle_; }

 private:
  int32_t Handle_;
  int32_t Error_ = 0;
  std::unique_ptr<char[]> Buffer_;
  int32_t Capacity_ = 0;
  int32_t Fill_ = 0;
  int32_t Format_;
};
