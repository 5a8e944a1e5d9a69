// The dialogs of the remembered files: recent and frequent files, file groups, the special
// help files; and the recent files' menu texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/frame/FileList.h"
#include "editor/frame/IniOptions.h"
#include "platform/ui/UiTypes.h"

// What the dialogs need from the frame.
struct TFileListsHost {
  platform::TWindow Owner = 0;
  TFileLists* Lists = nullptr;
  TIniOptions* Options = nullptr;  // filters of the file dialogs, the help files
  // The active text or hex window's file and position; false when there is none.
  std::function<bool(TFileListEntry&)> QueryActiveFile;
  // Opens a file at a stored position (`force`: even without "an letzte Cursorposition").
  std::function<void(const TFileListEntry&, bool force)> OpenFileAt;
  // The files of all open text and hex windows with their current positions.
  std::function<std::vector<TFileListEntry>()> OpenFiles;
  // The recent files changed (the menus are rebuilt).
  std::function<void()> RecentChanged;
};

// "Zuletzt geöffnete Dateien" (frequent false) or "Häufig bearbeitete Dateien".
intptr_t RunFileListDialog(TFileListsHost& host, bool frequent);
// File groups, in opening mode or (setup) in set-up mode.
intptr_t RunFileGroupDialog(TFileListsHost& host, bool setup);
// "Zusätzliche Hilfedatei".
intptr_t RunHelpFilesDialog(TFileListsHost& host);

// Shortens a path to `maxWidth` by leaving out directories after the first one, shown as
// "/.../"; the file name always stays.
std::string ShortenPath(std::string_view path, int32_t maxWidth,
                        const std::function<int32_t(std::string_view)>& width);
// "&n " and the path shortened to a third of the screen width plus 100 pixels, every "&"
// of the path doubled so that it shows as itself.
std::string RecentMenuText(size_t index, std::string_view path);
// The width of a text in the menus' font.
int32_t MenuTextWidth(std::string_view text);
