// Records and codes that the file compare exchanges with its dialog, window and the frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"

// Results of a comparison; lower layers report them, the window turns them into messages.
enum TCompareStatus : int32_t {
  csOk = 0,
  csCannotRead = -40,    // a file cannot be opened or is not a text file
  csNoLineRecord = -41,  // a line record could not be made
  csNoMemory = -42,      // any other memory shortage
  csCancelled = -43,     // the keep-alive asked to stop (Escape, window gone)
};

// Notification codes of a compare window to the frame.
constexpr int32_t cnGotoDiff = 601;   // with a TGotoDiffParam
constexpr int32_t cnDiffCount = 602;  // with the number of difference rows

// How two lines are compared.
struct TDiffOptions {
  bool IgnoreSpaces = false;      // blanks and tabs do not count
  bool IgnoreBlankLines = false;  // lines of only blanks and tabs do not count
  bool IgnoreCase = false;        // letters and the umlauts of both code pages fold
};

// What the compare dialog edits.
struct TCompareParam {
  std::vector<std::string> FirstHistory;
  std::vector<std::string> SecondHistory;
  std::string FirstFile;
  std::string SecondFile;
  uint8_t IgnoreSpaces = 0;
  uint8_t IgnoreBlankLines = 0;  // kept in the record; the dialog does not show it
  uint8_t IgnoreCase = 0;
};

enum TDiffLayout : uint8_t { dlSideBySide = 0, dlAboveEachOther = 1 };

// The creation record of a compare window.
struct TDiffExtraData {
  std::string FirstFile;
  std::string SecondFile;
  uint8_t Layout = dlSideBySide;
  uint8_t OnlyDifferences = 0;
  uint8_t IgnoreSpaces = 0;
  uint8_t IgnoreBlankLines = 0;
  uint8_t IgnoreCase = 0;
};

inline TDiffOptions OptionsOf(const TDiffExtraData& d) {
  return TDiffOptions{d.IgnoreSpaces != 0, d.IgnoreBlankLines != 0, d.IgnoreCase != 0};
}

// A request to the frame to show the compared files at given lines.
struct TGotoDiffParam {
  platform::THandle Window = 0;  // the compare window
  std::string FirstFile;
  std::string SecondFile;
  int32_t FirstLine = -1;   // -1: not wanted
  int32_t SecondLine = -1;  // -1: not wanted
};
