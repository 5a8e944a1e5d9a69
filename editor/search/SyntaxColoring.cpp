// Colouring of one line, and the block-comment state each line starts with.
//
// The state a line starts in is found by walking back to the nearest line whose end state
// does not depend on how it starts (or to the line whose state is remembered), using the
// same scan that colours, so a line gets the same colours however the window got there.
#include "editor/search/SyntaxColoring.h"

#include <algorithm>
#include <cstring>

#include "editor/text/TextLines.h"
#include "platform/charset/Charset.h"

namespace {

constexpr size_t kInitialRuns = 30;
constexpr size_t kRunGrowth = 20;

// Bytes that end a word: NUL, tab, blank and ! " % & ' ( ) * + , - . / : ; < > ? [ \ ] ^ | ~
constexpr bool IsSeparatorByte(uint8_t c) {
  switch (c) {
    case 0x00: case 0x09: case 0x20: case 0x21: case 0x22: case 0x25: case 0x26: case 0x27:
    case 0x3A: case 0x3B: case 0x3C: case 0x3E: case 0x3F:
    case 0x5B: case 0x5C: case 0x5D: case 0x5E: case 0x7C: case 0x7E:
      return true;
    default:
      return c >= 0x28 && c <= 0x2F;
  }
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TSyntaxColoring::TSyntaxColoring(const TTextLines& lines, const TSyntaxColorInfo& info)
    : Lines_(lines),
      KeyColor_(info.KeyColor),
      CommentColor_(info.CommentColor),
      StringColor_(info.StringColor),
      StringChar_(info.StringChar),
      KeyWords_(info.KeyWords, info.KeyCase) {
  LineCommentLength_ = std::min<size_t>(info.LineComment.size(), 3);
  std::memcpy(LineComment_, info.LineComment.data(), LineCommentLength_);
  RemMode_ = LineCommentLength_ == 3 &&
             platform::EqualNoCaseWin(std::string_view(LineComment_, 3), "REM");
  if (!info.BlockEnd.empty()) {
    BlockBeginLength_ = std::min<size_t>(info.BlockBegin.size(), 2);
    std::memcpy(BlockBegin_, info.BlockBegin.data(), BlockBeginLength_);
    BlockEndLength_ = std::min<size_t>(info.BlockEnd.size(), 2);
    std::memcpy(BlockEnd_, info.BlockEnd.data(), BlockEndLength_);
  }
  Runs_.reserve(kInitialRuns);
}

bool TSyntaxColoring::MarkerAt(std::string_view text, size_t i, const char* marker,
                               size_t length) {
  return length > 0 && i + length <= text.size() && std::memcmp(text.data() + i, marker, length) == 0;
}

bool TSyntaxColoring::LineCommentAt(std::string_view text, size_t i) const {
  if (!RemMode_) return MarkerAt(text, i, LineComment_, LineCommentLength_);
  if (text[i] == '\'') return true;
  return text.size() >= 4 && i + 3 < text.size() &&
         platform::EqualNoCaseWin(text.substr(i, 3), "REM") && IsBlankOrTab(text[i + 3]) &&
         (i == 0 || IsBlankOrTab(text[i - 1]));
}

void TSyntaxColoring::AddRun(std::vector<TColorRun>* runs, size_t start, size_t length,
                             platform::TColorRef color) const {
  if (!runs || length == 0) return;
  if (runs->size() == runs->capacity()) runs->reserve(runs->capacity() + kRunGrowth);
  runs->push_back({static_cast<int32_t>(start), static_cast<int32_t>(length), color});
}

bool TSyntaxColoring::ScanLine(std::string_view text, bool inComment,
                               std::vector<TColorRun>* runs) const {
  const bool blocks = BlockEndLength_ > 0;
  // Following the state only: a line without the first byte of the marker that could
  // change it leaves the state as it was.
  if (!runs && blocks) {
    char wanted = inComment ? BlockEnd_[0] : BlockBegin_[0];
    if (!std::memchr(text.data(), wanted, text.size())) return inComment;
  }

  size_t commentStart = 0;
  bool inString = false;
  size_t stringStart = 0;
  size_t wordStart = 0;
  bool inWord = false;
  auto finishWord = [&](size_t end) {
    if (inWord && runs && KeyWords_.Contains(text.substr(wordStart, end - wordStart)))
      AddRun(runs, wordStart, end - wordStart, KeyColor_);
    inWord = false;
  };

  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inComment) {
      if (MarkerAt(text, i, BlockEnd_, BlockEndLength_)) {
        i += BlockEndLength_ - 1;
        AddRun(runs, commentStart, i + 1 - commentStart, CommentColor_);
        inComment = false;
      }
      continue;
    }
    if (!inString && LineCommentLength_ > 0 && LineCommentAt(text, i)) {
      finishWord(i);
      AddRun(runs, i, text.size() - i, CommentColor_);
      return false;
    }
    if (StringChar_ != 0 && c == StringChar_) {
      if (inString) {
        AddRun(runs, stringStart, i + 1 - stringStart, StringColor_);
        inString = false;
      } else {
        finishWord(i);  // a run never overlaps the string that follows it
        inString = true;
        stringStart = i;
      }
      continue;
    }
    if (inString) continue;
    if (blocks && MarkerAt(text, i, BlockBegin_, BlockBeginLength_)) {
      finishWord(i);
      inComment = true;
      commentStart = i;
      i += BlockBeginLength_ - 1;
      continue;
    }
    if (!IsSeparatorByte(static_cast<uint8_t>(c))) {
      if (!inWord) {
        inWord = true;
        wordStart = i;
      }
      continue;
    }
    finishWord(i);
  }
  if (inComment) AddRun(runs, commentStart, text.size() - commentStart, CommentColor_);
  finishWord(text.size());
  if (inString) AddRun(runs, stringStart, text.size() - stringStart, StringColor_);
  return inComment;
}

