// The device link: port set-up, command frames with acknowledge and answer, connecting
// with fall-back speeds, and files sent or received as blocks.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "loader/link/Frames.h"
#include "loader/link/LinkStatus.h"
#include "platform/serial/ComPort.h"

namespace krlad {

// Speeds by speed index.
inline constexpr std::array<uint32_t, 3> kLinkSpeeds{9600, 19200, 38400};
enum : int32_t { kSpeed9600 = 0, kSpeed19200 = 1, kSpeed38400 = 2 };

// Connect flags.
enum : uint32_t {
  cfSingleIdTry = 1,  // ask for the driver identification once only
  cfPortOnly = 8,     // open the port and stop
};

// Size hints of a receive that the first block refines.
enum : int32_t { kHintDataRecord = -10, kHintRecipe = -11, kHintVideo = -12 };

// The total size the first received block announces for a negative hint; -1 when it
// announces none.
int64_t RefineSizeHint(int32_t hint, std::span<const uint8_t, kBlockData> firstBlock);

// Progress steps of a transfer of `bytes`: one per block plus one.
int32_t BlocksForSize(int64_t bytes);

class TLink {
 public:
  TLink(platform::TComPort& port, TLinkStatus& status);
  ~TLink();
  TLink(const TLink&) = delete;
  TLink& operator=(const TLink&) = delete;

  // Opens COMn at kLinkSpeeds[speedIndex], unless it is already open with exactly these
  // settings. 0, or -2 after reporting error 1001.
  [[nodiscard]] int32_t OpenAtSpeed(int32_t port, int32_t speedIndex);

  // Sends one command frame and reads the acknowledge and, if `answer`, the answer frame
  // into Answer(). 0 success, 1 failure (also when cancelled).
  [[nodiscard]] int32_t Transact(std::span<const uint8_t> frame, bool answer);
  [[nodiscard]] int32_t Transact(TCommandCode code, bool answer);

  // 0 connected, 1 the device did not answer (or the user cancelled), -1 port error.
  [[nodiscard]] int32_t Connect(int32_t port, int32_t switchOffMethod, uint32_t flags);

  // After a power cycle: sync until acknowledged, then the identification without the
  // first text. 0 success, 1 failure, -1 port error.
  [[nodiscard]] int32_t WaitForDevice(int32_t port);

  // Driver information (unless skipped) and the second identification text; shows
  // "first/second" as the connected device. 0 or 1.
  [[nodiscard]] int32_t QueryIdentification(bool skipFirst, bool singleTry);

  // Sends an open file from its start as blocks. 0 success, 1 failure.
  [[nodiscard]] int32_t SendFile(int32_t file, bool recordMode);
  // Receives blocks into a freshly created file. 0 success, 1 failure.
  [[nodiscard]] int32_t ReceiveFile(int32_t file, int32_t sizeHint);

  std::span<const uint8_t> Answer() const { return {Answer_.data(), AnswerLength_}; }
  bool Connected() const { return Connected_; }
  const std::string& DeviceName() const { return DeviceName_; }
  platform::TComPort& Port() { return Port_; }
  void Close();

  // Time between polls while re-synchronising (0 = 100 ms).
  void SetWaitTime(uint32_t ms) { WaitTime_ = ms; }

  // Tests shorten every time-out of the protocol by this factor; the program never
  // calls it, so shipped time-outs stay as they are.
  void SetTimeScaleForTests(double scale) { TimeScale_ = scale; }

 private:
  uint32_t Timeout(uint32_t ms) const;
  uint32_t WaitTime() const { return WaitTime_ ? WaitTime_ : 100; }
  int32_t WaitSent();
  int32_t SyncAttempt();
  void DrainInput();
  void Show(TStatusField field, std::string_view text) { Status_.SetText(field, text); }
  void ReportError(uint32_t id, const std::string& text) { Status_.Message('E', id, text); }
  int32_t ReadReply();

  platform::TComPort& Port_;
  TLinkStatus& Status_;
  bool Connected_ = false;
  uint32_t WaitTime_ = 0;
  double TimeScale_ = 1.0;
  std::array<uint8_t, kMaxAnswer> Answer_{};
  size_t AnswerLength_ = 0;
  std::string DeviceName_;
};

// A string-table text filled like printf.
std::string FormatText(uint32_t id, ...);

}  // namespace krlad
