#include "editor/text/TextLines.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

void TLineTextFree::operator()(char* p) const {
  std::free(p);
}

TLineText MakeLineText(std::string_view text, bool* failed) {
  if (failed) *failed = false;
  if (text.empty()) return nullptr;
  char* p = static_cast<char*>(std::malloc(text.size() + 1));
  if (!p) {
    if (failed) *failed = true;
    return nullptr;
  }
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  return TLineText(p);
}

// ---------------------------------------------------------------------------------------
// Regions: large blocks holding loaded lines back to back.

class TLineRegions {
 public:
  ~TLineRegions() {
    for (TRegion& r : Regions_)
      Free(r);
  }

  char* Room(size_t* available) const {
    if (Current_ == kNone) {
      *available = 0;
      return nullptr;
    }
    const TRegion& r = Regions_[Current_];
    *available = r.Size - r.Used;
    return r.Base + r.Used;
  }

  char* Reserve(size_t bytes, size_t expectedTotal) {
    size_t available;
    char* room = Room(&available);
    if (room && available >= bytes) return room;
    size_t size = std::max(bytes, std::min(expectedTotal, kMaxRegion));
    TRegion r;
    if (size >= kHugeThreshold) {
      // Large loads take most of their time in page faults; huge pages cut that down.
      size_t length = (size + 2 * kHugePage - 1) / kHugePage * kHugePage;
      void* map = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (map == MAP_FAILED) return nullptr;
      uintptr_t aligned = (reinterpret_cast<uintptr_t>(map) + kHugePage - 1) & ~(kHugePage - 1);
      madvise(reinterpret_cast<void*>(aligned), length - kHugePage, MADV_HUGEPAGE);
      r.Map = map;
      r.MapLength = length;
      r.Base = reinterpret_cast<char*>(aligned);
      r.Size = length - (aligned - reinterpret_cast<uintptr_t>(map));
    } else {
      r.Base = static_cast<char*>(std::malloc(size));
      if (!r.Base) return nullptr;
      r.Size = size;
    }
    CloseCurrent();
    auto at = std::upper_bound(Regions_.begin(), Regions_.end(), r.Base,
                               [](const char* p, const TRegion& x) { return p < x.Base; });
    try {
      at = Regions_.insert(at, r);
    } catch (const std::bad_alloc&) {
      Free(r);
      return nullptr;
    }
    Current_ = static_cast<size_t>(at - Regions_.begin());
    return r.Base;
  }

  void Commit(size_t bytes, int64_t lines) {
    if (Current_ == kNone) return;
    Regions_[Current_].Used += bytes;
    Regions_[Current_].Live += lines;
  }

  void CloseCurrent() {
    if (Current_ == kNone) return;
    size_t index = Current_;
    Current_ = kNone;
    if (Regions_[index].Live == 0) Drop(index);
  }

  // True when the text lies in a region (and was released there).
  bool Release(char* text) {
    if (Regions_.empty()) return false;
    auto at = std::upper_bound(Regions_.begin(), Regions_.end(), text,
                               [](const char* p, const TRegion& x) { return p < x.Base; });
    if (at == Regions_.begin()) return false;
    --at;
    if (text >= at->Base + at->Size) return false;
    size_t index = static_cast<size_t>(at - Regions_.begin());
    if (--at->Live == 0 && index != Current_) Drop(index);
    return true;
  }

  bool Owns(const char* text) const {
    auto at = std::upper_bound(Regions_.begin(), Regions_.end(), text,
                               [](const char* p, const TRegion& x) { return p < x.Base; });
    return at != Regions_.begin() && text < (at - 1)->Base + (at - 1)->Size;
  }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);
  static constexpr size_t kMaxRegion = 32u << 20;
  static constexpr size_t kHugeThreshold = 4u << 20;
  static constexpr size_t kHugePage = 2u << 20;

  struct TRegion {
    char* Base = nullptr;
    size_t Size = 0;
    size_t Used = 0;
    int64_t Live = 0;
    void* Map = nullptr;  // set for mapped regions
    size_t MapLength = 0;
  };

  static void Free(TRegion& r) {
    if (r.Map) {
      munmap(r.Map, r.MapLength);
    } else {
      std::free(r.Base);
    }
  }

  void Drop(size_t index) {
    Free(Regions_[index]);
    Regions_.erase(Regions_.begin() + static_cast<std::ptrdiff_t>(index));
    if (Current_ != kNone && Current_ > index) --Current_;
  }

  std::vector<TRegion> Regions_;
  size_t Current_ = kNone;
};

