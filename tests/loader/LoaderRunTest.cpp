// Loader runs end to end over a pseudo-terminal, with the terminal simulator on the far
// side and a scripted user interface.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <future>
#include <thread>

#include "loader/actions/LoaderRun.h"
#include "loader/actions/TextIds.h"
#include "platform/serial/TermiosPort.h"
#include "resources/krladwin32/Strings.h"
#include "tests/loader/ScriptedUi.h"
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


TBytes Pattern(size_t size, uint8_t seed) {
  TBytes out(size);
  for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>(seed + i * 13 + (i >> 7));
  return out;
}

std::string Str(const TBytes& b) { return std::string(b.begin(), b.end()); }

void PutLe(TBytes& b, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// A driver file that names its identification (through the table at 100) and its
// bootloader.
TBytes DriverFile(const TBytes& id, std::string_view bootloader) {
  TBytes file = Pattern(1500, 5);
  PutLe(file, 100, 200, 2);
  PutLe(file, 240, 512, 2);
  std::fill(file.begin() + 512, file.begin() + 640, 0);
  std::copy(id.begin(), id.end(), file.begin() + 512);
  PutLe(file, 5, 300, 2);
  std::copy(bootloader.begin(), bootloader.end(), file.begin() + 300);
  return file;
}

class LoaderRunTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (Sim) Sim->Stop();
    unsetenv("ZK_COM7");
  }

  void StartSim(TTermSimConfig config = {}) {
    config.Log = [this](const std::string& line) {
      std::lock_guard lock(LogMutex);
      Log.push_back(line);
    };
    Sim = std::make_unique<TTermSim>(std::move(config));
    ASSERT_TRUE(Sim->Start()) << Sim->Error();
    setenv("ZK_COM7", Sim->PortName().c_str(), 1);
  }

  int32_t RunLoader(std::vector<std::string> args, double scale = kTestTimeScale) {
    args.insert(args.begin(), "-7");
    Run.SetTimeScaleForTests(scale);
    return Ui.RunWorker([&] { return Run.Run(args); });
  }

  int CommandsOf(uint8_t code) const { return CommandCount(*Sim, code); }
  std::vector<termsim::TReceivedFile> Complete() const {
    std::vector<termsim::TReceivedFile> out;
    for (const auto& f : Sim->Received())
      if (f.Complete) out.push_back(f);
    return out;
  }
  bool Logged(const std::string& line) {
    std::lock_guard lock(LogMutex);
    return std::find(Log.begin(), Log.end(), line) != Log.end();
  }
  std::string File(std::string_view name, const TBytes& bytes) { return Dir.Write(name, Str(bytes)); }

  TTempDir Dir;
  std::unique_ptr<TTermSim> Sim;
  std::mutex LogMutex;
  std::vector<std::string> Log;
  TScriptedUi Ui;
  platform::TTermiosPort Port;
  TLoaderRun Run{Ui, Port};
};

TEST_F(LoaderRunTest, OnlyAPortDoesNothingAndSaysNothing) {
  StartSim();
  EXPECT_EQ(RunLoader({}), kExitOk);
  EXPECT_TRUE(Ui.Boxes().empty());
  EXPECT_EQ(Ui.TextCount(), 0u);
  EXPECT_TRUE(Sim->Commands().empty());
}

TEST_F(LoaderRunTest, QuestionMarkAnywhereEndsBeforeAnyAction) {
  StartSim();
  const std::string record = File("rec.ved", Pattern(300, 1));
  EXPECT_EQ(RunLoader({"-I" + record, "-?"}), kExitParams);
  ASSERT_EQ(Ui.Boxes().size(), 1u);
  EXPECT_EQ(Ui.Errors().at(0), LoadResString(idsErrParams));
  EXPECT_TRUE(Sim->Commands().empty());
}

