// The modeless progress dialog of a running global search, with its "Abbrechen".
#pragma once

#include <cstdint>

#include "editor/grep/GrepTypes.h"
#include "platform/ui/UiTypes.h"

// Control ids of the progress dialog.
enum : int32_t {
  kGpText = 301,
  kGpTextLabel = 302,
  kGpDirs = 303,
  kGpFiles = 304,
  kGpHits = 305,
  kGpHitsLabel = 306,
  kGpBar = 307,
};

class TGrepProgress {
 public:
  // Shows the dialog over `owner`; with an empty search text the text fields and the hit
  // counter are greyed and the bar is hidden.
  TGrepProgress(platform::TWindow owner, const TGrepParam& order);
  ~TGrepProgress() { Close(); }
  TGrepProgress(const TGrepProgress&) = delete;
  TGrepProgress& operator=(const TGrepProgress&) = delete;

  // A phase of the search (TGrepPhase) and its number.
  void Report(int32_t phase, int32_t number);
  void Close();
  platform::TWindow Window() const { return Dialog_; }

 private:
  platform::TWindow Dialog_ = 0;
  int32_t Percent_ = 0;
};
