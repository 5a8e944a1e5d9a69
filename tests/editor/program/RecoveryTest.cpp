// Recovery copies of unsaved documents: their file format, writing and removing them as
// documents change and get saved, the signal path, and restoring at the next start.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>

#include "editor/frame/Frame.h"
#include "editor/program/Recovery.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

int32_t CountCopies(const std::string& dir) {
  int32_t n = 0;
  for (int32_t i = 0; i < 64; ++i) {
    struct stat st;
    std::string path = dir + "/" + std::to_string(::getpid()) + "-" + std::to_string(i) + ".zkr";
    if (::stat(path.c_str(), &st) == 0) ++n;
  }
  return n;
}

}  // namespace

TEST(RecoveryCopyTest, FormatAndParse) {
  TRecoveryCopy copy{"/home/u/a.txt", "/home/u/a.txt", "eins\r\nzwei"};
  std::string bytes = FormatRecoveryCopy(copy);
  EXPECT_EQ(bytes, "ZKREC1\n/home/u/a.txt\n/home/u/a.txt\neins\r\nzwei");
  TRecoveryCopy back;
  ASSERT_TRUE(ParseRecoveryCopy(bytes, back));
  EXPECT_EQ(back.Text, copy.Text);
  EXPECT_FALSE(ParseRecoveryCopy("ZKREC2\na\nb\n", back));
  EXPECT_FALSE(ParseRecoveryCopy("ZKREC1\nonly a name", back));
  EXPECT_FALSE(ParseRecoveryCopy(std::string("ZKREC1\na\x01\nb\n"), back));
  EXPECT_TRUE(ParseRecoveryCopy("ZKREC1\n\nNeue Datei 1\n", back));
  EXPECT_EQ(back.Text, "");
}

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    ::mkdir(Dir.File("state").c_str(), 0700);
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->Options.AutoOpen = 0;
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
  }
  void TearDown() override {
    Recovery.reset();
    Frame.reset();
    ShutdownUi();
  }
  TEditChildData* Edit(TWindow w) { return dynamic_cast<TEditChildData*>(GetChildData(w)); }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  std::unique_ptr<TRecovery> Recovery;
};

TEST_F(RecoveryTest, CopiesFollowUnsavedChangesAndSurviveASignal) {
  std::string state = Dir.File("state");
  Recovery = std::make_unique<TRecovery>(*Frame, state);
  std::string path = Dir.Write("a.txt", "alt\r\n");
  TWindow w = Frame->OpenFile(path, false, nullptr, false);
  Recovery->WriteCopies();
  EXPECT_EQ(CountCopies(state), 0);  // nothing unsaved
  Edit(w)->InsertTextAtCaret("neu ");
  Recovery->WriteCopies();
  ASSERT_EQ(CountCopies(state), 1);
  std::string copy = TTempDir::Read(state + "/" + std::to_string(::getpid()) + "-1.zkr");
  EXPECT_EQ(copy, "ZKREC1\n" + path + "\n" + path + "\nneu alt\r\n");
  Frame->Command(114);
  Recovery->WriteCopies();
  EXPECT_EQ(CountCopies(state), 0);  // saved: no copy any more
  // SIGTERM: the copy is written, the frame goes without asking, the copy stays.
  Edit(w)->InsertTextAtCaret("x");
  ::raise(SIGTERM);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Frame->Window && std::chrono::steady_clock::now() < until) RunPendingMessages();
  EXPECT_EQ(Frame->Window, 0u);
  EXPECT_TRUE(Recovery->Terminated());
  EXPECT_TRUE(Backend->Boxes.empty());
  Recovery->Clear();
  EXPECT_EQ(CountCopies(state), 1);
  EXPECT_EQ(TTempDir::Read(path), "neu alt\r\n");
}

