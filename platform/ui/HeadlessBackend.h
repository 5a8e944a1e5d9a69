// The deterministic in-memory back end of every window test: fixed font metrics, a recording
// canvas, a manual clock, scripted message-box answers and an inspectable log.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"

namespace platform {

// One drawing operation in device pixels of a window.
struct TPaintRecord {
  enum class TOp : uint8_t { Text, Fill, Line, Invert, Bitmap, Scroll };
  TOp Op = TOp::Text;
  TWindow Window = 0;
  TRect Rect;          // text: its box; line: the two ends as (Left, Top)-(Right, Bottom)
  std::string Text;    // bytes as drawn
  TColorRef Color = 0;
  std::string Face;    // font face of text
  bool Oem = false;    // text in the DOS code page
  TPoint Delta;        // scroll: the move
};

struct TShownBox {
  TWindow Owner = 0;
  std::string Text;
  std::string Caption;
  uint32_t Type = 0;
  int32_t Answer = 0;
};

class THeadlessBackend final : public TUiBackend {
 public:
  // Widths of the fixed metrics: a fixed-pitch font of height h has width h / 2.
  static constexpr int32_t kDefaultHeight = 16;

  uint64_t NowMs() override;
  // With an idle script that returns true, returns at once. Otherwise a finite wait jumps the
  // manual clock by the time-out, and an endless one waits for Wake() from another thread;
  // after kStallSeconds without one the program stops with a message instead of hanging.
  static constexpr int kStallSeconds = 30;
  void WaitForEvents(int64_t timeoutMs) override;
  void Wake() override;
  TFontInfo RealizeFont(const TLogFont& logFont) override;
  void ScrollPixels(TWindow window, int32_t dx, int32_t dy, const TRect& area) override;
  std::unique_ptr<TCanvas> CreatePaintCanvas(TWindow window, const TRect& paint) override;
  std::unique_ptr<TCanvas> CreateWindowCanvas(TWindow window) override;
  void Beep(uint32_t type) override;
  int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                     uint32_t type) override;

  void AdvanceClock(uint64_t ms);
  // Runs whenever a loop would wait; returns false when it has nothing more to do.
  void SetIdleScript(std::function<bool()> script) { IdleScript = std::move(script); }
  // Answers of the next message boxes, in order; without one the first button is taken.
  void QueueAnswer(int32_t answer) { Answers.push_back(answer); }

  std::vector<TPaintRecord> Records;
  std::vector<TShownBox> Boxes;
  std::vector<uint32_t> Beeps;
  int32_t PaintCanvases = 0;

  // Texts drawn in a window, in order.
  std::vector<std::string> TextsOf(TWindow window) const;
  void Record(TPaintRecord record) { Records.push_back(std::move(record)); }

 private:
  uint64_t Now_ = 1000;
  std::function<bool()> IdleScript;
  std::deque<int32_t> Answers;
  std::mutex WakeLock_;
  std::condition_variable WakeSignal_;
  bool Woken_ = false;
};

// Runs pending messages (posted, paints, due timers) until none is left; returns how many.
int32_t RunPendingMessages();

}  // namespace platform