// ---------------------------------------------------------------------------------------

TTextLines::TTextLines() = default;

TTextLines::~TTextLines() {
  Empty();
}

TTextLines::TTextLines(TTextLines&& other) noexcept {
  *this = std::move(other);
}

TTextLines& TTextLines::operator=(TTextLines&& other) noexcept {
  if (this != &other) {
    Empty();
    TabSize = other.TabSize;
    Pages_ = std::move(other.Pages_);
    Count_ = std::exchange(other.Count_, 0);
    LastPage_ = std::exchange(other.LastPage_, 0);
    FirstStale_ = std::exchange(other.FirstStale_, 0);
    Foreign_ = std::exchange(other.Foreign_, 0);
    PendingRegionLines_ = std::exchange(other.PendingRegionLines_, 0);
    Regions_ = std::move(other.Regions_);
    other.Pages_.clear();
  }
  return *this;
}

void TTextLines::MarkStale(size_t page) const {
  FirstStale_ = std::min(FirstStale_, page);
}

void TTextLines::RefreshStarts() const {
  auto& pages = const_cast<std::vector<TPage>&>(Pages_);
  for (size_t i = FirstStale_; i < pages.size(); ++i)
    pages[i].Start =
        i == 0 ? 0 : pages[i - 1].Start + static_cast<int32_t>(pages[i - 1].Items.size());
  FirstStale_ = pages.size();
}

TTextLines::TSpot TTextLines::Locate(int32_t index) const {
  // The last page and its neighbours first: walks go line by line.
  for (size_t candidate : {LastPage_, LastPage_ + 1, LastPage_ - 1}) {
    if (candidate < Pages_.size() && candidate < FirstStale_) {
      const TPage& p = Pages_[candidate];
      if (index >= p.Start && index < p.Start + static_cast<int32_t>(p.Items.size())) {
        LastPage_ = candidate;
        return {candidate, index - p.Start};
      }
    }
  }
  RefreshStarts();
  auto at = std::upper_bound(Pages_.begin(), Pages_.end(), index,
                             [](int32_t i, const TPage& p) { return i < p.Start; });
  size_t page = static_cast<size_t>(at - Pages_.begin()) - 1;
  LastPage_ = page;
  return {page, index - Pages_[page].Start};
}

const char* TTextLines::AtSlow(int32_t index) const {
  if (index < 0 || index >= Count_) return nullptr;
  TSpot s = Locate(index);
  return Pages_[s.Page].Items[static_cast<size_t>(s.Offset)];
}

char* TTextLines::MutableAt(int32_t index) {
  return const_cast<char*>(At(index));
}

int32_t TTextLines::Length(int32_t index) const {
  const char* p = At(index);
  return p ? static_cast<int32_t>(std::strlen(p)) : 0;
}

std::string_view TTextLines::Text(int32_t index) const {
  const char* p = At(index);
  return p ? std::string_view(p) : std::string_view();
}

void TTextLines::ReleaseText(char* text) {
  if (!text) return;
  if (Regions_ && Regions_->Release(text)) return;
  --Foreign_;
  std::free(text);
}