TEST_F(LoaderRunTest, TwoLoadsConnectOnceAndResynchronise) {
  StartSim();
  const TBytes first = Pattern(1000, 1);
  const TBytes second = VelRecord(Pattern(300, 2));
  EXPECT_EQ(RunLoader({File("rec.ved", first), "-I" + File("vel.ved", second)}), kExitOk);
  EXPECT_TRUE(Ui.Boxes().empty());
  EXPECT_EQ(CommandsOf(cmdDriverInfo), 1);
  EXPECT_EQ(CommandsOf(cmdSync), 16);
  auto files = Complete();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Code, cmdLoadRecord);
  EXPECT_EQ(files[0].Bytes, Padded(first));
  EXPECT_EQ(files[1].Code, cmdLoadVelRecord);
  EXPECT_EQ(files[1].Bytes, Padded(second));
  EXPECT_TRUE(Ui.Showed(sfStatus, LoadResString(idsFlashErase)));
  EXPECT_TRUE(Ui.Showed(sfStatus, LoadResString(idsWaitActivity)));
  EXPECT_TRUE(Ui.Showed(sfAction, "\"" + Dir.File("vel.ved") + "\" VEL Datensatz wird geladen ."));
}

TEST_F(LoaderRunTest, MissingFileEndsTheRunWithoutTouchingTheDevice) {
  StartSim();
  EXPECT_EQ(RunLoader({"-I" + Dir.File("none.ved"), "-CR"}), kExitFailed);
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{"\"" + Dir.File("none.ved") + "\" File existiert nicht !"});
  EXPECT_TRUE(Sim->Commands().empty());
}

// An empty file and a VEL record that is cut short or damaged never reach the device: no
// frame is sent, the run ends with the reason, also with -Y.
TEST_F(LoaderRunTest, EmptyOrDamagedRecordIsRefusedBeforeAnyFrame) {
  StartSim();
  const TBytes good = VelRecord(Pattern(300, 6));
  TBytes cut(good.begin(), good.end() - 1);
  TBytes flipped = good;
  flipped[200] ^= 0x01;
  TBytes magic = good;
  magic[2] = 0x54;
  TBytes stub = VelRecord({});  // a bare header is a record, though an empty one
  // Each check byte on its own: X kept with S wrong, and S kept with X wrong.
  const TBytes small = VelRecord({0x11, 0x21, 0x40, 0x42});
  TBytes onlyS = small;
  onlyS[9] ^= 0x01;
  onlyS[10] ^= 0x01;
  TBytes onlyX = small;
  onlyX[7] = 0x12;
  onlyX[8] = 0x20;
  struct TCase {
    std::string Arg;
    uint32_t Message;
  };
  const std::vector<TCase> cases{
      {"-I" + File("empty.ved", {}), idsErrEmptyFile},
      {"-D" + File("empty.dat", {}), idsErrEmptyFile},
      {"-I" + File("cut.ved", cut), idsErrBadVelRecord},
      {"-I" + File("flipped.ved", flipped), idsErrBadVelRecord},
      {"-I" + File("magic.ved", magic), idsErrBadVelRecord},
      {"-I" + File("onlys.ved", onlyS), idsErrBadVelRecord},
      {"-I" + File("onlyx.ved", onlyX), idsErrBadVelRecord},
      {"-I" + File("stub.ved", TBytes(stub.begin(), stub.begin() + 6)), idsErrBadVelRecord},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Arg);
    Ui.Clear();
    EXPECT_EQ(RunLoader({"-Y", c.Arg}), kExitFailed);
    const std::string file = c.Arg.substr(2);
    EXPECT_EQ(Ui.Errors(), std::vector<std::string>{FormatText(c.Message, file.c_str())});
    EXPECT_TRUE(Sim->Commands().empty());
  }
  Ui.Clear();
  EXPECT_EQ(RunLoader({"-I" + File("good.ved", good)}), kExitOk);
  ASSERT_EQ(Complete().size(), 1u);
  EXPECT_EQ(Complete()[0].Bytes, Padded(good));
}

// A port that another loader holds is refused as a port error, also for root.
TEST_F(LoaderRunTest, PortHeldByAnotherLoaderIsNamedWithNoRetry) {
  StartSim();
  platform::TTermiosPort other;
  platform::TPortSettings settings;
  settings.Port = 7;
  ASSERT_EQ(other.Open(settings), platform::kPortOk);
  EXPECT_EQ(RunLoader({"-Y", "-CR"}), kExitFailed);
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{FormatText(idsErrPort, 7)});
  other.Close();
}

