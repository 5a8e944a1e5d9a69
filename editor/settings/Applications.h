// The "&Anwendung" menu and starting its applications with the current file, line or
// selection, without a shell.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/frame/AppsList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiTypes.h"

constexpr uint16_t kFirstAppCommand = 209;

// Puts the applications behind "&Installieren ..." (command 208) of the bar's popup: a
// separator and "&n entry" with command 209 + n - 1, when there are any.
void RebuildAppsMenu(platform::TMenu bar, const TAppsList& apps);

// What the placeholders stand for; a missing one becomes empty.
struct TAppContext {
  bool HasFile = false;
  std::string FileName;      // %1
  bool HasLine = false;
  std::string CursorLine;    // %L
  bool HasSelection = false;
  std::string Selection;     // %S
};

// The program and its arguments, each one argument of the started program.
struct TAppCommand {
  std::vector<std::string> Args;  // Args[0] is the program
  std::string WorkingDirectory;   // empty: the current one
};

// Splits the program and the argument template by the command-line rules first and then
// puts the first %1, %L and %S (any case) into the argument they stand in, so a file name
// with blanks, quotes or shell characters stays one argument. An argument that was only
// placeholders and became empty is left out.
TAppCommand BuildAppCommand(const TAppEntry& app, const std::string& arguments,
                            const TAppContext& context);

// Starts the program directly (its working directory set for the child only). 0 when it
// started; otherwise the errno of the failed start.
int32_t SpawnApplication(const TAppCommand& command);

// What starting an application needs from the frame.
struct TAppStartHost {
  platform::TWindow Owner = 0;
  platform::TWindow Active = 0;  // the active document window, 0 for none
  // Saves a window; false when it was not saved.
  std::function<bool(platform::TWindow)> Save;
  // Starts the command; tests replace it. Default: SpawnApplication.
  std::function<int32_t(const TAppCommand&)> Start;
};

// The whole start: the arguments dialog when asked for, the save question for a modified
// file named by %1, the expansion and the start; message 340 when it fails. True when the
// program was started.
bool StartApplication(TAppStartHost& host, const TAppEntry& app);

// The placeholders' values from a document window (text or hex window with a file name for
// %1; cursor line and selection of text windows only).
TAppContext AppContextOf(platform::TWindow window);
