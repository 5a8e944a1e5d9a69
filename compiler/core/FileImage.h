// A whole input file in memory, with bounds-checked reads of the little-endian fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The whole file into `bytes`, read at its size in one go (sources run to tens of
// megabytes, and growing a string step by step copies them several times); false when it
// cannot be opened or read.
[[nodiscard]] bool ReadFileBytes(const char* name, std::string& bytes);

class TFileImage {
 public:
  // False when the file cannot be opened or read.
  [[nodiscard]] bool Load(const char* name);
  void Assign(std::string bytes) { Bytes_ = std::move(bytes); }

  int64_t Size() const { return static_cast<int64_t>(Bytes_.size()); }
  const std::string& Bytes() const { return Bytes_; }
  // A 3-byte value at offset, or -1 when it does not lie inside the file.
  int32_t Read24(int64_t offset) const;
  // The NUL-terminated text at offset; false when the offset or the NUL lies outside.
  bool ReadText(int64_t offset, std::string* text) const;

 private:
  std::string Bytes_;
};
