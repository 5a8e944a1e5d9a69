// The terminal simulator's line handling and protocol side.
#include "tools/termsim/TermSim.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "loader/link/Frames.h"
#include "platform/serial/TermiosPort.h"
#include "tools/termsim/StoreFile.h"

namespace termsim {

using namespace krlad;

namespace {

constexpr int kIdlePollMs = 20;
constexpr int kFrameByteMs = 500;     // between the bytes of one frame or block
constexpr int kReplyWaitMs = 15000;   // for the other side's reply during a transfer
constexpr int kReceiveIdleMs = 30000; // a receive without any block ends after this
constexpr int kEotTries = 10;
constexpr int kBitsPerByte = 11;      // start, 8 data, 2 stop

bool IsLoadCode(uint8_t code) {
  return code == cmdLoadRecord || code == cmdLoadTexts || code == cmdLoadVelRecord ||
         code == cmdLoadRecipe || code == cmdPrepareDriver;
}

bool IsReadCode(uint8_t code) {
  return code == cmdReadRecord || code == cmdReadRecipe || code == cmdReadDiagnostics ||
         code == cmdReadVideo || code == cmdReadDriver;
}

std::string Hex(uint8_t b) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", b);
  return text;
}

}  // namespace

TTermSim::TTermSim(TTermSimConfig config) : Config_(std::move(config)), Random_(Config_.Seed) {}

TTermSim::~TTermSim() {
  Stop();
  if (SlaveFd_ >= 0) ::close(SlaveFd_);
  if (Fd_ >= 0) ::close(Fd_);
}

bool TTermSim::Start() {
  if (!Config_.Device.empty()) {
    Fd_ = ::open(Config_.Device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (Fd_ < 0 || !platform::ConfigureRawLine(Fd_, Config_.DeviceBaud, 'N', 8, 2)) {
      Error_ = "cannot open " + Config_.Device + ": " + std::strerror(errno);
      return false;
    }
    PortName_ = Config_.Device;
  } else {
    Fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (Fd_ < 0 || ::grantpt(Fd_) != 0 || ::unlockpt(Fd_) != 0 ||
        ::ptsname_r(Fd_, name, sizeof name) != 0) {
      Error_ = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
      return false;
    }
    PortName_ = name;
    SlaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // Raw from the start: a cooked slave would echo our bytes back to us.
    if (SlaveFd_ < 0 || !platform::ConfigureRawLine(SlaveFd_, 38400, 'N', 8, 2)) {
      Error_ = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
      return false;
    }
    ::fcntl(Fd_, F_SETFL, ::fcntl(Fd_, F_GETFL) | O_NONBLOCK);
  }
  Stop_ = false;
  Thread_ = std::thread([this] { Run(); });
  return true;
}

void TTermSim::Stop() {
  Stop_ = true;
  if (Thread_.joinable()) Thread_.join();
}

std::vector<TReceivedFile> TTermSim::Received() const {
  std::lock_guard lock(Mutex_);
  return Received_;
}

std::vector<TCommandSeen> TTermSim::Commands() const {
  std::lock_guard lock(Mutex_);
  return Commands_;
}

void TTermSim::Note(const std::string& line) {
  if (Config_.Log) Config_.Log(line);
}

uint32_t TTermSim::Baud() const {
  // On a pseudo-terminal the master reports the settings the loader made on its side.
  if (Config_.Device.empty()) {
    uint32_t baud = platform::LineBaud(Fd_);
    return baud ? baud : 38400;
  }
  return Config_.DeviceBaud;
}

TTermSim::TClock::duration TTermSim::ByteTime() const {
  return std::chrono::microseconds(1'000'000LL * kBitsPerByte / Baud());
}

bool TTermSim::SpeedOk() const { return Config_.AnswerBaud == 0 || Baud() == Config_.AnswerBaud; }

bool TTermSim::Chance(double rate) {
  if (rate <= 0) return false;
  return std::uniform_real_distribution<double>(0, 1)(Random_) < rate;
}

int TTermSim::ReadByte(int timeoutMs) {
  if (PendingByte_ >= 0) {
    int b = PendingByte_;
    PendingByte_ = -1;
    return b;
  }
  auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
  while (!Stop_) {
    uint8_t b = 0;
    ssize_t n = ::read(Fd_, &b, 1);
    if (n == 1) {
      if (Config_.Pace) LineIn_ = std::max(TClock::now(), LineIn_) + ByteTime();
      return b;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
    if (left.count() <= 0) return -1;
    pollfd p{Fd_, POLLIN, 0};
    int wait = static_cast<int>(std::min<int64_t>(left.count(), kIdlePollMs));
    if (::poll(&p, 1, wait) > 0 && !(p.revents & POLLIN))
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));  // no one on the other side
  }
  return -1;
}

bool TTermSim::ReadExact(uint8_t* buffer, size_t count, int byteTimeoutMs) {
  for (size_t i = 0; i < count; ++i) {
    int b = ReadByte(byteTimeoutMs);
    if (b < 0) return false;
    buffer[i] = static_cast<uint8_t>(b);
  }
  return true;
}

