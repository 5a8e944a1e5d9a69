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
class TPrinterSystem;

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

  // The menu bar of a window (or a menu in it) changed: bar, items, texts or states.
  virtual void MenuChanged(TWindow /*window*/) {}
  // Shows the popup menu at a screen point and waits for the user; returns the chosen
  // command, 0 when none, -1 when the back end has no native menus (a scripted choice).
  virtual int64_t TrackPopup(TWindow /*owner*/, uint32_t /*popup*/, TPoint /*screen*/) {
    return -1;
  }
  // Tiles (WM_MDITILE), cascades (WM_MDICASCADE) or arranges the icons (WM_MDIICONARRANGE)
  // of an MDI client natively; false leaves the geometry to the layer.
  virtual bool ArrangeMdi(TWindow /*client*/, uint32_t /*message*/, uintptr_t /*wParam*/) {
    return false;
  }
  // A system metric (SystemMetrics.h) of the desktop; -1 when the back end has none.
  virtual int32_t SystemMetric(int32_t /*index*/) { return -1; }
  // A system colour (COLOR_...) as the desktop's theme has it; -1 for the layer's own table.
  virtual int64_t SystemColor(int32_t /*index*/) { return -1; }
  // The window's state changed to maximised, minimised or normal (WS_MAXIMIZE, WS_MINIMIZE).
  virtual void ShowStateChanged(TWindow /*window*/) {}
  // Height a bar control (tool bar, status bar) wants; 0 leaves it to the layer.
  virtual int32_t BarHeight(TWindow /*window*/) { return 0; }
  // Lets the user rearrange the tool bar's buttons: 1 changed, 0 cancelled, -1 when the back
  // end has no dialog for it (a scripted arrangement).
  virtual int32_t CustomizeToolBar(TWindow /*toolBar*/) { return -1; }

  virtual void Beep(uint32_t type) = 0;
  // Returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                             uint32_t type) = 0;

  // The desktop's printers (Printer.h); null lets the layer use its headless ones.
  virtual TPrinterSystem* Printers() { return nullptr; }
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
