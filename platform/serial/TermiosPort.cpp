// termios implementation of the serial port; reads poll in short slices so a cancel
// is noticed promptly without delaying bytes that arrive.
#include "platform/serial/TermiosPort.h"

#include <fcntl.h>
#include <sys/file.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace platform {
namespace {

using TClock = std::chrono::steady_clock;

// How long one wait may last before the cancel flag is looked at again.
constexpr int kCancelSliceMs = 10;

struct TBaudCode {
  uint32_t Baud;
  speed_t Code;
};
constexpr TBaudCode kBauds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
};

// Milliseconds until `deadline`, rounded up so that a short wait is not skipped.
int RemainingMs(TClock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now());
  return static_cast<int>(std::max<int64_t>(0, left.count()));
}

}  // namespace

std::string ComPortDevice(int32_t port) {
  if (port <= 0) port = 1;
  std::string var = "ZK_COM" + std::to_string(port);
  if (const char* device = std::getenv(var.c_str()); device && *device) return device;
  return "/dev/ttyS" + std::to_string(port - 1);
}

bool ConfigureRawLine(int fd, uint32_t baud, char parity, uint8_t dataBits, uint8_t stopBits) {
  const TBaudCode* code = std::find_if(std::begin(kBauds), std::end(kBauds),
                                       [baud](const TBaudCode& b) { return b.Baud == baud; });
  if (code == std::end(kBauds)) return false;
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  tio.c_cflag |= CLOCAL | CREAD;
  switch (dataBits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    case 8: tio.c_cflag |= CS8; break;
    default: return false;
  }
  switch (parity) {
    case 'N': break;
    case 'E': tio.c_cflag |= PARENB; break;
    case 'O': tio.c_cflag |= PARENB | PARODD; break;
    default: return false;
  }
  if (stopBits == 2)
    tio.c_cflag |= CSTOPB;
  else if (stopBits != 1)
    return false;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, code->Code) != 0 || cfsetospeed(&tio, code->Code) != 0) return false;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

uint32_t LineBaud(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return 0;
  speed_t speed = cfgetospeed(&tio);
  for (const TBaudCode& b : kBauds)
    if (b.Code == speed) return b.Baud;
  return 0;
}

TTermiosPort::~TTermiosPort() { Close(); }

int32_t TTermiosPort::Open(const TPortSettings& settings) {
  Close();
  Settings_ = settings;
  if (Settings_.Port <= 0) Settings_.Port = 1;
  std::string device = ComPortDevice(Settings_.Port);
  Fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (Fd_ < 0) {
    OpenErrno_ = errno;
    return kPortOpenFailed;
  }
  // Exclusive like a COM port: a second opener gets EBUSY. Privileged users pass TIOCEXCL,
  // so our programs also hold a lock on the device that nobody passes.
  if (ioctl(Fd_, TIOCEXCL) != 0 || ::flock(Fd_, LOCK_EX | LOCK_NB) != 0 ||
      !ConfigureRawLine(Fd_, Settings_.Baud, Settings_.Parity, Settings_.DataBits,
                        Settings_.StopBits)) {
    OpenErrno_ = errno;
    Close();
    return kPortOpenFailed;
  }
  tcflush(Fd_, TCIOFLUSH);
  OpenErrno_ = 0;
  return kPortOk;
}

void TTermiosPort::PurgeInput() {
  if (Fd_ >= 0) tcflush(Fd_, TCIFLUSH);
}

void TTermiosPort::PurgeOutput() {
  if (Fd_ >= 0) tcflush(Fd_, TCOFLUSH);
}

// Pseudo-terminals have no modem lines; the calls fail there and that is harmless.
void TTermiosPort::SetRts(bool on) {
  int bits = TIOCM_RTS;
  if (Fd_ >= 0) (void)ioctl(Fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

void TTermiosPort::SetDtr(bool on) {
  int bits = TIOCM_DTR;
  if (Fd_ >= 0) (void)ioctl(Fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

int32_t TTermiosPort::SendBreak(uint32_t ms) {
  if (Fd_ >= 0) (void)ioctl(Fd_, TIOCSBRK);
  int32_t result = Wait(ms);
  if (Fd_ >= 0) (void)ioctl(Fd_, TIOCCBRK);
  return result;
}

int32_t TTermiosPort::OutQueue() {
  int count = 0;
  if (Fd_ < 0 || ioctl(Fd_, TIOCOUTQ, &count) != 0) return 0;
  return count;
}

int32_t TTermiosPort::InQueue() {
  int count = 0;
  if (Fd_ < 0 || ioctl(Fd_, TIOCINQ, &count) != 0) return 0;
  return count;
}

int32_t TTermiosPort::Read(uint8_t* buffer, int32_t count, uint32_t timeoutMs) {
  int32_t got = 0;
  auto deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
  while (got < count) {
    if (CancelRequested()) return kPortCancelled;
    if (Fd_ < 0) break;
    ssize_t n = ::read(Fd_, buffer + got, static_cast<size_t>(count - got));
    if (n > 0) {
      got += static_cast<int32_t>(n);
      deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
      continue;
    }
    int left = RemainingMs(deadline);
    if (left <= 0) break;
    pollfd p{Fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, std::min(left, kCancelSliceMs));
    // A pseudo-terminal without its other side reports a hang-up at once; do not spin.
    if (ready > 0 && (p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN))
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, kCancelSliceMs)));
  }
  return got;
}

int32_t TTermiosPort::ReadByte(uint32_t timeoutMs) {
  uint8_t byte = 0;
  int32_t n = Read(&byte, 1, timeoutMs);
  if (n < 0) return n;
  return n == 1 ? int32_t{byte} : int32_t{kPortTimeout};
}

int32_t TTermiosPort::Write(const uint8_t* bytes, int32_t count) {
  if (Fd_ < 0 || count < 0) return kPortFailed;
  // As generous as the classic write time-out: 10 ms per byte plus 10 ms.
  auto deadline = TClock::now() + std::chrono::milliseconds(10 * int64_t{count} + 10);
  int32_t done = 0;
  while (done < count) {
    ssize_t n = ::write(Fd_, bytes + done, static_cast<size_t>(count - done));
    if (n > 0) {
      done += static_cast<int32_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return kPortFailed;
    int left = RemainingMs(deadline);
    if (left <= 0) return kPortFailed;
    pollfd p{Fd_, POLLOUT, 0};
    (void)::poll(&p, 1, std::min(left, kCancelSliceMs));
  }
  return count;
}

int32_t TTermiosPort::WriteByte(uint8_t byte) { return Write(&byte, 1) == 1 ? 1 : kPortFailed; }

void TTermiosPort::Close() {
  if (Fd_ < 0) return;
  // Drop exclusivity first: someone else may keep the terminal open (a simulator holding
  // its pseudo-terminal), and the flag would outlive our descriptor.
  (void)ioctl(Fd_, TIOCNXCL);
  ::close(Fd_);
  Fd_ = -1;
}

int32_t TTermiosPort::PollCancel() { return CancelRequested() ? kPortCancelled : kPortOk; }

int32_t TTermiosPort::Wait(uint32_t ms) {
  auto deadline = TClock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (CancelRequested()) return kPortCancelled;
    int left = RemainingMs(deadline);
    if (left <= 0) return kPortOk;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, kCancelSliceMs)));
  }
}

}  // namespace platform
