// The widget of one window: client area, scroll bars, and the translation of Qt's events
// into the layer's input.
#pragma once

#include <QWidget>

#include "platform/ui/UiTypes.h"

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
  bool focusNextPrevChild(bool) override { return false; }
  // Drag events go to the layer's drop routing.
  bool event(QEvent* event) override;

 private:
  QSize ClientSize() const;
  QSize OuterSize(int32_t clientWidth, int32_t clientHeight) const;
  void LayoutBars();
  void OnBarAction(int32_t bar, int action);

  TQtBackend& Backend_;
  TWindow Window_;
  QScrollBar* HBar_;
  QScrollBar* VBar_;
  QPainter* Painter_ = nullptr;
  bool Syncing_ = false;
};

// The virtual-key code of a Qt key; 0 when it has none.
uint32_t VirtualKeyOf(int qtKey);

}  // namespace platform
