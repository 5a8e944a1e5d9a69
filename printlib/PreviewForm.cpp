// The preview window: page state and commands, the dialog with its tool and status rows, and
// the page view that composes pages on the screen.
#include "printlib/PreviewForm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "printlib/PrintStrings.h"
#include "printlib/PrintCanvas.h"

using namespace platform;

namespace {

constexpr std::string_view kViewClass = "ZKPreviewPage";
constexpr uint32_t wm_CountPages = WM_USER + 1;
constexpr int32_t kBorder = 3;
constexpr int32_t kRowHeight = 32;
// The smallest window that shows every button at its full width.
constexpr int32_t kMinWidth = 4 + 7 * 104;
constexpr int32_t kMinHeight = 480;
constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;

TPreviewForm* gCurrent = nullptr;

const std::array kPreviewItems{
    TDialogItem{kButtonClass, LoadPrintString(psPreviewPrint), kButton, {2, 2, 50, 14}, TPreviewForm::idcPrint},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewNext), kButton, {52, 2, 100, 14}, TPreviewForm::idcNext},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewPrevious), kButton, {102, 2, 150, 14},
                TPreviewForm::idcPrevious},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewZoomIn), kButton, {152, 2, 200, 14},
                TPreviewForm::idcZoomIn},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewZoomOut), kButton, {202, 2, 250, 14},
                TPreviewForm::idcZoomOut},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewTwoPages), kButton, {252, 2, 300, 14},
                TPreviewForm::idcTwoPages},
    TDialogItem{kButtonClass, LoadPrintString(psPreviewClose), kButton, {302, 2, 350, 14},
                TPreviewForm::idcClose},
    TDialogItem{kStaticClass, LoadPrintString(psPreviewPageLabel), kLabel, {2, 284, 30, 294},
                TPreviewForm::idcPageLabel},
    TDialogItem{kEditClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER, {32, 282, 62, 294},
                TPreviewForm::idcPageField},
    TDialogItem{kStaticClass, "", kLabel | SS_NOPREFIX, {66, 284, 130, 294}, TPreviewForm::idcOfLabel},
    TDialogItem{kButtonClass, "|<", kButton, {132, 282, 148, 294}, TPreviewForm::idcFirstPage},
    TDialogItem{kButtonClass, "<", kButton, {150, 282, 166, 294}, TPreviewForm::idcPreviousPage},
    TDialogItem{kButtonClass, ">", kButton, {168, 282, 184, 294}, TPreviewForm::idcNextPage},
    TDialogItem{kButtonClass, ">|", kButton, {186, 282, 202, 294}, TPreviewForm::idcLastPage},
};

std::string Caption(const TPrintJob& job) {
  std::string caption(LoadPrintString(psPreviewCaption));
  caption.replace(caption.find("%s"), 2,
                  std::string(job.DocumentName, strnlen(job.DocumentName, sizeof(job.DocumentName))));
  return caption;
}

bool JobNeedsTotal(const TPrintJob& job) {
  return UsesTotalPlaceholder(std::string_view(job.Header, strnlen(job.Header, sizeof(job.Header)))) ||
         UsesTotalPlaceholder(std::string_view(job.Footer, strnlen(job.Footer, sizeof(job.Footer))));
}

}  // namespace

// Gives the window procedures their object.
struct TPreviewAccess {
  static intptr_t View(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return TPreviewForm::ViewProc(window, message, wParam, lParam);
  }
};

TPreviewForm::TPreviewForm(const TPrintJob& job, const TPrinterMetrics& metrics,
                           const TPrintSteps& steps)
    : Job_(job), Metrics_(metrics), Steps_(steps) {
  LargeDocument_ = job.LineCount > kLargeDocumentLines;
  TotalNeeded_ = JobNeedsTotal(job) && !LargeDocument_;
  WantPrintMessage_ = RegisterWindowMessage(kPreviewWantPrintMessage);
}

