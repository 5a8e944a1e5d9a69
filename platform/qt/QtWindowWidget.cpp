// Qt events to the layer's input; the layer's state to the widget.
#include "platform/qt/QtWindowWidget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtMdi.h"
#include "platform/qt/QtDragDrop.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

namespace platform {

uint32_t VirtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint32_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint32_t>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + static_cast<uint32_t>(key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
  }
}

TQtWindowWidget::TQtWindowWidget(TQtBackend& backend, TWindow window, QWidget* parent)
    : QWidget(parent), Backend_(backend), Window_(window) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  HBar_ = new QScrollBar(Qt::Horizontal, this);
  VBar_ = new QScrollBar(Qt::Vertical, this);
  HBar_->hide();
  VBar_->hide();
  connect(HBar_, &QScrollBar::actionTriggered, this, [this](int a) { OnBarAction(SB_HORZ, a); });
  connect(VBar_, &QScrollBar::actionTriggered, this, [this](int a) { OnBarAction(SB_VERT, a); });
  connect(HBar_, &QScrollBar::sliderReleased, this, [this] {
    PostMessage(Window_, WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, HBar_->sliderPosition()), 0);
  });
  connect(VBar_, &QScrollBar::sliderReleased, this, [this] {
    PostMessage(Window_, WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, VBar_->sliderPosition()), 0);
  });
}

void TQtWindowWidget::OnBarAction(int32_t bar, int action) {
  uint32_t code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
  }
  QScrollBar* q = Bar(bar);
  int32_t pos = q->sliderPosition();
  PostMessage(Window_, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeScrollWParam(code, pos), 0);
  // Steps are the window's to take: the thumb moves when the window sets the position.
  if (code != SB_THUMBTRACK) q->setSliderPosition(GetScrollPos(Window_, bar));
}

QSize TQtWindowWidget::ClientSize() const {
  int32_t w = width() - (VBar_->isVisibleTo(this) ? VBar_->sizeHint().width() : 0);
  int32_t h = height() - TopInset() - (HBar_->isVisibleTo(this) ? HBar_->sizeHint().height() : 0);
  return QSize(std::max(w, 0), std::max(h, 0));
}

QSize TQtWindowWidget::OuterSize(int32_t clientWidth, int32_t clientHeight) const {
  uint32_t style = GetWindowStyle(Window_);
  int32_t w = clientWidth + ((style & WS_VSCROLL) ? VBar_->sizeHint().width() : 0);
  int32_t h = clientHeight + TopInset() + ((style & WS_HSCROLL) ? HBar_->sizeHint().height() : 0);
  return QSize(w, h);
}

void TQtWindowWidget::LayoutBars() {
  QSize client = ClientSize();
  int32_t top = TopInset();
  HBar_->setGeometry(0, top + client.height(), client.width(), height() - top - client.height());
  VBar_->setGeometry(client.width(), top, width() - client.width(), client.height());
  if (MenuBar_) {
    MenuBar_->setGeometry(0, 0, width(), top);
    ChildHost_->setGeometry(0, top, client.width(), client.height());
  }
}

QWidget* TQtWindowWidget::ChildHost() { return ChildHost_ ? ChildHost_ : this; }

void TQtWindowWidget::SetMenuBar(QMenuBar* bar) {
  if (MenuBar_ || !bar) return;
  MenuBar_ = bar;
  ChildHost_ = new QWidget(this);
  // Child windows made before the menu move below it, where the client area now starts.
  const QObjectList kids = children();
  for (QObject* object : kids) {
    auto* child = qobject_cast<QWidget*>(object);
    if (!child || child == MenuBar_ || child == ChildHost_ || child == HBar_ || child == VBar_) {
      continue;
    }
    QRect g = child->geometry();
    bool shown = !child->isHidden();
    child->setParent(ChildHost_);
    child->setGeometry(g);
    child->setVisible(shown);
  }
  ChildHost_->show();
  MenuBar_->show();
  ChildHost_->lower();
  MenuBarChanged();
}

void TQtWindowWidget::MenuBarChanged(bool added) {
  if (added && isWindow()) {
    SyncGeometry();
    return;
  }
  LayoutBars();
  ReportClientSize();
}

void TQtWindowWidget::ReportClientSize() {
  if (!IsWindow(Window_)) return;
  QSize client = ClientSize();
  TRect r = GetClientRect(Window_);
  if (client.width() != r.Width() || client.height() != r.Height()) {
    FromNative = true;
    InputSize(Window_, client.width(), client.height());
    FromNative = false;
  }
}

