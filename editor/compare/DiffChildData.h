// The object behind a compare window "Ergebnisse Dateivergleich": the finished comparison,
// two panes and a splitter, scrolling of both panes together, navigation over the
// differences and the go-to requests to the frame.
#pragma once

#include <cstdint>
#include <memory>

#include "editor/compare/DiffLayout.h"
#include "editor/text/ScrlChildData.h"
#include "editor/views/CompareEngine.h"
#include "editor/views/DiffTypes.h"

namespace platform {
class TProfileFile;
}

// The creation record of a compare window: the framework's record first, so that the
// common code reads it as its own.
struct TDiffCreateParams {
  // Its SyntaxColoring points to the record itself, which marks the record as this one.
  TChildCreateParams Base{};
  const TDiffExtraData* Extra = nullptr;
  // A finished comparison; the window takes it over when it is created.
  std::unique_ptr<TCompareEngine>* Engine = nullptr;
  int32_t TabSize = 8;
  platform::TProfileFile* Profile = nullptr;  // where 908/909 leave the defaults; may be null
  // Font and brush made for this window; it deletes them when it goes.
  platform::TFont OwnedFont = 0;
  platform::TBrush OwnedBrush = 0;
};

class TDiffChildData : public TScrlChildData {
 public:
  TDiffChildData() = default;
  ~TDiffChildData() override;

  bool Create(platform::TWindow window, const TChildCreateParams& params) override;
  void Paint(platform::TCanvas& dc, const platform::TRect& update) override;
  void SizeChanged(int32_t width, int32_t height) override;
  void SetFont(platform::TFont font, bool repaint) override;
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override;

  // Commands of the window (904 to 909).
  void NextDifference();
  void PreviousDifference();
  void GotoTopRow();
  // Reads both files again. False when the window was destroyed (failure shown).
  bool Refresh();
  void ToggleLayout();
  // False when the window was destroyed (out of memory shown).
  bool ToggleOnlyDifferences();

  // Both panes to column x and top row y (clamped).
  void ScrollTo(int32_t x, int32_t y);
  void ScrollBar(bool vertical, uint32_t code, int32_t thumb);
  // A go-to request (601) for a row of one pane (0, 1) or of both (-1).
  void GotoRow(int pane, int32_t row);
  // The splitter to a position (clamped); the panes follow.
  void SetSplitter(int32_t pos);
  // Tells the frame the number of difference rows (602).
  void ReportCount();
  // Paints a pane (0 or 1).
  void PaintPane(int pane, platform::TCanvas& dc, const platform::TRect& update);
  // The row of a pane's client y.
  int32_t RowAt(int32_t y) const;

  int32_t TopRow() const { return Scroller->PosY; }
  int32_t RowCount() const { return Engine ? Engine->Rows().RowCount() : 0; }
  int32_t PageRows() const { return PageRows_; }
  const TDiffPlaces& Places() const { return Places_; }

  TDiffExtraData Extra;
  std::unique_ptr<TCompareEngine> Engine;
  platform::TWindow Panes[2] = {0, 0};
  platform::TWindow Splitter = 0;
  int32_t SplitterPos = kDiffNoSplitter;
  int32_t Gutter = 20;
  int32_t TabWidthPixels = 64;
  int32_t TabSize = 8;
  int32_t WidestColumns = 0;  // the widest shown line in columns, tabs expanded
  platform::TProfileFile* Profile = nullptr;
  platform::TFont OwnedFont = 0;
  platform::TBrush OwnedBrush = 0;
  // While a refresh compares (messages are dispatched meanwhile): commands wait, a close
  // request cancels the comparison and closes the window afterwards.
  bool Busy = false;
  bool CancelRequested = false;
  bool CloseWhenDone = false;

 private:
  // After a new comparison or a new view of it: gutter, widths, ranges, repaint.
  void RowsChanged();
  void Relayout();
  void UpdateRanges();
  void UpdateBars();
  void RepaintPanes();
  void CreateSplitter();
  // A failed comparison or view: the message, and the window goes.
  void Fail(int32_t status);

  TDiffPlaces Places_;
  int32_t PageRows_ = 1;
  int32_t PageColumns_ = 1;
};

// Reads the defaults of new compare windows (layout, only differences) and stores them.
void ReadCompareDefaults(const platform::TProfileFile* profile, TDiffExtraData& extra);
void StoreCompareDefaults(platform::TProfileFile* profile, const TDiffExtraData& extra);

// The message of a failed comparison (-40 with the file, -41 and -42), captioned
// "Z&K Quellwerk: Dateivergleich" with the stop icon. Nothing for a cancelled one.
void ShowCompareFailure(platform::TWindow owner, int32_t status, const std::string& fileName);
