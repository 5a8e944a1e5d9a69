// The widget of one window: client area, scroll bars, and the translation of Qt's events
// into the layer's input.
#pragma once

#include <QWidget>

#include "platform/ui/UiTypes.h"

class QMdiSubWindow;
class QMenuBar;
class QPainter;
class QScrollBar;

namespace platform {

class TQtBackend;

class TQtWindowWidget final : public QWidget {
 public:
  TQtWindowWidget(TQtBackend& backend, TWindow window, QWidget* parent);

  TWindow Window() const { return Window_; }
  // The painter of the paint event in progress, else null.
  QPainter* ActivePainter() const { return Painter_; }
  QScrollBar* Bar(int32_t bar) const { return bar == SB_HORZ ? HBar_ : VBar_; }
  // Applies the layer's state of what changed.
  void SyncGeometry();
  void SyncStyle();
  void SyncBar(int32_t bar);
  // Where the widgets of child windows go: below the menu bar when there is one, else this.
  QWidget* ChildHost();
  // Puts a native menu bar over the client area (top-level windows with a menu).
  void SetMenuBar(QMenuBar* bar);
  QMenuBar* MenuBar() const { return MenuBar_; }
  // The bar's height or visibility changed: the window keeps its outer size and the client
  // area follows, except when the bar was just added (`added`): then the window grows by it,
  // so that the size it was made with (as stored at the last end) stays its client area's.
  void MenuBarChanged(bool added = false);
  // Height the menu bar takes above the client area (0 without one).
  int32_t TopInset() const;
  // The sub-window that holds this document window in an MDI area; null otherwise.
  QMdiSubWindow* SubWindow() const;
  // Set while the layer learns of a change the user made natively (no echo back).
  bool FromNative = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }
  // Drag events go to the layer's drop routing.
  bool event(QEvent* event) override;

 private:
  QSize ClientSize() const;
  QSize OuterSize(int32_t clientWidth, int32_t clientHeight) const;
  void LayoutBars();
  // Tells the layer the client size when the widget's differs from it.
  void ReportClientSize();
  void OnBarAction(int32_t bar, int action);

  TQtBackend& Backend_;
  TWindow Window_;
  QScrollBar* HBar_;
  QScrollBar* VBar_;
  QPainter* Painter_ = nullptr;
  QMenuBar* MenuBar_ = nullptr;
  QWidget* ChildHost_ = nullptr;  // invariant: exists exactly while MenuBar_ does
  bool Syncing_ = false;
  bool AltAlone_ = false;  // Alt is down and no other key came since
};

// The virtual-key code of a Qt key; 0 when it has none.
uint32_t VirtualKeyOf(int qtKey);

}  // namespace platform
