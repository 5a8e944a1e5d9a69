// The device context of painting: state (font, colours, origin, clip) and text layout with
// tab stops are shared; a back end draws the primitives.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/LogFont.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// A small monochrome or colour bitmap (bookmark marks, tool icons): rows of colours.
struct TSmallBitmap {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<TColorRef> Pixels;  // Width * Height, row by row
};

// The clip of a canvas in device pixels: a box minus excluded rectangles.
struct TClipState {
  TRect Box;
  std::vector<TRect> Excluded;
  bool Visible(const TRect& r) const;
};

class TCanvas {
 public:
  explicit TCanvas(TRect bounds);
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Each returns the previous value.
  TFont SelectFont(TFont font);
  TColorRef SetTextColor(TColorRef color);
  TColorRef SetBkColor(TColorRef color);
  int32_t SetBkMode(int32_t mode);
  TPoint SetViewportOrg(TPoint origin);
  TPoint GetViewportOrg() const { return Origin_; }
  TFont CurrentFont() const { return Font_; }
  TColorRef TextColor() const { return TextColor_; }
  int32_t BkMode() const { return BkMode_; }
  TTextMetric GetTextMetrics() const;

  void TextOut(int32_t x, int32_t y, std::string_view text);
  // Tab stops are pixel positions relative to tabOrigin: none = every 8 average widths,
  // one = every tabs[0] pixels, more = the table, then every (last - previous) pixels.
  // Returns the extent of the output (width from x, font height).
  TSize TabbedTextOut(int32_t x, int32_t y, std::string_view text,
                      std::span<const int32_t> tabs, int32_t tabOrigin);
  TSize GetTextExtent(std::string_view text) const;
  TSize GetTabbedTextExtent(std::string_view text, std::span<const int32_t> tabs) const;
  // Single line in a rectangle with DT_LEFT / DT_CENTER / DT_RIGHT, DT_VCENTER / DT_BOTTOM.
  void DrawText(std::string_view text, const TRect& rect, uint32_t format);

  void FillRect(const TRect& rect, TColorRef color);
  void FillRectBrush(const TRect& rect, TBrush brush) { FillRect(rect, BrushColor(brush)); }
  void SetPen(TColorRef color, int32_t width = 1);
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void InvertRect(const TRect& rect);
  void DrawBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap);

  // In logical coordinates, like the Windows calls.
  void ExcludeClipRect(const TRect& rect);
  void IntersectClipRect(const TRect& rect);
  const TClipState& Clip() const { return Clip_; }

  // The x of each tab stop after `pos`, as TabbedTextOut lays them out.
  static int32_t NextTabStop(int32_t pos, std::span<const int32_t> tabs, int32_t tabOrigin,
                             int32_t aveCharWidth);

 protected:
  // Primitives in device coordinates (origin applied).
  virtual void DoText(int32_t x, int32_t y, std::string_view text, const TFontInfo& font,
                      TColorRef color, bool opaque, TColorRef background) = 0;
  virtual void DoFill(const TRect& rect, TColorRef color) = 0;
  virtual void DoLine(TPoint from, TPoint to, TColorRef color, int32_t width) = 0;
  virtual void DoInvert(const TRect& rect) = 0;
  virtual void DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) = 0;
  virtual void ClipChanged() {}

  const TFontInfo& FontInfo() const;
  int32_t RunWidth(std::string_view text) const;

 private:
  TSize LayoutTabbed(int32_t x, int32_t y, std::string_view text, std::span<const int32_t> tabs,
                     int32_t tabOrigin, bool draw);
  TRect ToDevice(const TRect& r) const { return OffsetRect(r, Origin_.X, Origin_.Y); }

  TFont Font_;
  TColorRef TextColor_ = 0;
  TColorRef BkColor_ = 0x00FFFFFF;
  int32_t BkMode_ = OPAQUE;
  TPoint Origin_;
  TColorRef PenColor_ = 0;
  int32_t PenWidth_ = 1;
  TPoint PenPos_;
  TClipState Clip_;
};

}  // namespace platform
