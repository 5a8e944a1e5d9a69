// A serial port as the device link sees it: line operations with time-outs and a cancel flag.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace platform {

// Line settings; compared as a whole to decide whether a port must be reopened.
struct TPortSettings {
  int32_t Port = 1;  // COMn, counted from 1
  uint32_t Baud = 38400;
  char Parity = 'N';  // 'N', 'E' or 'O'
  uint8_t DataBits = 8;
  uint8_t StopBits = 2;
  friend bool operator==(const TPortSettings&, const TPortSettings&) = default;
};

// Status codes of the line operations.
enum : int32_t {
  kPortOk = 0,
  kPortFailed = -1,
  kPortOpenFailed = -2,
  kPortTimeout = -3,
  kPortCancelled = -4,
};

// The device that stands for "COMn": the environment variable ZK_COMn when set, else
// /dev/ttyS<n-1>. Port 0 is taken as 1.
std::string ComPortDevice(int32_t port);

// The operations in the order the link uses them. Every wait polls the cancel flag.
class TComPort {
 public:
  virtual ~TComPort() = default;

  // Closes the port if open and opens it with `settings`: 0 or kPortOpenFailed.
  [[nodiscard]] virtual int32_t Open(const TPortSettings& settings) = 0;
  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;
  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;
  // Holds the line in the break state for `ms`; 0 or kPortCancelled.
  [[nodiscard]] virtual int32_t SendBreak(uint32_t ms) = 0;
  // Bytes written and not yet sent; bytes received and not yet read.
  virtual int32_t OutQueue() = 0;
  virtual int32_t InQueue() = 0;
  // Reads up to `count` bytes. The deadline starts at `timeoutMs` and moves to
  // `timeoutMs` from now whenever bytes arrive. Returns the bytes read (possibly fewer)
  // or kPortCancelled.
  [[nodiscard]] virtual int32_t Read(uint8_t* buffer, int32_t count, uint32_t timeoutMs) = 0;
  // One byte 0..255, kPortTimeout or kPortCancelled.
  [[nodiscard]] virtual int32_t ReadByte(uint32_t timeoutMs) = 0;
  // `count` when all bytes were queued, else kPortFailed.
  [[nodiscard]] virtual int32_t Write(const uint8_t* bytes, int32_t count) = 0;
  [[nodiscard]] virtual int32_t WriteByte(uint8_t byte) = 0;
  virtual void Close() = 0;
  // 0, or kPortCancelled once the user has cancelled.
  [[nodiscard]] virtual int32_t PollCancel() = 0;
  // Waits `ms`; 0, or kPortCancelled as soon as the user cancels.
  [[nodiscard]] virtual int32_t Wait(uint32_t ms) = 0;

  virtual bool IsOpen() const = 0;
  const TPortSettings& Settings() const { return Settings_; }

  // The flag the user interface sets to cancel; null means never cancelled.
  void SetCancelFlag(const std::atomic<bool>* flag) { Cancel_ = flag; }
  bool CancelRequested() const { return Cancel_ && Cancel_->load(std::memory_order_relaxed); }

 protected:
  TPortSettings Settings_;

 private:
  const std::atomic<bool>* Cancel_ = nullptr;
};

}  // namespace platform
