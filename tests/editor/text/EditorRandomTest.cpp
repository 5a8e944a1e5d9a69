// Random mixes of every editing operation: undoing everything gives back the original
// lines and redoing everything gives the edited lines again.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/text/Editor.h"

namespace {

using V = std::vector<std::string>;

V Dump(const TTextLines& lines) {
  V out;
  for (int32_t i = 0; i < lines.Count(); ++i)
    out.emplace_back(lines.Text(i));
  return out;
}

class Random {
 public:
  explicit Random(uint32_t seed) : Rng(seed) {}
  int32_t Below(int32_t n) {
    return n <= 0 ? 0 : static_cast<int32_t>(Rng() % static_cast<uint32_t>(n));
  }
  bool Chance(int32_t percent) { return Below(100) < percent; }
  std::string Word(int32_t maxLength) {
    static const char kChars[] = "abcxyz \t\xE4\xFC";
    std::string s;
    for (int32_t i = Below(maxLength + 1); i > 0; --i)
      s += kChars[Below(sizeof kChars - 1)];
    return s;
  }
  std::string Block() {
    std::string s = Word(6);
    for (int32_t i = Below(4); i > 0; --i)
      s += (Chance(10) ? "\n" : "\r\n") + Word(6);
    return s;
  }
  std::mt19937 Rng;
};

TTextRange RandomRange(Random& r, const TTextLines& lines, int32_t maxLines) {
  int32_t a = r.Below(lines.Count());
  int32_t b = std::min(lines.Count() - 1, a + r.Below(maxLines));
  int32_t ca = r.Below(lines.Length(a) + 3);
  int32_t cb = r.Below(lines.Length(b) + 3);
  if (a == b && cb < ca) std::swap(ca, cb);
  return {a, ca, b, cb};
}

void RandomEdit(Random& r, TEditor& ed, TTextLines& lines) {
  const int32_t line = r.Below(lines.Count());
  const int32_t column = r.Below(lines.Length(line) + 4);
  const bool group = r.Chance(20);
  int32_t endLine, endColumn;
  switch (r.Below(10)) {
    case 0:
      ed.InsertText(line, column, group, r.Word(5));
      break;
    case 1: {
      // A typing run.
      int32_t c = column;
      for (int32_t i = r.Below(6); i > 0; --i)
        ed.InsertChar(line, c++, false, 'k');
      break;
    }
    case 2:
      ed.DeleteText(line, column, r.Chance(50), group, r.Below(5));
      break;
    case 3: {
      int32_t c = column;
      bool back = r.Chance(50);
      for (int32_t i = r.Below(5); i > 0 && c >= 0; --i) {
        ed.DeleteChar(line, c, !back, false);
        if (back) --c;
      }
      break;
    }
    case 4:
      ed.ReplaceText(line, column, group, r.Word(4), r.Below(5));
      break;
    case 5: {
      int32_t c = column;
      for (int32_t i = r.Below(5); i > 0; --i)
        ed.OverwriteChar(line, c++, false, 'o');
      break;
    }
    case 6:
      ed.InsertBlock(line, column, &endLine, &endColumn, group, false, r.Block());
      break;
    case 7:
      ed.InsertBlock(line, column, &endLine, &endColumn, group, true, r.Block());
      break;
    case 8: {
      TTextRange range = RandomRange(r, lines, 4);
      bool atStart = r.Chance(50);
      ed.DeleteRange(atStart ? range.StartLine : range.EndLine,
                     atStart ? range.StartColumn : range.EndColumn, atStart, group, false, range);
      break;
    }
    default: {
      TTextRange range = RandomRange(r, lines, 6);
      bool caretOnStart = r.Chance(50);
      int32_t caretLine = caretOnStart ? range.StartLine : range.EndLine;
      int32_t caretColumn = r.Chance(50) ? range.StartColumn : range.EndColumn;
      ed.DeleteRange(caretLine, caretColumn, r.Chance(50), group, true, range);
      break;
    }
  }
}

void CheckBookmarks(const TBookmarks& marks, const TTextLines& lines) {
  for (const TBookmark& b : marks) {
    if (!b.IsSet()) {
      ASSERT_EQ(b.Column, -1);
      continue;
    }
    ASSERT_LT(b.Line, lines.Count());
    ASSERT_GE(b.Column, 0);
  }
}

class EditorRandomTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(EditorRandomTest, UndoAllAndRedoAll) {
  Random r(GetParam());
  SetUndoRecording(true);
  TTextLines lines;
  lines.TabSize = 1 + r.Below(8);
  for (int32_t i = 0; i < 12; ++i)
    lines.AddCopy(r.Word(12));
  TBookmarks marks;
  for (int32_t i = 0; i < kBookmarkCount; i += 2)
    marks[static_cast<size_t>(i)] = {r.Below(12), r.Below(8)};
  TEditor ed(nullptr, &marks, &lines);
  const V original = Dump(lines);

  TUndoResult result;
  for (int step = 0; step < 4000; ++step) {
    int32_t action = r.Below(20);
    if (action == 0 && ed.CanUndo()) {
      ASSERT_TRUE(ed.Undo(&result));
    } else if (action == 1 && ed.CanRedo()) {
      ASSERT_TRUE(ed.Redo(&result));
    } else {
      RandomEdit(r, ed, lines);
    }
    ASSERT_GE(lines.Count(), 1);
    CheckBookmarks(marks, lines);
    if (lines.Count() > 60) {
      // Keep the document small so that blocks overlap often.
      TTextRange tail{40, 0, lines.Count() - 1, 1 << 20};
      ed.DeleteRange(40, 0, true, false, false, tail);
    }
  }
  RandomEdit(r, ed, lines);
  const V edited = Dump(lines);

  while (ed.CanUndo())
    ASSERT_TRUE(ed.Undo(&result));
  EXPECT_EQ(Dump(lines), original);
  while (ed.CanRedo())
    ASSERT_TRUE(ed.Redo(&result));
  EXPECT_EQ(Dump(lines), edited);
  EXPECT_TRUE(lines.CheckInvariant());
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditorRandomTest, ::testing::Values(1u, 2u, 3u, 1234u, 99991u));

}  // namespace
