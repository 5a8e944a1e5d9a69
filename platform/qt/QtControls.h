// Native Qt widgets for the layer's dialog controls: labels, group boxes, buttons, check boxes,
// radio buttons, progress bars, edit fields, list boxes, combo boxes, list views, spin fields
// and tab bars that follow the state of their windows, and whose user input reaches the layer
// as the layer's own controls would report it.
#pragma once

#include <string_view>

#include <QString>

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

class QWidget;

namespace platform {

class TQtBackend;

// UTF-8 text for a widget; a carriage return alone or before a line feed breaks the line, as
// the system's boxes and static texts show it.
QString QtText(std::string_view utf8);

// A hidden native widget for a control window; null when the window is no control.
QWidget* CreateControlWidget(TQtBackend& backend, TWindow window, QWidget* parent);
// Applies the layer's state of what changed to the control's widget.
void SyncControlWidget(QWidget* widget, TWindow window, TWindowChange what);
// A dialog window about to show stays above its owner's window (a transient window of it).
void KeepDialogOverOwner(TQtBackend& backend, QWidget* widget, TWindow window);

}  // namespace platform
