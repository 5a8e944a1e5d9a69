// The run of one global search: order checks, collecting, searching, the final status.
#include "editor/grep/GrepSearch.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "editor/grep/DirWalk.h"
#include "editor/grep/FileMasks.h"
#include "editor/grep/GrepReadAhead.h"
#include "editor/search/SearchEngine.h"
#include "editor/text/TextFile.h"

std::atomic<bool>& GrepAbortFlag() {
  static std::atomic<bool> flag{false};
  return flag;
}

std::atomic<bool>& GrepRunningFlag() {
  static std::atomic<bool> flag{false};
  return flag;
}

TGrepStatusText GrepStatusText(int32_t status) {
  switch (status) {
    case grepNoFileFound:
      return {"Es wurde keine spezifizierte Datei gefunden!", false, false};
    case grepNoHit:
      return {"Es wurden keine Textstellen gefunden!", false, false};
    case grepBadRegExp:
      return {"Fehlerhafter regulärer Ausdruck!", true, false};
    case grepTooManyLines:
      return {"Die Liste der Fundstellen wird zu groß - \ndie Suche wird abgebrochen!", false, true};
    case grepOk:
      return {"", false, true};
    default:  // no order, no file masks, no directory, aborted while collecting
      return {"", false, false};
  }
}

TGrepSearch::TGrepSearch(const TGrepParam* param, TGrepLines& lines, TGrepHooks hooks)
    : Param_(param), Lines_(lines), Hooks_(std::move(hooks)) {}

TGrepSearch::~TGrepSearch() = default;

int32_t TGrepSearch::Run() {
  GrepAbortFlag() = false;
  Hits_ = 0;
  FilesWithHits_ = 0;
  if (!Param_) return grepNoOrder;
  const TGrepParam& p = *Param_;
  if (p.FileMasks[0] == 0) return grepNoFileMasks;
  if (p.Dirs.empty()) return grepNoDirectory;

  const bool withText = p.SearchText[0] != 0;
  if (withText) {
    std::memcpy(Request_.SearchText, p.SearchText, sizeof Request_.SearchText);
    Request_.SearchText[kSearchTextMax] = 0;
    Request_.CaseSensitive = p.CaseSensitive;
    Request_.WholeWords = p.WholeWords;
    Request_.RegularExpression = p.RegularExpression;
    RegExp_ = std::make_unique<TRegExp>();
    if (PrepareEngine(Request_, *RegExp_) != reOk) return grepBadRegExp;
    ScreenRequest_ = Request_;
    ScreenRequest_.WholeWords = false;
    // A hit inside a line is a match of the same bytes in the whole file, except for
    // anchors, which see line ends the file's bytes may not show the same way.
    CanScreen_ = !p.RegularExpression || (std::strchr(p.SearchText, '^') == nullptr &&
                                          std::strchr(p.SearchText, '$') == nullptr);
  }

  struct TRunning {
    TRunning() { GrepRunningFlag() = true; }
    ~TRunning() { GrepRunningFlag() = false; }
  } running;

  Title_ = withText ? std::string("Suche nach '") + p.SearchText + "' in '" + p.FileMasks + "'"
                    : std::string("Suche nach '") + p.FileMasks + "'";
  Report(gphStart, 0);

  const int32_t collected = Collect();
  if (collected != grepOk) return collected;

  SearchFiles();

  int32_t status = Hits_ > 0 || !withText ? grepOk : grepNoHit;
  if (status == grepOk) {
    if (p.Output == 1)
      for (int32_t i = 0; i < Lines_.Count(); ++i) Lines_.UpdateTextHits(i);
    LongestLine_ = 0;
    for (int32_t i = 0; i < Lines_.Count(); ++i)
      LongestLine_ = std::max(LongestLine_, static_cast<int32_t>(Lines_.Text(i).size()));
    if (ListFull()) {
      GrepAbortFlag() = true;
      status = grepTooManyLines;
    }
  }
  Report(gphDone, 0);
  if (Aborted()) Title_ += "  (Abgebrochen)";
  return status;
}

int32_t TGrepSearch::Collect() {
  const TGrepParam& p = *Param_;
  Files_.clear();
  TDirWalk walk(SplitFileMasks(p.FileMasks), p.Subdirectories,
                [this](const std::string& path, const TGrepFileInfo* info) {
                  Files_.push_back(TCollected{path, info ? *info : TGrepFileInfo{}, info != nullptr});
                  Pump();
                  if (Aborted()) return false;
                  Report(gphCollecting, static_cast<int32_t>(Files_.size()));
                  return true;
                });
  for (const std::string& dir : p.Dirs) {
    if (Aborted()) break;
    if (!walk.Walk(dir)) break;
  }
  if (Aborted() && p.SearchText[0] != 0) return grepAbortedCollecting;
  if (Files_.empty()) return grepNoFileFound;
  return grepOk;
}

