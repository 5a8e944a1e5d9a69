// The editor window as a drop target and a drag source of the window layer.
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/DragDrop.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

// What a drag offers that a text window takes: plain text in the window's code page, or
// else the bytes of "Rich Text Format" exactly as the source gives them.
std::optional<std::string> UsableText(const TTransferData& data, bool dos) {
  if (std::optional<std::string> text = data.Get(dos ? CF_OEMTEXT : CF_TEXT)) return text;
  return data.Get(RegisterClipboardFormat(kRichTextFormatName));
}

class TEditDropTarget final : public TDropTarget {
 public:
  explicit TEditDropTarget(TWindow window) : Window_(window) {}

  uint32_t DragEnter(const TTransferData& data, uint32_t keyState, TPoint screen,
                     uint32_t allowed) override {
    TEditChildData* d = Doc();
    Text_ = d ? UsableText(data, d->DosMode != 0) : std::nullopt;
    Right_ = (keyState & MK_RBUTTON) != 0;
    return Feedback(Effect(keyState, allowed), screen);
  }
  uint32_t DragOver(uint32_t keyState, TPoint screen, uint32_t allowed) override {
    Right_ = Right_ || (keyState & MK_RBUTTON) != 0;
    return Feedback(Effect(keyState, allowed), screen);
  }
  void DragLeave() override {
    Text_.reset();
    if (TEditChildData* d = Doc()) d->HideDropPoint();
  }
  uint32_t Drop(const TTransferData& data, uint32_t keyState, TPoint screen,
                uint32_t allowed) override {
    TEditChildData* d = Doc();
    if (!d) return DROPEFFECT_NONE;
    d->HideDropPoint();
    std::optional<std::string> text = UsableText(data, d->DosMode != 0);
    uint32_t effect = Effect(keyState, allowed);
    Text_.reset();
    if (!text || effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    TPoint client = ScreenToClient(Window_, screen);
    int32_t result = d->DropText(client.X, client.Y, *text, Right_,
                                 effect == DROPEFFECT_MOVE, d->DragSourceActive != 0);
    if (result == 3) {
      d->DropMoveDone = 1;  // the source must not delete a second time
      return DROPEFFECT_MOVE;
    }
    return result == 2 ? DROPEFFECT_MOVE : result == 1 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }

 private:
  TEditChildData* Doc() const { return dynamic_cast<TEditChildData*>(GetChildData(Window_)); }
  // Ctrl copies; otherwise a move where the source allows it.
  uint32_t Effect(uint32_t keyState, uint32_t allowed) const {
    TEditChildData* d = Doc();
    if (!d || d->ReadOnly || !Text_) return DROPEFFECT_NONE;
    uint32_t want = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (!(allowed & want)) want = allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (want == (DROPEFFECT_COPY | DROPEFFECT_MOVE)) want = DROPEFFECT_COPY;
    return want;
  }
  // The insertion point follows the drag while the window would take the drop.
  uint32_t Feedback(uint32_t effect, TPoint screen) const {
    if (TEditChildData* d = Doc()) {
      if (effect != DROPEFFECT_NONE) {
        TPoint client = ScreenToClient(Window_, screen);
        d->ShowDropPoint(client.X, client.Y);
      } else {
        d->HideDropPoint();
      }
    }
    return effect;
  }

  TWindow Window_;
  std::optional<std::string> Text_;
  bool Right_ = false;
};

}  // namespace

void TEditChildData::SetDropTarget(bool on) {
  if (on && !DropTargetRegistered) {
    DropTargetRegistered = RegisterDragDrop(Window, std::make_shared<TEditDropTarget>(Window));
  } else if (!on && DropTargetRegistered) {
    RevokeDragDrop(Window);
    DropTargetRegistered = 0;
  }
}

uint32_t TEditChildData::StartDrag() {
  std::string text = SelectionText();
  if (text.empty()) return DROPEFFECT_NONE;
  const TWindow window = Window;
  DragSourceActive = 1;
  DropMoveDone = 0;
  uint32_t effect = DoDragDrop(window, TTransferData::FromText(text, DosMode != 0),
                               DROPEFFECT_COPY | DROPEFFECT_MOVE);
  if (GetChildData(window) != this) return effect;  // closed during the drag
  DragSourceActive = 0;
  if (effect == DROPEFFECT_MOVE && !DropMoveDone) {
    DragEndedWithMove();
  } else if (GetFocus() == Window) {
    ShowCaret(false);
    ShowCaret(true);
    NotifyFrame(cnCaretColumnChanged, ScreenColumn(Caret.Line, Caret.Column));
    NotifyFrame(cnCaretLineChanged);
  }
  DropMoveDone = 0;
  return effect;
}
