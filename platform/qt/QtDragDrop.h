// Qt's drag and drop for the layer: QDrag for drags a window starts, and the drag events of
// a window's widget handed to the layer's drop routing.
#pragma once

#include <cstdint>

#include "platform/ui/DragDrop.h"

class QEvent;
class QWidget;

namespace platform {

// Runs the drag until drop or cancel (Escape) and returns the effect.
uint32_t RunQtDrag(QWidget* source, const TTransferData& data, uint32_t allowed);
// Drag enter, move, leave or drop on the widget of `window`: asks the layer and accepts the
// event with the answered effect, or ignores it. False for other events.
bool DeliverDragEvent(TWindow window, QEvent* event);

}  // namespace platform
