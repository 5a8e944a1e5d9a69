// The editor's print commands: print with the system print dialog, preview, and printing from
// the command line; the page range used last and the printer of the last print dialog.
#pragma once

#include <cstdint>
#include <string>

#include "editor/frame/IniOptions.h"
#include "editor/print/PrintLibrary.h"
#include "editor/print/PrintSource.h"
#include "platform/ui/Printer.h"
#include "platform/ui/UiTypes.h"

// Shown before a preview when no printer can be used.
inline constexpr std::string_view kNoPrinterText = "Es ist kein Drucker installiert!";

// The range a job prints.
struct TPrintRange {
  platform::TPrintDialog::TRange Range = platform::TPrintDialog::TRange::All;
  int32_t FromPage = 1;
  int32_t ToPage = 65535;
};

class TEditorPrinting {
 public:
  // `libraryDirectory`: where "ZKPrint.DLL" is looked for (the program's directory).
  explicit TEditorPrinting(std::string libraryDirectory);

  // The frame's window (owner of every job) and its document windows' titles.
  struct TContext {
    platform::TWindow Frame = 0;
    platform::TWindow Window = 0;
    std::string Title;  // of the window, without the modified mark
    const TIniOptions* Options = nullptr;
  };

  // "Datei drucken": the print dialog, then the job; `pageCount` from the preview or -1.
  // True when the library printed the job.
  bool PrintCommand(const TContext& context, int32_t pageCount = -1);
  // All pages without a dialog, on the last chosen (or default) printer: the /P switch.
  bool PrintAll(const TContext& context);
  // "Seitenansicht".
  bool PreviewCommand(const TContext& context);

  // The number of the registered message "wm_ZKPreviewWantPrint".
  uint32_t WantPrintMessage() const { return WantPrint_; }
  TPrintLibrary& Library() { return Library_; }
  const TPrintRange& LastRange() const { return LastRange_; }
  const platform::TPrinterSetup& Printer() const { return Printer_; }

  // Fills the job for the window and range (fonts it makes are added to `ownedFonts`).
  // False for a window that is not printed.
  bool BuildJob(const TContext& context, const TPrintSource& source, const TPrintRange& range,
                int32_t pageCount, TPrintJob& job, std::vector<platform::TFont>& ownedFonts) const;

 private:
  bool Run(const TContext& context, const TPrintSource& source, const TPrintRange& range,
           int32_t pageCount, bool preview);

  TPrintLibrary Library_;
  uint32_t WantPrint_ = 0;
  TPrintRange LastRange_;
  platform::TPrinterSetup Printer_;
  bool PrinterChosen_ = false;
};