void TTermSim::Send(const uint8_t* bytes, size_t count) {
  if (Config_.Pace) {
    // Answer only once the request has fully arrived, then one byte per byte time.
    std::this_thread::sleep_until(LineIn_);
    auto at = TClock::now();
    for (size_t i = 0; i < count; i += 4) {
      size_t chunk = std::min<size_t>(4, count - i);
      at += ByteTime() * static_cast<int>(chunk);
      std::this_thread::sleep_until(at);
      (void)::write(Fd_, bytes + i, chunk);
    }
    return;
  }
  size_t done = 0;
  while (done < count && !Stop_) {
    ssize_t n = ::write(Fd_, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return;
    } else {
      pollfd p{Fd_, POLLOUT, 0};
      (void)::poll(&p, 1, kIdlePollMs);
    }
  }
}

void TTermSim::Run() {
  while (!Stop_) {
    int b = ReadByte(kIdlePollMs * 5);
    if (b == STX && !Config_.Dead && SpeedOk()) HandleFrame();
  }
}

void TTermSim::HandleFrame() {
  uint8_t frame[kMemoryRequestSize] = {STX};
  if (!ReadExact(frame + 1, 1, kFrameByteMs)) return;
  if (frame[1] == kMemoryRequestHead[1]) {
    uint32_t address = 0;
    uint16_t length = 0;
    if (!ReadExact(frame + 2, kMemoryRequestSize - 2, kFrameByteMs)) return;
    if (!ParseMemoryReadRequest(std::span(frame), &address, &length)) {
      Note("bad memory request");
      return;
    }
    {
      std::lock_guard lock(Mutex_);
      Commands_.push_back({frame[1], Baud()});
    }
    Note("memory request " + std::to_string(address) + " length " + std::to_string(length));
    SendByte(ACK);
    SendBlocks(MemorySlice(address, length));
    return;
  }
  if (!ReadExact(frame + 2, 4, kFrameByteMs)) return;
  if (!IsCommandFrame(std::span(frame, 6))) {
    Note("bad frame");
    return;
  }
  HandleCommand(frame[1]);
}

void TTermSim::HandleCommand(uint8_t code) {
  const TCommandFrame* known = FindCommandFrame(code);
  {
    std::lock_guard lock(Mutex_);
    Commands_.push_back({code, Baud()});
  }
  Note("frame " + Hex(code) + " at " + std::to_string(Baud()) + " Baud");
  if (!known || Config_.SilentCodes.count(code)) return;
  if (FramesSlept_ < Config_.AsleepFrames) {
    ++FramesSlept_;
    return;
  }
  if (auto refuse = Config_.RefuseFirst.find(code); refuse != Config_.RefuseFirst.end() && refuse->second > 0) {
    --refuse->second;
    Note("frame " + Hex(code) + " refused");
    return;
  }
  if (code == cmdSync) {
    if (Config_.SyncAckRun > 0 && SyncRun_ >= Config_.SyncAckRun) {
      SyncRun_ = 0;
      SendByte(NAK);
      return;
    }
    ++SyncRun_;
    SendByte(ACK);
    return;
  }
  SyncRun_ = 0;
  TBytes reply{ACK};
  auto answer = [&](const TBytes& data) {
    if (data.empty()) return;
    TBytes frame = MakeAnswerFrame(data);
    reply.insert(reply.end(), frame.begin(), frame.end());
  };
  switch (code) {
    case cmdDriverInfo: answer(TBytes(Config_.DriverInfo.begin(), Config_.DriverInfo.end())); break;
    case cmdSecondId: answer(TBytes(Config_.SecondId.begin(), Config_.SecondId.end())); break;
    case cmdHwConfig: answer(Config_.HwConfig); break;
    case cmdDeviceStatus: answer(Config_.DeviceStatus); break;
    case cmdVelInfo: answer(Config_.VelInfo); break;
    case cmdPrepareDriver: reply.insert(reply.end(), Config_.Bootloader.begin(), Config_.Bootloader.end()); break;
    default: break;
  }
  Send(reply);
  if (IsLoadCode(code)) {
    ReceiveBlocks(code);
  } else if (IsReadCode(code)) {
    auto found = Config_.ReadData.find(code);
    SendBlocks(found != Config_.ReadData.end() ? found->second : TBytes());
  }
}

