// Prepares the data of the blocks that send a file: plain, or packed from 128-byte records.
#pragma once

#include <array>
#include <cstdint>

#include "loader/link/Frames.h"

namespace krlad {

using TBlockData = std::array<uint8_t, kBlockData>;

// Record types of record mode (recipes).
enum : uint8_t { kRecordHeader = 1, kRecordData = 3 };
constexpr size_t kRecordSize = 128;
constexpr size_t kRecordDataOffset = 2;     // type byte and an ignored byte come first
constexpr size_t kHeaderValueOffset = 124;  // the header record's last four bytes
constexpr size_t kHeaderValueSize = 4;

class TBlockSource {
 public:
  // Reads from an open file handle of the platform file layer, from its start.
  TBlockSource(int32_t file, bool recordMode);

  // Fills `data` with the next block (zero-padded); false when the file is used up or a
  // read failed (see Failed). In record mode there is always a first block, since it
  // carries the header values.
  bool Next(TBlockData& data);
  bool Failed() const { return Failed_; }

 private:
  bool NextPlain(TBlockData& data);
  bool NextRecords(TBlockData& data);
  void ReadHeaderValues();

  int32_t File_;
  bool RecordMode_;
  bool Failed_ = false;
  bool First_ = true;
  int64_t Offset_ = 0;
  // Payload of the current data record not yet placed in a block.
  std::array<uint8_t, kRecordSize> Record_{};
  size_t RecordPos_ = 0;
  size_t RecordEnd_ = 0;
  std::array<uint8_t, kHeaderValueSize> Header_{};
};

}  // namespace krlad