TPreviewForm::~TPreviewForm() {
  if (gCurrent == this) gCurrent = nullptr;
  if (Info_) Steps_.EndPrint(std::move(Info_));
}

TPreviewForm* TPreviewForm::Current() { return gCurrent; }

void TPreviewForm::Run() {
  if (!FindWindowClass(kViewClass)) {
    TWindowClass cls;
    cls.Name = std::string(kViewClass);
    cls.Proc = &TPreviewAccess::View;
    cls.Style = CS_HREDRAW | CS_VREDRAW;
    cls.Cursor = TCursorKind::Cross;
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return;
  }
  Info_ = Steps_.BeginPrint(Job_);
  TPreviewForm* outer = gCurrent;
  gCurrent = this;
  const TDialogTemplate dialog{LoadPrintString(psPreviewCaption), {400, 300}, kPreviewItems,
                               WS_VISIBLE};
  DialogBox(Job_.OwnerWindow, dialog, &TPreviewForm::DialogProc, reinterpret_cast<intptr_t>(this));
  gCurrent = outer;
  Window_ = 0;
  View_ = 0;
  if (Info_) Steps_.EndPrint(std::move(Info_));
  if (!Error_.empty()) ReportPrintError(Job_.OwnerWindow, Error_);
}

int32_t TPreviewForm::Total() const {
  if (LastPage_ >= 0) return LastPage_;
  return Job_.PageCount > 0 ? Job_.PageCount : -1;
}

void TPreviewForm::PaginateTo(int32_t page) {
  if (!Info_ || !Error_.empty()) return;
  TSpecialCanvas counter("Pagination", Metrics_);
  counter.SetModePaginate();
  TCursorKind old = TCursorKind::Arrow;
  bool waiting = false;
  while (Composed_ < page && (LastPage_ < 0 || Composed_ < LastPage_)) {
    if (!waiting) {
      old = SetCursor(TCursorKind::Wait);
      waiting = true;
    }
    const int32_t next = Composed_ + 1;
    Info_->Done = false;
    if (!Steps_.PrintPage(Job_, *Info_, counter, next, Total(), &Error_)) break;
    Composed_ = next;
    if (Info_->Done) LastPage_ = next;
  }
  if (waiting) SetCursor(old);
}

void TPreviewForm::GoToPage(int32_t page) {
  page = std::max(page, 1);
  PaginateTo(page - 1);
  if (LastPage_ >= 0) page = std::min(page, LastPage_);
  page = std::max(page, 1);
  CurrentPage_ = page;
  if (Window_) {
    SettingField_ = true;
    SetDlgItemInt(Window_, idcPageField, CurrentPage_);
    SettingField_ = false;
  }
  if (View_) InvalidateRect(View_, nullptr);
  UpdateControls();
}

void TPreviewForm::LastPage() {
  PaginateTo(INT32_MAX - 1);
  GoToPage(LastPage_ > 0 ? LastPage_ : CurrentPage_);
}

void TPreviewForm::CountPages() {
  if (LastPage_ >= 0) return;
  PaginateTo(INT32_MAX - 1);
  UpdateControls();
  if (View_) InvalidateRect(View_, nullptr);
}

bool TPreviewForm::ZoomIn() {
  if (TwoPages_ || Zoom_ * kZoomFactor > kZoomMax + 1e-9) return false;
  Zoom_ *= kZoomFactor;
  UpdateScrollBars();
  if (View_) InvalidateRect(View_, nullptr);
  UpdateControls();
  return true;
}

bool TPreviewForm::ZoomOut() {
  if (TwoPages_ || Zoom_ / kZoomFactor < kZoomMin - 1e-9) return false;
  Zoom_ /= kZoomFactor;
  UpdateScrollBars();
  if (View_) InvalidateRect(View_, nullptr);
  UpdateControls();
  return true;
}

