// QDrag and the drag events of a widget, in the layer's effects and key states.
#include "platform/qt/QtDragDrop.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include "platform/qt/QtClipboard.h"

namespace platform {

namespace {

Qt::DropActions ActionsOf(uint32_t effects) {
  Qt::DropActions actions;
  if (effects & DROPEFFECT_COPY) actions |= Qt::CopyAction;
  if (effects & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  return actions;
}

uint32_t EffectsOf(Qt::DropActions actions) {
  uint32_t effects = DROPEFFECT_NONE;
  if (actions & Qt::CopyAction) effects |= DROPEFFECT_COPY;
  if (actions & Qt::MoveAction) effects |= DROPEFFECT_MOVE;
  return effects;
}

uint32_t KeyStateOf(const QDropEvent& event) {
  uint32_t keys = 0;
  Qt::KeyboardModifiers mods = event.modifiers();
  Qt::MouseButtons buttons = event.buttons();
  if (mods & Qt::ControlModifier) keys |= MK_CONTROL;
  if (mods & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (mods & Qt::AltModifier) keys |= MK_ALT;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  return keys;
}

void Answer(QDropEvent& event, uint32_t effect) {
  if (effect == DROPEFFECT_NONE) {
    event.ignore();
    return;
  }
  event.setDropAction(effect == DROPEFFECT_COPY ? Qt::CopyAction : Qt::MoveAction);
  event.accept();
}

}  // namespace

uint32_t RunQtDrag(QWidget* source, const TTransferData& data, uint32_t allowed) {
  if (!source) return DROPEFFECT_NONE;
  auto* drag = new QDrag(source);
  drag->setMimeData(NewMimeData(data));
  Qt::DropAction preferred = (allowed & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction;
  Qt::DropAction done = drag->exec(ActionsOf(allowed), preferred);
  // A target that moved the data itself leaves nothing for the source to delete.
  switch (done) {
    case Qt::CopyAction: return DROPEFFECT_COPY;
    case Qt::MoveAction: return DROPEFFECT_MOVE;
    default: return DROPEFFECT_NONE;
  }
}

bool DeliverDragEvent(TWindow window, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter: {
      auto* e = static_cast<QDragEnterEvent*>(event);
      QPoint p = e->position().toPoint();
      Answer(*e, InputDragEnter(window, TransferDataOf(e->mimeData()), {p.x(), p.y()},
                                KeyStateOf(*e), EffectsOf(e->possibleActions())));
      return true;
    }
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(event);
      QPoint p = e->position().toPoint();
      Answer(*e, InputDragOver(window, {p.x(), p.y()}, KeyStateOf(*e),
                               EffectsOf(e->possibleActions())));
      return true;
    }
    case QEvent::DragLeave:
      InputDragLeave();
      event->accept();
      return true;
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      QPoint p = e->position().toPoint();
      Answer(*e, InputDrop(window, {p.x(), p.y()}, KeyStateOf(*e) & ~(MK_LBUTTON | MK_RBUTTON),
                           EffectsOf(e->possibleActions())));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace platform