int32_t TQtWindowWidget::TopInset() const {
  return MenuBar_ && !MenuBar_->isHidden() ? MenuBar_->sizeHint().height() : 0;
}

QMdiSubWindow* TQtWindowWidget::SubWindow() const {
  return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TQtWindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isWindow() || !IsWindow(Window_)) return;
  TShowState state = isMinimized()   ? TShowState::Minimized
                     : isMaximized() ? TShowState::Maximized
                                     : TShowState::Normal;
  InputShowState(Window_, state);
}

void TQtWindowWidget::SyncGeometry() {
  TRect r = GetWindowRect(Window_);
  QSize outer = OuterSize(r.Width(), r.Height());
  if (QMdiSubWindow* sub = SubWindow()) {
    if (!FromNative) {
      PlaceSubWindow(sub, r, QSize(outer.width(), outer.height() - TopInset()));
      // A maximised or minimised sub-window keeps the size the area gives it: the layer
      // learns it once the area has laid it out.
      QTimer::singleShot(0, this, [this] { ReportClientSize(); });
    }
    LayoutBars();
    return;
  }
  Syncing_ = true;
  if (isWindow()) {
    // A top-level window goes where the layer placed it (a dialog centred over its owner);
    // pos() counts the frame, as moveEvent reports it back.
    if (pos() != QPoint(r.Left, r.Top)) move(r.Left, r.Top);
    if (size() != outer) resize(outer);
  } else if (geometry() != QRect(QPoint(r.Left, r.Top), outer)) {
    setGeometry(QRect(QPoint(r.Left, r.Top), outer));
  }
  Syncing_ = false;
  LayoutBars();
}

void TQtWindowWidget::SyncStyle() {
  uint32_t style = GetWindowStyle(Window_);
  // A disabled window (the owner of a modal dialog) takes no input.
  setEnabled(!(style & WS_DISABLED));
  HBar_->setVisible((style & WS_HSCROLL) != 0);
  VBar_->setVisible((style & WS_VSCROLL) != 0);
  if (QMdiSubWindow* sub = SubWindow()) SyncSubWindowState(sub, style);
  SyncGeometry();
}

void TQtWindowWidget::SyncBar(int32_t bar) {
  TScrollBarState s = GetScrollBar(Window_, bar);
  QScrollBar* q = Bar(bar);
  QSignalBlocker block(q);
  // Qt's range ends where the page starts.
  q->setRange(s.Min, std::max(s.Min, s.Max - std::max(s.Page - 1, 0)));
  q->setPageStep(std::max(s.Page, 1));
  q->setValue(s.Pos);
}

void TQtWindowWidget::paintEvent(QPaintEvent* event) {
  if (!IsWindow(Window_)) return;
  QPainter painter(this);
  QSize client = ClientSize();
  if (client != size()) {
    // The corner between the two bars belongs to neither.
    painter.fillRect(QRect(client.width(), client.height(), width() - client.width(),
                           height() - client.height()),
                     palette().window());
  }
  int32_t top = TopInset();
  painter.translate(0, top);
  painter.setClipRect(QRect(QPoint(0, 0), client));
  Painter_ = &painter;
  QRect e = event->rect().translated(0, -top);
  TRect area{e.left(), e.top(), e.right() + 1, e.bottom() + 1};
  InvalidateRect(Window_, &area);
  SendMessage(Window_, WM_PAINT, 0, 0);
  Painter_ = nullptr;
  const TCaretState& caret = GetCaretState();
  if (caret.Visible() && caret.Owner == Window_ && Backend_.BlinkOn_) {
    painter.setClipRect(QRect(QPoint(0, 0), client));
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(caret.Pos.X, caret.Pos.Y, caret.Width, caret.Height), Qt::white);
  }
}

namespace {

// A digit key keeps its virtual key with Shift, whatever character the layout gives it
// there (Shift+3 is "#" or "§"): the keys of the digit row are X key codes 10 to 19.
uint32_t VirtualKeyOfEvent(const QKeyEvent& event) {
  if (uint32_t vk = VirtualKeyOf(event.key())) return vk;
  const quint32 code = event.nativeScanCode();
  if (code >= 10 && code <= 19) return code == 19 ? '0' : '1' + (code - 10);
  return 0;
}

// Modifier releases the layer missed (they went to a native control, or to a window that
// took the focus between press and release), taken from the modifiers an event carries.
void SyncModifiers(Qt::KeyboardModifiers m) {
  InputModifiers(m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
                 m.testFlag(Qt::AltModifier));
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_AltGr || key == Qt::Key_Meta;
}

}  // namespace

