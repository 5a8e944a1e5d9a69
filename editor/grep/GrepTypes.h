// The global search's order, its status codes, progress phases and the kinds of hit-list lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/search/SearchRequest.h"
#include "editor/text/TextTypes.h"

inline constexpr int32_t kGrepMasksMax = 80;      // characters, without the terminator
inline constexpr size_t kGrepMaxDirs = 15;
inline constexpr int32_t kGrepMaxLines = 50000;  // the hit list stops growing here
inline constexpr int32_t kGrepContext = 70;      // bytes of a binary hit line
inline constexpr int32_t kGrepContextBefore = 20;
inline constexpr int32_t kGrepWrapCut = 2000;    // hit-line text with window wrap on

// What the search dialog hands to the hit list; the window keeps its own copy.
struct TGrepParam {
  char SearchText[kSearchTextMax + 1] = {};  // empty: list the matching files only
  char FileMasks[kGrepMasksMax + 1] = {};
  bool CaseSensitive = false;
  bool WholeWords = false;
  bool RegularExpression = false;
  bool Subdirectories = false;
  uint8_t Output = 0;  // 0 files and hit lines, 1 files with counts, 2 file names only
  bool Info = false;
  std::vector<std::string> Dirs;  // at most kGrepMaxDirs
};

// Copies a text into one of the order's fixed fields, cut to fit.
template <size_t N>
void SetGrepField(char (&field)[N], const std::string& text) {
  const size_t n = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(field, n);
  field[n] = 0;
}

// Results of a search; the frame turns them into a message and the window's fate.
enum TGrepStatus : int32_t {
  grepOk = 0,
  grepNoOrder = -20,
  grepNoFileMasks = -21,
  grepNoDirectory = -22,
  grepNoFileFound = -23,
  grepNoHit = -24,
  grepAbortedCollecting = -25,
  grepBadRegExp = -26,
  grepTooManyLines = -27,
};

// Progress phases of notification 502.
enum TGrepPhase : int32_t {
  gphStart = 0,       // the frame shows "please wait"
  gphDone = 1,        // files with hits and hit count go to the status bar
  gphCollecting = 2,  // number: files collected so far
  gphHit = 3,         // number: hits so far
  gphSearching = 4,   // number: percentage of the files searched
};

// Kinds of hit-list lines.
enum TGrepKind : uint8_t {
  gkFile = 0,        // a file of the names-only run
  gkTextFile = 1,    // a text file with hits
  gkBinaryFile = 2,  // a file searched as raw bytes, with hits
  gkTextHit = 3,     // one line of a text file (also plain lines added with Add)
  gkBinaryHit = 4,   // one hit in a raw file with its context
};

inline bool IsGrepFileKind(uint8_t kind) { return kind <= gkBinaryFile; }

// File data of kinds 0..2.
struct TGrepFileInfo {
  uint32_t Size = 0;
  uint32_t DosDateTime = 0;  // date in the high word, time in the low word
  uint32_t HitCount = 0;
};

struct TGrepRange {
  int32_t Start = 0;  // column in the line's own text, behind the prefix
  int32_t Length = 0;
  friend bool operator==(const TGrepRange&, const TGrepRange&) = default;
};

// Hit data of kinds 3 and 4.
struct TGrepHitInfo {
  int64_t Position = 0;  // 0-based line index (kind 3) or byte offset (kind 4)
  std::vector<TGrepRange> Ranges;
};

// Packs a time (seconds since 1970, local time) as the directory search gives it.
uint32_t DosDateTimeOf(int64_t secondsSince1970);
// File data from a size and a modification time.
TGrepFileInfo GrepFileInfoOf(int64_t size, int64_t modifiedSeconds);
