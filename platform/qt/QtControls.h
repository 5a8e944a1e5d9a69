// Native Qt widgets for the layer's dialog controls: labels, group boxes, push buttons and
// progress bars that follow the state of their windows.
#pragma once

#include <string_view>

#include <QString>

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QWidget;

namespace platform {

// UTF-8 text for a widget; a carriage return alone or before a line feed breaks the line, as
// the system's boxes and static texts show it.
QString QtText(std::string_view utf8);

// A hidden native widget for a control window; null when the window is no control.
QWidget* CreateControlWidget(TWindow window, QWidget* parent);
// Applies the layer's state of what changed to the control's widget.
void SyncControlWidget(QWidget* widget, TWindow window, TWindowChange what);

}  // namespace platform
