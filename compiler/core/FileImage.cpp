// Input files are small (a definition, a driver); holding them whole makes every read a
// bounds check instead of a seek.
#include "compiler/core/FileImage.h"

#include "platform/file/FileOps.h"

bool TFileImage::Load(const char* name) {
  Bytes_.clear();
  if (name == nullptr || *name == '\0') return false;
  return platform::ReadWholeFile(name, Bytes_) == 0;
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
