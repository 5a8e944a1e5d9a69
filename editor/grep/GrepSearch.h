// The global search itself: checks the order, collects the files, searches each one as
// text or as raw bytes and fills the hit list.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/grep/GrepLines.h"
#include "editor/grep/GrepTypes.h"
#include "editor/search/RegExp.h"

struct TGrepLoadedFile;

// The flag the progress dialog's "Abbrechen" sets; cleared when a search starts.
std::atomic<bool>& GrepAbortFlag();
// Set while a search runs, for the frame.
std::atomic<bool>& GrepRunningFlag();

struct TGrepHooks {
  // Lets one pending window message run (after each file found and each file searched).
  std::function<void()> PumpOneMessage;
  // Progress: a phase of TGrepPhase and its number.
  std::function<void(int32_t phase, int32_t number)> Report;
};

class TGrepSearch {
 public:
  // `param` may be null (status -20). The hit lines go to `lines`.
  TGrepSearch(const TGrepParam* param, TGrepLines& lines, TGrepHooks hooks = {});
  ~TGrepSearch();
  TGrepSearch(const TGrepSearch&) = delete;
  TGrepSearch& operator=(const TGrepSearch&) = delete;

  void SetHooks(TGrepHooks hooks) { Hooks_ = std::move(hooks); }

  // How text files are split into lines (the window's line-end setting).
  int32_t LoadMode = lemAny;
  // Worker threads that read and pre-screen files ahead of the search; 0 = none. The
  // result never depends on it.
  int32_t ReadAheadThreads = 0;

  // Runs the search once; a status of TGrepStatus.
  [[nodiscard]] int32_t Run();

  int32_t FilesWithHits() const { return FilesWithHits_; }
  int32_t Hits() const { return Hits_; }
  int32_t FilesSearched() const { return FilesSearched_; }
  // "Suche nach '...'" (and " in '...'"), with "  (Abgebrochen)" after an abort.
  const std::string& Title() const { return Title_; }
  // The length of the longest hit-list line, for the horizontal scroll range.
  int32_t LongestLine() const { return LongestLine_; }

 private:
  struct TCollected {
    std::string Path;
    TGrepFileInfo Info;
    bool InfoKnown = false;  // else taken from the file when it is read
  };

  int32_t Collect();
  void SearchFiles();
  void SearchOneFile(TCollected& file, TGrepLoadedFile& loaded);
  void SearchTextLines(const TCollected& file, const TTextLines& text);
  void SearchBytes(const TCollected& file, const std::string& bytes);
  // Counts a hit; false when the file is done (names-only output after the first hit).
  bool CountHit(const TCollected& file, uint8_t fileKind);
  bool ListFull() const { return Lines_.Count() >= kGrepMaxLines; }
  bool Aborted() const { return GrepAbortFlag().load(std::memory_order_relaxed); }
  void Pump() const {
    if (Hooks_.PumpOneMessage) Hooks_.PumpOneMessage();
  }
  void Report(int32_t phase, int32_t number) const {
    if (Hooks_.Report) Hooks_.Report(phase, number);
  }

  const TGrepParam* Param_;
  TGrepLines& Lines_;
  TGrepHooks Hooks_;
  TEngineRequest Request_;
  TEngineRequest ScreenRequest_;  // the same without the whole-word filter
  bool CanScreen_ = false;        // a file without a raw match holds no hit
  std::unique_ptr<TRegExp> RegExp_;
  std::vector<TCollected> Files_;
  int32_t FilesWithHits_ = 0;
  int32_t Hits_ = 0;
  int32_t FilesSearched_ = 0;
  int32_t LongestLine_ = 0;
  std::string Title_;
  // The current file's line in the hit list and its last hit line (-1: none yet).
  int32_t FileLine_ = -1;
  int32_t LastHitLine_ = -1;
  int64_t LastHitSource_ = -1;
};

// What the user sees for a status: the message ("" for none), whether it is shown with
// the stop icon rather than the exclamation mark, and whether the window stays.
struct TGrepStatusText {
  const char* Message;
  bool StopIcon;
  bool KeepWindow;
};
TGrepStatusText GrepStatusText(int32_t status);
// The caption of the search's message boxes.
inline constexpr const char* kGrepMessageCaption = "Z&K Quellwerk: Globale Suche";