void TPreviewForm::SetTwoPages(bool on) {
  TwoPages_ = on;
  Zoom_ = 1.0;
  ScrollX_ = ScrollY_ = 0;
  if (Window_) {
    SetDlgItemText(Window_, idcTwoPages, LoadPrintString(on ? psPreviewOnePage : psPreviewTwoPages));
  }
  UpdateScrollBars();
  if (View_) InvalidateRect(View_, nullptr);
  UpdateControls();
}

void TPreviewForm::RequestPrint() {
  const int32_t total = LastPage_ >= 0 ? LastPage_ : -1;
  if (Job_.OwnerWindow) {
    PostMessage(Job_.OwnerWindow, WantPrintMessage_, static_cast<uintptr_t>(static_cast<intptr_t>(total)), 0);
  }
  if (Window_) EndDialog(Window_, idcPrint);
}

void TPreviewForm::UpdateControls() {
  if (!Window_) return;
  const bool notFirst = CurrentPage_ > 1;
  const bool notLast = LastPage_ < 0 || CurrentPage_ < LastPage_;
  EnableWindow(GetDlgItem(Window_, idcPrevious), notFirst);
  EnableWindow(GetDlgItem(Window_, idcFirstPage), notFirst);
  EnableWindow(GetDlgItem(Window_, idcPreviousPage), notFirst);
  EnableWindow(GetDlgItem(Window_, idcNext), notLast);
  EnableWindow(GetDlgItem(Window_, idcNextPage), notLast);
  EnableWindow(GetDlgItem(Window_, idcLastPage), notLast);
  EnableWindow(GetDlgItem(Window_, idcZoomIn), !TwoPages_ && Zoom_ * kZoomFactor <= kZoomMax + 1e-9);
  EnableWindow(GetDlgItem(Window_, idcZoomOut), !TwoPages_ && Zoom_ / kZoomFactor >= kZoomMin - 1e-9);
  std::string of;
  if (Total() >= 0) {
    of = std::string(LoadPrintString(psPreviewOfTotal));
    of.replace(of.find("%s"), 2, std::to_string(Total()));
  }
  if (GetDlgItemText(Window_, idcOfLabel) != of) SetDlgItemText(Window_, idcOfLabel, of);
}

void TPreviewForm::Layout() {
  if (!Window_) return;
  const TRect client = GetClientRect(Window_);
  const int32_t width = client.Width();
  const int32_t height = client.Height();
  const int32_t toolIds[] = {idcPrint, idcNext, idcPrevious, idcZoomIn, idcZoomOut, idcTwoPages, idcClose};
  // The buttons share the width when the window is too narrow for all of them, so that
  // "Schließen" stays in reach.
  constexpr int32_t kTools = static_cast<int32_t>(std::size(toolIds));
  const int32_t buttonWidth = std::clamp((width - 4) / kTools - 4, 48, 100);
  int32_t x = 4;
  for (int32_t id : toolIds) {
    MoveWindow(GetDlgItem(Window_, id), TRect{x, 4, x + buttonWidth, 4 + 24});
    x += buttonWidth + 4;
  }
  const int32_t y = height - kRowHeight + 4;
  MoveWindow(GetDlgItem(Window_, idcPageLabel), TRect{6, y + 4, 60, y + 22});
  MoveWindow(GetDlgItem(Window_, idcPageField), TRect{62, y, 130, y + 24});
  MoveWindow(GetDlgItem(Window_, idcOfLabel), TRect{138, y + 4, 250, y + 22});
  const int32_t stepIds[] = {idcFirstPage, idcPreviousPage, idcNextPage, idcLastPage};
  x = 256;
  for (int32_t id : stepIds) {
    MoveWindow(GetDlgItem(Window_, id), TRect{x, y, x + 32, y + 24});
    x += 36;
  }
  // The view's rectangle is its client area; its scroll bars come outside it.
  const int32_t barWidth = std::max(GetSystemMetrics(SM_CXVSCROLL), 0);
  const int32_t barHeight = std::max(GetSystemMetrics(SM_CYHSCROLL), 0);
  if (View_) {
    MoveWindow(View_, TRect{0, kRowHeight, std::max(width - barWidth, 20),
                            std::max(height - kRowHeight - barHeight, kRowHeight + 20)});
  }
  UpdateScrollBars();
}

