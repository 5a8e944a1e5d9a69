// The output record being built: 7-byte header and the bytes that macros and data lists write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file/SafeFileWriter.h"

// Header of the data record; the check bytes cover everything from Length on.
#pragma pack(push, 1)
struct TRecordHeader {
  uint8_t CheckX;
  uint8_t CheckS;
  uint8_t Magic;  // 55 hex
  uint32_t Length;
};
#pragma pack(pop)
static_assert(sizeof(TRecordHeader) == 7);
static_assert(offsetof(TRecordHeader, Length) == 3);

constexpr uint8_t kRecordMagic = 0x55;

// The record is kept in memory and written out whole when finished. Its file is opened at the
// start (a temporary beside it gets the empty header) so that a name that cannot be written
// is found before any work is done; the complete record replaces the old one only at the
// end, so a compile that is killed half way leaves the old record as it was.
class DestinationData {
 public:
  DestinationData() = default;
  ~DestinationData() = default;
  DestinationData(const DestinationData&) = delete;
  DestinationData& operator=(const DestinationData&) = delete;

  // 0, or the message number: 102 cannot be created, 103 header cannot be written.
  [[nodiscard]] uint32_t Create(const std::string& name);
  bool IsOpen() const { return Writer_.Handle() >= 0; }

  // Room for about `bytes` bytes of record (at most kMaxBytes), so that a big record is not
  // copied each time it outgrows its buffer.
  void Reserve(size_t bytes);

  // Offset at which the next byte goes.
  int32_t Position() const { return static_cast<int32_t>(Bytes_.size()); }
  // False when the record would outgrow any device (a runaway definition).
  [[nodiscard]] bool Write(const void* data, size_t count);
  // Little-endian, the low `width` bytes (0 to 4).
  [[nodiscard]] bool WriteNumber(int64_t value, int32_t width);
  void Patch(int32_t position, int64_t value, int32_t width);

  // Sets the length and check bytes and writes the file; false on a write failure.
  [[nodiscard]] bool Finish();
  // Drops the new record and removes the old one (a failed compilation keeps no record).
  void Discard();

  const std::string& Bytes() const { return Bytes_; }
  const std::string& Name() const { return Name_; }

  // Runaway definitions stop here instead of filling the disk.
  static constexpr size_t kMaxBytes = 64u << 20;

 private:
  std::string Name_;
  std::string Bytes_;  // header included
  platform::TSafeFileWriter Writer_;
};

// Computes X and S over bytes 3.. of a record and stores them in bytes 0 and 1.
void SetRecordChecks(std::string& record);
