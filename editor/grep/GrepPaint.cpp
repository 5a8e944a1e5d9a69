// Painting of the hit list: the margin with its kind images, file lines on their tab
// stops, hit lines with the hit ranges in the hit colour, and the bar of bar mode.
#include <algorithm>
#include <array>

#include "editor/grep/GrepChildData.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr int32_t kImageWidth = 16;
constexpr int32_t kImageHeight = 13;

// Our own images, 16 x 13: a sheet for a listed file, a sheet with text lines for a text
// file with hits, a sheet with a byte grid for a file searched as raw bytes. '.' is the
// margin's face colour.
constexpr std::array<const char*, 3 * kImageHeight> kImageRows = {
    // kind 0
    "...#######......", "...#.....##.....", "...#.....#.#....", "...#.....####...",
    "...#........#...", "...#........#...", "...#........#...", "...#........#...",
    "...#........#...", "...#........#...", "...#........#...", "...##########...",
    "................",
    // kind 1
    "...#######......", "...#.....##.....", "...#.bbb.#.#....", "...#.....####...",
    "...#.bbbbbb.#...", "...#........#...", "...#.rrrrr..#...", "...#........#...",
    "...#.bbbbbb.#...", "...#........#...", "...#.bbbb...#...", "...##########...",
    "................",
    // kind 2
    "...#######......", "...#.....##.....", "...#.g.g.#.#....", "...#.....####...",
    "...#.g.g.g.g#...", "...#........#...", "...#.g.r.g.g#...", "...#........#...",
    "...#.g.g.g.g#...", "...#........#...", "...#.g.g.g..#...", "...##########...",
    "................",
};

TSmallBitmap MakeImage(int32_t kind, TColorRef face) {
  TSmallBitmap b;
  b.Width = kImageWidth;
  b.Height = kImageHeight;
  b.Pixels.resize(static_cast<size_t>(kImageWidth * kImageHeight));
  for (int32_t y = 0; y < kImageHeight; ++y) {
    const char* row = kImageRows[static_cast<size_t>(kind * kImageHeight + y)];
    for (int32_t x = 0; x < kImageWidth; ++x) {
      TColorRef c = face;
      switch (row[x]) {
        case '#': c = MakeRgb(0, 0, 0); break;
        case 'b': c = MakeRgb(0, 0, 160); break;
        case 'r': c = MakeRgb(200, 0, 0); break;
        case 'g': c = MakeRgb(0, 128, 0); break;
        default: break;
      }
      b.Pixels[static_cast<size_t>(y * kImageWidth + x)] = c;
    }
  }
  return b;
}

const TSmallBitmap& KindImage(int32_t kind) {
  static const std::array<TSmallBitmap, 3> images = [] {
    const TColorRef face = GetSysColor(COLOR_BTNFACE);
    return std::array<TSmallBitmap, 3>{MakeImage(0, face), MakeImage(1, face), MakeImage(2, face)};
  }();
  return images[static_cast<size_t>(kind)];
}

struct TStop {
  int32_t Column;
  bool Right;
};

}  // namespace

void TGrepChildData::Paint(TCanvas& dc, const TRect& update) {
  PaintMargin(dc, update);
  TTextChildData::Paint(dc, update);
  if (BarMode) {
    const int32_t row = Caret.Line - Scroller->PosY;
    if (row >= 0 && row <= Scroller->PageStepY + 1) {
      const TRect client = GetClientRect(Window);
      dc.InvertRect(TRect{MarginWidth, row * CharHeight, client.Right, (row + 1) * CharHeight});
    }
  }
}

