// The sort order of lines, and the sort command of the editor window.
#include "editor/text/SortLines.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "editor/text/EditChildData.h"
#include "editor/text/RangePieces.h"
#include "editor/text/TabColumns.h"
#include "editor/text/TextChars.h"
#include "platform/ui/Window.h"

std::string_view SortKeyOf(std::string_view text, const TSortKey& key) {
  if (key.KeyFrom < 0) return text;
  size_t from = static_cast<size_t>(key.KeyFrom);
  if (from >= text.size()) return {};
  size_t to = key.KeyTo < 0 ? text.size() : std::min(text.size(), static_cast<size_t>(key.KeyTo));
  return to > from ? text.substr(from, to - from) : std::string_view{};
}

int32_t CompareSortKeys(std::string_view a, std::string_view b, const TSortKey& key) {
  auto missing = [&](std::string_view t) {
    return t.empty() || (key.KeyFrom >= 0 && static_cast<size_t>(key.KeyFrom) >= t.size());
  };
  bool ma = missing(a), mb = missing(b);
  int32_t r;
  if (ma || mb) {
    r = ma == mb ? 0 : (ma ? -1 : 1);
  } else {
    r = CompareTextLocale(SortKeyOf(a, key), SortKeyOf(b, key), key.CaseSensitive);
  }
  return key.Descending ? -r : r;
}

std::vector<int32_t> SortOrder(const std::vector<std::string_view>& texts, const TSortKey& key) {
  const size_t n = texts.size();
  // Collation keys once per text, so that most comparisons are plain byte comparisons; the
  // first sixteen key bytes travel with each item and settle most of them without a look at
  // the keys (indented lines share their first bytes).
  size_t total = 0;
  for (std::string_view t : texts) total += t.size() + t.size() / 8;
  std::string keys;
  keys.reserve(total);
  std::vector<size_t> starts(n + 1);
  struct TItem {
    uint64_t Prefix;
    uint64_t Prefix2;
    int32_t Index;
    uint8_t Missing;
  };
  std::vector<TItem> items(n);
  for (size_t i = 0; i < n; ++i) {
    starts[i] = keys.size();
    std::string_view t = texts[i];
    bool missing = t.empty() || (key.KeyFrom >= 0 && static_cast<size_t>(key.KeyFrom) >= t.size());
    if (!missing) AppendCollationKey(SortKeyOf(t, key), keys);
    uint64_t prefix[2] = {0, 0};
    for (size_t k = 0; k < 16; ++k) {
      size_t at = starts[i] + k;
      uint64_t byte = at < keys.size() ? static_cast<uint8_t>(keys[at]) : 0;
      prefix[k / 8] = (prefix[k / 8] << 8) | byte;
    }
    items[i] = TItem{prefix[0], prefix[1], static_cast<int32_t>(i), static_cast<uint8_t>(missing)};
  }
  starts[n] = keys.size();
  auto compare = [&](const TItem& x, const TItem& y) {
    if (x.Missing || y.Missing) return x.Missing == y.Missing ? 0 : (x.Missing ? -1 : 1);
    if (x.Prefix != y.Prefix) return x.Prefix < y.Prefix ? -1 : 1;
    if (x.Prefix2 != y.Prefix2) return x.Prefix2 < y.Prefix2 ? -1 : 1;
    size_t a = static_cast<size_t>(x.Index), b = static_cast<size_t>(y.Index);
    std::string_view ka(keys.data() + starts[a], starts[a + 1] - starts[a]);
    std::string_view kb(keys.data() + starts[b], starts[b + 1] - starts[b]);
    if (int r = ka.compare(kb)) return r < 0 ? -1 : 1;
    return static_cast<int>(
        CompareTextLocaleTies(SortKeyOf(texts[a], key), SortKeyOf(texts[b], key), key.CaseSensitive));
  };
  // Merge sort: never quadratic, whatever the input, and equal keys stay in place.
  std::stable_sort(items.begin(), items.end(), [&](const TItem& x, const TItem& y) {
    int r = compare(x, y);
    return key.Descending ? r > 0 : r < 0;
  });
  std::vector<int32_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = items[i].Index;
  return order;
}