void TPreviewForm::PagePanels(TRect& first, TRect& second) const {
  const TRect view = View_ ? GetClientRect(View_) : TRect{0, 0, 400, 300};
  const int32_t w = view.Width();
  const int32_t h = view.Height();
  const double zoom = TwoPages_ ? 1.0 : Zoom_;
  const int32_t panelH = std::max(1, static_cast<int32_t>((h - 8) * zoom));
  const double aspect = static_cast<double>(Metrics_.PageWidth) / std::max(Metrics_.PageHeight, 1) *
                        (static_cast<double>(Metrics_.DpiY) / std::max(Metrics_.DpiX, 1));
  const int32_t panelW = std::max(1, static_cast<int32_t>(panelH * aspect));
  if (TwoPages_) {
    const int32_t total = 2 * panelW + kPanelGap;
    const int32_t left = (w - total) / 2;
    const int32_t top = (h - panelH) / 2;
    first = TRect{left, top, left + panelW, top + panelH};
    second = TRect{first.Right + kPanelGap, top, first.Right + kPanelGap + panelW, top + panelH};
    return;
  }
  const int32_t left = panelW + 2 * kBorder <= w ? (w - panelW) / 2 : kBorder - ScrollX_;
  const int32_t top = panelH + 2 * kBorder <= h ? (h - panelH) / 2 : kBorder - ScrollY_;
  first = TRect{left, top, left + panelW, top + panelH};
  second = TRect{};
}

void TPreviewForm::UpdateScrollBars() {
  if (!View_) return;
  const TRect view = GetClientRect(View_);
  TRect first;
  TRect second;
  const int32_t oldX = ScrollX_;
  const int32_t oldY = ScrollY_;
  ScrollX_ = ScrollY_ = 0;
  PagePanels(first, second);
  const int32_t spanX = TwoPages_ ? 0 : std::max(0, first.Width() + 2 * kBorder - view.Width());
  const int32_t spanY = TwoPages_ ? 0 : std::max(0, first.Height() + 2 * kBorder - view.Height());
  ScrollX_ = std::clamp(oldX, 0, spanX);
  ScrollY_ = std::clamp(oldY, 0, spanY);
  SetScrollRange(View_, SB_HORZ, 0, std::min(spanX, kScrollBarLimit));
  SetScrollRange(View_, SB_VERT, 0, std::min(spanY, kScrollBarLimit));
  SetScrollPos(View_, SB_HORZ, ScrollX_);
  SetScrollPos(View_, SB_VERT, ScrollY_);
}

void TPreviewForm::ClickZoom(TPoint point, bool in) {
  TRect first;
  TRect second;
  PagePanels(first, second);
  const double fx = first.Width() > 0 ? static_cast<double>(point.X - first.Left) / first.Width() : 0.5;
  const double fy = first.Height() > 0 ? static_cast<double>(point.Y - first.Top) / first.Height() : 0.5;
  if (!(in ? ZoomIn() : ZoomOut())) return;
  ScrollX_ = ScrollY_ = 0;
  PagePanels(first, second);
  const TRect view = GetClientRect(View_);
  // The clicked point of the page comes to the middle of the view.
  ScrollX_ = static_cast<int32_t>(fx * first.Width()) + kBorder - view.Width() / 2;
  ScrollY_ = static_cast<int32_t>(fy * first.Height()) + kBorder - view.Height() / 2;
  UpdateScrollBars();
  InvalidateRect(View_, nullptr);
}