TEST_F(LoaderRunTest, PortErrorEndsTheRunWithoutRetryQuestion) {
  setenv("ZK_COM7", Dir.File("no-such-tty").c_str(), 1);
  EXPECT_EQ(RunLoader({"-I" + File("rec.ved", VelRecord(Pattern(10, 1)))}), kExitFailed);
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{FormatText(idsErrPort, 7)});
  EXPECT_TRUE(Ui.Questions().empty());
}

TEST_F(LoaderRunTest, RetryWithYesRepeatsTheSameArgument) {
  TTermSimConfig config;
  config.RefuseFirst[cmdLoadVelRecord] = 1;
  StartSim(config);
  const TBytes record = VelRecord(Pattern(500, 3));
  Ui.Answer(baYes);
  EXPECT_EQ(RunLoader({"-I" + File("rec.ved", record)}), kExitOk);
  EXPECT_EQ(Ui.Questions(), std::vector<std::string>{std::string(LoadResString(idsErrRetry))});
  auto files = Complete();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Bytes, Padded(record));
}

TEST_F(LoaderRunTest, FailureWithNoRetryOptionEndsWithoutAsking) {
  TTermSimConfig config;
  config.RefuseFirst[cmdLoadVelRecord] = 1;
  StartSim(config);
  EXPECT_EQ(RunLoader({"-Y", "-I" + File("rec.ved", VelRecord(Pattern(500, 3))), "-CR"}),
            kExitFailed);
  // No question, but the reason is still shown.
  EXPECT_TRUE(Ui.Questions().empty());
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{std::string(LoadResString(idsErrNoReply))});
  EXPECT_TRUE(Complete().empty());
  EXPECT_EQ(CommandsOf(cmdSoftReset), 0);
}

TEST_F(LoaderRunTest, RetryAnsweredNoEndsTheRun) {
  TTermSimConfig config;
  config.SilentCodes.insert(cmdSoftReset);
  StartSim(config);
  Ui.Answer(baNo);
  EXPECT_EQ(RunLoader({"-CR", "-CP"}), kExitFailed);
  EXPECT_EQ(Ui.Questions().size(), 1u);
  EXPECT_EQ(CommandsOf(cmdDeleteVel), 0);
}

TEST_F(LoaderRunTest, CancelDuringATransferEndsWithoutRetryQuestion) {
  TTermSimConfig config;
  config.Pace = true;  // 64 KB take about 20 s at 38400 Baud
  StartSim(config);
  const std::string record = File("big.ved", VelRecord(Pattern(64 * 1024, 4)));
  auto canceller = std::async(std::launch::async, [this] {
    const auto until = TClock::now() + 60s;
    while (Sim->BlocksReceived() < 3 && TClock::now() < until) std::this_thread::sleep_for(5ms);
    Ui.UserCancel();  // what "Abbruch" does on the window thread
  });
  const auto start = TClock::now();
  EXPECT_EQ(RunLoader({"-I" + record, "-CR"}, 1.0), kExitCancelled);
  canceller.get();
  EXPECT_LT(TClock::now() - start, 15s);
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{std::string(LoadResString(idsErrCancelled))});
  EXPECT_TRUE(Ui.Questions().empty());
  EXPECT_TRUE(Complete().empty());
  EXPECT_EQ(CommandsOf(cmdSoftReset), 0);
}

TEST_F(LoaderRunTest, ReadOntoAnExistingFileAsksAndNoEnds) {
  StartSim();
  const std::string target = Dir.Write("out.ved", "old");
  Ui.Answer(baNo);
  EXPECT_EQ(RunLoader({"-*D" + target, "-CR"}), kExitFailed);
  EXPECT_EQ(Ui.Questions(), std::vector<std::string>{"Vorhandene Datei:\"" + target + "\" \rersetzen ? "});
  EXPECT_EQ(TTempDir::Read(target), "old");
  EXPECT_TRUE(Sim->Commands().empty());
}