TEST_F(RecoveryTest, NextStartRestoresCopiesOfEndedSessions) {
  std::string state = Dir.File("state");
  // pid 0x7FFFFFF0 runs nowhere: its session has ended.
  Dir.Write("state/2147483632-1.zkr", "ZKREC1\n/home/u/b.txt\n/home/u/b.txt\nGerettet\r\nZeile 2");
  Dir.Write("state/2147483632-2.zkr", "kaputt");
  Recovery = std::make_unique<TRecovery>(*Frame, state);
  Backend->QueueAnswer(IDYES);
  Recovery->OfferRestore();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  TWindow w = Frame->Active();
  EXPECT_EQ(Edit(w)->Lines.Text(0), "Gerettet");
  EXPECT_EQ(Edit(w)->Lines.Text(1), "Zeile 2");
  EXPECT_TRUE(ChildModified(w));
  EXPECT_NE(GetWindowText(w).find("/home/u/b.txt"), std::string::npos);
  struct stat st;
  EXPECT_NE(::stat((state + "/2147483632-1.zkr").c_str(), &st), 0);
  // Nothing left to offer.
  size_t boxes = Backend->Boxes.size();
  Recovery->OfferRestore();
  EXPECT_EQ(Backend->Boxes.size(), boxes);
}

// A save cut off while it rewrote a file in place leaves the old content and a note in the
// rescue directory; the next start offers it back.
TEST_F(RecoveryTest, NextStartOffersTheOldContentOfAnInterruptedSave) {
  std::string cache = Dir.File("cache");
  const char* before = std::getenv("XDG_CACHE_HOME");
  std::string saved = before ? before : "";
  ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
  ::mkdir(cache.c_str(), 0700);
  ::mkdir((cache + "/zkedit32").c_str(), 0700);
  ::mkdir((cache + "/zkedit32/rescue").c_str(), 0700);
  auto leave = [&](const std::string& target, const std::string& old, const std::string& tag) {
    std::string copy = "zkedit32/rescue/" + tag + ".zkold-AbC123";
    Dir.Write("cache/" + copy, old);
    Dir.Write("cache/" + copy + ".note",
              "ZKRESCUE\n" + std::to_string(old.size()) + "\n" + target + "\n");
    ::chmod((cache + "/" + copy).c_str(), 0600);
  };
  std::string a = Dir.Write("a.txt", "halb gesch");
  std::string b = Dir.Write("b.txt", "neu und ganz\n");
  leave(a, "alter Inhalt a\n", "a.txt");
  leave(b, "alter Inhalt b\n", "b.txt");
  Recovery = std::make_unique<TRecovery>(*Frame, Dir.File("state"));
  // Cancel for both: nothing changes and the next start asks again.
  Backend->QueueAnswer(IDCANCEL);
  Backend->QueueAnswer(IDCANCEL);
  Recovery->OfferInterruptedSaves();
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_NE(Backend->Boxes[0].Text.find(a), std::string::npos);
  EXPECT_EQ(TTempDir::Read(a), "halb gesch");
  // Yes puts a's old content back; No keeps b as it is; both copies are then gone.
  Backend->QueueAnswer(IDYES);
  Backend->QueueAnswer(IDNO);
  Recovery->OfferInterruptedSaves();
  EXPECT_EQ(Backend->Boxes.size(), 4u);
  EXPECT_EQ(TTempDir::Read(a), "alter Inhalt a\n");
  EXPECT_EQ(TTempDir::Read(b), "neu und ganz\n");
  Recovery->OfferInterruptedSaves();
  EXPECT_EQ(Backend->Boxes.size(), 4u);
  if (before) ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
  else ::unsetenv("XDG_CACHE_HOME");
}

// Logging out asks as a close does: Cancel in the save prompt keeps the session and the
// work; No lets it end, and the settings are written once.
TEST_F(RecoveryTest, SessionEndAsksForUnsavedWorkAndWritesTheSettings) {
  std::string path = Dir.Write("c.txt", "alt\r\n");
  TWindow w = Frame->OpenFile(path, false, nullptr, false);
  Edit(w)->InsertTextAtCaret("neu ");
  Backend->QueueAnswer(IDCANCEL);
  EXPECT_FALSE(QueryEndSession());
  EXPECT_TRUE(IsWindow(w));
  EXPECT_TRUE(ChildModified(w));
  struct stat st;
  EXPECT_NE(::stat(Dir.File("ZKEdit32.Ini").c_str(), &st), 0);
  Backend->QueueAnswer(IDNO);
  EXPECT_TRUE(QueryEndSession());
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(TTempDir::Read(path), "alt\r\n");
  EXPECT_EQ(::stat(Dir.File("ZKEdit32.Ini").c_str(), &st), 0);
}
