// Loading the print library by file name and its entries by ordinal.
#include "editor/print/PrintLibrary.h"

#include <dlfcn.h>

#include "platform/ui/MessageBox.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr uint32_t kMissingLibraryText = 349;
constexpr uint32_t kPrintCaption = 53;    // "Datei drucken"
constexpr uint32_t kPreviewCaption = 54;  // "Seitenansicht"
constexpr uint32_t kProgramTitle = 0;

}  // namespace

TPrintLibrary::~TPrintLibrary() {
  if (Handle_) ::dlclose(Handle_);
}

bool TPrintLibrary::Load() {
  if (Handle_) return true;
  const std::string path = (Directory_.empty() ? std::string(".") : Directory_) + "/" +
                           std::string(kPrintLibraryFile);
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return false;
  const auto* table = static_cast<const TPrintEntryTable*>(::dlsym(handle, kPrintEntryTableSymbol));
  if (!table || table->Count < 2 || !table->Entries[1] || !table->Entries[2]) {
    ::dlclose(handle);
    return false;
  }
  Handle_ = handle;
  Print_ = table->Entries[1];
  Preview_ = table->Entries[2];
  return true;
}

int32_t TPrintLibrary::Call(TWindow owner, bool preview, TPrintJob& job) {
  if (!Load()) {
    const std::string caption = std::string(LoadResString(kProgramTitle)) + ": " +
                                std::string(LoadResString(preview ? kPreviewCaption : kPrintCaption));
    MessageBox(owner, LoadResString(kMissingLibraryText), caption, MB_OK | MB_ICONSTOP);
    return kPrintLibraryMissing;
  }
  return preview ? Preview_(&job) : Print_(&job);
}
