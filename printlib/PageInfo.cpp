// The page table and the page placeholders of header and footer.
#include "printlib/PageInfo.h"

#include <algorithm>

#include "printlib/PrintJob.h"

TNEWPageInfo::TNEWPageInfo(std::string title, int32_t capacity)
    : Title(std::move(title)), Starts_(static_cast<size_t>(std::max(capacity, 2)), -1) {}

int32_t TNEWPageInfo::StartOf(int32_t page) const {
  if (page <= 1) return 0;
  if (page >= Capacity()) return -1;
  return Starts_[static_cast<size_t>(page)];
}

void TNEWPageInfo::SetStart(int32_t page, int32_t position) {
  if (page <= 1) return;
  while (page + 1 >= Capacity()) Starts_.resize(Starts_.size() + kCapacityStep, -1);
  Starts_[static_cast<size_t>(page)] = position;
}

std::string ExpandPagePlaceholders(std::string_view text, int32_t page, int32_t total) {
  std::string out(text);
  size_t at = out.find(kPagePlaceholder);
  if (at != std::string::npos) out.replace(at, kPagePlaceholder.size(), std::to_string(page));
  at = out.find(kTotalPlaceholder);
  if (at != std::string::npos) {
    out.replace(at, kTotalPlaceholder.size(), total < 0 ? std::string("...") : std::to_string(total));
  }
  return out;
}

bool UsesTotalPlaceholder(std::string_view text) {
  return text.find(kTotalPlaceholder) != std::string_view::npos;
}
