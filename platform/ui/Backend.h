// What a back end (headless or a real toolkit) gives the window layer: time, waiting for
// input, fonts, canvases and the native side of windows, carets, scroll bars and boxes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/ui/Canvas.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UiTypes.h"

namespace platform {

class TSystemClipboard;
struct TFileDialog;
struct TFolderDialog;
struct TFontDialog;
struct TColorDialog;
struct TTransferData;

struct TScrollBarState {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Page = 0;
  int32_t Pos = 0;
  friend bool operator==(const TScrollBarState&, const TScrollBarState&) = default;
};

// The one caret of the user-interface thread.
struct TCaretState {
  TWindow Owner = 0;  // 0: no caret
  int32_t Width = 0;
  int32_t Height = 0;
  TPoint Pos;
  int32_t HideCount = 0;  // shown when 0; a new caret starts hidden
  bool Visible() const { return Owner != 0 && HideCount == 0; }
};

// What changed of a window, for the native side.
// Value: the range or position of a progress bar, or the pushed state of a button.
enum class TWindowChange : uint8_t { Caption, Geometry, Visibility, Style, HorzBar, VertBar,
                                     Cursor, Activate, Value };

class TUiBackend {
 public:
  virtual ~TUiBackend() = default;

  // Monotonic milliseconds.
  virtual uint64_t NowMs() = 0;
  // Blocks until native input arrives, Wake() is called or timeoutMs passes (-1: no limit).
  // Native events are fed to the layer meanwhile.
  virtual void WaitForEvents(int64_t timeoutMs) = 0;
  // Any thread: ends a WaitForEvents early.
  virtual void Wake() = 0;

  virtual TFontInfo RealizeFont(const TLogFont& logFont) = 0;

  virtual void WindowCreated(TWindow /*window*/) {}
  virtual void WindowDestroyed(TWindow /*window*/) {}
  virtual void WindowChanged(TWindow /*window*/, TWindowChange /*what*/) {}
  virtual void Invalidated(TWindow /*window*/, const TRect& /*rect*/) {}
  // Moves pixels of `area` by (dx, dy); the layer invalidates what is uncovered.
  virtual void ScrollPixels(TWindow /*window*/, int32_t /*dx*/, int32_t /*dy*/,
                            const TRect& /*area*/) {}

  // True when painting can only happen inside the toolkit's own paint event; the layer then
  // asks RepaintNow instead of sending WM_PAINT itself.
  virtual bool PaintsNatively() const { return false; }
  virtual void RepaintNow(TWindow /*window*/) {}
  // The canvas of WM_PAINT, and one for painting outside it.
  virtual std::unique_ptr<TCanvas> CreatePaintCanvas(TWindow window, const TRect& paint) = 0;
  virtual std::unique_ptr<TCanvas> CreateWindowCanvas(TWindow window) = 0;

  virtual void CaretChanged(const TCaretState& /*caret*/) {}
  virtual void FocusChanged(TWindow /*focus*/) {}
  virtual void CaptureChanged(TWindow /*capture*/) {}
  virtual void CursorChanged(TCursorKind /*cursor*/) {}

  // Pixels of four horizontal and eight vertical dialog units for the font native dialog
  // controls use; zero leaves them to the stock font.
  virtual TSize DialogBaseUnits() { return {}; }
  // The common dialogs (CommonDialogs.h): 1 when the user confirmed (the request then holds
  // the answer), 0 when cancelled, -1 when the back end has no such dialog (the layer then
  // takes a scripted answer, DialogScript.h).
  virtual int32_t RunFileDialog(TFileDialog& /*dialog*/) { return -1; }
  virtual int32_t RunFolderDialog(TFolderDialog& /*dialog*/) { return -1; }
  virtual int32_t RunFontDialog(TFontDialog& /*dialog*/) { return -1; }
  virtual int32_t RunColorDialog(TColorDialog& /*dialog*/) { return -1; }

  virtual void Beep(uint32_t type) = 0;
  // Returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                             uint32_t type) = 0;

  // The desktop's clipboard; null lets the layer keep one in memory.
  virtual TSystemClipboard* SystemClipboard() { return nullptr; }
  // Runs a drag from `source` until drop or cancel and returns the effect; -1 when the back
  // end has no drags of its own (the layer then plays scripted outcomes).
  virtual int32_t RunDrag(TWindow /*source*/, const TTransferData& /*data*/,
                          uint32_t /*allowed*/) {
    return -1;
  }
};

}  // namespace platform
