// The Qt 6 Widgets back end of the window layer: one widget per window, painting through
// QPainter, Qt's event loop as the place the layer waits, German message boxes.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/ui/Backend.h"

class QApplication;
class QFont;
class QTimer;
class QTranslator;
class QWidget;

namespace platform {

class TQtClipboard;
class TQtPrinters;
class TQtWindowWidget;

class TQtBackend final : public TUiBackend {
 public:
  // Uses the running QApplication, or makes one.
  TQtBackend();
  ~TQtBackend() override;

  uint64_t NowMs() override;
  void WaitForEvents(int64_t timeoutMs) override;
  void Wake() override;
  TFontInfo RealizeFont(const TLogFont& logFont) override;
  void WindowCreated(TWindow window) override;
  void WindowDestroyed(TWindow window) override;
  void WindowChanged(TWindow window, TWindowChange what) override;
  void Invalidated(TWindow window, const TRect& rect) override;
  void ScrollPixels(TWindow window, int32_t dx, int32_t dy, const TRect& area) override;
  bool PaintsNatively() const override { return true; }
  void RepaintNow(TWindow window) override;
  std::unique_ptr<TCanvas> CreatePaintCanvas(TWindow window, const TRect& paint) override;
  std::unique_ptr<TCanvas> CreateWindowCanvas(TWindow window) override;
  void CaretChanged(const TCaretState& caret) override;
  void FocusChanged(TWindow focus) override;
  void CursorChanged(TCursorKind cursor) override;
  void Beep(uint32_t type) override;
  int32_t MessageBox(TWindow owner, std::string_view text, std::string_view caption,
                     uint32_t type) override;
  TSystemClipboard* SystemClipboard() override;
  // The system's printers and PDF output (QtPrinter.cpp).
  TPrinterSystem* Printers() override;
  int32_t RunDrag(TWindow source, const TTransferData& data, uint32_t allowed) override;
  // Dialog units from the application font; the common dialogs (QtCommonDialogs.cpp).
  TSize DialogBaseUnits() override;
  int32_t RunFileDialog(TFileDialog& dialog) override;
  int32_t RunFolderDialog(TFolderDialog& dialog) override;
  int32_t RunFontDialog(TFontDialog& dialog) override;
  int32_t RunColorDialog(TColorDialog& dialog) override;

  // Frame parts: native menus (QtMenu.cpp), MDI arrangement (QtMdi.cpp), tool bar and status
  // bar (QtToolBar.cpp, QtStatusBar.cpp), window states and metrics (QtMdi.cpp).
  void MenuChanged(TWindow window) override;
  int64_t TrackPopup(TWindow owner, uint32_t popup, TPoint screen) override;
  bool ArrangeMdi(TWindow client, uint32_t message, uintptr_t wParam) override;
  int32_t SystemMetric(int32_t index) override;
  int64_t SystemColor(int32_t index) override;
  void ShowStateChanged(TWindow window) override;
  int32_t BarHeight(TWindow window) override;
  int32_t CustomizeToolBar(TWindow toolBar) override;
  // Brings every menu bar up to date with the layer's menus now.
  void SyncMenus();

  // The widget of a window (for embedding and tests); null when unknown.
  QWidget* WidgetOf(TWindow window) const;
  // The Qt font the back end uses for a logical font.
  const QFont& QtFont(const TLogFont& logFont);
  // An installed family of the same pitch for face names this system lacks.
  static std::string MapFaceName(const std::string& face, bool fixedPitch);

 private:
  friend class TQtWindowWidget;
  std::unique_ptr<QApplication> OwnApp_;
  std::unique_ptr<QTranslator> Translator_;  // the toolkit's German texts, when installed
  std::map<TWindow, TQtWindowWidget*> Widgets_;
  std::map<TWindow, QWidget*> Controls_;  // native widgets of dialog controls
  std::map<std::string, std::unique_ptr<QFont>> Fonts_;
  std::unique_ptr<TQtClipboard> Clipboard_;
  std::unique_ptr<TQtPrinters> Printers_;
  TCaretState Caret_;
  std::unique_ptr<QTimer> Blink_;
  bool BlinkOn_ = true;  // the caret is drawn in this half of the blink
  bool WaitCursor_ = false;
  bool MenusDirty_ = false;  // a sync of the menu bars is scheduled
};

}  // namespace platform
