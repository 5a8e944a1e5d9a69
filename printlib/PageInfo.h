// The page table of one print run or preview: on which line (relative to the job's first
// line) each page starts, and whether the last page has been reached.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TNEWPageInfo {
 public:
  static constexpr int32_t kCapacityStep = 1024;

  explicit TNEWPageInfo(std::string title, int32_t capacity = kCapacityStep);

  // Page 1 starts at 0; a page not composed yet answers -1.
  int32_t StartOf(int32_t page) const;
  // Entry `page`; the table grows by kCapacityStep while page + 1 reaches its capacity.
  void SetStart(int32_t page, int32_t position);
  int32_t Capacity() const { return static_cast<int32_t>(Starts_.size()); }

  std::string Title;
  int32_t Page = 0;  // the page being composed
  bool Done = false;  // the last page has been reached
  int32_t HighestPage = 1;  // invariant: every page up to it has its start stored

 private:
  std::vector<int32_t> Starts_;  // entry 0 and 1 unused
};

// Replaces the first page-number placeholder by `page` and the first total placeholder by
// `total`, or by "..." while it is not known (negative).
std::string ExpandPagePlaceholders(std::string_view text, int32_t page, int32_t total);
// True when the text holds the total placeholder.
bool UsesTotalPlaceholder(std::string_view text);
