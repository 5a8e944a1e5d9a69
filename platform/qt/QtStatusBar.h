// The status bar as a QStatusBar: a label per part at the layer's widths, and the simple
// mode's one text as a message over them.
#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QWidget;

namespace platform {

// The bar's widget; null when the window is no status bar.
QWidget* CreateStatusBarWidget(TWindow window, QWidget* parent);
// Applies the layer's state; false when the widget is no status bar.
bool SyncStatusBarWidget(QWidget* widget, TWindow window, TWindowChange what);

}  // namespace platform