void TQtWindowWidget::keyPressEvent(QKeyEvent* event) {
  AltAlone_ = event->key() == Qt::Key_Alt && !event->isAutoRepeat();
  if (!IsModifierKey(event->key())) SyncModifiers(event->modifiers());
  if (uint32_t vk = VirtualKeyOfEvent(*event)) InputKey(vk, true);
  for (QChar ch : event->text()) {
    int32_t byte = UnicodeToCp1252(ch.unicode());
    if (byte >= 0 && byte != 0x7F) InputChar(static_cast<uint8_t>(byte));
  }
}

void TQtWindowWidget::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  if (uint32_t vk = VirtualKeyOfEvent(*event)) InputKey(vk, false);
  // Alt pressed and released alone, or F10, goes into the window's menu bar.
  bool altAlone = event->key() == Qt::Key_Alt && std::exchange(AltAlone_, false);
  bool f10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier;
  if (altAlone || f10) {
    auto* frame = dynamic_cast<TQtWindowWidget*>(window());
    QMenuBar* bar = frame ? frame->MenuBar() : nullptr;
    if (bar && !bar->isHidden() && !bar->actions().isEmpty()) {
      bar->setFocus(Qt::MenuBarFocusReason);
      bar->setActiveAction(bar->actions().first());
    }
  }
}

void TQtWindowWidget::mousePressEvent(QMouseEvent* event) {
  SyncModifiers(event->modifiers());
  QPoint p = event->position().toPoint() - QPoint(0, TopInset());
  if (event->button() == Qt::LeftButton) InputMouse(Window_, WM_LBUTTONDOWN, {p.x(), p.y()});
  if (event->button() == Qt::RightButton) InputMouse(Window_, WM_RBUTTONDOWN, {p.x(), p.y()});
}

void TQtWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - QPoint(0, TopInset());
  if (event->button() == Qt::LeftButton) InputMouse(Window_, WM_LBUTTONUP, {p.x(), p.y()});
  if (event->button() == Qt::RightButton) InputMouse(Window_, WM_RBUTTONUP, {p.x(), p.y()});
}

void TQtWindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  SyncModifiers(event->modifiers());
  QPoint p = event->position().toPoint() - QPoint(0, TopInset());
  if (event->button() == Qt::LeftButton) InputMouse(Window_, WM_LBUTTONDBLCLK, {p.x(), p.y()});
}

void TQtWindowWidget::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint() - QPoint(0, TopInset());
  InputMouse(Window_, WM_MOUSEMOVE, {p.x(), p.y()});
}

void TQtWindowWidget::wheelEvent(QWheelEvent* event) {
  int notches = event->angleDelta().y() / 120;
  uint32_t code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (int i = 0; i < std::abs(notches) * 3; ++i) PostMessage(Window_, WM_VSCROLL, code, 0);
}

void TQtWindowWidget::focusInEvent(QFocusEvent*) {
  SyncModifiers(QGuiApplication::queryKeyboardModifiers());
  if (IsWindow(Window_) && GetFocus() != Window_) InputFocus(Window_);
}

void TQtWindowWidget::resizeEvent(QResizeEvent*) {
  LayoutBars();
  if (Syncing_ || !IsWindow(Window_)) return;
  ReportClientSize();
}

void TQtWindowWidget::moveEvent(QMoveEvent*) {
  if (Syncing_ || !isWindow() || !IsWindow(Window_)) return;
  TRect r = GetWindowRect(Window_);
  QPoint p = pos();
  if (p.x() != r.Left || p.y() != r.Top) {
    MoveWindow(Window_, TRect{p.x(), p.y(), p.x() + r.Width(), p.y() + r.Height()});
  }
}

bool TQtWindowWidget::event(QEvent* event) {
  if (IsWindow(Window_) && DeliverDragEvent(Window_, event)) return true;
  return QWidget::event(event);
}

void TQtWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (IsWindow(Window_)) PostMessage(Window_, WM_CLOSE, 0, 0);
}

}  // namespace platform
