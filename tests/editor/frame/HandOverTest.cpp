// The single-instance hand-over: a request reaches the running frame over the user's socket
// and shared block; stale sockets and blocks are replaced, live ones respected.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <memory>

#include "editor/frame/Frame.h"
#include "editor/frame/HandOver.h"
#include "editor/text/ChildAccess.h"
#include "platform/ipc/InstanceChannel.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

// Runs the frame's messages until the future is ready (generous time-out).
template <class T>
bool PumpUntil(std::future<T>& done) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (done.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    RunPendingMessages();
    if (std::chrono::steady_clock::now() > until) return false;
  }
  return true;
}

}  // namespace

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUi(std::make_unique<THeadlessBackend>());
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->Options.AutoOpen = 0;
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
    Socket = Dir.File("zk.sock");
    Frame->HandOver = std::make_shared<THandOver>(Frame->Window);
    ASSERT_EQ(Frame->HandOver->Start(Socket), 0);
  }
  void TearDown() override {
    if (Frame->HandOver) Frame->HandOver->Stop();
    Frame.reset();
    ShutdownUi();
  }

  TTempDir Dir;
  std::string Socket;
  std::unique_ptr<TFrame> Frame;
};

TEST_F(HandOverTest, SecondStartHandsItsFileToTheRunningFrame) {
  std::string path = Dir.Write("h.txt", "1\r\n2\r\n3\r\n");
  TStartupRequest request = ParseCommandLine({path, "/L3"});
  auto done = std::async(std::launch::async, [&] { return HandOverToRunning(Socket, request); });
  ASSERT_TRUE(PumpUntil(done));
  EXPECT_EQ(done.get(), 0);
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(ChildFileName(Frame->Active()), path);
  // The block is gone once the hand-over is done.
  int fd = ::shm_open(TSharedBlock::ObjectName(kHandOverBlock).c_str(), O_RDONLY, 0);
  EXPECT_LT(fd, 0);
  if (fd >= 0) ::close(fd);
  // Without a file the frame is only brought up; nothing opens.
  auto bare = std::async(std::launch::async, [&] { return HandOverToRunning(Socket, TStartupRequest{}); });
  ASSERT_TRUE(PumpUntil(bare));
  EXPECT_EQ(bare.get(), 0);
  EXPECT_EQ(Frame->Documents().size(), 1u);
}

TEST_F(HandOverTest, NobodyListeningAndALiveListener) {
  EXPECT_EQ(HandOverToRunning(Dir.File("nobody.sock"), TStartupRequest{}), -1);
  // A second listener on the same path finds the live one.
  TInstanceServer second;
  EXPECT_EQ(second.Start(Socket, [](uint8_t) { return uint8_t{0}; }), 1);
  // The socket is private to the user.
  struct stat st;
  ASSERT_EQ(::stat(Socket.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(InstanceChannelTest, StaleSocketAndStaleBlockAreReplaced) {
  TTempDir dir;
  std::string path = dir.File("stale.sock");
  // A socket file nobody listens on, as a crashed instance leaves it.
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  TInstanceServer server;
  ASSERT_EQ(server.Start(path, [](uint8_t r) { return static_cast<uint8_t>(r + 1); }), 0);
  EXPECT_EQ(SendInstanceRequest(path, 41), 42);
  server.Stop();
  EXPECT_EQ(SendInstanceRequest(path, 41), -1);
  // A plain file at the path is not ours to remove.
  std::string plain = dir.Write("plain.sock", "x");
  EXPECT_EQ(server.Start(plain, nullptr), -1);
  EXPECT_EQ(TTempDir::Read(plain), "x");

  // A block without its writer's lock is stale; a locked one is a hand-over in progress.
  std::string name = "ZKEditTest" + std::to_string(::getpid()) + ".MMF";
  int stale = ::shm_open(TSharedBlock::ObjectName(name).c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(stale, 0);
  ::close(stale);
  TSharedBlock first;
  EXPECT_EQ(first.Create(name, 360), 0);
  TSharedBlock second;
  EXPECT_EQ(second.Create(name, 360), 1);
  char data[360] = {'a', 'b'};
  EXPECT_TRUE(first.Write(data, sizeof data));
  TSharedBlock reader;
  ASSERT_TRUE(reader.Open(name, 360));
  char back[360] = {};
  EXPECT_TRUE(reader.Read(back, sizeof back));
  EXPECT_EQ(std::memcmp(data, back, sizeof data), 0);
  reader.Close();
  first.Close();
  EXPECT_FALSE(reader.Open(name, 360));
}
