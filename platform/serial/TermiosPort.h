// The serial port over termios: real serial devices and pseudo-terminals.
#pragma once

#include "platform/serial/ComPort.h"

namespace platform {

class TTermiosPort final : public TComPort {
 public:
  TTermiosPort() = default;
  ~TTermiosPort() override;
  TTermiosPort(const TTermiosPort&) = delete;
  TTermiosPort& operator=(const TTermiosPort&) = delete;

  // Opens ComPortDevice(settings.Port) exclusively in raw mode without flow control.
  [[nodiscard]] int32_t Open(const TPortSettings& settings) override;
  void PurgeInput() override;
  void PurgeOutput() override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  [[nodiscard]] int32_t SendBreak(uint32_t ms) override;
  int32_t OutQueue() override;
  int32_t InQueue() override;
  [[nodiscard]] int32_t Read(uint8_t* buffer, int32_t count, uint32_t timeoutMs) override;
  [[nodiscard]] int32_t ReadByte(uint32_t timeoutMs) override;
  [[nodiscard]] int32_t Write(const uint8_t* bytes, int32_t count) override;
  [[nodiscard]] int32_t WriteByte(uint8_t byte) override;
  void Close() override;
  [[nodiscard]] int32_t PollCancel() override;
  [[nodiscard]] int32_t Wait(uint32_t ms) override;
  bool IsOpen() const override { return Fd_ >= 0; }

  // The errno of the last failed open, for diagnostics.
  int LastOpenError() const { return OpenErrno_; }

 private:
  int Fd_ = -1;
  int OpenErrno_ = 0;
};

// Configures an open terminal descriptor for raw 8-bit transfer at the given settings;
// false when a value is not supported. Shared with the terminal simulator.
bool ConfigureRawLine(int fd, uint32_t baud, char parity, uint8_t dataBits, uint8_t stopBits);

// The speed a terminal descriptor is set to, in baud (0 when unknown).
uint32_t LineBaud(int fd);

}  // namespace platform
