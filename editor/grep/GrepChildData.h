// The hit-list window: a read-only text view over the lines of a global search, with a
// margin of kind images, bar mode and the opening of hits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/grep/GrepLines.h"
#include "editor/grep/GrepSearch.h"
#include "editor/grep/GrepTypes.h"
#include "editor/text/TextChildData.h"

// Notifications of the hit list to the frame (codes of wm_ChildNotify).
constexpr uint32_t cnGrepBarMode = 501;   // Value1: 1 bar mode on
constexpr uint32_t cnGrepProgress = 502;  // Value1: phase, Value2: its number
constexpr uint32_t cnGrepOpen = 503;      // Data: a TGrepOpenRequest

constexpr int32_t kGrepMarginWidth = 26;

enum TGrepAction : int32_t { gaOpen = 0, gaRun = 1 };

// What the frame opens or starts for a hit-list line.
struct TGrepOpenRequest {
  int32_t Action = gaOpen;
  std::string FileName;
  int64_t Position = 0;  // 0-based line of a text file, byte offset of a binary one
  int32_t Column = 0;    // 0-based
  bool Binary = false;
};

// The creation record of a hit-list window: the framework's record and the search order.
struct TGrepCreateParams {
  TChildCreateParams Base{};
  const TGrepParam* Order = nullptr;  // copied by the window
  bool WrapWin = false;               // hit-line texts are cut to 2000 characters
};

class TGrepChildData : public TTextChildData {
 public:
  ~TGrepChildData() override;
  bool Create(platform::TWindow window, const TChildCreateParams& params) override;
  void Paint(platform::TCanvas& dc, const platform::TRect& update) override;
  void PaintLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y) override;
  void ShowCaret(bool on) override;
  TTextPos PixelToPos(int32_t x, int32_t y) override;
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override;
  void DoubleClick(int32_t x, int32_t y) override;
  void CaretMoved(int32_t oldColumn, int32_t oldLine) override;
  int32_t GutterWidth() override { return MarginWidth; }

  // Runs the search of the order (once); the status of TGrepSearch::Run. Progress goes
  // to the frame as notification 502 and to `progress`; `pump` lets one window message run.
  [[nodiscard]] int32_t RunSearch(std::function<void()> pump,
                                  std::function<void(int32_t, int32_t)> progress = {});

  // Bar mode: the current line shown as a bar, the caret hidden (restored afterwards).
  void SetBarMode(bool on);
  // The request for the current line; false on a line that belongs to no file.
  bool RequestFor(int32_t line, TGrepAction action, TGrepOpenRequest& request) const;
  // Sends the current line's request to the frame; false (a beep) when there is none.
  bool OpenCurrent(TGrepAction action);
  // Files with hits, and the hit count (0 when only file names were listed).
  int32_t FileCount() const { return FilesWithHits; }
  int32_t HitCount() const { return Order.Output == 2 ? 0 : Hits; }

  TGrepParam Order;
  std::unique_ptr<TGrepLines> Grep;
  int32_t FilesWithHits = 0;
  int32_t Hits = 0;
  bool Info = false;
  bool Searching = false;
  bool BarMode = false;
  bool Searched = false;
  // Font and brush made for this window, freed with it.
  platform::TFont OwnedFont = 0;
  platform::TBrush OwnedBrush = 0;

 private:
  void PaintMargin(platform::TCanvas& dc, const platform::TRect& update);
  void PaintFileLine(platform::TCanvas& dc, int32_t x, std::string_view text, int32_t y);
  void PaintHitLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y,
                    const TGrepLineItem& item);
};

// The class procedure of "ZKEditGrepWin".
intptr_t GrepChildProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
// The hit-list object of a window, or null.
TGrepChildData* GrepChildOf(platform::TWindow window);