TEST_F(LoaderRunTest, ReadOntoAnExistingFileWithYesReplacesIt) {
  TTermSimConfig config;
  TBytes record = Pattern(700, 6);
  PutLe(record, 3, 700, 4);  // the record's own length field
  config.ReadData[cmdReadRecord] = record;
  StartSim(config);
  const std::string target = Dir.Write("out.ved", "old");
  Ui.Answer(baYes);
  EXPECT_EQ(RunLoader({"-*d" + target}), kExitOk);
  EXPECT_EQ(TTempDir::Read(target), Str(Padded(record)));
  EXPECT_EQ(Ui.Steps(), 6);
}

TEST_F(LoaderRunTest, MemoryReadOfSixteenBytesFromFF00) {
  StartSim();
  const std::string target = Dir.File("mem.bin");
  EXPECT_EQ(RunLoader({"-*SFF00;10;" + target}), kExitOk);
  EXPECT_TRUE(Logged("memory request 65280 length 16"));
  TBytes expected;
  for (uint32_t a = 0xFF00; a < 0xFF10; ++a) expected.push_back(static_cast<uint8_t>(a ^ (a >> 8)));
  EXPECT_EQ(TTempDir::Read(target), Str(expected));
}

TEST_F(LoaderRunTest, MemoryReadWithoutLengthEndsTheRunThere) {
  StartSim();
  EXPECT_EQ(RunLoader({"-CR", "-*SFF00;" + Dir.File("mem.bin"), "-CR"}), kExitParams);
  EXPECT_EQ(CommandsOf(cmdSoftReset), 1);
  EXPECT_EQ(Ui.Errors(), std::vector<std::string>{std::string(LoadResString(idsErrParams))});
}

TEST_F(LoaderRunTest, QueriesAreWrittenToTheirFiles) {
  TTermSimConfig config;
  config.HwConfig = {'C', 'f', 'g', ':', 1, 0x00};
  StartSim(config);
  const std::string hw = Dir.File("hw.txt"), vel = Dir.File("vel.txt"), st = Dir.File("st.txt"),
                    drv = Dir.File("drv.txt");
  EXPECT_EQ(RunLoader({"-CH" + hw, "-CI" + vel, "-CS" + st, "-CT" + drv}), kExitOk);
  EXPECT_EQ(TTempDir::Read(hw),
            "Anschaltungskarte: Interbus-S\rkeine Uhr und Batteriegepufferter RAM vorhanden");
  EXPECT_EQ(TTempDir::Read(vel), "VEL 1.0");
  EXPECT_EQ(TTempDir::Read(st), "Status OK");
  EXPECT_EQ(TTempDir::Read(drv), "KR-Treiber V4.10 an KR200 Urlader");
  EXPECT_TRUE(Ui.Showed(sfStatus, LoadResString(idsCommand)));
  EXPECT_TRUE(Ui.Showed(sfAction, "Hardwareausbau wird abgefragt."));
}

TEST_F(LoaderRunTest, UnansweredVelInfoWritesNoVel) {
  TTermSimConfig config;
  config.SilentCodes.insert(cmdVelInfo);
  StartSim(config);
  const std::string vel = Dir.File("vel.txt");
  EXPECT_EQ(RunLoader({"-CI" + vel}), kExitOk);
  EXPECT_EQ(TTempDir::Read(vel), "- no VEL -");
}

TEST_F(LoaderRunTest, HardwareConfigWithoutCfgAnswerFails) {
  TTermSimConfig config;
  config.HwConfig = {'X', 'f', 'g', ':', 1, 0x80};
  StartSim(config);
  EXPECT_EQ(RunLoader({"-Y", "-CH" + Dir.File("hw.txt")}), kExitFailed);
  EXPECT_EQ(TTempDir::Read(Dir.File("hw.txt")), "");
}

TEST_F(LoaderRunTest, DeleteVelResetsOnlyAfterItsAcknowledge) {
  StartSim();
  EXPECT_EQ(RunLoader({"-CP"}), kExitOk);
  EXPECT_EQ(CommandsOf(cmdDeleteVel), 1);
  EXPECT_EQ(CommandsOf(cmdSoftReset), 1);

  TTermSimConfig config;
  config.SilentCodes.insert(cmdDeleteVel);
  Sim->Stop();
  StartSim(config);
  Port.Close();
  EXPECT_EQ(RunLoader({"-Y", "-CP"}), kExitFailed);
  EXPECT_EQ(CommandsOf(cmdSoftReset), 0);
}

