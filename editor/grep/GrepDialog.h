// The dialog "Globale Suche (Grep)": text, file masks, directory list, options, the
// nine stored configurations.
#pragma once

#include <cstdint>

#include "editor/grep/GrepTypes.h"
#include "platform/ui/UiTypes.h"

struct TIniOptions;
namespace platform {
class TProfileFile;
}

// Control ids of the dialog.
enum : int32_t {
  kGdText = 401,
  kGdMasks = 402,
  kGdDirList = 403,
  kGdAdd = 404,
  kGdRemove = 405,
  kGdRemoveAll = 406,
  kGdHistDirs = 407,
  kGdCase = 408,
  kGdWords = 409,
  kGdRegex = 410,
  kGdSubdirs = 411,
  kGdOutHits = 412,
  kGdOutCounts = 413,
  kGdOutNames = 414,
  kGdInfo = 415,
  kGdConfigLabel = 416,
  kGdConfigNumber = 417,
  kGdStore = 420,       // "&0"
  kGdLoadFirst = 421,   // "&1" .. "&9": 421 .. 429
};

// Runs the dialog with the last options and histories of `options`; on "&Suche starten"
// fills `order`, remembers options and histories and answers true. Configurations are read
// from and stored in `profile` (none without it).
bool RunGrepDialog(platform::TWindow owner, TIniOptions& options, platform::TProfileFile* profile,
                   TGrepParam& order);