bool TTextLines::InsertRaw(int32_t index, char* text) {
  if (index < 0 || index > Count_) return false;
  try {
    if (Pages_.empty()) {
      Pages_.emplace_back();
      FirstStale_ = 0;
    }
    TSpot s = index == Count_
                  ? TSpot{Pages_.size() - 1, static_cast<int32_t>(Pages_.back().Items.size())}
                  : Locate(index);
    TPage& page = Pages_[s.Page];
    page.Items.insert(page.Items.begin() + s.Offset, text);
    ++Count_;
    MarkStale(s.Page + 1);
    LastPage_ = s.Page;
    if (page.Items.size() > kPageMax) {
      // Best effort: an over-full page is still correct, only slower.
      try {
        size_t half = page.Items.size() / 2;
        TPage tail;
        tail.Items.reserve(kPageMax);
        tail.Items.assign(page.Items.begin() + static_cast<std::ptrdiff_t>(half), page.Items.end());
        Pages_.insert(Pages_.begin() + static_cast<std::ptrdiff_t>(s.Page) + 1, std::move(tail));
        Pages_[s.Page].Items.resize(half);
        MarkStale(s.Page + 1);
      } catch (const std::bad_alloc&) {
      }
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool TTextLines::AtInsert(int32_t index, TLineText text) {
  if (!InsertRaw(index, text.get())) return false;
  if (text.release()) ++Foreign_;
  return true;
}

bool TTextLines::AtPut(int32_t index, TLineText text) {
  if (index < 0 || index >= Count_) return false;
  TSpot s = Locate(index);
  char*& slot = Pages_[s.Page].Items[static_cast<size_t>(s.Offset)];
  char* old = slot;
  slot = text.release();
  if (slot) ++Foreign_;
  ReleaseText(old);
  return true;
}

bool TTextLines::InsertCopy(int32_t index, std::string_view text) {
  bool failed;
  TLineText copy = MakeLineText(text, &failed);
  return !failed && AtInsert(index, std::move(copy));
}

bool TTextLines::PutCopy(int32_t index, std::string_view text) {
  bool failed;
  TLineText copy = MakeLineText(text, &failed);
  return !failed && AtPut(index, std::move(copy));
}

bool TTextLines::AtDelete(int32_t index) {
  if (index < 0 || index >= Count_) return false;
  TSpot s = Locate(index);
  TPage& page = Pages_[s.Page];
  char* old = page.Items[static_cast<size_t>(s.Offset)];
  page.Items.erase(page.Items.begin() + s.Offset);
  --Count_;
  if (page.Items.empty() && Pages_.size() > 1) {
    Pages_.erase(Pages_.begin() + static_cast<std::ptrdiff_t>(s.Page));
    MarkStale(s.Page);
    LastPage_ = s.Page > 0 ? s.Page - 1 : 0;
  } else {
    MarkStale(s.Page + 1);
  }
  ReleaseText(old);
  return true;
}

TLineText TTextLines::Detach(int32_t index) {
  const char* text = At(index);
  if (index < 0 || index >= Count_) return nullptr;
  TLineText own;
  if (text && Regions_ && Regions_->Owns(text)) {
    bool failed;
    own = MakeLineText(text, &failed);
    if (failed) return nullptr;
  } else {
    TSpot s = Locate(index);
    own.reset(Pages_[s.Page].Items[static_cast<size_t>(s.Offset)]);
    Pages_[s.Page].Items[static_cast<size_t>(s.Offset)] = nullptr;
    if (own) --Foreign_;
  }
  AtDelete(index);
  return own;
}

int32_t TTextLines::IndexOf(const char* entry) const {
  int32_t index = 0;
  for (const TPage& page : Pages_) {
    for (const char* item : page.Items) {
      if (item == entry) return index;
      ++index;
    }
  }
  return -1;
}

void TTextLines::Empty() {
  // Loaded lines go with their regions; only texts of their own are freed one by one.
  for (size_t i = 0; i < Pages_.size() && Foreign_ > 0; ++i) {
    for (char* item : Pages_[i].Items) {
      if (item && !(Regions_ && Regions_->Owns(item))) {
        std::free(item);
        --Foreign_;
      }
    }
  }
  Foreign_ = 0;
  Pages_.clear();
  Regions_.reset();
  PendingRegionLines_ = 0;
  Count_ = 0;
  LastPage_ = 0;
  FirstStale_ = 0;
}

char* TTextLines::RegionRoom(size_t* available) const {
  if (!Regions_) {
    *available = 0;
    return nullptr;
  }
  return Regions_->Room(available);
}

char* TTextLines::ReserveRegion(size_t bytes, size_t expectedTotal) {
  if (!Regions_) {
    Regions_.reset(new (std::nothrow) TLineRegions);
    if (!Regions_) return nullptr;
  }
  // Lines added so far belong to the region that may be closed now.
  CommitRegion(0);
  return Regions_->Reserve(bytes, expectedTotal);
}

bool TTextLines::AddRegionLineOnNewPage(char* text) {
  try {
    TPage page;
    page.Items.reserve(kPageMax);
    Pages_.push_back(std::move(page));
  } catch (const std::bad_alloc&) {
    return false;
  }
  MarkStale(Pages_.size() - 1);
  return AddRegionLine(text);
}

void TTextLines::CommitRegion(size_t bytes) {
  Regions_->Commit(bytes, PendingRegionLines_);
  PendingRegionLines_ = 0;
}

void TTextLines::EndRegionFill() {
  if (!Regions_) return;
  CommitRegion(0);
  Regions_->CloseCurrent();
}

bool TTextLines::CheckInvariant() const {
  RefreshStarts();
  int32_t total = 0;
  for (size_t i = 0; i < Pages_.size(); ++i) {
    if (Pages_[i].Start != total) return false;
    if (Pages_[i].Items.empty() && Pages_.size() > 1) return false;
    total += static_cast<int32_t>(Pages_[i].Items.size());
  }
  return total == Count_;
}
