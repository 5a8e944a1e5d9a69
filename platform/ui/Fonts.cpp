// Font and brush handles.
#include "platform/ui/Fonts.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/UiState.h"

namespace platform {

using namespace ui_detail;

namespace {

struct TFontObject final : THandleObject {
  THandleKind Kind() const override { return THandleKind::Font; }
  TFontInfo Info;
};

struct TBrushObject final : THandleObject {
  THandleKind Kind() const override { return THandleKind::Brush; }
  TColorRef Color = 0;
};

constexpr TBrush kLastSystemBrush = 31;

}  // namespace

TFont CreateFontIndirect(const TLogFont& logFont) {
  TUiState* s = State();
  if (!s) return 0;
  auto object = std::make_unique<TFontObject>();
  object->Info = s->Backend->RealizeFont(logFont);
  object->Info.Log = logFont;
  return AddHandle(std::move(object));
}

TFont GetStockFont() {
  TUiState* s = State();
  if (!s) return 0;
  if (!s->StockFont) {
    TLogFont log;
    log.Height = 16;
    log.PitchAndFamily = kFixedPitch | kFamilyModern;
    log.FaceName = "Fixedsys";
    s->StockFont = CreateFontIndirect(log);
  }
  return s->StockFont;
}

const TFontInfo* GetFontInfo(TFont font) {
  auto* object = static_cast<TFontObject*>(LookupHandle(font, THandleKind::Font));
  return object ? &object->Info : nullptr;
}

bool DeleteFont(TFont font) {
  TUiState* s = State();
  if (s && font == s->StockFont) return false;
  if (!LookupHandle(font, THandleKind::Font)) return false;
  return RemoveHandle(font);
}

TBrush CreateSolidBrush(TColorRef color) {
  auto object = std::make_unique<TBrushObject>();
  object->Color = color;
  return AddHandle(std::move(object));
}

bool DeleteBrush(TBrush brush) {
  if (brush <= kLastSystemBrush || !LookupHandle(brush, THandleKind::Brush)) return false;
  return RemoveHandle(brush);
}

TColorRef BrushColor(TBrush brush) {
  if (brush == 0) return GetSysColor(COLOR_WINDOW);
  if (brush <= kLastSystemBrush) return GetSysColor(static_cast<int32_t>(brush) - 1);
  auto* object = static_cast<TBrushObject*>(LookupHandle(brush, THandleKind::Brush));
  return object ? object->Color : GetSysColor(COLOR_WINDOW);
}

TColorRef GetSysColor(int32_t index) {
  if (TUiState* s = State(); s && s->Backend) {
    int64_t themed = s->Backend->SystemColor(index);
    if (themed >= 0) return static_cast<TColorRef>(themed);
  }
  switch (index) {
    case COLOR_WINDOW:
      return MakeRgb(255, 255, 255);
    case COLOR_WINDOWTEXT:
      return MakeRgb(0, 0, 0);
    case COLOR_HIGHLIGHT:
      return MakeRgb(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
      return MakeRgb(255, 255, 255);
    case COLOR_BTNFACE:
    case COLOR_MENU:
      return MakeRgb(240, 240, 240);
    case COLOR_BTNTEXT:
      return MakeRgb(0, 0, 0);
    case COLOR_GRAYTEXT:
      return MakeRgb(109, 109, 109);
    case COLOR_APPWORKSPACE:
      return MakeRgb(171, 171, 171);
    default:
      return MakeRgb(192, 192, 192);
  }
}

}  // namespace platform
