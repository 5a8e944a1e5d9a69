// The tool bar as a QToolBar: icons cut from the image strip, states from the layer, tool
// tips asked from the parent when Qt wants one, clicks back to the layer; and the dialog
// that lets the user arrange the buttons.
#pragma once

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QWidget;

namespace platform {

// The bar's widget; null when the window is no tool bar.
QWidget* CreateToolBarWidget(TWindow window, QWidget* parent);
// Applies the layer's state; false when the widget is no tool bar.
bool SyncToolBarWidget(QWidget* widget, TWindow window, TWindowChange what);
// The customisation dialog: 1 changed, 0 cancelled or refused.
int32_t RunToolBarDialog(TWindow toolBar, QWidget* parent);

}  // namespace platform
