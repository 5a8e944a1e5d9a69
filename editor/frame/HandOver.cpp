// Both sides of the single-instance hand-over.
#include "editor/frame/HandOver.h"

#include <chrono>

#include "editor/frame/Frame.h"
#include "platform/ui/MessageLoop.h"

using namespace platform;

std::string HandOverSocketPath() {
  std::string dir = PrivateRuntimeDirectory("zkedit32");
  return dir.empty() ? std::string() : dir + "/zkedit32.sock";
}

int32_t HandOverToRunning(const std::string& socketPath, TStartupRequest request) {
  int32_t minimized = SendInstanceRequest(socketPath, kHandOverActivate);
  if (minimized < 0) return -1;
  if (!request.FileName[0] && !request.GroupName[0]) return 0;
  request.WasMinimized = minimized == 1;
  request.OwnStartup = 0;
  TSharedBlock block;
  // 1: another hand-over is running; its block is left alone and this line dropped.
  if (block.Create(kHandOverBlock, sizeof request) != 0) return 0;
  if (!block.Write(&request, sizeof request)) return 0;
  (void)SendInstanceRequest(socketPath, kHandOverRequest);
  block.Close();
  return 0;
}

int32_t THandOver::Start(const std::string& socketPath) {
  return Server_.Start(socketPath, [this](uint8_t kind) { return Deliver(kind); });
}

void THandOver::Stop() {
  {
    std::lock_guard<std::mutex> lock(Lock_);
    Closing_ = true;
  }
  Done_.notify_all();
  Server_.Stop();
}

uint8_t THandOver::Deliver(uint8_t kind) {
  TStartupRequest request{};
  if (kind == kHandOverRequest) {
    TSharedBlock block;
    if (!block.Open(kHandOverBlock, sizeof request) || !block.Read(&request, sizeof request)) return 0;
  } else if (kind != kHandOverActivate) {
    return 0;
  }
  std::unique_lock<std::mutex> lock(Lock_);
  if (Closing_ || Pending_) return 0;
  Pending_ = true;
  Finished_ = false;
  Kind_ = kind;
  Request_ = request;
  if (!PostMessage(Frame_, wm_HandOverPending, 0, 0)) {
    Pending_ = false;
    return 0;
  }
  // Like a sent message: the second start waits until the frame has handled it.
  Done_.wait_for(lock, std::chrono::seconds(30), [this] { return Finished_ || Closing_; });
  uint8_t answer = Finished_ ? Answer_ : 0;
  Pending_ = false;
  return answer;
}

void THandOver::Take() {
  uint8_t kind;
  TStartupRequest request;
  {
    std::lock_guard<std::mutex> lock(Lock_);
    if (!Pending_ || Finished_) return;
    kind = Kind_;
    request = Request_;
  }
  uint8_t answer = 0;
  if (kind == kHandOverActivate) {
    answer = static_cast<uint8_t>(SendMessage(Frame_, wm_RemoteActivate, 0, 0));
  } else {
    answer = static_cast<uint8_t>(SendMessage(Frame_, wm_RemoteCommandLine, 0, reinterpret_cast<intptr_t>(&request)));
  }
  {
    std::lock_guard<std::mutex> lock(Lock_);
    Answer_ = answer;
    Finished_ = true;
  }
  Done_.notify_all();
}
