// The editor's binding to the print library: loaded from the program's directory on the
// first print or preview, both entries bound by ordinal, kept until the program ends.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/UiTypes.h"
#include "printlib/PrintJob.h"

class TPrintLibrary {
 public:
  explicit TPrintLibrary(std::string directory) : Directory_(std::move(directory)) {}
  ~TPrintLibrary();
  TPrintLibrary(const TPrintLibrary&) = delete;
  TPrintLibrary& operator=(const TPrintLibrary&) = delete;

  // Loads the library if needed; false (and released again) when the file or an entry is
  // missing, so that the next call tries again.
  [[nodiscard]] bool Load();
  bool Loaded() const { return Handle_ != nullptr; }
  const std::string& Directory() const { return Directory_; }

  // Loads the library and calls entry 1 (print) or 2 (preview) with the job. A library that
  // cannot be loaded gives message 349 under "Datei drucken" or "Seitenansicht" and -1000.
  int32_t Call(platform::TWindow owner, bool preview, TPrintJob& job);

 private:
  std::string Directory_;
  void* Handle_ = nullptr;
  TPrintEntry Print_ = nullptr;
  TPrintEntry Preview_ = nullptr;
};

// What Call answers when the library is missing.
inline constexpr int32_t kPrintLibraryMissing = -1000;
