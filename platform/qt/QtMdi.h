// The MDI client as a QMdiArea whose sub-windows hold the layer's document windows: the
// user's activation, maximising, minimising, moving and closing reach the layer, and the
// layer's states and arrangement show in the area.
#pragma once

#include <cstdint>

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QMdiSubWindow;
class QRect;
class QSize;
class QWidget;

namespace platform {

class TQtBackend;
class TQtWindowWidget;

// The native widget of a frame part (MDI client, tool bar, status bar); null for others.
QWidget* CreateFramePartWidget(TQtBackend& backend, TWindow window, QWidget* parent);
// Applies a change to a frame part's widget; false when the widget is none.
bool SyncFramePartWidget(QWidget* widget, TWindow window, TWindowChange what);

// The area for an MDI client window; null for other windows.
QWidget* CreateMdiAreaWidget(TQtBackend& backend, TWindow window, QWidget* parent);
bool IsMdiAreaWidget(const QWidget* widget);
// Puts a document window's widget into a sub-window of the area.
void AddMdiSubWindow(QWidget* area, TQtWindowWidget* widget);
// The layer's place (outer top-left, client size) and state for a sub-window.
void PlaceSubWindow(QMdiSubWindow* sub, const TRect& rect, const QSize& client);
void SyncSubWindowState(QMdiSubWindow* sub, uint32_t style);
void ActivateSubWindow(QMdiSubWindow* sub);
// The class's icon on the window (and on its sub-window).
void ApplyClassIcon(TQtWindowWidget* widget, TWindow window);
// Tiles, cascades or arranges the icons of the area natively (WM_MDITILE and so on).
bool ArrangeMdiArea(QWidget* area, uint32_t message, uintptr_t wParam);

}  // namespace platform