// The raw reply to the driver information frame, as the device's identification.
TBytes DeviceId(const TTermSimConfig& config) {
  return MakeAnswerFrame(TBytes(config.DriverInfo.begin(), config.DriverInfo.end()));
}

TEST_F(LoaderRunTest, DriverEqualToTheDevicesIsNotTransferred) {
  TTermSimConfig config;
  const std::string driver = File("drv.bin", DriverFile(DeviceId(config), config.Bootloader));
  StartSim(config);
  EXPECT_EQ(RunLoader({"-L" + driver}), kExitOk);
  EXPECT_EQ(CommandsOf(cmdPrepareDriver), 0);
  EXPECT_TRUE(Ui.Boxes().empty());
}

TEST_F(LoaderRunTest, OtherDriverIsTransferredAfterTheHandshake) {
  TTermSimConfig config;
  TBytes otherId = DeviceId(config);
  otherId[5] ^= 1;
  const TBytes driver = DriverFile(otherId, config.Bootloader);
  StartSim(config);
  EXPECT_EQ(RunLoader({"-L" + File("drv.bin", driver)}), kExitOk);
  EXPECT_TRUE(Ui.Boxes().empty());
  EXPECT_EQ(CommandsOf(cmdPrepareDriver), 1);
  auto files = Complete();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Code, cmdPrepareDriver);
  EXPECT_EQ(files[0].Bytes, Padded(driver));
  EXPECT_TRUE(Ui.Showed(sfStatus, LoadResString(idsFlashErase)));
}

TEST_F(LoaderRunTest, DriverWithoutTaggedBootloaderAsksBeforeGoingOn) {
  TTermSimConfig config;
  const std::string driver = File("drv.krt", DriverFile({}, "XXBOOT 2.00"));
  StartSim(config);
  Ui.Answer(baNo);
  EXPECT_EQ(RunLoader({"-L" + driver}), kExitFailed);
  EXPECT_EQ(Ui.Questions(),
            std::vector<std::string>{"Datei: \"" + driver + "\" enthält keine Angabe über passenden Urlader ! Weiter ?"});
  EXPECT_TRUE(Complete().empty());
}

TEST_F(LoaderRunTest, BootloaderMismatchAskedWithBothNamesYesPreparesAgain) {
  TTermSimConfig config;
  const TBytes driver = DriverFile({}, "ZKBOOT 1.00");
  StartSim(config);
  Ui.Answer(baYes);
  EXPECT_EQ(RunLoader({"-L" + File("drv.bin", driver)}, 0.05), kExitOk);
  EXPECT_EQ(Ui.Questions(),
            std::vector<std::string>{"Treiber  passt nicht zum Urlader !  Weiter ?\ngewünschter Urlader: "
                                     "\"ZKBOOT 1.00\"\n        Angeschlossener: \"ZKBOOT 2.00\""});
  EXPECT_EQ(CommandsOf(cmdPrepareDriver), 2);
  auto files = Complete();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Bytes, Padded(driver));
}

TEST_F(LoaderRunTest, DriverIntoASilentDeviceGoesThroughThePowerCycle) {
  TTermSimConfig config;
  config.AsleepFrames = 30;  // more than the whole connect sends
  const TBytes driver = DriverFile({}, config.Bootloader);
  StartSim(config);
  const std::string name = File("drv.bin", driver);
  EXPECT_EQ(RunLoader({"-L" + name}, 0.02), kExitOk);
  EXPECT_TRUE(Ui.Showed(sfAction, "\"" + name + "\" Treiber wird in Gerät ohne Treiber geladen."));
  EXPECT_TRUE(Ui.Showed(sfStatus, LoadResString(idsPowerCycle)));
  EXPECT_TRUE(Ui.Showed(sfConnectedTo, "/KR200"));
  auto files = Complete();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Bytes, Padded(driver));
}

}  // namespace
