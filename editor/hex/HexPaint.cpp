// Painting of the hex window: offsets in the address colour, hex codes and characters,
// changed bytes in contrasting colours, the selection inverted.
#include <algorithm>

#include "editor/hex/HexChildData.h"
#include "platform/ui/Window.h"

using namespace platform;

void THexChildData::DrawCells(TCanvas& dc, int32_t x, int32_t y, std::string_view text,
                              int32_t firstColumn) {
  if (text.empty()) return;
  if (FixedPitch) {
    dc.TextOut(x + firstColumn * CharWidth, y, text);
    return;
  }
  // A proportional font still keeps every character in its own cell.
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ' ') dc.TextOut(x + (firstColumn + static_cast<int32_t>(i)) * CharWidth, y, text.substr(i, 1));
  }
}

void THexChildData::Paint(TCanvas& dc, const TRect& update) {
  const int32_t firstRow = std::max(update.Top, 0) / CharHeight;
  const int32_t lastRow = (update.Bottom + CharHeight - 1) / CharHeight;
  const int32_t x = -Scroller->PosX * CharWidth;
  for (int32_t row = firstRow; row <= lastRow; ++row) {
    int64_t line = static_cast<int64_t>(Scroller->PosY) + row;
    if (line >= LineCount()) break;
    PaintLine(dc, x, static_cast<int32_t>(line), row * CharHeight);
  }
}

void THexChildData::PaintLine(TCanvas& dc, int32_t x, int32_t line, int32_t y) {
  const int64_t offset = static_cast<int64_t>(line) * PerLine();
  const std::string bytes = BytesAt(offset, PerLine());
  const std::string text = FormatHexLine(offset, bytes, ViewMode, AllChars);
  const TColorRef textColor = dc.TextColor();
  dc.SetTextColor(AddressColor);
  DrawCells(dc, x, y, std::string_view(text).substr(0, 8), 0);
  dc.SetTextColor(textColor);
  DrawCells(dc, x, y, std::string_view(text).substr(8), 8);
  const auto count = static_cast<int64_t>(bytes.size());
  auto cellRect = [&](int32_t column, int32_t width) {
    return TRect{x + column * CharWidth, y, x + (column + width) * CharWidth, y + CharHeight};
  };
  auto paintByte = [&](int64_t index, TColorRef fore, TColorRef back) {
    const auto i = static_cast<int32_t>(index);
    if (ViewMode == hvHexAndChars) {
      int32_t column = ByteToColumn(ViewMode, i, true);
      dc.FillRect(cellRect(column, 2), back);
      dc.SetTextColor(fore);
      DrawCells(dc, x, y, std::string_view(text).substr(static_cast<size_t>(column), 2), column);
    }
    int32_t column = ByteToColumn(ViewMode, i, false);
    dc.FillRect(cellRect(column, 1), back);
    dc.SetTextColor(fore);
    DrawCells(dc, x, y, std::string_view(text).substr(static_cast<size_t>(column), 1), column);
  };
  if (NormalMode && !Changes.Empty()) {
    const auto& records = Changes.Records();
    for (size_t r = Changes.LowerBound(offset); r < records.size() && records[r].Offset < offset + count; ++r) {
      paintByte(records[r].Offset - offset, ChangedText, ChangedBack);
    }
    dc.SetTextColor(textColor);
  }
  if (HasSelection() && SelEnd > offset && SelStart < offset + PerLine()) {
    const int64_t from = std::max(SelStart, offset) - offset;
    const int64_t to = std::min(SelEnd, offset + count) - offset;
    for (int64_t i = from; i < to; ++i) {
      const auto index = static_cast<int32_t>(i);
      if (ViewMode == hvHexAndChars) {
        // The separator between two selected bytes is part of the block.
        int32_t width = i + 1 < to && index != 7 ? 3 : 2;
        dc.InvertRect(cellRect(ByteToColumn(ViewMode, index, true), width));
      }
      dc.InvertRect(cellRect(ByteToColumn(ViewMode, index, false), 1));
    }
  }
}
