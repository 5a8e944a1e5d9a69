// The editor's MDI frame: what it owns (settings, lists, bars, menus, global modes) and the
// operations its window procedure, its commands and the start-up call.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/frame/FileList.h"
#include "editor/frame/IniOptions.h"
#include "editor/frame/StartupRequest.h"
#include "editor/search/SyntaxColorInfo.h"
#include "platform/profile/ProfileFile.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiTypes.h"

// Private messages of the frame.
constexpr uint32_t wm_SettingsChanged = platform::WM_USER + 201;
constexpr uint32_t wm_OpenFileAt = platform::WM_USER + 301;
constexpr uint32_t wm_QueryActiveFile = platform::WM_USER + 302;
constexpr uint32_t wm_RefreshRecentMenu = platform::WM_USER + 303;
// wParam the slot 0..9, lParam 1 copy into it / 0 insert it.
constexpr uint32_t wm_ExtClipboardSlot = platform::WM_USER + 321;
constexpr uint32_t wm_StartupOpen = platform::WM_USER + 800;
constexpr uint32_t wm_RemoteCommandLine = platform::WM_USER + 801;
constexpr uint32_t wm_CheckFileTimes = platform::WM_USER + 802;
// Sent by the hand-over listener before a remote command line: bring the frame up and
// answer 1 when it was minimised.
constexpr uint32_t wm_RemoteActivate = platform::WM_USER + 803;

constexpr const char* kFrameClass = "ZKEdit32";
constexpr int32_t kMdiClientId = 1000;
constexpr int32_t kToolBarId = 1010;
constexpr int32_t kStatusBarId = 1020;
constexpr uint32_t kFirstWindowCommand = 380;

// lParam of wm_OpenFileAt and wm_QueryActiveFile.
struct TFileAtRequest {
  std::string FileName;
  TFilePosition Position;
};

class TFrame {
 public:
  TFrame();
  ~TFrame();
  TFrame(const TFrame&) = delete;
  TFrame& operator=(const TFrame&) = delete;

  // Settings file (read from `Profile.Path()`, written to its write path), help and colour
  // files; filled by the start-up before Create.
  std::unique_ptr<platform::TProfileFile> Profile = std::make_unique<platform::TProfileFile>();
  std::string HelpFile;
  std::string ColorFile;
  TSettingsEnvironment Environment;
  std::vector<std::string> Args;  // the own command line, without the program name

  TIniOptions Options;
  TFileLists Lists;
  bool SettingsReadFailed = false;

  platform::TWindow Window = 0;
  platform::TWindow Client = 0;
  platform::TWindow ToolBar = 0;
  platform::TWindow StatusBar = 0;
  platform::TMenu MenuNoDocuments = 0;
  platform::TMenu MenuDocuments = 0;
  uint8_t StatusKind = 0xFF;  // the layout shown; switched only when the kind changes
  int32_t Untitled = 1;       // shared by new text and hex windows
  int32_t CompareCounter = 1;
  bool SingleWindow = false;
  bool ColumnBlockMode = false;
  int32_t ClosedByCloseAll = 0;
  platform::TWindow Modeless = 0;  // the one modeless dialog, 0 for none
  bool DosDefault = false;         // while a /D request is processed
  bool MailAvailable = false;
  bool ShutdownDone = false;
  bool CheckingFileTimes = false;
  int32_t Dpi = 96;
  // Font and brush handed to text windows (the frame owns them).
  platform::TFont TextFont = 0;
  platform::TBrush TextBrush = 0;
  // Where the program starts other programs (xdg-open, xdg-email); tests replace it.
  std::function<int32_t(const std::vector<std::string>&)> Spawn;

  // Registers the classes and creates the frame window (hidden); false on failure.
  [[nodiscard]] bool Create();
  // Shows the frame as the settings say.
  void Show();
  // Settings and lists written once; a failure is reported with message 33.
  void Shutdown();

