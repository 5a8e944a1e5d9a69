// A demonstration document window: painting, clipboard, drop target and drag source.
#include "tools/uidemo/DemoChild.h"

#include <cstdlib>
#include <memory>

#include "platform/ui/Clipboard.h"
#include "platform/ui/DragDrop.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

namespace uidemo {

using namespace platform;

namespace {

// Takes text (or rich text as it comes) unless the drag started here; Ctrl copies.
class TChildDropTarget final : public TDropTarget {
 public:
  explicit TChildDropTarget(TWindow window) : Window_(window) {}
  uint32_t DragEnter(const TTransferData& data, uint32_t keys, TPoint, uint32_t allowed) override {
    Usable_ = data.Has(CF_TEXT) || data.Has(RegisterClipboardFormat(kRichTextFormatName));
    return Effect(keys, allowed);
  }
  uint32_t DragOver(uint32_t keys, TPoint, uint32_t allowed) override {
    return Effect(keys, allowed);
  }
  void DragLeave() override {}
  uint32_t Drop(const TTransferData& data, uint32_t keys, TPoint, uint32_t allowed) override {
    uint32_t effect = Effect(keys, allowed);
    TDemoText* text = ChildText(Window_);
    if (effect == DROPEFFECT_NONE || !text) return DROPEFFECT_NONE;
    std::optional<std::string> bytes = data.Get(text->Oem ? CF_OEMTEXT : CF_TEXT);
    if (!bytes) bytes = data.Get(RegisterClipboardFormat(kRichTextFormatName));
    if (!bytes) return DROPEFFECT_NONE;
    text->Bytes += "\r\n" + *bytes;
    InvalidateRect(Window_, nullptr);
    return effect;
  }

 private:
  uint32_t Effect(uint32_t keys, uint32_t allowed) const {
    TDemoText* text = ChildText(Window_);
    if (!Usable_ || !text || DragSource == Window_) return DROPEFFECT_NONE;
    uint32_t want = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return want & allowed;
  }
  TWindow Window_;
  bool Usable_ = false;

 public:
  static inline TWindow DragSource = 0;
};

struct TChildData {
  TDemoText Text;
  TFont Font = 0;
  TPoint PressedAt;
  bool Pressed = false;
};

TChildData* Data(TWindow window) {
  return reinterpret_cast<TChildData*>(GetWindowExtra(window, 0));
}

void Paint(TWindow window, TChildData& data) {
  TPaintStruct ps;
  TCanvas* dc = BeginPaint(window, ps);
  if (dc) {
    dc->SelectFont(data.Font);
    int32_t height = dc->GetTextMetrics().Height;
    int32_t y = 4;
    std::string_view rest = data.Text.Bytes;
    while (true) {
      size_t end = rest.find("\r\n");
      dc->TabbedTextOut(6, y, rest.substr(0, end), {}, 6);
      y += height;
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 2);
    }
  }
  EndPaint(window, ps);
}

void StartDrag(TWindow window, TChildData& data) {
  data.Pressed = false;
  TChildDropTarget::DragSource = window;
  uint32_t effect = DoDragDrop(window, TTransferData::FromText(data.Text.Bytes, data.Text.Oem),
                               DROPEFFECT_COPY | DROPEFFECT_MOVE);
  TChildDropTarget::DragSource = 0;
  if (effect == DROPEFFECT_MOVE && IsWindow(window)) {
    data.Text.Bytes.clear();
    InvalidateRect(window, nullptr);
  }
}

intptr_t ChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TChildData* data = Data(window);
  switch (message) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
      auto owned = std::make_unique<TChildData>();
      if (cs->CreateParams) owned->Text = *static_cast<const TDemoText*>(cs->CreateParams);
      TLogFont log;
      log.Height = -15;
      log.FaceName = owned->Text.Oem ? "Terminal" : "Courier New";
      log.CharSet = owned->Text.Oem ? kOemCharset : kAnsiCharset;
      log.PitchAndFamily = kFixedPitch;
      owned->Font = CreateFontIndirect(log);
      SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(owned.release()));
      if (!RegisterDragDrop(window, std::make_shared<TChildDropTarget>(window))) return -1;
      break;
    }
    case WM_PAINT:
      if (data) Paint(window, *data);
      return 0;
    case WM_LBUTTONDOWN:
      if (data) {
        data->Pressed = true;
        data->PressedAt = {LParamX(lParam), LParamY(lParam)};
      }
      break;
    case WM_LBUTTONUP:
      if (data) data->Pressed = false;
      break;
    case WM_MOUSEMOVE:
      // A drag starts once the pressed mouse has moved a few pixels.
      if (data && data->Pressed && (wParam & MK_LBUTTON) && !data->Text.Bytes.empty() &&
          std::abs(LParamX(lParam) - data->PressedAt.X) +
                  std::abs(LParamY(lParam) - data->PressedAt.Y) > 4) {
        StartDrag(window, *data);
        return 0;
      }
      break;
    case WM_MDIACTIVATE:
      if (static_cast<TWindow>(lParam) == window) {
        PostMessage(GetParent(GetParent(window)), kChildActivated, 0, 0);
      }
      break;
    case WM_NCDESTROY:
      if (data) {
        DeleteFont(data->Font);
        delete data;
        SetWindowExtra(window, 0, 0);
      }
      break;
    default:
      break;
  }
  return DefMdiChildProc(window, message, wParam, lParam);
}

}  // namespace

bool RegisterChildClass() {
  TWindowClass cls;
  cls.Name = std::string(kChildClass);
  cls.Proc = ChildProc;
  cls.Style = CS_HREDRAW | CS_VREDRAW;
  cls.Cursor = TCursorKind::Arrow;
  return RegisterWindowClass(cls);
}

TDemoText* ChildText(TWindow window) {
  if (GetClassName(window) != kChildClass) return nullptr;
  TChildData* data = Data(window);
  return data ? &data->Text : nullptr;
}

bool CopyChildText(TWindow child) {
  TDemoText* text = ChildText(child);
  return text && PutClipboardText(child, text->Bytes, text->Oem);
}

bool PasteIntoChild(TWindow child) {
  TDemoText* text = ChildText(child);
  if (!text) return false;
  std::optional<std::string> bytes = TakeClipboardText(child, text->Oem);
  if (!bytes) return false;
  text->Bytes += "\r\n" + *bytes;
  InvalidateRect(child, nullptr);
  return true;
}

}  // namespace uidemo
