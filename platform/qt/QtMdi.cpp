// The MDI area and its sub-windows, kept in step with the layer's MDI client.
#include "platform/qt/QtMdi.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMoveEvent>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <utility>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/QtToolBar.h"
#include "platform/qt/QtWindowWidget.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

// Set by a mouse press on a document window: the next activation in the area is the user's.
bool gUserActivates = false;

// The area of an MDI client: the user's activation goes back to the layer.
class TQtMdiArea final : public QMdiArea {
 public:
  TQtMdiArea(TWindow client, QWidget* parent) : QMdiArea(parent), Client_(client) {
    setActivationOrder(QMdiArea::StackingOrder);
    // Looked at once the events of the moment are through. The user's choice goes to the layer;
    // anything else the area did by itself (on showing or activating the frame) gives way to
    // the layer's active window.
    connect(this, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
      QTimer::singleShot(0, this, [this] { FollowUser(); });
    });
  }
  TWindow Client() const { return Client_; }

 private:
  void FollowUser() {
    QMdiSubWindow* sub = activeSubWindow();
    auto* widget = sub ? dynamic_cast<TQtWindowWidget*>(sub->widget()) : nullptr;
    if (!widget || !IsWindow(widget->Window()) || !IsWindow(Client_)) return;
    bool user = std::exchange(gUserActivates, false);
    TWindow active = MdiGetActive(Client_);
    if (active == widget->Window()) return;
    if (user) {
      SendMessage(Client_, WM_MDIACTIVATE, widget->Window(), 0);
    } else if (auto* own = dynamic_cast<TQtWindowWidget*>(
                   static_cast<TQtBackend*>(UiBackend())->WidgetOf(active)); own && own->SubWindow()) {
      setActiveSubWindow(own->SubWindow());
    }
  }

  TWindow Client_;
};

// Follows what the user does to a sub-window: moving it, and changing its state.
class TSubWindowWatch final : public QObject {
 public:
  TSubWindowWatch(QMdiSubWindow* sub, TQtWindowWidget* widget) : QObject(sub), Widget_(widget) {
    sub->installEventFilter(this);
    widget->installEventFilter(this);
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) { StateChanged(now); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) gUserActivates = true;
    if (event->type() == QEvent::Move && watched != Widget_) {
      auto* sub = static_cast<QMdiSubWindow*>(watched);
      TWindow w = Widget_->Window();
      uint32_t style = GetWindowStyle(w);
      if (IsWindow(w) && !(style & (WS_MAXIMIZE | WS_MINIMIZE)) && !sub->isMaximized() &&
          !sub->isMinimized()) {
        TRect r = GetWindowRect(w);
        QPoint p = sub->pos();
        if (p.x() != r.Left || p.y() != r.Top) {
          Widget_->FromNative = true;
          MoveWindow(w, TRect{p.x(), p.y(), p.x() + r.Width(), p.y() + r.Height()});
          Widget_->FromNative = false;
        }
      }
    }
    return false;
  }

 private:
  void StateChanged(Qt::WindowStates now) {
    TWindow w = Widget_->Window();
    TWindow client = GetParent(w);
    if (!IsWindow(w)) return;
    uint32_t style = GetWindowStyle(w);
    // Only what the user did: the layer's own changes arrive here already made.
    if ((now & Qt::WindowMaximized) && !(style & WS_MAXIMIZE)) {
      PostMessage(client, WM_MDIMAXIMIZE, w, 0);
    } else if ((now & Qt::WindowMinimized) && !(style & WS_MINIMIZE)) {
      PostMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (!(now & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
               (style & (WS_MAXIMIZE | WS_MINIMIZE))) {
      PostMessage(client, WM_MDIRESTORE, w, 0);
    }
  }

  TQtWindowWidget* Widget_;
};

}  // namespace

QWidget* CreateMdiAreaWidget(TQtBackend&, TWindow window, QWidget* parent) {
  if (!IsMdiClient(window)) return nullptr;
  auto* area = new TQtMdiArea(window, parent);
  area->setBackground(QBrush(QColor(128, 128, 128)));
  TRect r = GetWindowRect(window);
  area->setGeometry(r.Left, r.Top, r.Width(), r.Height());
  area->hide();
  return area;
}

bool IsMdiAreaWidget(const QWidget* widget) { return dynamic_cast<const TQtMdiArea*>(widget); }

void AddMdiSubWindow(QWidget* area, TQtWindowWidget* widget) {
  auto* mdi = static_cast<TQtMdiArea*>(area);
  QMdiSubWindow* sub = mdi->addSubWindow(widget);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  new TSubWindowWatch(sub, widget);
  sub->hide();
}

void ApplyClassIcon(TQtWindowWidget* widget, TWindow window) {
  const TImageStrip* icon = GetClassIcon(window);
  if (!icon || !icon->Xpm) return;
  QIcon qicon(QPixmap(icon->Xpm));
  widget->setWindowIcon(qicon);
  if (QMdiSubWindow* sub = widget->SubWindow()) sub->setWindowIcon(qicon);
}

void PlaceSubWindow(QMdiSubWindow* sub, const TRect& rect, const QSize& client) {
  if (sub->isMaximized() || sub->isMinimized()) return;
  QMargins m = sub->contentsMargins();
  QRect want(rect.Left, rect.Top, client.width() + m.left() + m.right(),
             client.height() + m.top() + m.bottom());
  if (sub->geometry() != want) sub->setGeometry(want);
}

