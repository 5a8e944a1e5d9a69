// Port set-up, command transactions, identification and connecting.
#include "loader/link/Link.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "resources/krladwin32/Strings.h"

namespace krlad {
namespace {

constexpr uint32_t kAckTimeoutMs = 5000;
constexpr uint32_t kAnswerByteTimeoutMs = 1000;
constexpr uint32_t kDrainReadMs = 10;
constexpr int kDrainReadsMax = 1000;
constexpr uint32_t kSwitchOffBreakMs = 1500;
constexpr int kAcksForSync = 15;
constexpr int kAttemptsPerSpeed = 9;
constexpr int kFailedIdsMax = 10;

// Identification text: the answer bytes up to a NUL.
std::string AnswerText(std::span<const uint8_t> answer) {
  std::string text(answer.begin(), answer.end());
  if (size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace

std::string FormatText(uint32_t id, ...) {
  std::string format(LoadResString(id));
  va_list args;
  va_start(args, id);
  va_list copy;
  va_copy(copy, args);
  int size = std::vsnprintf(nullptr, 0, format.c_str(), copy);
  va_end(copy);
  std::string out(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(out.data(), out.size() + 1, format.c_str(), args);
  va_end(args);
  return out;
}

TLink::TLink(platform::TComPort& port, TLinkStatus& status) : Port_(port), Status_(status) {
  Port_.SetCancelFlag(&Status_.CancelFlag());
}

TLink::~TLink() { Close(); }

void TLink::Close() {
  Port_.Close();
  Connected_ = false;
}

uint32_t TLink::Timeout(uint32_t ms) const {
  if (TimeScale_ == 1.0) return ms;
  return std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(ms * TimeScale_)));
}

int32_t TLink::OpenAtSpeed(int32_t port, int32_t speedIndex) {
  platform::TPortSettings settings;
  settings.Port = port <= 0 ? 1 : port;
  settings.Baud = kLinkSpeeds[static_cast<size_t>(std::clamp(speedIndex, 0, 2))];
  if (Port_.IsOpen() && Port_.Settings() == settings) return 0;
  Connected_ = false;
  if (Port_.Open(settings) != platform::kPortOk) {
    ReportError(idsErrPort, FormatText(idsErrPort, settings.Port));
    return -2;
  }
  Port_.SetDtr(false);
  Port_.SetRts(true);
  char portText[32];
  std::snprintf(portText, sizeof portText, "COM%i", static_cast<int>(settings.Port));
  Show(sfPort, portText);
  Show(sfSpeed, FormatText(idsBaud, static_cast<unsigned long>(settings.Baud)));
  return 0;
}

int32_t TLink::WaitSent() {
  while (Port_.OutQueue() > 0)
    if (Port_.Wait(1) != platform::kPortOk) return platform::kPortCancelled;
  return Port_.PollCancel();
}

int32_t TLink::Transact(TCommandCode code, bool answer) {
  const auto frame = MakeCommandFrame(code);
  return Transact(frame, answer);
}

int32_t TLink::Transact(std::span<const uint8_t> frame, bool answer) {
  AnswerLength_ = 0;
  if (!Port_.IsOpen()) return 1;
  if (Port_.Wait(10) != platform::kPortOk) return 1;
  Port_.PurgeOutput();
  Port_.PurgeInput();
  if (Port_.Write(frame.data(), static_cast<int32_t>(frame.size())) !=
      static_cast<int32_t>(frame.size()))
    return 1;
  if (WaitSent() != platform::kPortOk) return 1;
  if (Port_.ReadByte(Timeout(kAckTimeoutMs)) != ACK) return 1;
  if (!answer) return 0;

  const uint32_t byteTimeout = Timeout(kAnswerByteTimeoutMs);
  if (Port_.ReadByte(byteTimeout) != STX) return 1;
  int32_t len = Port_.ReadByte(byteTimeout);
  if (len <= 2) return 1;  // also a time-out or a cancel
  int32_t notLen = Port_.ReadByte(byteTimeout);
  if (notLen < 0 || notLen != (~len & 0xFF)) return 1;
  uint8_t check = static_cast<uint8_t>(STX ^ len ^ notLen);
  const size_t count = static_cast<size_t>(len - 3);
  for (size_t i = 0; i < count; ++i) {
    int32_t b = Port_.ReadByte(byteTimeout);
    if (b < 0) return 1;
    Answer_[i] = static_cast<uint8_t>(b);
    check = static_cast<uint8_t>(check ^ b);
  }
  if (Port_.ReadByte(byteTimeout) != check) return 1;
  AnswerLength_ = count;
  return 0;
}

int32_t TLink::QueryIdentification(bool skipFirst, bool singleTry) {
  std::string first;
  if (!skipFirst) {
    const int tries = singleTry ? 1 : 3;
    for (int i = 0; i < tries && !Status_.Cancelled(); ++i) {
      if (Transact(cmdDriverInfo, true) == 0 && AnswerLength_ >= 5) {
        first = AnswerText(Answer());
        size_t cut = first.find("an");
        if (cut == std::string::npos) cut = first.find("for");
        if (cut != std::string::npos) first.resize(cut);
        while (!first.empty() && first.back() == ' ') first.pop_back();
        break;
      }
    }
  }
  if (Status_.Cancelled()) return 1;
  if (Transact(cmdSecondId, true) != 0 || AnswerLength_ < 3) return 1;
  DeviceName_ = first + "/" + AnswerText(Answer());
  Show(sfConnectedTo, DeviceName_);
  return 0;
}

void TLink::DrainInput() {
  for (int i = 0; i < kDrainReadsMax; ++i)
    if (Port_.ReadByte(kDrainReadMs) < 0) break;
}

// One attempt: the synchronise frame again and again until it is not acknowledged;
// good only after enough acknowledges in a row.
int32_t TLink::SyncAttempt() {
  for (int acked = 0; acked < kAcksForSync; ++acked)
    if (Transact(cmdSync, false) != 0) return 1;
  return 0;
}

int32_t TLink::Connect(int32_t port, int32_t switchOffMethod, uint32_t flags) {
  if (Connected_ && Port_.IsOpen()) {
    Show(sfStatus, LoadResString(idsWaitActivity));
    while (Transact(cmdSync, false) != 0)
      if (Port_.Wait(WaitTime()) != platform::kPortOk) return 1;
    return 0;
  }
  Connected_ = false;
  if (OpenAtSpeed(port, kSpeed38400) != 0) return -1;
  if (flags & cfPortOnly) return 0;
  DrainInput();
  if (switchOffMethod != 0) {
    Show(sfStatus, LoadResString(idsSwitchOff));
    if (switchOffMethod == 1) {
      Show(sfAction, FormatText(idsActMethod, static_cast<int>(switchOffMethod)));
      if (Port_.SendBreak(kSwitchOffBreakMs) != platform::kPortOk) return 1;
    }
  }
  Show(sfAction, LoadResString(idsActConnect));
  Show(sfStatus, LoadResString(idsConnecting));

  int failedIds = 0;
  for (int32_t speed = kSpeed38400; speed >= kSpeed9600; --speed) {
    if (speed != kSpeed38400 && OpenAtSpeed(port, speed) != 0) return -1;
    for (int attempt = 0; attempt < kAttemptsPerSpeed; ++attempt) {
      if (Status_.Cancelled()) return 1;
      if (SyncAttempt() != 0) continue;
      if (QueryIdentification(false, (flags & cfSingleIdTry) != 0) == 0) {
        WaitTime_ = 0;
        Connected_ = true;
        return 0;
      }
      if (Status_.Cancelled() || ++failedIds > kFailedIdsMax) return 1;
      attempt = -1;  // a device that syncs but does not identify gets a fresh set of attempts
    }
  }
  return 1;
}

int32_t TLink::WaitForDevice(int32_t port) {
  if (OpenAtSpeed(port, kSpeed38400) != 0) return -1;
  while (Transact(cmdSync, false) != 0)
    if (Port_.Wait(100) != platform::kPortOk) return 1;
  if (QueryIdentification(true, false) != 0) return 1;
  WaitTime_ = 0;
  Connected_ = true;
  return 0;
}

}  // namespace krlad