void TPreviewForm::DrawPage(TCanvas& canvas, const TRect& panel, int32_t page) {
  if (!Info_ || !Error_.empty()) return;
  if (LastPage_ >= 0 && page > LastPage_) return;
  PaginateTo(page - 1);
  if (LastPage_ >= 0 && page > LastPage_) return;
  canvas.FillRect(panel, MakeRgb(255, 255, 255));
  canvas.SetPen(0);
  canvas.MoveTo(panel.Left - 1, panel.Top - 1);
  canvas.LineTo(panel.Right, panel.Top - 1);
  canvas.LineTo(panel.Right, panel.Bottom);
  canvas.LineTo(panel.Left - 1, panel.Bottom);
  canvas.LineTo(panel.Left - 1, panel.Top - 1);
  TPreviewMapping mapping;
  mapping.Left = panel.Left;
  mapping.Top = panel.Top;
  mapping.ScaleX = static_cast<double>(panel.Width()) / std::max(Metrics_.PageWidth, 1);
  mapping.ScaleY = static_cast<double>(panel.Height()) / std::max(Metrics_.PageHeight, 1);
  TSpecialCanvas preview("Preview", Metrics_);
  preview.SetModePreview(&canvas, mapping);
  const int32_t right = preview.PrintableRight();
  const int32_t bottom = preview.PrintableBottom();
  preview.ExcludeClipRect(TRect{0, 0, Metrics_.PageWidth, Metrics_.OffsetY});
  preview.ExcludeClipRect(TRect{0, bottom, Metrics_.PageWidth, Metrics_.PageHeight});
  preview.ExcludeClipRect(TRect{0, 0, Metrics_.OffsetX, Metrics_.PageHeight});
  preview.ExcludeClipRect(TRect{right, 0, Metrics_.PageWidth, Metrics_.PageHeight});
  canvas.SetBkMode(TRANSPARENT);
  Info_->Done = false;
  if (!Steps_.PrintPage(Job_, *Info_, preview, page, Total(), &Error_)) {
    preview.SetModePaginate();
    if (Window_) EndDialog(Window_, 0);
    return;
  }
  preview.SetModePaginate();
  Composed_ = std::max(Composed_, page);
  if (Info_->Done) LastPage_ = page;
}

void TPreviewForm::PaintView(TCanvas& canvas) {
  TRect first;
  TRect second;
  PagePanels(first, second);
  const int32_t lastBefore = LastPage_;
  // The strips a page excludes from drawing lie inside its own panel.
  DrawPage(canvas, first, CurrentPage_);
  if (TwoPages_) DrawPage(canvas, second, CurrentPage_ + 1);
  if (LastPage_ != lastBefore) UpdateControls();
  if (TotalNeeded_ && LastPage_ < 0 && !CountPosted_ && Window_) {
    CountPosted_ = true;
    PostMessage(Window_, wm_CountPages, 0, 0);
  }
}

intptr_t TPreviewForm::Command(int32_t id, int32_t code) {
  switch (id) {
    case idcPrint:
      RequestPrint();
      return 1;
    case idcNext:
    case idcNextPage:
      if (LastPage_ < 0 || CurrentPage_ < LastPage_) NextPage();
      return 1;
    case idcPrevious:
    case idcPreviousPage:
      PreviousPage();
      return 1;
    case idcFirstPage:
      GoToPage(1);
      return 1;
    case idcLastPage:
      LastPage();
      return 1;
    case idcZoomIn:
      ZoomIn();
      return 1;
    case idcZoomOut:
      ZoomOut();
      return 1;
    case idcTwoPages:
      SetTwoPages(!TwoPages_);
      return 1;
    case idcClose:
      EndDialog(Window_, 0);
      return 1;
    case IDOK: {
      // Enter in the page field goes to the page typed there.
      if (LargeDocument_ || GetFocus() != GetDlgItem(Window_, idcPageField)) return 1;
      bool ok = false;
      int32_t page = GetDlgItemInt(Window_, idcPageField, &ok);
      if (ok && page > 0) GoToPage(page);
      return 1;
    }
    default:
      (void)code;
      return 0;
  }
}

