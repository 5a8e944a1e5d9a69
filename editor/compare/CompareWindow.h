// What the frame calls of the file compare: the command that starts a comparison, the
// commands of a compare window, its menu check marks, the status text of its count and
// showing the compared files for a go-to request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "editor/compare/CompareRun.h"
#include "editor/views/DiffTypes.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiTypes.h"

struct TIniOptions;
namespace platform {
class TProfileFile;
}

// What a compare window needs of the frame.
struct TCompareHost {
  platform::TWindow Frame = 0;
  platform::TWindow Client = 0;
  TIniOptions* Options = nullptr;          // compare font and colours, tab width, histories
  platform::TProfileFile* Profile = nullptr;  // defaults of new windows; may be null
  int32_t* Counter = nullptr;              // numbers the window titles; may be null
  TCompareRunHooks Run;                    // keep-alive settings of the comparison
};

// Command 184: the dialog, then the comparison and its window. The window, or 0 when the
// dialog was cancelled, the comparison failed (message shown) or was cancelled.
platform::TWindow RunCompareCommand(const TCompareHost& host);
// The comparison and its window without the dialog.
platform::TWindow OpenCompareWindow(const TCompareHost& host, const TDiffExtraData& extra);

// Commands 904 to 909 for a compare window; a beep for other windows and while the
// window compares.
void CompareWindowCommand(platform::TWindow window, uint16_t command);
// Check marks of 908 (one above the other) and 909 (only differences) in a popup.
void CheckCompareMenuItems(platform::TWindow window, platform::TMenu popup);
// The status text of a count of difference rows (602).
std::string CompareCountText(int32_t count);

// Opens (or finds) an editor window on a file at a 0-based line: the window and whether
// it was opened now.
using TOpenAtLine = std::function<std::pair<platform::TWindow, bool>(const std::string&, int32_t)>;
// Request 601: both wanted files shown at their lines; when a window was opened, the
// other windows are minimised and the files' windows tiled one above the other; the
// first file's window ends active.
void ShowComparedFiles(platform::TWindow client, const TGotoDiffParam& request,
                       const TOpenAtLine& open);
