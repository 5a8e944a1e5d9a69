// A port without a line: reads come from a prepared byte script, writes are collected,
// time passes instantly. For fuzzing and for exact tests of the link's byte handling.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/serial/ComPort.h"

namespace termsim {

class TScriptedPort final : public platform::TComPort {
 public:
  // A script byte of -1 stands for a time-out of the read that reaches it.
  explicit TScriptedPort(std::vector<int> script = {}) : Script_(std::move(script)) {}

  void Append(std::vector<int> bytes) { Script_.insert(Script_.end(), bytes.begin(), bytes.end()); }
  const std::vector<uint8_t>& Written() const { return Written_; }
  uint32_t WaitedMs() const { return WaitedMs_; }

  [[nodiscard]] int32_t Open(const platform::TPortSettings& settings) override {
    Settings_ = settings;
    Open_ = true;
    ++Opens;
    return platform::kPortOk;
  }
  void PurgeInput() override {}
  void PurgeOutput() override {}
  void SetRts(bool) override {}
  void SetDtr(bool) override {}
  [[nodiscard]] int32_t SendBreak(uint32_t ms) override { return Wait(ms); }
  int32_t OutQueue() override { return 0; }
  int32_t InQueue() override {
    size_t n = 0;
    while (Pos_ + n < Script_.size() && Script_[Pos_ + n] >= 0) ++n;
    return static_cast<int32_t>(n);
  }
  [[nodiscard]] int32_t Read(uint8_t* buffer, int32_t count, uint32_t timeoutMs) override {
    if (CancelRequested()) return platform::kPortCancelled;
    int32_t got = 0;
    while (got < count && Pos_ < Script_.size() && Script_[Pos_] >= 0)
      buffer[got++] = static_cast<uint8_t>(Script_[Pos_++]);
    if (got < count) {
      WaitedMs_ += timeoutMs;
      if (Pos_ < Script_.size()) ++Pos_;  // the time-out marker is used up
    }
    return got;
  }
  [[nodiscard]] int32_t ReadByte(uint32_t timeoutMs) override {
    uint8_t b = 0;
    int32_t n = Read(&b, 1, timeoutMs);
    if (n < 0) return n;
    return n == 1 ? int32_t{b} : int32_t{platform::kPortTimeout};
  }
  [[nodiscard]] int32_t Write(const uint8_t* bytes, int32_t count) override {
    Written_.insert(Written_.end(), bytes, bytes + count);
    return count;
  }
  [[nodiscard]] int32_t WriteByte(uint8_t byte) override { return Write(&byte, 1) == 1 ? 1 : -1; }
  void Close() override { Open_ = false; }
  [[nodiscard]] int32_t PollCancel() override {
    return CancelRequested() ? platform::kPortCancelled : platform::kPortOk;
  }
  [[nodiscard]] int32_t Wait(uint32_t ms) override {
    WaitedMs_ += ms;
    return PollCancel();
  }
  bool IsOpen() const override { return Open_; }

  int Opens = 0;

 private:
  std::vector<int> Script_;
  size_t Pos_ = 0;
  std::vector<uint8_t> Written_;
  uint32_t WaitedMs_ = 0;
  bool Open_ = false;
};

}  // namespace termsim
