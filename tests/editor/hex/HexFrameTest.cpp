// The hex window inside the editor's frame on the headless back end: opening with /H and
// from the file dialog, the status bar, switching to the text editor and back, the mode
// command with its save question, the insert dialog, and a file too large.
#include <gtest/gtest.h>

#include <unistd.h>

#include "editor/frame/Frame.h"
#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

class HexFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
  }
  void TearDown() override {
    Frame.reset();
    ShutdownUi();
  }
  void Start(std::vector<std::string> args = {}) {
    Frame->Args = std::move(args);
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
  }
  std::string Part(int32_t part) { return StatusBarText(Frame->StatusBar, part); }
  THexChildData* Hex() { return HexChild(Frame->Active()); }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
};

TEST_F(HexFrameTest, CommandLineOpensAtAHexOffsetWithTheHexStatusBar) {
  std::string data(64, 'a');
  data[31] = 'Z';
  std::string path = Dir.Write("d.bin", data);
  Start({path, "/H1F"});
  ASSERT_NE(Hex(), nullptr);
  EXPECT_EQ(Hex()->StatusOffset(), 31);
  EXPECT_EQ(Part(0), "31 / 0000001F ");
  EXPECT_EQ(Part(1), "\"Z\" / 90 / 5A");
  EXPECT_EQ(Part(2), "Überschr.");
  EXPECT_NE(Part(5).find("64 Byte"), std::string::npos);
  EXPECT_EQ(StatusBarParts(Frame->StatusBar).size(), 6u);
  // The tool-bar position of 202 carries 203, pressed.
  EXPECT_EQ(ToolBarButtonState(Frame->ToolBar, 202), -1);
  EXPECT_NE(ToolBarButtonState(Frame->ToolBar, 203) & TBSTATE_CHECKED, 0);
  // Typing marks the window modified in the status bar; the caret move updates part 0.
  SendMessage(Frame->Active(), WM_CHAR, '4', 0);
  EXPECT_EQ(Part(3), "geändert !");
  Hex()->GotoOffset(100, false);
  EXPECT_EQ(Part(0), "");
}

TEST_F(HexFrameTest, SwitchingToTheTextEditorAndBackKeepsTheFile) {
  std::string path = Dir.Write("t.txt", "Hallo\r\n");
  Start({path});
  ASSERT_EQ(ChildKind(Frame->Active()), wkEdit);
  SendMessage(Frame->Client, WM_MDIRESTORE, Frame->Active(), 0);
  MoveWindow(Frame->Active(), TRect{30, 20, 330, 220});
  Frame->Command(202);
  RunPendingMessages();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  ASSERT_EQ(ChildKind(Frame->Active()), wkHex);
  // The hex window takes the text window's place in the client area.
  EXPECT_EQ(GetWindowRect(Frame->Active()), (TRect{30, 20, 330, 220}));
  EXPECT_EQ(ChildFileName(Frame->Active()), path);
  EXPECT_EQ(Hex()->BytesAt(0, 3), "Hal");
  Frame->Command(203);
  RunPendingMessages();
  ASSERT_EQ(Frame->Documents().size(), 1u);
  EXPECT_EQ(ChildKind(Frame->Active()), wkEdit);
}

TEST_F(HexFrameTest, ModeCommandAsksToSaveFirstAndInsertDialogAddsBytes) {
  std::string path = Dir.Write("m.bin", "ABCD");
  Start({path, "/H0"});
  ASSERT_NE(Hex(), nullptr);
  EXPECT_FALSE(Frame->IsAvailable(156));
  SendMessage(Frame->Active(), WM_CHAR, '6', 0);
  Backend->QueueAnswer(IDYES);
  Frame->Command(155);
  ASSERT_FALSE(Backend->Boxes.empty());
  EXPECT_EQ(Backend->Boxes.back().Caption, "Z&K Quellwerk: Hex-Editor");
  EXPECT_NE(Backend->Boxes.back().Text.find("Jetzt speichern?"), std::string::npos);
  EXPECT_TRUE(Hex()->Extended());
  EXPECT_EQ(TTempDir::Read(path), "aBCD");
  EXPECT_TRUE(Frame->IsAvailable(156));
  EXPECT_EQ(Part(2), "Einfügen");
  // "Bytes einfügen": three bytes of 2A at the caret.
  Hex()->GotoOffset(1, false);
  TScriptSteps steps;
  steps.Then([] { ScriptKey('A', false, true); })
      .Then([] { ScriptType("3"); })
      .Then([] { ScriptKey(VK_TAB); })
      .Then([] { ScriptType("2A"); })
      .Then([] { ScriptKey(VK_RETURN); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  Frame->Command(156);
  Backend->SetIdleScript(nullptr);
  EXPECT_EQ(Hex()->BytesAt(0, 10), "a***BCD");
  EXPECT_EQ(Hex()->StatusOffset(), 4);
  // A read-only window refuses the mode with its message.
  Frame->Command(155);
  Frame->Command(204);
  EXPECT_TRUE(ChildReadOnly(Frame->Active()));
  Frame->Command(155);
  EXPECT_NE(Backend->Boxes.back().Text.find("Modus kann nicht eingestellt werden!"), std::string::npos);
}

TEST_F(HexFrameTest, FileBeyondTheLimitIsRefusedWithItsOwnMessage) {
  std::string path = Dir.Write("big.bin", "");
  ASSERT_EQ(truncate(path.c_str(), kHexMaxFileSize + 1), 0);
  Start();
  TFilePosition position{0, 0, true};
  EXPECT_EQ(Frame->OpenFile(path, false, &position, true), 0u);
  ASSERT_FALSE(Backend->Boxes.empty());
  EXPECT_NE(Backend->Boxes.back().Text.find("zu groß für den Hex-Editor"), std::string::npos);
  EXPECT_TRUE(Frame->Documents().empty());
}

}  // namespace

namespace {

TEST_F(HexFrameTest, ViewCommandsApplyToEveryHexWindowAndAreRemembered) {
  std::string a = Dir.Write("a.bin", std::string("\xE4\0", 2));
  std::string b = Dir.Write("b.bin", "xyz");
  Start();
  TFilePosition hex{0, 0, true};
  TWindow first = Frame->OpenFile(a, false, &hex, true);
  TWindow second = Frame->OpenFile(b, false, &hex, true);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  Frame->Command(196);
  EXPECT_TRUE(HexChild(first)->AllChars);
  EXPECT_TRUE(HexChild(second)->AllChars);
  std::string line;
  ASSERT_TRUE(HexChild(first)->GetLineText(0, line));
  EXPECT_EQ(line.substr(59, 2), "\xE4.");
  Frame->Command(195);
  EXPECT_EQ(HexChild(first)->ViewMode, hvCharsOnly);
  EXPECT_EQ(HexChild(second)->ViewMode, hvCharsOnly);
  EXPECT_TRUE(Frame->Options.HexTextBlockOnly);
  EXPECT_TRUE(Frame->Options.HexAllChars);
  // A new hex window starts in the remembered views.
  TWindow third = Frame->OpenFile(Dir.Write("c.bin", "c"), false, &hex, true);
  ASSERT_NE(third, 0u);
  EXPECT_EQ(HexChild(third)->ViewMode, hvCharsOnly);
  EXPECT_TRUE(HexChild(third)->AllChars);
}

}  // namespace