bool TSyntaxColoring::HasBlockMarker(std::string_view text) const {
  return memmem(text.data(), text.size(), BlockBegin_, BlockBeginLength_) != nullptr ||
         memmem(text.data(), text.size(), BlockEnd_, BlockEndLength_) != nullptr;
}

bool TSyntaxColoring::LineStartsInComment(int32_t line) {
  if (BlockEndLength_ == 0 || line <= 0) return false;
  // Walk back from the line, keeping how the start state of the line reached so far
  // maps to the start state asked for. A line without a block marker passes the state
  // through; a line that ends the same way whatever it starts with settles it.
  bool fromOutside = false;  // start state asked for, if line `at` starts outside
  bool fromInside = true;    // ... and if it starts inside a comment
  int32_t at = line;
  bool result;
  while (true) {
    if (fromOutside == fromInside) {
      result = fromOutside;
      break;
    }
    if (at == Known_.Line) {
      result = Known_.StartsInComment ? fromInside : fromOutside;
      break;
    }
    if (at == 0) {
      result = fromOutside;
      break;
    }
    --at;
    std::string_view text = Lines_.Text(at);
    if (!HasBlockMarker(text)) continue;
    bool endsIfOutside = ScanLine(text, false, nullptr);
    bool endsIfInside = ScanLine(text, true, nullptr);
    bool newOutside = endsIfOutside ? fromInside : fromOutside;
    bool newInside = endsIfInside ? fromInside : fromOutside;
    fromOutside = newOutside;
    fromInside = newInside;
  }
  Known_ = {line, result};
  return result;
}

const std::vector<TColorRun>& TSyntaxColoring::ColorLine(int32_t line) {
  Runs_.clear();
  bool starts = LineStartsInComment(line);
  bool ends = ScanLine(Lines_.Text(line), starts, &Runs_);
  if (BlockEndLength_ > 0 && line >= 0) Known_ = {line + 1, ends};
  return Runs_;
}

void TSyntaxColoring::LineChanged(int32_t line) {
  // The start state of a line depends only on the lines above it.
  if (Known_.Line > line) Known_ = {0, false};
}