  // Document windows.
  platform::TWindow Active(bool* maximized = nullptr) const;
  std::vector<platform::TWindow> Documents() const;
  platform::TWindow CreateDocumentWindow(uint8_t kind, const std::string& fileName,
                                         const platform::TRect* place, bool readOnly,
                                         int32_t param = 0);
  // The window's load status turned into messages; the result of the table (0 kept, 1 try
  // hex, 2 convert NULs, negative: destroyed).
  int32_t ReportChildStatus(platform::TWindow window, int32_t status, int32_t attempt,
                            uint8_t kind, const std::string& fileName);
  platform::TWindow OpenFile(const std::string& name, bool readOnly,
                             const TFilePosition* position, bool forcePosition);
  platform::TWindow FindDocument(const std::string& fullPath) const;
  void ProcessRequest(const TStartupRequest& request);
  // The syntax-colouring definition for a file name; false when colouring is off or the
  // extension is unknown.
  bool FindSyntax(const std::string& fileName, TSyntaxColorInfo& out) const;

  // Saving and closing (FrameSave.cpp). Each true when done.
  bool Save(platform::TWindow window);
  bool SaveAs(platform::TWindow window, bool selection);
  bool SaveToName(platform::TWindow window, const std::string& name, int32_t format,
                  bool selection);
  bool SaveAll();
  // The close prompt: true when the window may close.
  bool QueryClose(platform::TWindow window);
  // Closes one window through its own close path.
  bool CloseDocument(platform::TWindow window);
  bool CloseAll();
  void CheckFileTimes();
  // Printing (FrameCommands.cpp): the print command for the active window with the page count
  // the preview knows (-1: none), the preview, and all pages without a dialog (/P).
  void PrintActive(int32_t pageCount);
  void PreviewActive();
  void PrintAllActive();
  // Hand-over requests from a second start, taken on the user-interface thread.
  std::shared_ptr<class THandOver> HandOver;
  // Printing and preview (editor/print), made on the first print command.
  std::shared_ptr<class TEditorPrinting> Printing;
  // Find, replace and go to line with the one search request (made at the first use).
  std::shared_ptr<class TFindController> Finder;
  // The ten slots of the extended clipboard, kept while the program runs.
  std::shared_ptr<class TExtClipboard> ExtClipboard;
  // The program's own messages (timers, recovery) before the frame's handling; true when
  // handled.
  std::function<bool(uint32_t message, uintptr_t wParam, intptr_t lParam)> ProgramHook;
  // The close prompt's text for a window.
  std::string ClosePromptName(platform::TWindow window) const;

  // Commands (FrameCommands.cpp).
  void Command(uint16_t command);
  bool IsAvailable(uint16_t command) const;
  // wm_ExtClipboardSlot: the active window's selection into the slot (copy) or the slot
  // into the active window; true when something happened.
  bool ExtClipboardSlot(int32_t slot, bool copy);
  // Menus, tool bar and status bar for the active window (or none).
  void ActiveChanged();
  void UpdateStatus();
  void IdleStep();
  void InitMenuPopup(platform::TMenu popup);
  void MenuSelect(uint16_t command, uint32_t flags);
  void ChildNotify(uint32_t code, const struct TChildNotify* notify, intptr_t lParam,
                   intptr_t& answer);
  void RebuildRecentMenus();
  void Layout();
  void ApplyGlobalModes(platform::TWindow window);
  // wm_SettingsChanged: a group of settings re-applied to every window (the value of a
  // single text-editor option in `value`).
  void SettingsChanged(int32_t group, intptr_t value);
  std::string ToolBarLayoutString() const;
};

// The frame behind a frame window; null for other windows.
TFrame* FrameOf(platform::TWindow window);
intptr_t FrameWindowProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam);
// A document window's title without the modified mark.
std::string DocumentTitle(platform::TWindow window);
// The hint of a menu command as WM_MENUSELECT shows it.
std::string MenuHint(uint16_t command, bool mailAvailable);
