// Native Qt widgets for the layer's dialog controls: labels, group boxes, push buttons and
// progress bars that follow the state of their windows.
#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QWidget;

namespace platform {

// A hidden native widget for a control window; null when the window is no control.
QWidget* CreateControlWidget(TWindow window, QWidget* parent);
// Applies the layer's state of what changed to the control's widget.
void SyncControlWidget(QWidget* widget, TWindow window, TWindowChange what);

}  // namespace platform
