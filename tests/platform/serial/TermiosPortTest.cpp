// The termios port on pseudo-terminals: set-up, time-out rules, cancel and exclusivity.
#include "platform/serial/TermiosPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

using TClock = std::chrono::steady_clock;

// A pseudo-terminal whose slave stands for COM9; the test plays the device on the master.
class TermiosPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(Master, 0);
    ASSERT_EQ(grantpt(Master), 0);
    ASSERT_EQ(unlockpt(Master), 0);
    char name[128];
    ASSERT_EQ(ptsname_r(Master, name, sizeof name), 0);
    SlaveName = name;
    setenv("ZK_COM9", name, 1);
    Settings.Port = 9;
    Port.SetCancelFlag(&Cancel);
  }
  void TearDown() override {
    Port.Close();
    unsetenv("ZK_COM9");
    if (Master >= 0) close(Master);
  }
  void Feed(std::string_view bytes) {
    ASSERT_EQ(write(Master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string Drain() {
    std::string out;
    char buffer[256];
    // The slave is raw, so what the port wrote is at the master already.
    for (int i = 0; i < 50; ++i) {
      int n = static_cast<int>(read(Master, buffer, sizeof buffer));
      if (n > 0) return out.append(buffer, static_cast<size_t>(n));
      std::this_thread::sleep_for(2ms);
    }
    return out;
  }

  int Master = -1;
  std::string SlaveName;
  TPortSettings Settings;
  std::atomic<bool> Cancel{false};
  TTermiosPort Port;
};

TEST(ComPortDeviceTest, EnvironmentOverridesTheDefaultDevice) {
  unsetenv("ZK_COM3");
  EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");
  EXPECT_EQ(ComPortDevice(0), ComPortDevice(1));
  setenv("ZK_COM3", "/dev/ttyUSB0", 1);
  EXPECT_EQ(ComPortDevice(3), "/dev/ttyUSB0");
  unsetenv("ZK_COM3");
}

TEST_F(TermiosPortTest, OpensRawEightBitsTwoStopBitsAtTheSpeed) {
  Settings.Baud = 19200;
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  termios tio{};
  ASSERT_EQ(tcgetattr(Master, &tio), 0);  // the master reports the slave's settings
  EXPECT_EQ(cfgetospeed(&tio), B19200);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_TRUE(tio.c_cflag & CSTOPB);
  EXPECT_FALSE(tio.c_cflag & (PARENB | CRTSCTS));
  EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP));
  EXPECT_EQ(LineBaud(Master), 19200u);

  // Bytes pass unchanged in both directions, control characters included.
  const uint8_t out[] = {0x02, 0x0D, 0x0A, 0x11, 0x13, 0x03, 0xFF};
  ASSERT_EQ(Port.Write(out, sizeof out), static_cast<int32_t>(sizeof out));
  EXPECT_EQ(Drain(), std::string(reinterpret_cast<const char*>(out), sizeof out));
  Feed(std::string("\x11\x0D\x00\x7F", 4));
  uint8_t in[4] = {};
  ASSERT_EQ(Port.Read(in, 4, 500), 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(in), 4), std::string("\x11\x0D\x00\x7F", 4));
}

TEST_F(TermiosPortTest, FailsOnMissingDeviceOrUnsupportedSpeed) {
  setenv("ZK_COM9", "/nonexistent/tty", 1);
  EXPECT_EQ(Port.Open(Settings), kPortOpenFailed);
  EXPECT_FALSE(Port.IsOpen());
  setenv("ZK_COM9", SlaveName.c_str(), 1);
  Settings.Baud = 12345;
  EXPECT_EQ(Port.Open(Settings), kPortOpenFailed);
  EXPECT_FALSE(Port.IsOpen());
}

TEST_F(TermiosPortTest, ReadByteTimesOutWithMinusThree) {
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  auto start = TClock::now();
  EXPECT_EQ(Port.ReadByte(30), kPortTimeout);
  EXPECT_GE(TClock::now() - start, 30ms);
  Feed("\x06");
  EXPECT_EQ(Port.ReadByte(1000), 0x06);
}

TEST_F(TermiosPortTest, EveryArrivingByteMovesTheDeadline) {
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  // Five bytes 100 ms apart take 400 ms in all, far past a 250 ms time-out from the
  // start, but never 250 ms between two bytes.
  std::thread device([this] {
    for (int i = 0; i < 5; ++i) {
      if (i) std::this_thread::sleep_for(100ms);
      Feed("x");
    }
  });
  uint8_t buffer[8] = {};
  int32_t n = Port.Read(buffer, 5, 250);
  device.join();
  EXPECT_EQ(n, 5);
  // A read that gets fewer bytes ends at the deadline with what it has.
  Feed("ab");
  EXPECT_EQ(Port.Read(buffer, 8, 50), 2);
}

TEST_F(TermiosPortTest, CancelEndsReadsWaitsAndBreaksPromptly) {
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  std::thread ui([this] {
    std::this_thread::sleep_for(100ms);
    Cancel = true;
  });
  auto start = TClock::now();
  uint8_t b = 0;
  EXPECT_EQ(Port.Read(&b, 1, 20000), kPortCancelled);
  ui.join();
  EXPECT_LT(TClock::now() - start, 5s);
  EXPECT_EQ(Port.PollCancel(), kPortCancelled);
  EXPECT_EQ(Port.Wait(20000), kPortCancelled);
  EXPECT_EQ(Port.SendBreak(20000), kPortCancelled);
  EXPECT_EQ(Port.ReadByte(20000), kPortCancelled);
  EXPECT_LT(TClock::now() - start, 5s);
  Cancel = false;
  EXPECT_EQ(Port.Wait(20), kPortOk);
}

TEST_F(TermiosPortTest, PurgeDropsReceivedBytesAndQueuesCount) {
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  Feed("hello");
  for (int i = 0; i < 100 && Port.InQueue() < 5; ++i) std::this_thread::sleep_for(2ms);
  EXPECT_EQ(Port.InQueue(), 5);
  Port.PurgeInput();
  EXPECT_EQ(Port.InQueue(), 0);
  EXPECT_EQ(Port.ReadByte(20), kPortTimeout);
  EXPECT_EQ(Port.OutQueue(), 0);
}

TEST_F(TermiosPortTest, ReopensWhileTheOtherSideKeepsTheTerminal) {
  int holder = open(SlaveName.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(Port.Open(Settings), kPortOk);
  {
    // Exclusive while open, also for privileged users (another loader on the same port).
    TTermiosPort second;
    EXPECT_EQ(second.Open(Settings), kPortOpenFailed);
  }
  Port.Close();
  Settings.Baud = 9600;
  EXPECT_EQ(Port.Open(Settings), kPortOk);
  EXPECT_EQ(LineBaud(Master), 9600u);
  close(holder);
}

}  // namespace
