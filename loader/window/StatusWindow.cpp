// The status dialog: creation from the layout table, the window procedure, and the
// worker's calls, which reach the window thread as sent messages so that they arrive in the
// order the worker made them.
#include "loader/window/StatusWindow.h"

#include <algorithm>

#include "loader/window/StatusLayout.h"
#include "loader/window/StatusMessages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "resources/krladwin32/Strings.h"

namespace krlad {

using namespace platform;
using namespace status_detail;

namespace {

bool IsField(int32_t id) { return id >= idcStatusLine && id <= idcSpeedText; }

int32_t AnswerOf(int32_t id) {
  switch (id) {
    case IDYES: return baYes;
    case IDNO: return baNo;
    case IDOK: return baOk;
    default: return baOther;
  }
}

int32_t ShowBoxNow(TWindow owner, TBoxKind kind, std::string_view text) {
  std::string_view caption = LoadResString(idsCaptionError);
  uint32_t type = MB_OK | MB_ICONEXCLAMATION;
  if (kind == TBoxKind::Warning) caption = LoadResString(idsCaptionWarning);
  if (kind == TBoxKind::Question) {
    caption = LoadResString(idsCaptionQuestion);
    type = MB_YESNO | MB_ICONQUESTION;
  }
  return AnswerOf(MessageBox(owner, text, caption, type));
}

}  // namespace

std::string StatusCaption() {
  std::string caption(LoadResString(idsCaption));
  if (size_t at = caption.find("%s"); at != std::string::npos) {
    caption.replace(at, 2, kLoaderVersion);
  }
  return caption;
}

TStatusWindow::~TStatusWindow() {
  TWindow window = Window_.load();
  if (window && IsWindow(window)) DestroyWindow(window);
}

bool TStatusWindow::Create() {
  if (Window_.load()) return true;
  if (!FindWindowClass(kStatusWindowClass)) {
    TWindowClass cls;
    cls.Name = std::string(kStatusWindowClass);
    cls.Proc = WindowProc;
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return false;
  }
  TRect rect{100, 100, 100 + kStatusClientSize.Width, 100 + kStatusClientSize.Height};
  return CreateWindowEx(0, kStatusWindowClass, StatusCaption(), 0, rect, 0, this) != 0;
}

void TStatusWindow::CreateControls() {
  for (const TControlDef& c : kStatusControls) {
    (void)CreateControl(c.Class, c.Text, c.Style, c.Rect, Window_.load(), c.Id);
  }
  SetFocus(GetDlgItem(Window_.load(), idcAbort));
}

intptr_t TStatusWindow::WindowProc(TWindow window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    auto* self = static_cast<TStatusWindow*>(const_cast<void*>(cs->CreateParams));
    SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(self));
    self->Window_.store(window);
    self->CreateControls();
    return 0;
  }
  auto* self = reinterpret_cast<TStatusWindow*>(GetWindowExtra(window, 0));
  if (!self) return DefWindowProc(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->Window_.store(0);
    SetWindowExtra(window, 0, 0);
    return 0;
  }
  return self->Handle(message, wParam, lParam);
}

intptr_t TStatusWindow::Handle(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TWindow window = Window_.load();
  switch (message) {
    case wm_StatusText: {
      int32_t id = static_cast<int32_t>(wParam);
      if (!IsField(id)) return 0;
      return SetDlgItemText(window, id, *reinterpret_cast<const std::string_view*>(lParam));
    }
    case wm_StatusProgress:
      SetProgress(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam));
      return 0;
    case wm_StatusBox:
      return ShowBoxNow(window, static_cast<TBoxKind>(wParam),
                        *reinterpret_cast<const std::string_view*>(lParam));
    case WM_DESTROY:
      // A window destroyed under a running worker stops it.
      if (WorkerRunning_.load()) SetCancel();
      return 0;
    case WM_COMMAND:
      if (LoWord(wParam) == static_cast<uint32_t>(idcAbort) && HiWord(wParam) == BN_CLICKED) {
        CloseRequest();
      }
      return 0;
    case WM_CLOSE:
      CloseRequest();
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

void TStatusWindow::CloseRequest() {
  // While the worker runs the window stays: the worker ends and closes it.
  if (WorkerRunning_.load()) {
    UserCancel();
  } else {
    DestroyWindow(Window_.load());
  }
}

void TStatusWindow::UserCancel() {
  SetCancel();
  if (CancelReported_) return;
  CancelReported_ = true;
  if (CancelHandler_) {
    CancelHandler_();
  } else {
    (void)ShowBoxNow(Window_.load(), TBoxKind::Error, LoadResString(idsErrCancelled));
  }
}

void TStatusWindow::SetProgress(uint32_t op, int32_t value) {
  TWindow bar = GetDlgItem(Window_.load(), idcProgress);
  if (!bar) return;
  switch (op) {
    case poStart:
      Total_ = value;
      SendMessage(bar, PBM_SETRANGE, 0, MakeLParam(0, 100));
      SendMessage(bar, PBM_SETPOS, 0, 0);
      ShowWindow(bar, true);
      break;
    case poStep: {
      // Nothing to transfer counts as done rather than dividing by zero.
      int64_t percent = Total_ > 0 ? int64_t{value} * 100 / Total_ : (value > 0 ? 100 : 0);
      SendMessage(bar, PBM_SETPOS, static_cast<uintptr_t>(std::clamp<int64_t>(percent, 0, 100)),
                  0);
      break;
    }
    case poHide:
      ShowWindow(bar, false);
      break;
    default:
      break;
  }
}

bool TStatusWindow::SetText(int32_t id, std::string_view text) {
  if (!IsField(id)) return false;
  return SendMessage(Window_.load(), wm_StatusText, static_cast<uintptr_t>(id),
                     reinterpret_cast<intptr_t>(&text)) != 0;
}

void TStatusWindow::ProgressStart(int32_t total) {
  SendMessage(Window_.load(), wm_StatusProgress, poStart, total);
}

void TStatusWindow::ProgressStep(int32_t n) {
  SendMessage(Window_.load(), wm_StatusProgress, poStep, n);
}

void TStatusWindow::ProgressHide() {
  SendMessage(Window_.load(), wm_StatusProgress, poHide, 0);
}

int32_t TStatusWindow::ShowBox(TBoxKind kind, std::string_view text) {
  intptr_t answer = SendMessage(Window_.load(), wm_StatusBox, static_cast<uintptr_t>(kind),
                                reinterpret_cast<intptr_t>(&text));
  return answer == 0 ? baOther : static_cast<int32_t>(answer);
}

intptr_t TStatusWindow::StatusCall(int32_t call, int32_t value, std::string_view text) {
  switch (call) {
    case scAskCancel: return Cancelled() ? 1 : 0;
    case scStatus:
    case scAction:
    case scConnectedTo:
    case scPort:
    case scSpeed: SetText(idcStatusLine + call - scStatus, text); return 0;
    case scSetCancel: SetCancel(); return 0;
    case scProgressStart: ProgressStart(value); return 0;
    case scProgressStep: ProgressStep(value); return 0;
    case scProgressHide: ProgressHide(); return 0;
    default: return 0;
  }
}

}  // namespace krlad
