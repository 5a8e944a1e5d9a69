// The headless back end: in-memory canvas records, fixed metrics, a manual clock.
#include "platform/ui/HeadlessBackend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/charset/Charset.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"

namespace platform {

namespace {

class THeadlessCanvas final : public TCanvas {
 public:
  THeadlessCanvas(THeadlessBackend& backend, TWindow window, TRect bounds)
      : TCanvas(bounds), Backend_(backend), Window_(window) {}

 protected:
  void DoText(int32_t x, int32_t y, std::string_view text, const TFontInfo& font,
              TColorRef color, bool /*opaque*/, TColorRef /*background*/) override {
    int32_t width = 0;
    for (unsigned char c : text) width += font.Widths[c];
    TRect box{x, y, x + width, y + font.Metrics.Height};
    if (!Clip().Visible(box)) return;
    TPaintRecord r;
    r.Op = TPaintRecord::TOp::Text;
    r.Window = Window_;
    r.Rect = box;
    r.Text = std::string(text);
    r.Color = color;
    r.Face = font.Log.FaceName;
    r.Oem = font.Log.CharSet == kOemCharset;
    Backend_.Record(std::move(r));
  }
  void DoFill(const TRect& rect, TColorRef color) override { Add(TPaintRecord::TOp::Fill, rect, color); }
  void DoLine(TPoint from, TPoint to, TColorRef color, int32_t /*width*/) override {
    TRect box{std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X) + 1,
              std::max(from.Y, to.Y) + 1};
    if (!Clip().Visible(box)) return;
    TPaintRecord r;
    r.Op = TPaintRecord::TOp::Line;
    r.Window = Window_;
    r.Rect = TRect{from.X, from.Y, to.X, to.Y};
    r.Color = color;
    Backend_.Record(std::move(r));
  }
  void DoInvert(const TRect& rect) override { Add(TPaintRecord::TOp::Invert, rect, 0); }
  void DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) override {
    Add(TPaintRecord::TOp::Bitmap, TRect{x, y, x + bitmap.Width, y + bitmap.Height}, 0);
  }

 private:
  void Add(TPaintRecord::TOp op, const TRect& rect, TColorRef color) {
    TRect visible = IntersectRect(rect, Clip().Box);
    if (!Clip().Visible(rect)) return;
    TPaintRecord r;
    r.Op = op;
    r.Window = Window_;
    r.Rect = visible;
    r.Color = color;
    Backend_.Record(std::move(r));
  }

  THeadlessBackend& Backend_;
  TWindow Window_;
};

bool IsFixedFace(const std::string& face) {
  static const char* const kFixed[] = {"Fixedsys", "Courier New", "Courier", "MS LineDraw",
                                       "Terminal", "Lucida Console", "Consolas"};
  return std::any_of(std::begin(kFixed), std::end(kFixed),
                     [&](const char* f) { return EqualNoCaseWin(face, f); });
}

}  // namespace

uint64_t THeadlessBackend::NowMs() { return Now_; }

void THeadlessBackend::AdvanceClock(uint64_t ms) { Now_ += ms; }

void THeadlessBackend::WaitForEvents(int64_t timeoutMs) {
  if (timeoutMs == 0) return;
  if (IdleScript && IdleScript()) return;
  if (timeoutMs > 0) {
    Now_ += static_cast<uint64_t>(timeoutMs);
    return;
  }
  // Only another thread can end this wait; a test that never arranges for one would hang.
  std::unique_lock lock(WakeLock_);
  if (!WakeSignal_.wait_for(lock, std::chrono::seconds(kStallSeconds), [&] { return Woken_; })) {
    std::fprintf(stderr, "headless message loop stalled: nothing posted, no timer, no idle script\n");
    std::abort();
  }
  Woken_ = false;
}

void THeadlessBackend::Wake() {
  {
    std::lock_guard guard(WakeLock_);
    Woken_ = true;
  }
  WakeSignal_.notify_all();
}

TFontInfo THeadlessBackend::RealizeFont(const TLogFont& logFont) {
  TFontInfo info;
  info.Log = logFont;
  int32_t height = logFont.Height == 0 ? kDefaultHeight : std::abs(logFont.Height);
  int32_t width = logFont.Width > 0 ? logFont.Width : std::max(height / 2, 1);
  bool fixed = (logFont.PitchAndFamily & 0x03) == kFixedPitch || IsFixedFace(logFont.FaceName);
  TTextMetric& m = info.Metrics;
  m.Height = height;
  m.Ascent = height * 13 / 16;
  m.Descent = height - m.Ascent;
  m.ExternalLeading = fixed ? 0 : height / 8;
  m.AveCharWidth = width;
  m.MaxCharWidth = fixed ? width : width * 3 / 2;
  m.PitchAndFamily = static_cast<uint8_t>((logFont.PitchAndFamily & 0xF0) |
                                          (fixed ? 0 : TMPF_FIXED_PITCH));
  m.CharSet = logFont.CharSet;
  for (int32_t c = 0; c < 256; ++c) {
    int32_t w = width;
    if (!fixed) {
      if (std::string_view("il.,;:'!|").find(static_cast<char>(c)) != std::string_view::npos) {
        w = std::max(width / 2, 1);
      } else if (std::string_view("mwMW").find(static_cast<char>(c)) != std::string_view::npos) {
        w = width * 3 / 2;
      }
    }
    info.Widths[static_cast<size_t>(c)] = w;
  }
  return info;
}

void THeadlessBackend::ScrollPixels(TWindow window, int32_t dx, int32_t dy, const TRect& area) {
  TPaintRecord r;
  r.Op = TPaintRecord::TOp::Scroll;
  r.Window = window;
  r.Rect = area;
  r.Delta = {dx, dy};
  Records.push_back(std::move(r));
}

std::unique_ptr<TCanvas> THeadlessBackend::CreatePaintCanvas(TWindow window,
                                                            const TRect& paint) {
  ++PaintCanvases;
  return std::make_unique<THeadlessCanvas>(*this, window, paint);
}

std::unique_ptr<TCanvas> THeadlessBackend::CreateWindowCanvas(TWindow window) {
  return std::make_unique<THeadlessCanvas>(*this, window, TRect{0, 0, 1 << 20, 1 << 20});
}

void THeadlessBackend::Beep(uint32_t type) { Beeps.push_back(type); }

int32_t THeadlessBackend::MessageBox(TWindow owner, std::string_view text,
                                     std::string_view caption, uint32_t type) {
  int32_t answer;
  if (!Answers.empty()) {
    answer = Answers.front();
    Answers.pop_front();
  } else {
    TBoxButton buttons[3];
    MessageBoxButtons(type, buttons);
    answer = buttons[0].Id;
  }
  Boxes.push_back(TShownBox{owner, std::string(text), std::string(caption), type, answer});
  return answer;
}

std::vector<std::string> THeadlessBackend::TextsOf(TWindow window) const {
  std::vector<std::string> texts;
  for (const TPaintRecord& r : Records) {
    if (r.Op == TPaintRecord::TOp::Text && r.Window == window) texts.push_back(r.Text);
  }
  return texts;
}

int32_t RunPendingMessages() {
  int32_t count = 0;
  while (PumpOneMessage()) ++count;
  return count;
}

}  // namespace platform
