// The single-instance hand-over: a second start leaves its request in the user's shared
// block "ZKEditXX.MMF" and sends one message over the user's socket; the running instance
// takes it on its user-interface thread and answers before the second start ends.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "editor/frame/StartupRequest.h"
#include "platform/ipc/InstanceChannel.h"
#include "platform/ui/UiTypes.h"

constexpr const char* kHandOverBlock = "ZKEditXX.MMF";
// Request bytes on the socket.
constexpr uint8_t kHandOverActivate = 'A';  // bring the frame up; answer 1 if it was minimised
constexpr uint8_t kHandOverRequest = 'R';   // a TStartupRequest waits in the shared block

// Posted to the frame when a hand-over waits; the frame calls THandOver::Take.
constexpr uint32_t wm_HandOverPending = platform::WM_USER + 804;

// The socket of the user's running editor.
std::string HandOverSocketPath();

// The second start's side: 0 when a running instance took the command line (or was only
// brought up because the line names no file), -1 when none answers. A request that finds
// another hand-over in progress is dropped (0).
int32_t HandOverToRunning(const std::string& socketPath, TStartupRequest request);

// The running instance's side.
class THandOver {
 public:
  explicit THandOver(platform::TWindow frame) : Frame_(frame) {}
  // Listens on the path; the result of TInstanceServer::Start.
  int32_t Start(const std::string& socketPath);
  // No more requests: a waiting one is answered with 0; the listener ends.
  void Stop();
  // On the user-interface thread (wm_HandOverPending): runs the waiting request.
  void Take();

 private:
  uint8_t Deliver(uint8_t kind);  // on the listener thread
  platform::TWindow Frame_;
  platform::TInstanceServer Server_;
  std::mutex Lock_;
  std::condition_variable Done_;
  bool Pending_ = false;
  bool Finished_ = false;
  bool Closing_ = false;
  uint8_t Kind_ = 0;
  uint8_t Answer_ = 0;
  TStartupRequest Request_{};
};
