// The link end to end over a pseudo-terminal, with the terminal simulator on the far side.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <future>
#include <random>
#include <thread>

#include "loader/link/BlockSource.h"
#include "loader/link/Link.h"
#include "platform/file/File.h"
#include "platform/serial/TermiosPort.h"
#include "resources/krladwin32/Strings.h"
#include "tests/loader/RecordingStatus.h"
#include "tests/loader/SimSupport.h"
#include "tests/support/TempDir.h"
#include "tools/termsim/TermSim.h"

using namespace krlad;
using namespace std::chrono_literals;
using termsim::TBytes;
using termsim::TTermSim;
using termsim::TTermSimConfig;

namespace {

using TClock = std::chrono::steady_clock;
constexpr int32_t kPort = 7;


TBytes RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  TBytes out(size);
  for (auto& b : out) b = static_cast<uint8_t>(random());
  return out;
}

class LinkSimTest : public ::testing::Test {
 protected:
  void TearDown() override {
    Link.Close();
    if (Sim) Sim->Stop();
    unsetenv("ZK_COM7");
  }

  void StartSim(TTermSimConfig config = {}, double scale = kTestTimeScale) {
    Sim = std::make_unique<TTermSim>(std::move(config));
    ASSERT_TRUE(Sim->Start()) << Sim->Error();
    setenv("ZK_COM7", Sim->PortName().c_str(), 1);
    Link.SetTimeScaleForTests(scale);
  }

  int CommandsAt(uint8_t code, uint32_t baud) const { return CommandCount(*Sim, code, baud); }
  int CommandsOf(uint8_t code) const { return CommandCount(*Sim, code); }

  int32_t SendBytes(uint8_t code, const TBytes& bytes, bool recordMode = false) {
    std::string path = Dir.Write("send.bin", std::string(bytes.begin(), bytes.end()));
    int32_t file = platform::FileOpen(path.c_str(), platform::TFileAccess::ReadOnly);
    EXPECT_GE(file, 0);
    int32_t result = Link.Transact(static_cast<TCommandCode>(code), false);
    if (result == 0) result = Link.SendFile(file, recordMode);
    (void)platform::FileClose(file);
    return result;
  }

  TBytes ReceiveBytes(std::span<const uint8_t> request, int32_t hint, int32_t* result) {
    std::string path = Dir.File("received.bin");
    int32_t file = platform::FileCreate(path.c_str());
    EXPECT_GE(file, 0);
    *result = Link.Transact(request, false);
    if (*result == 0) *result = Link.ReceiveFile(file, hint);
    (void)platform::FileClose(file);
    std::string got = TTempDir::Read(path);
    return TBytes(got.begin(), got.end());
  }
  TBytes ReceiveBytes(uint8_t code, int32_t hint, int32_t* result) {
    const auto frame = MakeCommandFrame(code);
    return ReceiveBytes(frame, hint, result);
  }

  TTempDir Dir;
  std::unique_ptr<TTermSim> Sim;
  platform::TTermiosPort Port;
  TRecordingStatus Status;
  TLink Link{Port, Status};
};

TEST_F(LinkSimTest, ConnectsIdentifiesAndLaterOnlyResynchronises) {
  StartSim();
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  EXPECT_TRUE(Link.Connected());
  EXPECT_EQ(Status.Text(sfConnectedTo), "KR-Treiber V4.10/KR200");
  EXPECT_EQ(Status.Text(sfPort), "COM7");
  EXPECT_EQ(Status.Text(sfSpeed), "38400 Baud");
  EXPECT_EQ(Status.Text(sfStatus), LoadResString(idsConnecting));
  EXPECT_EQ(CommandsAt(cmdSync, 38400), 15);

  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  EXPECT_EQ(Status.Text(sfStatus), LoadResString(idsWaitActivity));
  EXPECT_EQ(CommandsOf(cmdSync), 16);
  EXPECT_EQ(CommandsOf(cmdDriverInfo), 1);
}