intptr_t TPreviewForm::DialogProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowExtra(dialog, 0, lParam);
    auto* self = reinterpret_cast<TPreviewForm*>(lParam);
    self->Window_ = dialog;
    SetWindowText(dialog, Caption(self->Job_));
    self->View_ = CreateWindowEx(0, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                                 TRect{0, kRowHeight, 400, 268}, dialog, self);
    SetDlgCtrlID(self->View_, idcView);
    SendDlgItemMessage(dialog, idcPageField, EM_LIMITTEXT, 6, 0);
    if (self->LargeDocument_) {
      for (int32_t id : {idcFirstPage, idcPreviousPage, idcNextPage, idcLastPage, idcOfLabel}) {
        ShowWindow(GetDlgItem(dialog, id), false);
      }
      SendDlgItemMessage(dialog, idcPageField, EM_SETREADONLY, 1, 0);
    }
    const TWindow owner = self->Job_.OwnerWindow;
    if (owner && IsWindow(owner)) {
      TRect rect = GetWindowRect(owner);
      TWindow parent = GetParent(owner);
      if (parent) {
        TPoint a = ClientToScreen(parent, TPoint{rect.Left, rect.Top});
        rect = OffsetRect(rect, a.X - rect.Left, a.Y - rect.Top);
      }
      // Over the owner, but never smaller than its row of buttons needs.
      rect.Right = std::max(rect.Right, rect.Left + kMinWidth);
      rect.Bottom = std::max(rect.Bottom, rect.Top + kMinHeight);
      if (!rect.IsEmpty()) MoveWindow(dialog, KeepOnScreen(rect));
    } else {
      MoveWindow(dialog, TRect{40, 40, 840, 640});
    }
    self->Layout();
    self->GoToPage(1);
    return 1;
  }
  auto* self = reinterpret_cast<TPreviewForm*>(GetWindowExtra(dialog, 0));
  if (!self) return 0;
  switch (message) {
    case WM_SIZE:
      self->Layout();
      return 0;
    case WM_COMMAND:
      return self->Command(static_cast<int32_t>(wParam & 0xFFFF), static_cast<int32_t>((wParam >> 16) & 0xFFFF));
    case wm_CountPages:
      self->CountPages();
      return 1;
    default:
      return 0;
  }
}

intptr_t TPreviewForm::ViewProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(cs->CreateParams));
    return 0;
  }
  auto* self = reinterpret_cast<TPreviewForm*>(GetWindowExtra(window, 0));
  if (!self) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      TPaintStruct paint;
      if (TCanvas* canvas = BeginPaint(window, paint)) self->PaintView(*canvas);
      EndPaint(window, paint);
      return 0;
    }
    case WM_SIZE:
      self->UpdateScrollBars();
      InvalidateRect(window, nullptr);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      self->ClickZoom(TPoint{LParamX(lParam), LParamY(lParam)}, message == WM_LBUTTONDOWN);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const bool horz = message == WM_HSCROLL;
      const TRect view = GetClientRect(window);
      int32_t& pos = horz ? self->ScrollX_ : self->ScrollY_;
      const int32_t page = horz ? view.Width() : view.Height();
      switch (wParam & 0xFFFF) {
        case SB_LINEUP: pos -= 20; break;
        case SB_LINEDOWN: pos += 20; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = static_cast<int32_t>((wParam >> 16) & 0xFFFF); break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = INT32_MAX / 2; break;
        default: return 0;
      }
      self->UpdateScrollBars();
      InvalidateRect(window, nullptr);
      return 0;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

void RunPreview(const TPrintJob& job, const TPrinterMetrics& metrics) {
  TPrintSteps steps = ZKPrintFormSteps();
  if (std::string missing = MissingStepError(steps); !missing.empty()) {
    ReportPrintError(job.OwnerWindow, missing);
    return;
  }
  TPreviewForm form(job, metrics, steps);
  form.Run();
}
