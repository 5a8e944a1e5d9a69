// Input files are small (a definition, a driver); holding them whole makes every read a
// bounds check instead of a seek.
#include "compiler/core/FileImage.h"

#include <algorithm>

#include "platform/file/File.h"

bool ReadFileBytes(const char* name, std::string& bytes) {
  bytes.clear();
  const int32_t handle = platform::FileOpen(name, platform::TFileAccess::ReadOnly);
  if (handle < 0) return false;
  const int64_t size = platform::FileSize(handle);
  bool ok = size >= 0;
  // One byte beyond the size leaves room for the read that finds the end, so that the usual
  // case never regrows (and copies) the whole buffer.
  if (ok) bytes.resize(static_cast<size_t>(size) + 1);
  size_t filled = 0;
  constexpr size_t kChunk = size_t{1} << 30;
  while (ok) {
    // A file that grew since its size was taken is read to its end all the same.
    if (filled == bytes.size()) bytes.resize(bytes.size() + 65536);
    const size_t want = std::min(bytes.size() - filled, kChunk);
    const int32_t got = platform::FileRead(handle, bytes.data() + filled, static_cast<int32_t>(want));
    if (got < 0) ok = false;
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  platform::FileClose(handle);
  bytes.resize(ok ? filled : 0);
  return ok;
}

bool TFileImage::Load(const char* name) {
  Bytes_.clear();
  if (name == nullptr || *name == '\0') return false;
  return ReadFileBytes(name, Bytes_);
}

int32_t TFileImage::Read24(int64_t offset) const {
  if (offset < 0 || offset + 3 > Size()) return -1;
  const auto* p = reinterpret_cast<const uint8_t*>(Bytes_.data() + offset);
  return p[0] | (p[1] << 8) | (p[2] << 16);
}

bool TFileImage::ReadText(int64_t offset, std::string* text) const {
  if (offset < 0 || offset >= Size()) return false;
  const size_t nul = Bytes_.find('\0', static_cast<size_t>(offset));
  if (nul == std::string::npos) return false;
  text->assign(Bytes_, static_cast<size_t>(offset), nul - static_cast<size_t>(offset));
  return true;
}