void TGrepChildData::PaintMargin(TCanvas& dc, const TRect& update) {
  const int32_t right = MarginWidth;
  dc.FillRect(TRect{0, update.Top, right, update.Bottom}, GetSysColor(COLOR_BTNFACE));
  dc.SetPen(MakeRgb(255, 255, 255));
  dc.MoveTo(0, update.Top);
  dc.LineTo(0, update.Bottom);
  dc.SetPen(MakeRgb(128, 128, 128));
  dc.MoveTo(right - 3, update.Top);
  dc.LineTo(right - 3, update.Bottom);
  dc.SetPen(MakeRgb(0, 0, 0));
  dc.MoveTo(right - 2, update.Top);
  dc.LineTo(right - 2, update.Bottom);
  if (!Grep) return;
  const int32_t firstRow = std::max(update.Top, 0) / CharHeight;
  const int32_t lastRow = (update.Bottom + CharHeight - 1) / CharHeight;
  for (int32_t row = firstRow; row <= lastRow; ++row) {
    const TGrepLineItem* item = Grep->GrepLineAt(Scroller->PosY + row);
    if (!item) break;
    if (!IsGrepFileKind(item->Kind)) continue;
    const int32_t y = row * CharHeight + (CharHeight - kImageHeight) / 2;
    dc.DrawBitmap(2, y, KindImage(item->Kind));
  }
}

void TGrepChildData::PaintLine(TCanvas& dc, int32_t x, int32_t line, int32_t y) {
  const TGrepLineItem* item = Grep ? Grep->GrepLineAt(line) : nullptr;
  if (!item) return;
  if (IsGrepFileKind(item->Kind)) {
    PaintFileLine(dc, x, Grep->Text(line), y);
  } else {
    PaintHitLine(dc, x, line, y, *item);
  }
}

void TGrepChildData::PaintFileLine(TCanvas& dc, int32_t x, std::string_view text, int32_t y) {
  if (text.find('\t') == std::string_view::npos) {
    dc.TextOut(x, y, text);
    return;
  }
  // Stops in character widths; a right-aligned stop ends its field there. A field that
  // has already passed its stop follows one character after the previous one.
  static constexpr TStop kInfo[] = {{10, true}, {12, false}, {13, false}};
  static constexpr TStop kInfoCounts[] = {{8, true}, {18, true}, {20, false}, {21, false}};
  static constexpr TStop kCounts[] = {{8, true}, {10, false}};
  std::span<const TStop> stops = Info ? (Order.Output == 1 ? std::span<const TStop>(kInfoCounts)
                                                           : std::span<const TStop>(kInfo))
                                      : std::span<const TStop>(kCounts);
  int64_t pen = x;
  size_t start = 0;
  for (size_t field = 0;; ++field) {
    const size_t tab = text.find('\t', start);
    const std::string_view part =
        text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    int64_t at = pen;
    if (field > 0) {
      const size_t s = std::min(field - 1, stops.size() - 1);
      const int64_t stop = x + int64_t{stops[s].Column} * CharWidth;
      const int64_t width = dc.GetTextExtent(part).Width;
      at = stops[s].Right && field - 1 < stops.size() ? stop - width : stop;
      if (field - 1 >= stops.size() || at < pen) at = pen + (field > 1 ? CharWidth : 0);
    }
    if (!part.empty()) dc.TextOut(static_cast<int32_t>(at), y, part);
    pen = at + dc.GetTextExtent(part).Width;
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
}

void TGrepChildData::PaintHitLine(TCanvas& dc, int32_t x, int32_t line, int32_t y,
                                  const TGrepLineItem& item) {
  std::string_view text = Grep->Text(line);
  const int32_t prefix = item.Kind == gkBinaryHit ? kBinaryHitPrefix : kTextHitPrefix;
  if (Grep->WrapCut) text = text.substr(0, static_cast<size_t>(prefix + kGrepWrapCut));
  const auto length = static_cast<int32_t>(text.size());
  const TColorRef normal = dc.TextColor();
  int32_t from = 0;
  auto draw = [&](int32_t a, int32_t b, TColorRef color) {
    a = std::clamp(a, 0, length);
    b = std::clamp(b, a, length);
    std::string_view part = text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
    while (!part.empty() && part.back() == '\t') part.remove_suffix(1);
    if (part.empty()) return;
    dc.SetTextColor(color);
    dc.TabbedTextOut(static_cast<int32_t>(x + LineX(line, a)), y, part, TabStops, x);
  };
  for (const TGrepRange& r : item.Hit.Ranges) {
    const int32_t start = prefix + r.Start;
    if (start < from) continue;
    draw(from, start, normal);
    draw(start, start + r.Length, MarkColor);
    from = start + r.Length;
  }
  draw(from, length, normal);
  dc.SetTextColor(normal);
}
