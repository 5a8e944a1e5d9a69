// The editor's accelerator table translated in the message loop: Ctrl, Alt, Shift, function
// keys and Alt+digit characters.
#include "tests/platform/ui/FrameFixture.h"

#include "platform/ui/Accelerator.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Input.h"
#include "resources/zkedit32/Accelerators.h"

using namespace platform;
using frametest::FrameTest;
using frametest::Parts;
using frametest::Seen;

namespace {

class AcceleratorTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Doc = NewDoc("A");
    InputFocus(Doc);
    RunPendingMessages();
    Seen().clear();
  }
  // Runs the queue the way the frame's loop does and returns the commands the frame got.
  std::vector<uint32_t> Loop() {
    TMsg msg;
    while (PeekMessage(msg, true)) {
      if (TranslateMdiSysAccel(Client, msg)) continue;
      if (TranslateAccelerator(Frame, EditorAccelerators(), msg)) continue;
      DispatchMessage(msg);
    }
    std::vector<uint32_t> commands;
    for (const frametest::TSeen& s : Seen()) {
      if (s.Window == Frame && s.Message == WM_COMMAND) commands.push_back(LoWord(s.WParam));
    }
    Seen().clear();
    return commands;
  }
  void Press(std::initializer_list<uint32_t> modifiers, uint32_t key, int chr = -1) {
    for (uint32_t m : modifiers) InputKey(m, true);
    InputKey(key, true);
    if (chr >= 0) InputChar(static_cast<uint8_t>(chr));
    InputKey(key, false);
    for (uint32_t m : modifiers) InputKey(m, false);
  }
  using V = std::vector<uint32_t>;
  TWindow Doc = 0;
};

}  // namespace

TEST_F(AcceleratorTest, ModifiersMustMatchExactly) {
  Press({VK_CONTROL}, 'N', 0x0E);
  EXPECT_EQ(Loop(), V{112});
  Press({}, 'N', 'n');
  EXPECT_EQ(Loop(), V{});
  Press({VK_CONTROL, VK_SHIFT}, 'N');
  EXPECT_EQ(Loop(), V{});
  Press({VK_CONTROL, VK_SHIFT}, '5');
  EXPECT_EQ(Loop(), V{265});
  Press({VK_CONTROL}, '5');
  EXPECT_EQ(Loop(), V{255});
  Press({VK_SHIFT}, VK_INSERT);
  EXPECT_EQ(Loop(), V{148});
  Press({VK_CONTROL}, VK_INSERT);
  EXPECT_EQ(Loop(), V{147});
}

TEST_F(AcceleratorTest, FunctionKeysAltKeysAndAltCharacters) {
  Press({}, VK_F1 + 2);
  Press({VK_SHIFT}, VK_F1 + 2);
  Press({VK_CONTROL}, VK_F1 + 8);
  Press({}, VK_F12);
  EXPECT_EQ(Loop(), (V{177, 186, 161, 197}));
  // Alt keys arrive as system keys.
  Press({VK_MENU}, VK_BACK);
  Press({VK_MENU, VK_SHIFT}, '3', '#');
  EXPECT_EQ(Loop(), (V{144, 283}));
  // Alt+digit is a character entry: the key passes, the character is the command.
  Press({VK_MENU}, '7', '7');
  Press({VK_MENU}, VK_OEM_5);
  EXPECT_EQ(Loop(), (V{297, 159}));
  // A plain digit is typing.
  Press({}, '7', '7');
  EXPECT_EQ(Loop(), V{});
}

TEST_F(AcceleratorTest, TranslatedKeysLeaveNoCharactersAndGreyedItemsNoCommand) {
  Press({VK_CONTROL}, 'N', 0x0E);
  EXPECT_EQ(Loop(), V{112});
  // Nothing of the key press reached the document window as typing.
  Press({VK_CONTROL}, 'N', 0x0E);
  TMsg msg;
  std::vector<uint32_t> reached;
  while (PeekMessage(msg, true)) {
    if (TranslateAccelerator(Frame, EditorAccelerators(), msg)) continue;
    DispatchMessage(msg);
  }
  for (const frametest::TSeen& s : Seen()) {
    if (s.Window == Doc && s.Message == WM_CHAR) reached.push_back(static_cast<uint32_t>(s.WParam));
  }
  EXPECT_TRUE(reached.empty());
  Seen().clear();
  // The frame greys "Speichern" when its popup opens: Ctrl+S is swallowed without a command.
  SendMessage(Client, WM_MDISETMENU, Parts().Docs, GetSubMenu(Parts().Docs, kWindowMenuPosition));
  Parts().Grey = {114};
  Press({VK_CONTROL}, 'S', 0x13);
  EXPECT_EQ(Loop(), V{});
  Parts().Grey.clear();
  EnableMenuItem(Parts().Docs, 114, MF_ENABLED);
  Press({VK_CONTROL}, 'S', 0x13);
  EXPECT_EQ(Loop(), V{114});
  // Commands that no menu shows are sent anyway.
  Press({VK_SHIFT}, VK_F1 + 2);
  EXPECT_EQ(Loop(), V{186});
}
