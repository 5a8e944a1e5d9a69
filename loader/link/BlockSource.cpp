// Block preparation for sending files.
#include "loader/link/BlockSource.h"

#include <algorithm>

#include "platform/file/File.h"

namespace krlad {

TBlockSource::TBlockSource(int32_t file, bool recordMode) : File_(file), RecordMode_(recordMode) {
  if (RecordMode_) ReadHeaderValues();
}

bool TBlockSource::Next(TBlockData& data) {
  data.fill(0);
  if (Failed_) return false;
  bool more = RecordMode_ ? NextRecords(data) : NextPlain(data);
  First_ = false;
  return more;
}

bool TBlockSource::NextPlain(TBlockData& data) {
  size_t got = 0;
  while (got < data.size()) {
    int32_t n = platform::FileRead(File_, data.data() + got, static_cast<int32_t>(data.size() - got),
                                   Offset_);
    if (n < 0) {
      Failed_ = true;
      return false;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
    Offset_ += n;
  }
  return got > 0;
}

// The header values belong in the first block, which goes out before later records are
// read, so they are looked up before anything is sent: the first complete header record.
void TBlockSource::ReadHeaderValues() {
  std::array<uint8_t, kRecordSize> record{};
  for (int64_t offset = 0;; offset += kRecordSize) {
    int32_t n = platform::FileRead(File_, record.data(), kRecordSize, offset);
    if (n < 0) {
      Failed_ = true;
      return;
    }
    if (n == 0) return;
    if (record[0] == kRecordHeader && static_cast<size_t>(n) == kRecordSize) {
      std::copy_n(record.begin() + kHeaderValueOffset, kHeaderValueSize, Header_.begin());
      return;
    }
  }
}

bool TBlockSource::NextRecords(TBlockData& data) {
  size_t pos = 0;
  if (First_) {
    std::copy(Header_.begin(), Header_.end(), data.begin());
    pos = kHeaderValueSize;
  }
  while (pos < data.size()) {
    if (RecordPos_ < RecordEnd_) {
      size_t take = std::min(data.size() - pos, RecordEnd_ - RecordPos_);
      std::copy_n(Record_.begin() + static_cast<std::ptrdiff_t>(RecordPos_), take,
                  data.begin() + static_cast<std::ptrdiff_t>(pos));
      pos += take;
      RecordPos_ += take;
      continue;
    }
    Record_.fill(0);
    int32_t n = platform::FileRead(File_, Record_.data(), kRecordSize, Offset_);
    if (n < 0) {
      Failed_ = true;
      return false;
    }
    if (n == 0) break;
    Offset_ += n;
    // A short last record contributes what it has.
    if (Record_[0] == kRecordData && static_cast<size_t>(n) > kRecordDataOffset) {
      RecordPos_ = kRecordDataOffset;
      RecordEnd_ = static_cast<size_t>(n);
    }
  }
  return First_ || pos > 0;
}

}  // namespace krlad
