// The print preview window: the job's pages one or two at a time, zoomable, composed by the
// same page procedure as printing so the screen shows the printer's layout; its print
// button hands the job back to the owner window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/Printer.h"
#include "platform/ui/UiTypes.h"
#include "printlib/PageInfo.h"
#include "printlib/PrintJob.h"
#include "printlib/PrintSteps.h"

// Above this many lines the total is never counted and page stepping stays in the tool bar.
inline constexpr int32_t kLargeDocumentLines = 75000;

class TPreviewForm {
 public:
  enum TControl : int32_t {
    idcPrint = 201,
    idcNext = 202,
    idcPrevious = 203,
    idcZoomIn = 204,
    idcZoomOut = 205,
    idcTwoPages = 206,
    idcClose = platform::IDCANCEL,
    idcPageLabel = 210,
    idcPageField = 211,
    idcOfLabel = 212,
    idcFirstPage = 213,
    idcPreviousPage = 214,
    idcNextPage = 215,
    idcLastPage = 216,
    idcView = 220,
  };
  static constexpr double kZoomMin = 0.5;
  static constexpr double kZoomMax = 10.0;
  static constexpr double kZoomFactor = 1.5;
  static constexpr int32_t kPanelGap = 10;

  TPreviewForm(const TPrintJob& job, const platform::TPrinterMetrics& metrics,
               const TPrintSteps& steps);
  ~TPreviewForm();
  TPreviewForm(const TPreviewForm&) = delete;
  TPreviewForm& operator=(const TPreviewForm&) = delete;

  // Shows the window modally over the job's owner; returns when it is closed.
  void Run();

  // Commands, as the buttons and the page field give them.
  void GoToPage(int32_t page);
  void NextPage() { GoToPage(CurrentPage_ + 1); }
  void PreviousPage() { GoToPage(std::max(CurrentPage_ - 1, 1)); }
  void LastPage();
  // False when the result would leave the zoom limits (or in two-page mode).
  bool ZoomIn();
  bool ZoomOut();
  void SetTwoPages(bool on);
  // Posts the print request to the owner and closes.
  void RequestPrint();
  // Counts every page (the total of a header that needs it).
  void CountPages();

  int32_t CurrentPage() const { return CurrentPage_; }
  int32_t LastPageNumber() const { return LastPage_; }
  double Zoom() const { return Zoom_; }
  bool TwoPages() const { return TwoPages_; }
  bool TotalNeeded() const { return TotalNeeded_; }
  bool LargeDocument() const { return LargeDocument_; }
  platform::TWindow Window() const { return Window_; }
  platform::TWindow View() const { return View_; }

  // The preview shown at the moment (for tests and the owner); null when none.
  static TPreviewForm* Current();

 private:
  friend struct TPreviewAccess;
  // Composes pages silently up to `page` (not beyond the last page).
  void PaginateTo(int32_t page);
  int32_t Total() const;
  void UpdateControls();
  void Layout();
  void PaintView(platform::TCanvas& canvas);
  void PagePanels(platform::TRect& first, platform::TRect& second) const;
  void UpdateScrollBars();
  void ClickZoom(platform::TPoint point, bool in);
  void DrawPage(platform::TCanvas& canvas, const platform::TRect& panel, int32_t page);
  static intptr_t DialogProc(platform::TWindow dialog, uint32_t message, uintptr_t wParam,
                             intptr_t lParam);
  static intptr_t ViewProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam);
  intptr_t Command(int32_t id, int32_t code);

  const TPrintJob& Job_;
  platform::TPrinterMetrics Metrics_;
  TPrintSteps Steps_;
  std::unique_ptr<TNEWPageInfo> Info_;
  platform::TWindow Window_ = 0;
  platform::TWindow View_ = 0;
  int32_t CurrentPage_ = 1;
  int32_t LastPage_ = -1;   // -1 while unknown
  int32_t Composed_ = 0;    // highest page composed so far
  double Zoom_ = 1.0;       // 1: the page's height fills the view's height less 8 pixels
  bool TwoPages_ = false;
  bool TotalNeeded_ = false;
  bool LargeDocument_ = false;
  bool CountPosted_ = false;
  bool SettingField_ = false;
  int32_t ScrollX_ = 0;
  int32_t ScrollY_ = 0;
  uint32_t WantPrintMessage_ = 0;
  std::string Error_;
};

// The preview of a job on a printer of these metrics, with the library's steps.
void RunPreview(const TPrintJob& job, const platform::TPrinterMetrics& metrics);