TEST_F(LinkSimTest, SpeedDropsAfterNineFailedAttempts) {
  TTermSimConfig config;
  config.SyncAckRun = 1;  // acknowledges the first synchronise frame of a run only
  StartSim(config);
  EXPECT_EQ(Link.Connect(kPort, 0, 0), 1);
  EXPECT_FALSE(Link.Connected());
  for (uint32_t baud : {38400u, 19200u, 9600u}) EXPECT_EQ(CommandsAt(cmdSync, baud), 9 * 2) << baud;
  EXPECT_EQ(CommandsOf(cmdDriverInfo), 0);
}

TEST_F(LinkSimTest, FourteenAcknowledgesInARowAreNotEnough) {
  TTermSimConfig config;
  config.SyncAckRun = 14;
  StartSim(config);
  // Stop the run once the link has moved on to 19200 baud.
  auto watcher = std::async(std::launch::async, [this] {
    auto until = TClock::now() + 60s;
    while (CommandsAt(cmdSync, 19200) == 0 && TClock::now() < until) std::this_thread::sleep_for(5ms);
    Status.SetCancel();
  });
  EXPECT_EQ(Link.Connect(kPort, 0, 0), 1);
  watcher.get();
  EXPECT_EQ(CommandsAt(cmdSync, 38400), 9 * 15);
  EXPECT_EQ(CommandsOf(cmdDriverInfo), 0);
}

TEST_F(LinkSimTest, DeviceAnsweringOnlyAtNineteenTwoIsFoundThere) {
  TTermSimConfig config;
  config.AnswerBaud = 19200;
  StartSim(config, 0.04);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  EXPECT_EQ(Status.Text(sfSpeed), "19200 Baud");
  EXPECT_EQ(Port.Settings().Baud, 19200u);
  EXPECT_EQ(CommandsAt(cmdSync, 19200), 15);

  // Transfers then run at that speed, with the usual test time-outs.
  Link.SetTimeScaleForTests(kTestTimeScale);
  TBytes data = RandomBytes(1000, 3);
  ASSERT_EQ(SendBytes(cmdLoadRecord, data), 0);
  EXPECT_EQ(Sim->Received().back().Bytes, Padded(data));
}

TEST_F(LinkSimTest, DeviceThatSyncsButNeverIdentifiesFailsAfterElevenTries) {
  TTermSimConfig config;
  config.SilentCodes = {cmdSecondId};  // never acknowledged
  StartSim(config, 0.02);
  EXPECT_EQ(Link.Connect(kPort, 0, 0), 1);
  // Each failed identification restarts the attempts at the same speed.
  EXPECT_EQ(CommandsAt(cmdSecondId, 38400), 11);
  EXPECT_EQ(CommandsAt(cmdSync, 38400), 11 * 15);
  EXPECT_EQ(CommandsAt(cmdSync, 19200), 0);
}

TEST_F(LinkSimTest, DeadDeviceAndMissingPortFail) {
  TTermSimConfig config;
  config.Dead = true;
  StartSim(config, 0.02);
  EXPECT_EQ(Link.Connect(kPort, 0, 0), 1);
  EXPECT_EQ(Port.Settings().Baud, 9600u);  // it went through every speed
  EXPECT_TRUE(Status.Messages().empty());

  setenv("ZK_COM8", "/nonexistent/tty", 1);
  EXPECT_EQ(Link.Connect(8, 0, 0), -1);
  ASSERT_EQ(Status.Messages().size(), 1u);
  EXPECT_EQ(Status.Messages()[0].Kind, 'E');
  EXPECT_EQ(Status.Messages()[0].Text,
            "Schnittstellenfehler  an COM 8  !\n (existiert nicht oder ist defekt) ");
  unsetenv("ZK_COM8");
}