void TGrepSearch::SearchFiles() {
  const TGrepParam& p = *Param_;
  const bool withText = p.SearchText[0] != 0;
  const int64_t count = static_cast<int64_t>(Files_.size());
  std::unique_ptr<TGrepReadAhead> ahead;
  if (withText) {
    std::vector<std::string> paths;
    paths.reserve(Files_.size());
    for (const TCollected& f : Files_) paths.push_back(f.Path);
    ahead = std::make_unique<TGrepReadAhead>(std::move(paths), ScreenRequest_, CanScreen_,
                                             ReadAheadThreads);
  }
  for (int64_t i = 0; i < count; ++i) {
    if (withText && Aborted()) break;
    TCollected& file = Files_[static_cast<size_t>(i)];
    if (!withText) {
      struct stat st {};
      if (!file.InfoKnown && stat(file.Path.c_str(), &st) == 0)
        file.Info = GrepFileInfoOf(st.st_size, st.st_mtim.tv_sec);
      Lines_.AddGrepLine(file.Path, gkFile, file.Info, 0, {});
    } else {
      TGrepLoadedFile loaded = ahead->Take(static_cast<size_t>(i), [this] {
        Pump();
        return !Aborted();
      });
      SearchOneFile(file, loaded);
    }
    ++FilesSearched_;
    Report(gphSearching, static_cast<int32_t>(i * 100 / count));
    Pump();
    if (ListFull()) break;
  }
}

void TGrepSearch::SearchOneFile(TCollected& file, TGrepLoadedFile& loaded) {
  if (!loaded.Readable) return;  // cannot be opened: passed over without a word
  if (!loaded.MayHit) return;    // not even a raw match: no hit in any form
  if (!file.InfoKnown) file.Info = GrepFileInfoOf(loaded.Size, loaded.Modified);
  FileLine_ = -1;
  LastHitLine_ = -1;
  LastHitSource_ = -1;
  TTextLines text;
  int32_t longest = 0, lineEnds = 0;
  const int32_t status = LoadTextFile(file.Path.c_str(), text, nullptr, 0, LoadMode, false,
                                      &longest, &lineEnds);
  if (status == tfsOk) {
    SearchTextLines(file, text);
  } else if (status == tfsNotText || status == tfsTooManyLines) {
    // Too many lines for the editor is no reason to miss the file's hits.
    SearchBytes(file, loaded.Bytes);
  }
}

bool TGrepSearch::CountHit(const TCollected& file, uint8_t fileKind) {
  ++Hits_;
  Report(gphHit, Hits_);
  if (FileLine_ < 0) {
    ++FilesWithHits_;
    FileLine_ = Lines_.Count();
    Lines_.AddGrepLine(file.Path, fileKind, file.Info, 0, {});
  }
  if (Param_->Output == 2) return false;
  if (TGrepLineItem* item = Lines_.GrepLineAt(FileLine_)) ++item->File.HitCount;
  return true;
}

void TGrepSearch::SearchTextLines(const TCollected& file, const TTextLines& text) {
  for (int32_t line = 0; line < text.Count(); ++line) {
    // A huge file must not stop the abort from taking effect.
    if ((line & 0xFFFF) == 0xFFFF) {
      Pump();
      if (Aborted()) return;
    }
    const char* s = text.At(line);
    const int32_t length = text.Length(line);
    int32_t column = 0;
    TSearchMatch match;
    while (column <= length &&
           SearchText(s ? s : "", length, Request_, column, &match, *RegExp_)) {
      if (ListFull()) return;
      if (!CountHit(file, gkTextFile)) return;
      if (Param_->Output == 0) {
        TGrepLineItem* last = Lines_.GrepLineAt(LastHitLine_);
        if (last && LastHitSource_ == line) {
          last->Hit.Ranges.push_back(TGrepRange{match.Offset, match.Length});
        } else {
          LastHitLine_ = Lines_.Count();
          LastHitSource_ = line;
          Lines_.AddGrepLine(std::string_view(s ? s : "", static_cast<size_t>(length)),
                             gkTextHit, {}, line, TGrepRange{match.Offset, match.Length});
        }
      }
      // After an empty hit the next search starts one column further.
      column = match.Offset + std::max<int32_t>(match.Length, 1);
    }
  }
}

void TGrepSearch::SearchBytes(const TCollected& file, const std::string& bytes) {
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) return;
  const int32_t size = static_cast<int32_t>(bytes.size());
  const char* data = bytes.data();
  int32_t offset = 0;
  TSearchMatch match;
  while (offset <= size && SearchText(data, size, Request_, offset, &match, *RegExp_)) {
    if (ListFull()) return;
    if (!CountHit(file, gkBinaryFile)) return;
    if (Param_->Output == 0) {
      const int32_t before = std::min(kGrepContextBefore, match.Offset);
      const int32_t shown = std::min(match.Length, kGrepContext - before);
      int32_t after = kGrepContext - before - match.Length;
      if (after < 1) after = 0;
      const int32_t start = match.Offset - before;
      const int32_t end = std::min(size, match.Offset + shown + after);
      std::string context(data + start, static_cast<size_t>(end - start));
      std::replace(context.begin(), context.end(), '\0', ' ');
      Lines_.AddGrepLine(context, gkBinaryHit, {}, match.Offset, TGrepRange{before, shown});
    }
    offset = match.Offset + std::max<int32_t>(match.Length, 1);
  }
}
