// Random keys and block commands on random documents: the caret stays inside the document,
// nothing crashes, and undoing everything gives back the original text.
#include <random>

#include "tests/editor/text/TextViewFixture.h"

using namespace platform;
using namespace textview;

namespace {

std::vector<std::string> RandomDocument(std::mt19937& random) {
  static const char* const kPieces[] = {"ab", " ", "\t", "x-y", "\xE4\xDF", "word", "", "  "};
  std::vector<std::string> lines(1 + random() % 8);
  for (std::string& line : lines) {
    for (int n = static_cast<int>(random() % 5); n > 0; --n) line += kPieces[random() % 8];
  }
  return lines;
}

}  // namespace

TEST_F(TextViewTest, RandomEditsUndoBackToTheOriginal) {
  TEditChildData& d = Make({""});
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    const std::vector<std::string> original = RandomDocument(random);
    SetText(d, original);
    d.Editor = std::make_unique<TEditor>(nullptr, &d.Bookmarks, &d.Lines);
    d.SetCaret(0, 0, false, false);
    d.SetColumnBlock(random() % 3 == 0);
    d.FreeCaret = random() % 2;
    d.WordWrap = random() % 2;
    d.WrapCol = 4 + static_cast<int32_t>(random() % 6);
    d.AutoIndent = random() % 2;
    d.TypingReplacesSelection = random() % 2;
    d.Overwrite = 0;
    d.ShowSpecial = random() % 2;
    d.ClipLongLines = random() % 2;
    d.LineNumbers = random() % 2;
    d.SetFont(random() % 4 == 0 ? PropFont : FixedFont, true);
    for (int step = 0; step < 60; ++step) {
      const int op = static_cast<int>(random() % 16);
      SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step) + " op " +
                   std::to_string(op));
      switch (op) {
        case 0: d.KeyChar(static_cast<uint8_t>("ab -\t\xE4"[random() % 6])); break;
        case 1: d.KeyDown(VK_RETURN, false, false); break;
        case 2: d.KeyDown(VK_BACK, false, random() % 2); break;
        case 3: d.KeyDown(VK_DELETE, false, random() % 2); break;
        case 4: d.KeyDown(static_cast<uint32_t>(VK_END + random() % 5), random() % 2, random() % 2); break;
        case 5: d.MoveCaretBy(0, static_cast<int32_t>(random() % 3) - 1, random() % 2); break;
        case 6: d.ShiftBlockRight(); break;
        case 7: d.ShiftBlockLeft(); break;
        case 8: d.ConvertCase(static_cast<TCaseConversion>(random() % 4)); break;
        case 9: d.SortLines(TSortOptions{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0}); break;
        case 10: d.RemoveEmptyLines(); break;
        case 11: d.TabsToSpaces(); break;
        case 12: {
          TFormatOptions o;
          o.Columns = 3 + static_cast<int32_t>(random() % 8);
          o.JoinLines = random() % 2;
          o.MarkedLines = random() % 2;
          d.FormatText(o);
          break;
        }
        case 13: d.KeyChar(25); break;
        case 14: d.Undo(); break;
        default: {
          TTextRange r = MakeTextRange(static_cast<int32_t>(random() % 9), static_cast<int32_t>(random() % 9),
                                       static_cast<int32_t>(random() % 9), static_cast<int32_t>(random() % 9));
          if (r.EndLine < r.StartLine) std::swap(r.StartLine, r.EndLine);
          if (r.StartLine == r.EndLine && r.EndColumn < r.StartColumn) std::swap(r.StartColumn, r.EndColumn);
          d.SetSelection(&r, static_cast<int32_t>(random() % 3));
          break;
        }
      }
      if (random() % 4 == 0) {
        InvalidateRect(Window, nullptr);
        UpdateWindow(Window);
      }
      ASSERT_TRUE(d.Lines.CheckInvariant());
      ASSERT_GE(d.Lines.Count(), 1);
      ASSERT_GE(d.Caret.Line, 0);
      ASSERT_LT(d.Caret.Line, d.Lines.Count());
      ASSERT_GE(d.Caret.Column, 0);
      if (!d.CaretBeyondEnd()) {
        ASSERT_LE(d.Caret.Column, d.Lines.Length(d.Caret.Line));
      }
    }
    while (d.CanUndo()) d.Undo();
    ASSERT_EQ(Text(d), original) << "round " << round;
  }
}