void TTermSim::ReceiveBlocks(uint8_t code) {
  size_t index = 0;
  {
    std::lock_guard lock(Mutex_);
    Received_.push_back({code, {}, false});
    index = Received_.size() - 1;
  }
  const uint8_t startNaks[] = {NAK, NAK};
  Send(startNaks, sizeof startNaks);
  auto lastNak = TClock::now();
  auto lastActivity = lastNak;
  bool started = false;
  uint8_t expected = 1;
  while (!Stop_) {
    int b = ReadByte(kIdlePollMs);
    auto now = TClock::now();
    if (b < 0) {
      if (now - lastActivity > std::chrono::milliseconds(kReceiveIdleMs)) break;
      if (!started && now - lastNak > std::chrono::milliseconds(Config_.StartNakIntervalMs)) {
        SendByte(NAK);
        lastNak = now;
      }
      continue;
    }
    lastActivity = now;
    if (b == STX) {
      // A command where a block should start: the loader gave up on this transfer.
      PendingByte_ = b;
      break;
    }
    if (b == EOT) {
      {
        // Complete before the acknowledge, so that whoever waits for it sees the file.
        std::lock_guard lock(Mutex_);
        Received_[index].Complete = true;
        Note("file " + Hex(code) + " received, " + std::to_string(Received_[index].Bytes.size()) +
             " bytes");
      }
      SendByte(ACK);
      break;
    }
    if (b != SOH) continue;
    started = true;
    TBlock block{SOH};
    if (!ReadExact(block.data() + 1, kBlockSize - 1, kFrameByteMs)) continue;
    const int arrival = ++BlocksReceived_;
    if (Config_.SilentAfterBlocks >= 0 && arrival > Config_.SilentAfterBlocks) {
      Note("block " + std::to_string(arrival) + " not answered");
      continue;
    }
    std::span<const uint8_t, kBlockData> data(block.data() + 3, kBlockData);
    const uint8_t number = block[1];
    bool good = block[2] == static_cast<uint8_t>(255 - number) &&
                block[kBlockSize - 1] == BlockSum(data) && !Chance(Config_.CorruptRate) &&
                (number == expected || number == static_cast<uint8_t>(expected - 1));
    if (!good) {
      Note("block " + std::to_string(arrival) + " rejected");
      SendByte(NAK);
      continue;
    }
    if (auto naks = Config_.NakBlocks.find(arrival); naks != Config_.NakBlocks.end()) {
      Send(TBytes(static_cast<size_t>(naks->second), NAK));
      continue;
    }
    if (number == expected) {
      std::lock_guard lock(Mutex_);
      Received_[index].Bytes.insert(Received_[index].Bytes.end(), data.begin(), data.end());
      ++expected;
    }
    SendByte(ACK);
  }
  StoreFile(Received()[index], index);
}

void TTermSim::SendBlocks(const TBytes& data) {
  // The receiver asks for the first block with NAK.
  auto until = TClock::now() + std::chrono::milliseconds(kReplyWaitMs);
  for (;;) {
    int b = ReadByte(kIdlePollMs);
    if (b == NAK) break;
    if (Stop_ || TClock::now() > until) return;
  }
  const size_t blocks = (data.size() + kBlockData - 1) / kBlockData;
  size_t i = 0;
  bool repeated = false;
  while (i < blocks && !Stop_) {
    std::array<uint8_t, kBlockData> chunk{};
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(i * kBlockData),
                std::min(kBlockData, data.size() - i * kBlockData), chunk.begin());
    TBlock block = MakeBlock(static_cast<uint8_t>(i + 1), chunk);
    TBlock wire = block;
    if (Chance(Config_.CorruptRate)) wire[3 + (Random_() % kBlockData)] ^= 0x5A;
    ++BlocksSent_;
    Send(wire.data(), wire.size());
    int reply = -1;
    while ((reply = ReadByte(kReplyWaitMs)) >= 0 && reply != ACK && reply != NAK) {
      if (reply == STX) {  // a command instead of a reply: the loader gave up
        PendingByte_ = reply;
        return;
      }
    }
    if (reply < 0) {
      Note("no reply to a block, giving up");
      return;
    }
    if (reply == NAK) continue;
    if (!repeated && Config_.RepeatBlocks.count(static_cast<int>(i + 1))) {
      repeated = true;  // as if the acknowledge had been lost: the same block once more
      continue;
    }
    repeated = false;
    ++i;
  }
  for (int t = 0; t < kEotTries && !Stop_; ++t) {
    SendByte(EOT);
    if (ReadByte(1000) == ACK) return;
  }
}

TBytes TTermSim::MemorySlice(uint32_t address, uint16_t length) const {
  TBytes out(length);
  for (uint32_t i = 0; i < length; ++i) {
    uint32_t a = (address + i) & 0xFFFFFF;
    out[i] = Config_.Memory.empty() ? static_cast<uint8_t>(a ^ (a >> 8) ^ (a >> 16))
                                    : Config_.Memory[a % Config_.Memory.size()];
  }
  return out;
}

void TTermSim::StoreFile(const TReceivedFile& file, size_t index) {
  if (Config_.StoreDir.empty()) return;
  std::string path = Config_.StoreDir + "/received-" + std::to_string(index + 1) + "-" +
                     Hex(file.Code) + (file.Complete ? ".bin" : ".partial");
  std::string why;
  const std::string name = path.substr(Config_.StoreDir.size() + 1);
  if (StoreFileBytes(Config_.StoreDir, name,
                     std::string_view(reinterpret_cast<const char*>(file.Bytes.data()),
                                      file.Bytes.size()),
                     &why))
    Note("stored " + path);
  else
    Note("could not store " + path + ": " + why);
}

}  // namespace termsim
