// The line store of the hit list: each line's text (in a text-view line store) with its
// kind and its file or hit data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/grep/GrepTypes.h"
#include "editor/text/TextLines.h"

struct TGrepLineItem {
  uint8_t Kind = gkTextHit;
  TGrepFileInfo File;  // kinds 0..2
  TGrepHitInfo Hit;    // kinds 3 and 4
};

class TGrepLines {
 public:
  // The texts go to `store` (the text view's lines) or, without one, to a store of its own.
  explicit TGrepLines(TTextLines* store = nullptr);
  TGrepLines(const TGrepLines&) = delete;
  TGrepLines& operator=(const TGrepLines&) = delete;

  int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
  // The text of line i; null when i is out of range.
  const char* At(int32_t index) const;
  std::string_view Text(int32_t index) const;
  // The item of line i, or null.
  const TGrepLineItem* GrepLineAt(int32_t index) const;
  TGrepLineItem* GrepLineAt(int32_t index);

  // A plain text line (kind 3 without hit data).
  bool Add(std::string_view text);
  // File kinds 0..2: `text` is the full path; with Info the line becomes the info line.
  // Hit kinds 3 and 4: `text` is the source line or the context; the line number
  // (`position` + 1) or the offset goes in front, and the hit data gets `range`.
  bool AddGrepLine(std::string_view text, uint8_t kind, const TGrepFileInfo& file,
                   int64_t position, TGrepRange range);
  // Puts "\t(count)" in front of a file line of kind 1 or 2; nothing for other lines.
  void UpdateTextHits(int32_t index);
  // Removes every line.
  void Empty();

  TTextLines& Store() { return *Store_; }
  const TTextLines& Store() const { return *Store_; }

  // Format info lines with size and date; set before adding lines.
  bool Info = false;
  // Window wrap is on: hit-line texts are cut to kGrepWrapCut characters.
  bool WrapCut = false;

 private:
  std::unique_ptr<TTextLines> Own_;
  TTextLines* Store_;
  std::vector<TGrepLineItem> Items_;
};

// "\t" size "\t" date " " time "\t" path, as an info line shows a file.
std::string GrepInfoLine(std::string_view path, const TGrepFileInfo& file);
// The prefix of a hit line: "%6d: " for a text line, "%0.8X: " for a binary hit.
std::string GrepHitPrefix(uint8_t kind, int64_t position);
// Prefix widths of the two hit kinds.
inline constexpr int32_t kTextHitPrefix = 8;
inline constexpr int32_t kBinaryHitPrefix = 10;