TEST_F(LinkSimTest, PortOnlyFlagAndSwitchOffMethod) {
  StartSim();
  ASSERT_EQ(Link.Connect(kPort, 0, cfPortOnly), 0);
  EXPECT_TRUE(Port.IsOpen());
  EXPECT_FALSE(Link.Connected());
  EXPECT_TRUE(Sim->Commands().empty());

  auto start = TClock::now();
  ASSERT_EQ(Link.Connect(kPort, 1, 0), 0);
  EXPECT_GE(TClock::now() - start, 1500ms);  // the break is not a time-out: never shortened
  EXPECT_TRUE(Status.Showed(std::string(LoadResString(idsSwitchOff))));
  EXPECT_TRUE(Status.Showed("Nach Methode 1."));
  EXPECT_EQ(Status.Text(sfAction), LoadResString(idsActConnect));
}

TEST_F(LinkSimTest, SendsFilesExactlyInPlainAndRecordMode) {
  TTermSimConfig config;
  config.StoreDir = Dir.Path();
  StartSim(config);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  TBytes data = RandomBytes(10000, 1);
  ASSERT_EQ(SendBytes(cmdLoadVelRecord, data), 0);
  auto received = Sim->Received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].Code, cmdLoadVelRecord);
  EXPECT_TRUE(received[0].Complete);
  EXPECT_EQ(received[0].Bytes, Padded(data));
  std::string stored;
  for (int i = 0; i < 200 && stored.empty(); ++i) {
    std::this_thread::sleep_for(10ms);
    stored = TTempDir::Read(Dir.File("received-1-98.bin"));
  }
  EXPECT_EQ(stored, std::string(received[0].Bytes.begin(), received[0].Bytes.end()));

  TBytes recipe(3 * kRecordSize, 0);
  recipe[0] = kRecordHeader;
  recipe[124] = 'H';
  recipe[127] = 'R';
  recipe[kRecordSize] = kRecordData;
  std::fill(recipe.begin() + kRecordSize + 2, recipe.begin() + 2 * kRecordSize, 'x');
  recipe[2 * kRecordSize] = kRecordData;
  std::fill(recipe.begin() + 2 * kRecordSize + 2, recipe.end(), 'y');
  ASSERT_EQ(SendBytes(cmdLoadRecipe, recipe, true), 0);
  TBytes expected{'H', 0, 0, 'R'};
  expected.insert(expected.end(), 126, 'x');
  expected.insert(expected.end(), 126, 'y');
  EXPECT_EQ(Sim->Received().back().Bytes, Padded(expected));
}

TEST_F(LinkSimTest, ReceivesReadDataAndMemory) {
  TTermSimConfig config;
  TBytes record = RandomBytes(1000, 2);
  record[3] = 0xE8;  // its own length, 1000
  record[4] = 0x03;
  record[5] = record[6] = 0;
  config.ReadData[cmdReadRecord] = record;
  config.RepeatBlocks = {3};  // one acknowledge "lost": the block comes twice
  StartSim(config);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);

  int32_t result = -1;
  EXPECT_EQ(ReceiveBytes(cmdReadRecord, kHintDataRecord, &result), Padded(record));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Sim->BlocksSent(), 9);
  EXPECT_EQ(Status.Totals(), (std::vector<int32_t>{80, 9}));

  const TMemoryRequest request = MakeMemoryReadRequest(0xFF00, 0x10);
  TBytes memory = ReceiveBytes(request, 0, &result);
  EXPECT_EQ(result, 0);
  ASSERT_EQ(memory.size(), kBlockData);
  for (uint32_t i = 0; i < 16; ++i) {
    uint32_t a = 0xFF00 + i;
    EXPECT_EQ(memory[i], static_cast<uint8_t>(a ^ (a >> 8) ^ (a >> 16))) << i;
  }
}

TEST_F(LinkSimTest, OnePercentSpoiltBlocksStillTransferExactly) {
  TTermSimConfig config;
  config.CorruptRate = 0.01;
  config.Seed = 7;
  TBytes data = RandomBytes(96 * 1024, 4);
  config.ReadData[cmdReadDiagnostics] = data;
  StartSim(config);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);

  ASSERT_EQ(SendBytes(cmdLoadRecord, data), 0);
  EXPECT_EQ(Sim->Received().back().Bytes, data);
  EXPECT_GT(Sim->BlocksReceived(), 768);  // some blocks went twice

  int32_t result = -1;
  EXPECT_EQ(ReceiveBytes(cmdReadDiagnostics, 1000, &result), data);
  EXPECT_EQ(result, 0);
  EXPECT_GT(Sim->BlocksSent(), 768);
}

