// Driver table reads.
#include "compiler/core/Driver.h"

bool TreiberData::Open(const char* name, int32_t tableAddress) {
  Open_ = Image_.Load(name);
  Table_ = tableAddress;
  return Open_;
}

void TreiberData::Assign(std::string bytes, int32_t tableAddress) {
  Image_.Assign(std::move(bytes));
  Table_ = tableAddress;
  Open_ = true;
}

int32_t TreiberData::Entry(int32_t n) const {
  if (!Open_ || n < 0 || n >= kDriverEntries) return -1;
  return Image_.Read24(int64_t{Table_} + 3 * int64_t{n});
}

std::string TreiberData::VersionText() const {
  std::string text;
  const int32_t at = Entry(kDriverVersionEntry);
  if (at < 0 || !Image_.ReadText(at, &text)) return {};
  return text;
}
