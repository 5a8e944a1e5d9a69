// Recovery copies of unsaved documents: written every few seconds while a document has
// unsaved changes, and at once on SIGTERM or SIGHUP (the program then ends without asking);
// offered for restoring at the next start. Kept in $XDG_STATE_HOME/zkedit32 (mode 0700).
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <thread>

#include "platform/ui/UiTypes.h"

class TFrame;

// One recovery copy on disk: "ZKREC1\n", the original file name (empty for an untitled
// document), "\n", the window title, "\n", then the text with CR LF line ends.
struct TRecoveryCopy {
  std::string FileName;
  std::string Title;
  std::string Text;
};
std::string FormatRecoveryCopy(const TRecoveryCopy& copy);
// False for anything that is not a recovery copy.
bool ParseRecoveryCopy(std::string_view bytes, TRecoveryCopy& copy);

// The directory of the copies; empty when none can be made private to the user.
std::string RecoveryDirectory();

constexpr uint32_t wm_RecoverAndQuit = platform::WM_USER + 810;

class TRecovery {
 public:
  explicit TRecovery(TFrame& frame, std::string directory = RecoveryDirectory());
  ~TRecovery();
  TRecovery(const TRecovery&) = delete;
  TRecovery& operator=(const TRecovery&) = delete;

  // Copies of earlier sessions (of no running process): asks, then restores them into new
  // windows and removes them, or removes them on No.
  void OfferRestore();
  // Saves of earlier sessions that were cut off while they rewrote a file in place: asks
  // whether to put the kept old content back (Yes), keep the file as it is (No) or ask again
  // at the next start (Cancel).
  void OfferInterruptedSaves();
  // Writes the copies of all documents with unsaved changes (and removes those of saved
  // ones); what the timer and the signals run.
  void WriteCopies();
  // Ends the signal watcher.
  void Stop();
  // Removes this session's copies (after a normal end, every document was saved or
  // discarded by the user's word). Kept after a signal.
  void Clear();
  bool Terminated() const { return Terminated_; }
  // Runs on the user-interface thread for wm_RecoverAndQuit.
  void RecoverAndQuit();

 private:
  TFrame& Frame_;
  std::string Dir_;
  std::map<platform::TWindow, std::pair<std::string, uint64_t>> Written_;  // path, hash
  int32_t Counter_ = 0;
  bool Terminated_ = false;
  std::thread Watcher_;
};