TEST_F(LinkSimTest, DoubleNakAndSilenceDuringASend) {
  TTermSimConfig config;
  config.NakBlocks = {{2, 2}};
  StartSim(config);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  TBytes data = RandomBytes(640, 5);
  ASSERT_EQ(SendBytes(cmdLoadTexts, data), 0);
  EXPECT_EQ(Sim->Received().back().Bytes, data);
  EXPECT_EQ(Sim->BlocksReceived(), 6);  // five blocks, the second one twice

  Sim->Stop();
  config = {};
  config.SilentAfterBlocks = 2;
  StartSim(config);
  Link.Close();
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  EXPECT_EQ(SendBytes(cmdLoadTexts, data), 1);
  EXPECT_EQ(Status.MessageIds(), std::vector<uint32_t>{idsErrNoReply});
  // A retry finds the device listening to commands again at once.
  auto start = TClock::now();
  EXPECT_EQ(Link.Connect(kPort, 0, 0), 0);
  EXPECT_LT(TClock::now() - start, 5s);
}

TEST_F(LinkSimTest, WaitForDeviceSkipsTheFirstText) {
  StartSim();
  ASSERT_EQ(Link.WaitForDevice(kPort), 0);
  EXPECT_TRUE(Link.Connected());
  EXPECT_EQ(Status.Text(sfConnectedTo), "/KR200");
  EXPECT_EQ(CommandsOf(cmdDriverInfo), 0);
}

// Cancelling with the shipped time-outs: every wait must end long before its time-out.
class LinkCancelTest : public LinkSimTest {
 protected:
  template <typename F>
  void ExpectCancelEnds(F operation, int32_t failure = 1) {
    Status.ClearCancel();
    auto start = TClock::now();
    auto result = std::async(std::launch::async, operation);
    std::this_thread::sleep_for(300ms);
    Status.SetCancel();
    ASSERT_EQ(result.wait_for(10s), std::future_status::ready) << "cancel did not end the wait";
    EXPECT_EQ(result.get(), failure);
    EXPECT_LT(TClock::now() - start, 4s);
  }
};

TEST_F(LinkCancelTest, CancelEndsEveryWait) {
  TTermSimConfig config;
  config.Dead = true;
  StartSim(config, 1.0);
  ExpectCancelEnds([this] { return Link.Connect(kPort, 0, 0); });
  ExpectCancelEnds([this] { return Link.Connect(kPort, 1, 0); });  // during the break
  ExpectCancelEnds([this] { return Link.WaitForDevice(kPort); });
  ExpectCancelEnds([this] {
    int32_t result = -1;
    (void)ReceiveBytes(cmdSync, 0, &result);  // no acknowledge: 5 s wait
    return result;
  });
  ExpectCancelEnds([this] {
    int32_t file = platform::FileCreate(Dir.File("r.bin").c_str());
    int32_t result = Link.ReceiveFile(file, 0);  // 6 x 5 s of waiting for blocks
    (void)platform::FileClose(file);
    return result;
  });
  ExpectCancelEnds([this] {
    int32_t file = platform::FileOpen(Dir.Write("s.bin", "abc").c_str(), platform::TFileAccess::ReadOnly);
    int32_t result = Link.SendFile(file, false);  // 2 x 10 s of waiting for NAK
    (void)platform::FileClose(file);
    return result;
  });
  EXPECT_TRUE(Status.Messages().empty());
}

TEST_F(LinkCancelTest, CancelEndsTheResynchronisation) {
  TTermSimConfig config;
  StartSim(config, 1.0);
  ASSERT_EQ(Link.Connect(kPort, 0, 0), 0);
  Sim->Stop();  // the device goes quiet
  ExpectCancelEnds([this] { return Link.Connect(kPort, 0, 0); });
}

}  // namespace
