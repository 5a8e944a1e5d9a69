// Print and preview commands: range preselection, the print dialog, building the job record
// and calling the library.
#include "editor/print/EditorPrinting.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "editor/print/PageTemplate.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildTypes.h"
#include "platform/memory/GlobalMemory.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr uint32_t kProgramTitle = 0;
constexpr uint32_t kPreviewCaption = 54;

void CopyField(char* field, size_t size, std::string_view text) {
  const size_t n = std::min(text.size(), size - 1);
  std::memcpy(field, text.data(), n);
  field[n] = 0;
}

// A font for the job: the library wants a character height (negative).
TFont JobFont(const TLogFont& log, std::vector<TFont>& owned) {
  TLogFont font = log;
  if (font.Height > 0) font.Height = -font.Height;
  if (font.Height == 0) font.Height = -13;
  TFont handle = CreateFontIndirect(font);
  if (handle) owned.push_back(handle);
  return handle;
}

}  // namespace

TEditorPrinting::TEditorPrinting(std::string libraryDirectory)
    : Library_(std::move(libraryDirectory)),
      WantPrint_(RegisterWindowMessage(kPreviewWantPrintMessage)) {}

bool TEditorPrinting::BuildJob(const TContext& context, const TPrintSource& source,
                               const TPrintRange& range, int32_t pageCount, TPrintJob& job,
                               std::vector<TFont>& ownedFonts) const {
  if (!context.Options) return false;
  const TIniOptions& o = *context.Options;
  job = TPrintJob{};
  job.OwnerWindow = context.Frame;
  CopyField(job.DocumentName, sizeof(job.DocumentName), source.DocumentName);

  TTemplateValues values;
  values.Name = source.FileName.empty() ? context.Title
                                        : std::filesystem::path(source.FileName).filename().string();
  if (source.Kind == wkGrep) values.Name = source.DocumentName;
  values.UseFileDate = o.UseFileDate;
  values.HasFileDate = source.HasFileDate;
  values.FileDate = source.FileDate;
  CopyField(job.Header, sizeof(job.Header), ExpandPageTemplate(o.PageHeader, values));
  CopyField(job.Footer, sizeof(job.Footer), ExpandPageTemplate(o.PageFooter, values));
  job.HeaderAlign = 0;
  job.FooterAlign = 0;

  job.MarginLeft = o.MarginLeft;
  job.MarginTop = o.MarginTop;
  job.MarginRight = o.MarginRight;
  job.MarginBottom = o.MarginBottom;
  job.TabSize = source.TabSize > 0 ? source.TabSize : o.TabCols;
  const bool textEditor = source.Kind == wkEdit;
  job.LineNumbers = textEditor && o.PrintLineNumbers ? 1 : 0;
  job.BreakLines = textEditor && o.BreakLines ? 1 : 0;

  job.FirstPage = 1;
  job.LastPage = kToTheEnd;
  job.FirstLine = 0;
  job.LastLine = kToTheEnd;
  job.LineCount = source.LineCount;
  if (range.Range == TPrintDialog::TRange::Pages) {
    job.FirstPage = std::max(range.FromPage, 1);
    job.LastPage = std::max(range.ToPage, job.FirstPage);
  } else if (range.Range == TPrintDialog::TRange::Selection) {
    job.FirstLine = source.SelectionFirst;
    job.LastLine = std::max(source.SelectionLast, source.SelectionFirst);
    job.LineCount = job.LastLine - job.FirstLine + 1;
  }

  TFont screen = ChildGetFont(context.Window);
  const TFontInfo* screenInfo = GetFontInfo(screen);
  if (o.UseScreenFont && screenInfo) {
    job.Font = screenInfo->Log.Height < 0 ? screen : JobFont(screenInfo->Log, ownedFonts);
  } else {
    job.Font = JobFont(o.PrinterFont, ownedFonts);
  }
  job.PageCount = pageCount;
  job.LineCallback = PrintLineCallbackHandle();
  job.CallbackContext = context.Window;
  return true;
}

bool TEditorPrinting::Run(const TContext& context, const TPrintSource& source,
                          const TPrintRange& range, int32_t pageCount, bool preview) {
  TPrintJob job{};
  std::vector<TFont> fonts;
  if (!BuildJob(context, source, range, pageCount, job, fonts)) return false;
  if (PrinterChosen_) {
    job.PrinterSettings = StorePrinterSettings(Printer_);
    job.PrinterNames = StorePrinterNames(Printer_);
  }
  const int32_t result = Library_.Call(context.Frame, preview, job);
  if (job.PrinterSettings) GlobalFree(job.PrinterSettings);
  if (job.PrinterNames) GlobalFree(job.PrinterNames);
  for (TFont font : fonts) DeleteFont(font);
  return result == 0;
}

bool TEditorPrinting::PrintCommand(const TContext& context, int32_t pageCount) {
  TPrintSource source;
  if (!DescribePrintSource(context.Window, context.Title, source)) return false;
  TPrintDialog dialog;
  dialog.Owner = context.Frame;
  dialog.Setup = Printer_;
  dialog.MinPage = 1;
  dialog.MaxPage = 65535;
  dialog.FromPage = LastRange_.FromPage;
  dialog.ToPage = LastRange_.ToPage;
  dialog.Range = source.SelectionPreferred ? TPrintDialog::TRange::Selection : LastRange_.Range;
  dialog.SelectionAllowed = true;
  if (!PrintDlg(dialog)) return false;
  TPrintRange range{dialog.Range, dialog.FromPage, dialog.ToPage};
  if (range.Range != TPrintDialog::TRange::Selection) LastRange_ = range;
  if (range.Range == TPrintDialog::TRange::Selection && !source.HasSelection) {
    MessageBeep(0);
    return false;
  }
  Printer_ = dialog.Setup;
  PrinterChosen_ = !Printer_.Name.empty();
  return Run(context, source, range, pageCount, false);
}

bool TEditorPrinting::PrintAll(const TContext& context) {
  TPrintSource source;
  if (!DescribePrintSource(context.Window, context.Title, source)) return false;
  return Run(context, source, TPrintRange{}, -1, false);
}

bool TEditorPrinting::PreviewCommand(const TContext& context) {
  TPrintSource source;
  if (!DescribePrintSource(context.Window, context.Title, source)) return false;
  if (!OpenPrinter(PrinterChosen_ ? Printer_ : TPrinterSetup{}) && !OpenPrinter(TPrinterSetup{})) {
    const std::string caption = std::string(LoadResString(kProgramTitle)) + ": " +
                                std::string(LoadResString(kPreviewCaption));
    MessageBox(context.Frame, kNoPrinterText, caption, MB_OK | MB_ICONSTOP);
    return false;
  }
  TPrintRange range;
  if (source.SelectionPreferred) range.Range = TPrintDialog::TRange::Selection;
  return Run(context, source, range, -1, true);
}
