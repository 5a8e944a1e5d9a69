// Printer selection, the print dialog's scripted answers and the printer blocks.
#include "platform/ui/Printer.h"

#include <algorithm>
#include <cstring>
#include <deque>

#include "platform/memory/GlobalMemory.h"
#include "platform/ui/HeadlessPrinter.h"
#include "platform/ui/UiSystem.h"

namespace platform {

namespace {

std::deque<std::function<bool(TPrintDialog&)>>& PrintAnswers() {
  static std::deque<std::function<bool(TPrintDialog&)>> answers;
  return answers;
}

constexpr uint32_t kSettingsMagic = 0x5A4B504D;  // "MPKZ"
constexpr size_t kPathField = 1024;

// The settings block: a fixed record, so that a block from elsewhere is recognised.
struct TSettingsBlock {
  uint32_t Magic;
  int32_t Copies;
  uint8_t Landscape;
  char OutputFile[kPathField];
};

}  // namespace

TPrinterSystem& Printers() {
  TUiBackend* backend = UiBackend();
  if (backend) {
    if (TPrinterSystem* own = backend->Printers()) return *own;
  }
  return HeadlessPrinters();
}

std::unique_ptr<TPrintDevice> OpenPrinter(const TPrinterSetup& setup) {
  TPrinterSystem& printers = Printers();
  TPrinterSetup chosen = setup;
  if (chosen.Name.empty()) chosen.Name = printers.DefaultPrinter();
  if (chosen.Name.empty()) return nullptr;
  return printers.Open(chosen);
}

bool PrintDlg(TPrintDialog& dialog) {
  TPrinterSystem& printers = Printers();
  if (printers.DefaultPrinter().empty() && printers.PrinterNames().empty()) return false;
  int32_t result = printers.RunPrintDialog(dialog);
  if (result < 0) {
    auto& answers = PrintAnswers();
    if (answers.empty()) return false;
    auto answer = std::move(answers.front());
    answers.pop_front();
    result = answer(dialog) ? 1 : 0;
  }
  if (result != 1) return false;
  dialog.FromPage = std::clamp(dialog.FromPage, dialog.MinPage, dialog.MaxPage);
  dialog.ToPage = std::clamp(dialog.ToPage, dialog.FromPage, dialog.MaxPage);
  return true;
}

void QueuePrintAnswer(std::function<bool(TPrintDialog&)> answer) {
  PrintAnswers().push_back(std::move(answer));
}

THandle StorePrinterSettings(const TPrinterSetup& setup) {
  if (setup.OutputFile.size() >= kPathField) return 0;
  THandle block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TSettingsBlock));
  auto* data = static_cast<TSettingsBlock*>(GlobalLock(block));
  if (!data) return 0;
  data->Magic = kSettingsMagic;
  data->Copies = setup.Copies;
  data->Landscape = setup.Landscape ? 1 : 0;
  std::memcpy(data->OutputFile, setup.OutputFile.data(), setup.OutputFile.size());
  GlobalUnlock(block);
  return block;
}

THandle StorePrinterNames(const TPrinterSetup& setup) {
  THandle block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, setup.Name.size() + 1);
  auto* data = static_cast<char*>(GlobalLock(block));
  if (!data) return 0;
  std::memcpy(data, setup.Name.data(), setup.Name.size());
  GlobalUnlock(block);
  return block;
}

bool ReadPrinterSetup(THandle settings, THandle names, TPrinterSetup& out) {
  if (settings == 0 || names == 0) return false;
  if (GlobalSize(settings) < sizeof(TSettingsBlock) || GlobalSize(names) == 0) return false;
  const auto* data = static_cast<const TSettingsBlock*>(GlobalLock(settings));
  if (!data) return false;
  const auto* name = static_cast<const char*>(GlobalLock(names));
  bool ok = name != nullptr && data->Magic == kSettingsMagic;
  if (ok) {
    TPrinterSetup setup;
    setup.Name.assign(name, strnlen(name, GlobalSize(names)));
    setup.OutputFile.assign(data->OutputFile, strnlen(data->OutputFile, kPathField));
    setup.Landscape = data->Landscape != 0;
    setup.Copies = std::max(data->Copies, 1);
    out = std::move(setup);
  }
  if (name) GlobalUnlock(names);
  GlobalUnlock(settings);
  return ok;
}

}  // namespace platform