void TEditChildData::SortLines(const TSortOptions& options) {
  if (ReadOnly || !HasSelection()) return;
  TSortKey key;
  key.Descending = options.Descending;
  key.CaseSensitive = options.CaseSensitive;
  const bool column = ColumnBlockActive();
  int32_t left = 0, right = 0;
  if (column) ColumnBlockEdges(Lines, Selection, Caret.Line, Caret.Column, &left, &right);
  int32_t first = Selection.StartLine;
  int32_t last = Selection.EndLine;
  if (!column) {
    if (Selection.EndColumn == 0 && last > first) --last;
    TTextRange whole = last + 1 < Lines.Count() ? MakeTextRange(first, 0, last + 1, 0)
                                                : MakeTextRange(first, 0, last, Lines.Length(last));
    SetSelection(&whole, 0);
  }
  last = std::min(last, Lines.Count() - 1);
  if (last <= first) return;

  const bool rowsOnly = column && !options.ByMarkedColumns;
  std::vector<std::string> owned;  // the rows of a block, copied out
  std::vector<std::string_view> texts;
  texts.reserve(static_cast<size_t>(last - first + 1));
  if (rowsOnly) {
    owned.reserve(static_cast<size_t>(last - first + 1));
    for (int32_t line = first; line <= last; ++line) {
      const char* t = Lines.At(line);
      int32_t from = ColumnToIndexAfter(t, left, TabWidth);
      int32_t to = ColumnToIndexAfter(t, right, TabWidth);
      std::string_view text = Lines.Text(line);
      from = std::min(from, static_cast<int32_t>(text.size()));
      to = std::clamp(to, from, static_cast<int32_t>(text.size()));
      owned.emplace_back(text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    }
    for (const std::string& s : owned) texts.push_back(s);
  } else {
    for (int32_t line = first; line <= last; ++line) texts.push_back(Lines.Text(line));
  }
  std::vector<int32_t> order;
  if (column && options.ByMarkedColumns) {
    // The key columns differ per line under TABs: sort on copied keys.
    std::vector<std::string_view> keys;
    keys.reserve(texts.size());
    for (int32_t line = first; line <= last; ++line) {
      const char* t = Lines.At(line);
      std::string_view text = Lines.Text(line);
      int32_t from = ColumnToIndexAfter(t, left, TabWidth);
      if (from >= static_cast<int32_t>(text.size())) {
        keys.push_back({});
        continue;
      }
      int32_t to = std::clamp(ColumnToIndexAfter(t, right, TabWidth), from, static_cast<int32_t>(text.size()));
      keys.push_back(text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    }
    order = SortOrder(keys, key);
  } else {
    order = SortOrder(texts, key);
  }

  std::string block;
  size_t total = 0;
  for (std::string_view t : texts) total += t.size() + 2;
  block.reserve(total);
  for (size_t i = 0; i < order.size(); ++i) {
    if (i) block += "\r\n";
    block += texts[static_cast<size_t>(order[i])];
  }
  if (!rowsOnly && last + 1 < Lines.Count()) block += "\r\n";

  const TTextRange old = rowsOnly ? Selection
                        : (last + 1 < Lines.Count() ? MakeTextRange(first, 0, last + 1, 0)
                                                    : MakeTextRange(first, 0, last, Lines.Length(last)));
  const TTextPos caret = Caret;
  if (Editor->DeleteRange(Caret.Line, Caret.Column, false, false, rowsOnly, old) < 0) {
    platform::MessageBeep(0);
    return;
  }
  int32_t atColumn = rowsOnly ? ColumnToIndexBefore(Lines.At(first), left, TabWidth) : 0;
  int32_t endLine = first, endColumn = atColumn;
  if (Editor->InsertBlock(first, atColumn, &endLine, &endColumn, true, rowsOnly, block) < 0) {
    platform::MessageBeep(0);
  }
  if (rowsOnly) {
    Selection = old;
    Caret = caret;
  } else {
    // The last line's length may have changed: the whole lines are selected anew.
    CollapseSelection();
    TTextRange whole = last + 1 < Lines.Count() ? MakeTextRange(first, 0, last + 1, 0)
                                                : MakeTextRange(first, 0, last, Lines.Length(last));
    SetSelection(&whole, 0);
  }
  InvalidateLines(first, -1);
  AfterEdit(first, true);
}
