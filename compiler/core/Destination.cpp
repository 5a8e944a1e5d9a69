// Output record: header, check bytes, writing the file.
#include "compiler/core/Destination.h"

#include <algorithm>
#include <cstring>

#include "platform/file/File.h"
#include "platform/file/FileOps.h"

uint32_t DestinationData::Create(const std::string& name) {
  Name_ = name;
  Bytes_.assign(sizeof(TRecordHeader), '\0');
  if (Writer_.Open(name.c_str()) != 0) return 102;
  if (platform::FileWrite(Writer_.Handle(), Bytes_.data(), static_cast<int32_t>(Bytes_.size())) !=
      static_cast<int32_t>(Bytes_.size()))
    return 103;
  return 0;
}

void DestinationData::Reserve(size_t bytes) { Bytes_.reserve(std::min(bytes, kMaxBytes)); }

bool DestinationData::Write(const void* data, size_t count) {
  if (Bytes_.size() + count > kMaxBytes) return false;
  Bytes_.append(static_cast<const char*>(data), count);
  return true;
}

bool DestinationData::WriteNumber(int64_t value, int32_t width) {
  char bytes[4];
  if (width > 4) width = 4;
  for (int32_t i = 0; i < width; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return width <= 0 || Write(bytes, static_cast<size_t>(width));
}

void DestinationData::Patch(int32_t position, int64_t value, int32_t width) {
  if (width > 4) width = 4;
  for (int32_t i = 0; i < width; ++i) {
    const size_t at = static_cast<size_t>(position) + static_cast<size_t>(i);
    if (position < 0 || at >= Bytes_.size()) return;
    Bytes_[at] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

void SetRecordChecks(std::string& record) {
  if (record.size() <= 3) return;
  uint8_t x = 0, s = 0;
  for (size_t i = 3; i < record.size(); ++i) {
    const auto b = static_cast<uint8_t>(record[i]);
    x ^= b;
    s = static_cast<uint8_t>(s + static_cast<uint8_t>((b << 1) | (b >> 7)));
  }
  record[0] = static_cast<char>(x);
  record[1] = static_cast<char>(s);
}

bool DestinationData::Finish() {
  const int32_t handle = Writer_.Handle();
  if (handle < 0) return false;
  TRecordHeader header{0, 0, kRecordMagic, static_cast<uint32_t>(Bytes_.size())};
  std::memcpy(Bytes_.data(), &header, sizeof header);
  SetRecordChecks(Bytes_);
  bool ok = platform::FileTruncate(handle, 0) && platform::FileSeek(handle, 0, 0) == 0;
  for (size_t done = 0; ok && done < Bytes_.size();) {
    const size_t chunk = std::min<size_t>(Bytes_.size() - done, 1u << 20);
    ok = platform::FileWrite(handle, Bytes_.data() + done, static_cast<int32_t>(chunk)) ==
         static_cast<int32_t>(chunk);
    done += chunk;
  }
  if (!ok) return false;
  return Writer_.Commit() == 0;
}

void DestinationData::Discard() {
  Writer_.Abandon();
  if (!Name_.empty()) platform::DeleteFile(Name_.c_str());
}
