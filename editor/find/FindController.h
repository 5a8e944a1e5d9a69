// The frame's find commands: the one search request, find and find next, replace with and
// without confirmation (also over all documents), multiple replace and go to line.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/find/WindowSearch.h"
#include "editor/frame/IniOptions.h"
#include "platform/ui/UiTypes.h"

class TFindController {
 public:
  // What the controller needs of the frame; set before the first command.
  platform::TWindow Owner = 0;
  platform::TWindow StatusBar = 0;
  TIniOptions* Options = nullptr;
  // The document windows in window order.
  std::function<std::vector<platform::TWindow>()> Documents;
  // Brings a document window to the front.
  std::function<void(platform::TWindow)> Activate;
  // Tells the frame which modeless dialog is open (0 when it closed): meanwhile the frame's
  // commands only beep.
  std::function<void(platform::TWindow)> SetModeless;
  // Lays out the status bar for the active window again after the long-operation text.
  std::function<void()> RestoreStatus;
  // Opens the settings at the page "Mehrfach-Ersetzen"; while unset "Ei&nrichten..." is
  // disabled.
  std::function<void(platform::TWindow dialog)> OpenMultiReplaceSettings;
  // Shows a message; unset: a message box with the caption "Z&K Quellwerk: " and the
  // caption string (icon: 1 information, 2 exclamation, 3 stop).
  std::function<void(std::string_view text, uint32_t captionId, int32_t icon)> Message;
  // Asked after each replacement of a loop without confirmation; unset: the pending input
  // is looked at for the ESCAPE key (the rest of the input is dropped, other messages run).
  std::function<bool()> EscapePressed;

  TFindController();
  ~TFindController();
  TFindController(const TFindController&) = delete;
  TFindController& operator=(const TFindController&) = delete;

  void Find(platform::TWindow active);                     // 176
  void FindNext(platform::TWindow active, bool reverse);  // 177, 186 with reverse
  void Replace(platform::TWindow active);                  // 178
  void MultipleReplace(platform::TWindow active);          // 179
  void GotoLine(platform::TWindow active);                 // 180

  // Find and replace with a request as the dialogs fill it (for callers that have one).
  bool RunFind(platform::TWindow active, const TSearchRequest& request);
  void RunReplace(platform::TWindow active, const TSearchRequest& request);

  // A request exists: find next is available.
  bool HasRequest() const { return State_ != nullptr; }
  // A replace with its confirmation dialog is running.
  bool ReplaceRunning() const { return ReplaceRunning_; }
  const TSearchRequest* Request() const { return State_ ? &State_->Request : nullptr; }

  // Kept until the program ends: the choices of the last multiple replace.
  std::string LastGroup;
  bool MultiFromCursor = false;
  bool MultiSelectionOnly = false;
  bool MultiConfirm = false;

 private:
  struct TLoop;
  enum class TAnswer { None, Yes, No, All, Cancel };

  bool Prepare(platform::TWindow active, bool replace, int32_t* hexSearchLength);
  void ShowMessageBox(std::string_view text, uint32_t captionId, int32_t icon);
  // One window's replace loop; false when the whole command stops.
  bool ReplaceInWindow(platform::TWindow window, TLoop& loop);
  TAnswer AskConfirmation(TLoop& loop);
  void BeginLong(TLoop& loop);
  // Closes the confirmation, restores what a long replace changed, hands on the input held
  // back, and reports the outcome unless the user cancelled.
  void EndCommand(TLoop& loop);
  bool CheckEscape();
  std::string ReplacementFor(platform::TWindow window) const;

  std::unique_ptr<TFindState> State_;
  bool ReplaceRunning_ = false;
};
