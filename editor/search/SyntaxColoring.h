// Colour runs of keywords, comments and strings for the lines of one text window.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/search/KeyWordList.h"
#include "editor/search/SyntaxColorInfo.h"

class TTextLines;

// One coloured piece of a line.
struct TColorRun {
  int32_t Start;   // first column
  int32_t Length;
  platform::TColorRef Color;
};
static_assert(sizeof(TColorRun) == 12, "runs are 12 bytes");

class TSyntaxColoring {
 public:
  // `lines` must outlive this object; `info` should be usable.
  TSyntaxColoring(const TTextLines& lines, const TSyntaxColorInfo& info);

  // The runs of a line in increasing column order, without overlap. The reference stays
  // valid until the next call.
  const std::vector<TColorRun>& ColorLine(int32_t line);

  // Whether the line starts inside a block comment.
  bool LineStartsInComment(int32_t line);

  // The colouring state a line starts with, as one byte: the window keeps it for the
  // lines below a change and repaints those whose state changed.
  uint8_t LineStartState(int32_t line) { return LineStartsInComment(line) ? 1 : 0; }

  // Tells the object that a line changed (or lines were inserted or deleted there):
  // what it remembers from that line on is dropped.
  void LineChanged(int32_t line);

 private:
  enum class TMarker { None, LineComment, BlockBegin, BlockEnd };

  // Colours or only follows one line; returns whether it ends inside a block comment.
  bool ScanLine(std::string_view text, bool inComment, std::vector<TColorRun>* runs) const;
  bool LineCommentAt(std::string_view text, size_t i) const;
  bool HasBlockMarker(std::string_view text) const;
  static bool MarkerAt(std::string_view text, size_t i, const char* marker, size_t length);
  void AddRun(std::vector<TColorRun>* runs, size_t start, size_t length,
              platform::TColorRef color) const;

  const TTextLines& Lines_;
  platform::TColorRef KeyColor_;
  platform::TColorRef CommentColor_;
  platform::TColorRef StringColor_;
  char StringChar_;
  char LineComment_[3] = {};  // unused positions 0
  size_t LineCommentLength_ = 0;
  bool RemMode_ = false;
  char BlockBegin_[2] = {};
  size_t BlockBeginLength_ = 0;
  char BlockEnd_[2] = {};
  size_t BlockEndLength_ = 0;  // 0: no block comments
  TKeyWordList KeyWords_;
  std::vector<TColorRun> Runs_;

  // The last line whose start state was worked out (line 0 always starts outside).
  struct TKnownState {
    int32_t Line = 0;
    bool StartsInComment = false;
  };
  TKnownState Known_;
};
