// The lines of one text document: an indexed sequence of owned single-byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// An owned, NUL-terminated line text from malloc; null means an empty line.
struct TLineTextFree {
  void operator()(char* p) const;
};
using TLineText = std::unique_ptr<char, TLineTextFree>;

// A copy of `text` as a line text; null for an empty text. `failed` (when given) tells
// an exhausted memory apart from an empty line.
TLineText MakeLineText(std::string_view text, bool* failed = nullptr);

// Lines never hold NUL; an entry is a NUL-terminated string or null (empty line).
// Lookup remembers the page of the last access, so neighbouring indexes are found
// without a search. Out-of-range indexes read as empty lines and are refused by the
// changing operations.
//
// Loaded text lives in large regions owned by the store (one copy per chunk of the
// file instead of one allocation per line); a region is returned to the system when its
// last line has been replaced or deleted. Lines given by callers are adopted as they are.
class TLineRegions;

class TTextLines {
 public:
  TTextLines();
  ~TTextLines();
  TTextLines(TTextLines&& other) noexcept;
  TTextLines& operator=(TTextLines&& other) noexcept;
  TTextLines(const TTextLines&) = delete;
  TTextLines& operator=(const TTextLines&) = delete;

  int32_t Count() const { return Count_; }

  // The tab width of the column conversions (8 on creation; the window sets it).
  int32_t TabSize = 8;

  // The entry (null = empty line, also for an index out of range).
  const char* At(int32_t index) const {
    // invariant: LastPage_ < FirstStale_ implies a valid page with a valid Start
    if (LastPage_ < FirstStale_) {
      const TPage& p = Pages_[LastPage_];
      size_t offset = static_cast<size_t>(static_cast<uint32_t>(index - p.Start));
      if (offset < p.Items.size()) return p.Items[offset];
    }
    return AtSlow(index);
  }
  // Length of the entry's text.
  int32_t Length(int32_t index) const;
  std::string_view Text(int32_t index) const;
  // Writable access to the text (null for an empty line); the length must not change.
  char* MutableAt(int32_t index);

  // These take ownership of the text; false (text freed) when the index is out of range
  // or memory is exhausted. AtInsert at Count appends.
  bool AtInsert(int32_t index, TLineText text);
  bool AtPut(int32_t index, TLineText text);
  bool Add(TLineText text) { return AtInsert(Count_, std::move(text)); }
  // The same with a copy of `text`.
  bool InsertCopy(int32_t index, std::string_view text);
  bool PutCopy(int32_t index, std::string_view text);
  bool AddCopy(std::string_view text) { return InsertCopy(Count_, text); }

  // Frees the entry's string and removes it.
  bool AtDelete(int32_t index);
  // Removes the entry and hands its text to the caller (as a line text of its own).
  TLineText Detach(int32_t index);

  // The index of the entry with exactly this address, or -1.
  int32_t IndexOf(const char* entry) const;

  // Frees everything; Count becomes 0.
  void Empty();

  // For the loader, which fills regions directly: RegionRoom is the free room of the
  // current region (null, 0 when there is none); ReserveRegion makes sure there is room
  // for `bytes`, opening a region sized for `expectedTotal` when needed (null when memory
  // is exhausted). The loader writes text there, ends each line with NUL and adds it
  // with AddRegionLine (null for an empty line), then commits the bytes it keeps.
  // EndRegionFill closes the current region once the load is over.
  char* RegionRoom(size_t* available) const;
  char* ReserveRegion(size_t bytes, size_t expectedTotal);
  bool AddRegionLine(char* text) {
    // The loader's hot path: append to the last page while it has room.
    if (!Pages_.empty() && Pages_.back().Items.size() < kPageMax) {
      Pages_.back().Items.push_back(text);  // within the reserved capacity
      ++Count_;
      PendingRegionLines_ += text != nullptr;
      return true;
    }
    return AddRegionLineOnNewPage(text);
  }
  void CommitRegion(size_t bytes);
  void EndRegionFill();

  // Consistency check of the page bookkeeping, for tests.
  bool CheckInvariant() const;

 private:
  // Large enough for cheap sequential walks, small enough that a middle insertion moves
  // little memory.
  static constexpr size_t kPageMax = 1024;

  struct TPage {
    std::vector<char*> Items;
    int32_t Start = 0;  // index of Items[0]; valid for pages before FirstStale_
  };
  struct TSpot {
    size_t Page;
    int32_t Offset;
  };

  const char* AtSlow(int32_t index) const;
  bool AddRegionLineOnNewPage(char* text);
  TSpot Locate(int32_t index) const;
  void RefreshStarts() const;
  void MarkStale(size_t page) const;
  bool InsertRaw(int32_t index, char* text);
  void ReleaseText(char* text);

  std::vector<TPage> Pages_;
  int32_t Count_ = 0;
  mutable size_t LastPage_ = 0;
  mutable size_t FirstStale_ = 0;   // invariant: FirstStale_ <= Pages_.size()
  int64_t Foreign_ = 0;             // entries with text of their own (not in a region)
  int64_t PendingRegionLines_ = 0;  // added to the current region, not yet counted there
  std::unique_ptr<TLineRegions> Regions_;
};
