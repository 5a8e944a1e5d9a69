// The text-displaying document window: a line store shown with tabs, a line-number gutter
// with bookmark marks, a caret and a stream or column-block selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/text/Editor.h"
#include "editor/text/ScrlChildData.h"
#include "editor/text/TextLines.h"
#include "editor/text/TextMeasure.h"

// Notification codes of the text view.
constexpr uint32_t cnCaretLineChanged = 201;
constexpr uint32_t cnCaretColumnChanged = 202;  // Value1: the screen column
constexpr uint32_t cnSelectionChanged = 203;    // Value1: 1 something selected, 0 nothing

// The caret's pixel position in its line may not exceed this.
constexpr int64_t kCaretPixelLimit = (int64_t{1} << 30) - 1;

class TTextChildData : public TScrlChildData {
 public:
  // Slots 0..36 the text view overrides.
  bool Create(platform::TWindow window, const TChildCreateParams& params) override;
  int32_t Save(const std::string& fileName, bool selectionOnly, int32_t format, bool makeBackup,
               bool checkWritable) override;
  void SetCaret(int32_t column, int32_t line, bool screenColumn, bool extend) override;
  void MoveCaretBy(int32_t columns, int32_t lines, bool extend) override;
  void MoveCaretTo(uint32_t key, int32_t scope, bool extend) override;
  void SetSelection(const TTextRange* range, int32_t mode) override;
  bool HasSelection() override;
  void Copy() override;
  void Paint(platform::TCanvas& dc, const platform::TRect& update) override;
  void PaintLine(platform::TCanvas& dc, int32_t x, int32_t line, int32_t y) override;
  void SetFont(platform::TFont font, bool repaint) override;
  platform::TPoint GetCaretPixelPos() override;
  TTextPos PixelToPos(int32_t x, int32_t y) override;
  int32_t KeyDown(uint32_t key, bool shift, bool ctrl) override;
  void DoubleClick(int32_t x, int32_t y) override;
  bool GetLineText(int32_t line, std::string& text) override;

  // Slots 37..51.
  virtual void CollapseSelection();
  virtual void RemoveSelection(bool notify);
  virtual bool CaretBeyondEnd();
  virtual void ToggleBookmark(int32_t number, bool setOnly);
  virtual void UpdateTabStops();
  virtual void SetColumnBlock(bool on);
  virtual bool ColumnBlockActive();
  virtual bool GotoBookmark(int32_t number);
  virtual void PaintLineVisiblePart(platform::TCanvas& dc, int32_t line, int32_t y);
  virtual void InvertRange(platform::TCanvas* dc, const TTextRange& range);
  virtual int32_t PrevWordStart(int32_t line, int32_t column);
  virtual int32_t NextWordBoundary(int32_t line, int32_t column, bool skip);
  virtual void CaretMoved(int32_t oldColumn, int32_t oldLine);
  virtual int32_t GutterWidth();
  virtual void UpdateSelection(int32_t oldColumn, int32_t oldLine, bool extend);

  // The document. invariant: at least one line.
  TTextLines Lines;
  uint8_t IndividualTabs = 0;
  std::vector<int32_t> TabStops;  // pixel positions; one entry without IndividualTabs
  int32_t TabStopCount = 1;
  int32_t TabWidth = 8;
  uint8_t FreeCaret = 0;
  uint8_t ColumnBlock = 0;
  uint8_t LineNumbers = 0;
  uint8_t ClipLongLines = 0;
  int32_t LoadMode = lemCrLf;
  int32_t FoundLineEnds = 0;  // the kinds of line ends the file was read with (leCrLf, ...)
  TBookmarks Bookmarks;
  uint8_t BookmarkMarks = 0;

  // Helpers shared by the view's files and the editor.
  TLineMeasure Measure() const;
  int64_t LineX(int32_t line, int32_t column) const;
  int32_t ScreenColumn(int32_t line, int32_t column) const;
  // Widens the horizontal scroll range to hold a line of that many columns.
  void WidenRangeX(int32_t columns);
  // Vertical range from the line count; horizontal from the longest line when asked.
  void UpdateRanges(bool measureLongest);
  // The rows of lines first..last (or to the window's bottom with -1) are repainted.
  void InvalidateLines(int32_t first, int32_t last);
  // Copy, telling whether the clipboard took the text.
  bool CopySelection();
  // The text bytes of the selection as the clipboard takes them.
  std::string SelectionText();
  // Where the selection is anchored, seen from the caret.
  TTextPos SelectionAnchor() const;
  int32_t VisibleLineCount() const;

 protected:
  void SetSelectionRaw(const TTextRange& range);
  TTextRange NormalizedSelection(TTextPos anchor, TTextPos caret) const;
  void InvalidateStretch(TTextPos a, TTextPos b);
  int32_t LastShownColumn_ = 0;
  int32_t LastShownLine_ = 0;
  int32_t GutterCacheWidth_ = -1;  // CharWidth the line-number gutter was measured for
  int32_t GutterCache_ = 0;
};

// The class procedure of the text view's windows: creates a TTextChildData.
intptr_t TextChildProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