void SyncSubWindowState(QMdiSubWindow* sub, uint32_t style) {
  if (style & WS_MAXIMIZE) {
    if (!sub->isMaximized()) sub->showMaximized();
  } else if (style & WS_MINIMIZE) {
    if (!sub->isMinimized()) sub->showMinimized();
  } else if (sub->isMaximized() || sub->isMinimized()) {
    sub->showNormal();
  }
}

void ActivateSubWindow(QMdiSubWindow* sub) {
  if (auto* area = sub->mdiArea(); area && area->activeSubWindow() != sub) {
    area->setActiveSubWindow(sub);
  }
}

bool ArrangeMdiArea(QWidget* widget, uint32_t message, uintptr_t wParam) {
  auto* area = dynamic_cast<TQtMdiArea*>(widget);
  if (!area) return false;
  if (message == WM_MDICASCADE) {
    area->cascadeSubWindows();
    return true;
  }
  if (message == WM_MDIICONARRANGE) return true;  // the area keeps its icons in a row itself
  if (message != WM_MDITILE) return false;
  // The active window first, then the others from the front to the back.
  QList<QMdiSubWindow*> list = area->subWindowList(QMdiArea::StackingOrder);
  std::reverse(list.begin(), list.end());
  QList<QMdiSubWindow*> normal;
  for (QMdiSubWindow* sub : list) {
    if (sub->isVisible() && !sub->isMinimized()) normal.append(sub);
  }
  for (QMdiSubWindow* sub : normal) {
    if (sub->isMaximized()) sub->showNormal();
  }
  if (normal.isEmpty()) return true;
  QRect all = area->viewport()->rect();
  bool aboveEachOther = wParam & MDITILE_HORIZONTAL;
  int n = static_cast<int>(normal.size());
  int total = aboveEachOther ? all.height() : all.width();
  for (int i = 0; i < n; ++i) {
    int from = total * i / n;
    int to = total * (i + 1) / n;
    QRect r = aboveEachOther ? QRect(0, from, all.width(), to - from)
                             : QRect(from, 0, to - from, all.height());
    normal[i]->setGeometry(r);
  }
  return true;
}

// --- Frame parts and the back end's frame hooks --------------------------------------------

QWidget* CreateFramePartWidget(TQtBackend& backend, TWindow window, QWidget* parent) {
  if (QWidget* area = CreateMdiAreaWidget(backend, window, parent)) return area;
  if (QWidget* bar = CreateToolBarWidget(window, parent)) return bar;
  return CreateStatusBarWidget(window, parent);
}

bool SyncFramePartWidget(QWidget* widget, TWindow window, TWindowChange what) {
  if (SyncToolBarWidget(widget, window, what) || SyncStatusBarWidget(widget, window, what)) {
    return true;
  }
  if (!IsMdiAreaWidget(widget)) return false;
  switch (what) {
    case TWindowChange::Geometry: {
      TRect r = GetWindowRect(window);
      widget->setGeometry(r.Left, r.Top, r.Width(), r.Height());
      break;
    }
    case TWindowChange::Visibility:
      widget->setVisible(IsWindowVisible(window));
      break;
    default:
      break;
  }
  return true;
}

bool TQtBackend::ArrangeMdi(TWindow client, uint32_t message, uintptr_t wParam) {
  return ArrangeMdiArea(WidgetOf(client), message, wParam);
}

int32_t TQtBackend::BarHeight(TWindow window) {
  QWidget* widget = WidgetOf(window);
  return widget && (qobject_cast<QToolBar*>(widget) || qobject_cast<QStatusBar*>(widget))
             ? widget->sizeHint().height()
             : 0;
}

int32_t TQtBackend::SystemMetric(int32_t index) {
  QScreen* screen = QApplication::primaryScreen();
  QStyle* style = QApplication::style();
  switch (index) {
    case SM_CXSCREEN: return screen ? screen->availableGeometry().width() : -1;
    case SM_CYSCREEN: return screen ? screen->availableGeometry().height() : -1;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return style->pixelMetric(QStyle::PM_ScrollBarExtent);
    case SM_CYCAPTION: return style->pixelMetric(QStyle::PM_TitleBarHeight);
    case SM_LOGPIXELSY: return screen ? static_cast<int32_t>(screen->logicalDotsPerInchY()) : -1;
    default: return -1;
  }
}

int64_t TQtBackend::SystemColor(int32_t index) {
  const QPalette palette = QApplication::palette();
  QColor color;
  switch (index) {
    case COLOR_WINDOW: color = palette.color(QPalette::Base); break;
    case COLOR_WINDOWTEXT: color = palette.color(QPalette::Text); break;
    case COLOR_HIGHLIGHT: color = palette.color(QPalette::Highlight); break;
    case COLOR_HIGHLIGHTTEXT: color = palette.color(QPalette::HighlightedText); break;
    case COLOR_BTNFACE:
    case COLOR_MENU: color = palette.color(QPalette::Button); break;
    case COLOR_BTNTEXT: color = palette.color(QPalette::ButtonText); break;
    case COLOR_GRAYTEXT: color = palette.color(QPalette::Disabled, QPalette::Text); break;
    case COLOR_APPWORKSPACE: color = palette.color(QPalette::Dark); break;
    default: return -1;
  }
  return MakeRgb(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                 static_cast<uint8_t>(color.blue()));
}

void TQtBackend::ShowStateChanged(TWindow window) {
  auto it = Widgets_.find(window);
  if (it == Widgets_.end() || !it->second->isWindow()) return;
  TQtWindowWidget* widget = it->second;
  switch (GetShowState(window)) {
    case TShowState::Maximized: widget->showMaximized(); break;
    case TShowState::Minimized: widget->showMinimized(); break;
    case TShowState::Normal: widget->showNormal(); break;
  }
}

}  // namespace platform
