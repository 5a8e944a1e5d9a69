// A simulated operator terminal on the far side of a serial line: it answers every command
// frame, plays both sides of the block transfer and can be told to misbehave.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace termsim {

using TBytes = std::vector<uint8_t>;

struct TTermSimConfig {
  // A serial device to serve; empty creates a pseudo-terminal.
  std::string Device;
  // Line speed when serving a device (a pseudo-terminal reports the loader's speed).
  uint32_t DeviceBaud = 38400;
  // Answers only when the line runs at this speed (0 = at any speed).
  uint32_t AnswerBaud = 0;
  // Reads everything and answers nothing.
  bool Dead = false;
  // Takes as long as a real line: 1 start, 8 data and 2 stop bits per byte.
  bool Pace = false;

  // Acknowledges this many synchronise frames in a row, then refuses one (0 = all).
  int SyncAckRun = 0;
  // Command codes that get no acknowledge.
  std::set<uint8_t> SilentCodes;
  // Command codes left unacknowledged this many times before they are served.
  std::map<uint8_t, int> RefuseFirst;
  // Frames that go unanswered before the device comes alive, as when it is switched on
  // only after the loader has started.
  int AsleepFrames = 0;

  // Answers of the query frames.
  std::string DriverInfo = "KR-Treiber V4.10 an KR200 Urlader";
  std::string SecondId = "KR200";
  TBytes HwConfig{'C', 'f', 'g', ':', 2, 0x80};
  TBytes DeviceStatus{'S', 't', 'a', 't', 'u', 's', ' ', 'O', 'K'};
  TBytes VelInfo{'V', 'E', 'L', ' ', '1', '.', '0'};
  // The connected bootloader's name, sent after "prepare driver download" (11 bytes).
  std::string Bootloader = "ZKBOOT 2.00";

  // What the device sends for each read command code; the memory image for memory reads
  // (empty: a fixed pattern derived from the address).
  std::map<uint8_t, TBytes> ReadData;
  TBytes Memory;

  // Faults of the block transfer. Blocks are counted from 1 in order of arrival (received)
  // or of first transmission (sent).
  double CorruptRate = 0;             // share of blocks spoilt on the line, both directions
  uint32_t Seed = 1;                  // of the fault generator
  std::map<int, int> NakBlocks;       // received block -> NAKs answered instead of ACK
  std::set<int> RepeatBlocks;         // sent blocks sent a second time after their ACK
  int SilentAfterBlocks = -1;         // stops answering after this many received blocks
  uint32_t StartNakIntervalMs = 3000; // repeats the start NAK while no block comes

  // Received files are also written here (empty: kept in memory only).
  std::string StoreDir;
  // Receives a line for every event when set.
  std::function<void(const std::string&)> Log;
};

struct TReceivedFile {
  uint8_t Code = 0;
  TBytes Bytes;
  bool Complete = false;  // ended with EOT
};

struct TCommandSeen {
  uint8_t Code = 0;
  uint32_t Baud = 0;
};

class TTermSim {
 public:
  explicit TTermSim(TTermSimConfig config);
  ~TTermSim();
  TTermSim(const TTermSim&) = delete;
  TTermSim& operator=(const TTermSim&) = delete;

  // Opens the device or creates the pseudo-terminal and starts answering. False on failure
  // (see Error()).
  bool Start();
  void Stop();

  // The name the loader opens: the pseudo-terminal's slave or the device.
  const std::string& PortName() const { return PortName_; }
  const std::string& Error() const { return Error_; }

  std::vector<TReceivedFile> Received() const;
  std::vector<TCommandSeen> Commands() const;
  int BlocksReceived() const { return BlocksReceived_; }
  int BlocksSent() const { return BlocksSent_; }

 private:
  using TClock = std::chrono::steady_clock;

  void Run();
  int ReadByte(int timeoutMs);
  bool ReadExact(uint8_t* buffer, size_t count, int byteTimeoutMs);
  void Send(const uint8_t* bytes, size_t count);
  void Send(const TBytes& bytes) { Send(bytes.data(), bytes.size()); }
  void SendByte(uint8_t b) { Send(&b, 1); }
  uint32_t Baud() const;
  TClock::duration ByteTime() const;
  bool SpeedOk() const;
  bool Chance(double rate);
  void Note(const std::string& line);

  void HandleFrame();
  void HandleCommand(uint8_t code);
  void ReceiveBlocks(uint8_t code);
  void SendBlocks(const TBytes& data);
  TBytes MemorySlice(uint32_t address, uint16_t length) const;
  void StoreFile(const TReceivedFile& file, size_t index);

  TTermSimConfig Config_;
  std::string PortName_;
  std::string Error_;
  int Fd_ = -1;       // master side or device
  int SlaveFd_ = -1;  // held open so that the pseudo-terminal outlives the loader's closes
  std::thread Thread_;
  std::atomic<bool> Stop_{false};
  std::mt19937 Random_;
  int SyncRun_ = 0;
  int FramesSlept_ = 0;
  int PendingByte_ = -1;           // a byte read ahead that the command loop must see
  TClock::time_point LineIn_{};    // when the last byte read has fully arrived on the line

  mutable std::mutex Mutex_;
  std::vector<TReceivedFile> Received_;
  std::vector<TCommandSeen> Commands_;
  std::atomic<int> BlocksReceived_{0};
  std::atomic<int> BlocksSent_{0};
};

}  // namespace termsim
