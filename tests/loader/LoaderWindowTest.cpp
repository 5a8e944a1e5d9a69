// A loader run in its status window on the headless window layer: "Abbruch" pressed on the
// window thread during a transfer cancels the run.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "loader/actions/LoaderRun.h"
#include "loader/program/WindowUi.h"
#include "platform/serial/TermiosPort.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/loader/SimSupport.h"
#include "tests/support/TempDir.h"
#include "tools/termsim/TermSim.h"

using namespace krlad;

namespace {

class LoaderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::THeadlessBackend>();
    Backend = backend.get();
    platform::InitUi(std::move(backend));
  }
  void TearDown() override {
    platform::ShutdownUi();
    unsetenv("ZK_COM7");
  }
  platform::THeadlessBackend* Backend = nullptr;
  TTempDir Dir;
};

TEST_F(LoaderWindowTest, AbbruchDuringATransferCancelsWithoutRetryQuestion) {
  termsim::TTermSimConfig config;
  config.Pace = true;  // 64 KB take about 20 s at 38400 Baud
  termsim::TTermSim sim(config);
  ASSERT_TRUE(sim.Start()) << sim.Error();
  setenv("ZK_COM7", sim.PortName().c_str(), 1);
  const std::string record = Dir.Write("big.ved", VelRecordText(64 * 1024, 'x'));

  TStatusWindow window;
  TWindowUi ui(window);
  platform::TTermiosPort port;
  TLoaderRun run(ui, port);
  bool pressed = false;
  Backend->SetIdleScript([&] {
    if (!pressed && sim.BlocksReceived() >= 3) {
      pressed = true;
      platform::TWindow abort = platform::GetDlgItem(window.Window(), 2);
      platform::InputMouse(abort, platform::WM_LBUTTONDOWN, {4, 4});
      platform::InputMouse(abort, platform::WM_LBUTTONUP, {4, 4});
    }
    return true;
  });
  EXPECT_EQ(ui.RunWorker([&] { return run.Run({"-7", "-I" + record, "-CR"}); }), kExitCancelled);
  EXPECT_TRUE(pressed);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Anwender hat abgebrochen !");
  EXPECT_EQ(Backend->Boxes[0].Caption, "Fehler");
  ASSERT_EQ(sim.Received().size(), 1u);
  EXPECT_FALSE(sim.Received()[0].Complete);
  sim.Stop();
}

}  // namespace
