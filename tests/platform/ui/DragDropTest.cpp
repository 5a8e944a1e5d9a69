// Drag and drop on the headless back end: drops of text with the keys deciding the effect,
// refused drops, routing to the window that takes them, files for WM_DROPFILES, and drags
// started from a window with scripted outcomes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "UiFixture.h"
#include "platform/memory/GlobalMemory.h"
#include "platform/ui/DragDrop.h"
#include "platform/ui/DragDropScript.h"

using namespace platform;

namespace {

// Copies with Ctrl, moves otherwise, takes nothing while read-only or without text: the rule
// the text windows use.
class TRecordingTarget : public TDropTarget {
 public:
  bool ReadOnly = false;
  std::vector<std::string> Calls;
  std::string Dropped;
  TPoint DropPoint;
  uint32_t DropKeys = 0;

  uint32_t DragEnter(const TTransferData& data, uint32_t keys, TPoint, uint32_t allowed) override {
    Calls.push_back("enter");
    Usable = data.Has(CF_TEXT);
    return Effect(keys, allowed);
  }
  uint32_t DragOver(uint32_t keys, TPoint, uint32_t allowed) override {
    Calls.push_back("over");
    return Effect(keys, allowed);
  }
  void DragLeave() override { Calls.push_back("leave"); }
  uint32_t Drop(const TTransferData& data, uint32_t keys, TPoint screen, uint32_t allowed) override {
    Calls.push_back("drop");
    Dropped = data.Get(CF_TEXT).value_or("");
    DropPoint = screen;
    DropKeys = keys;
    return Effect(keys, allowed);
  }

 private:
  uint32_t Effect(uint32_t keys, uint32_t allowed) const {
    if (ReadOnly || !Usable) return DROPEFFECT_NONE;
    uint32_t want = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return want & allowed;
  }
  bool Usable = false;
};

using Calls = std::vector<std::string>;

class DragDropTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Frame = CreateWindowEx(0, "Recorder", "F", WS_VISIBLE, TRect{100, 50, 500, 450}, 0, nullptr);
    Child = CreateWindowEx(0, "Recorder", "C", WS_CHILD | WS_VISIBLE, TRect{10, 20, 210, 220},
                           Frame, nullptr);
  }
  std::shared_ptr<TRecordingTarget> Target(TWindow w) {
    auto target = std::make_shared<TRecordingTarget>();
    EXPECT_TRUE(RegisterDragDrop(w, target));
    return target;
  }
  TWindow Frame = 0;
  TWindow Child = 0;
};

TEST_F(DragDropTest, KeysDecideBetweenCopyAndMove) {
  auto target = Target(Child);
  TTransferData text = TTransferData::FromText("Gr\xFC\xDF" "e", false);
  EXPECT_EQ(ScriptDrop(Child, text, {5, 6}, MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(target->Calls, (Calls{"enter", "over", "drop"}));
  EXPECT_EQ(target->Dropped, "Gr\xFC\xDF" "e");
  EXPECT_EQ(target->DropPoint, (TPoint{115, 76}));      // screen point
  EXPECT_EQ(target->DropKeys, static_cast<uint32_t>(MK_CONTROL));  // button up at the drop

  target->Calls.clear();
  EXPECT_EQ(ScriptDrop(Child, text, {5, 6}, MK_LBUTTON), DROPEFFECT_MOVE);
  EXPECT_EQ(target->Calls, (Calls{"enter", "over", "drop"}));
  // A source that only allows copying gets no move.
  EXPECT_EQ(ScriptDrop(Child, text, {5, 6}, MK_LBUTTON, DROPEFFECT_COPY), DROPEFFECT_NONE);
}

TEST_F(DragDropTest, RefusedDropOnlyLeaves) {
  auto target = Target(Child);
  target->ReadOnly = true;
  EXPECT_EQ(ScriptDrop(Child, TTransferData::FromText("x", false), {1, 1}), DROPEFFECT_NONE);
  EXPECT_EQ(target->Calls, (Calls{"enter", "over", "leave"}));
  EXPECT_EQ(target->Dropped, "");

  // Data without text (rich text only, as some programs offer) is this target's to refuse.
  target->ReadOnly = false;
  target->Calls.clear();
  TTransferData rtf;
  ASSERT_TRUE(rtf.Set(RegisterClipboardFormat(kRichTextFormatName), "{\\rtf1 a}"));
  EXPECT_EQ(ScriptDrop(Child, rtf, {1, 1}), DROPEFFECT_NONE);
  EXPECT_EQ(target->Calls, (Calls{"enter", "over", "leave"}));
}

TEST_F(DragDropTest, NearestTargetTakesItAndMovingOnLeavesTheFirst) {
  auto frameTarget = Target(Frame);
  TWindow other = CreateWindowEx(0, "Recorder", "O", WS_CHILD | WS_VISIBLE,
                                 TRect{220, 20, 320, 120}, Frame, nullptr);
  auto otherTarget = Target(other);
  EXPECT_FALSE(RegisterDragDrop(other, std::make_shared<TRecordingTarget>()));

  TTransferData text = TTransferData::FromText("t", false);
  // The child has no target of its own: its frame hears the drag.
  EXPECT_EQ(InputDragEnter(Child, text, {1, 1}, MK_LBUTTON, DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(InputDragOver(other, {1, 1}, MK_LBUTTON, DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(frameTarget->Calls, (Calls{"enter", "leave"}));
  EXPECT_EQ(otherTarget->Calls, (Calls{"enter"}));
  EXPECT_EQ(InputDrop(other, {1, 1}, 0, DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(otherTarget->Calls, (Calls{"enter", "drop"}));
  EXPECT_EQ(otherTarget->Dropped, "t");

  // Revoked or destroyed: nobody takes it, and the layer lets go of the target.
  EXPECT_TRUE(RevokeDragDrop(Frame));
  std::weak_ptr<TRecordingTarget> weak = otherTarget;
  otherTarget.reset();
  DestroyWindow(other);
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(ScriptDrop(Child, text, {1, 1}), DROPEFFECT_NONE);
  EXPECT_EQ(frameTarget->Calls, (Calls{"enter", "leave"}));
}

TEST_F(DragDropTest, FilesReachTheWindowThatAcceptsThem) {
  auto childTarget = Target(Child);
  // Nobody accepts files: the text target hears them and finds no text.
  EXPECT_EQ(ScriptDropFiles(Child, {"/tmp/a.txt"}, {3, 4}), DROPEFFECT_NONE);
  EXPECT_EQ(childTarget->Calls, (Calls{"enter", "over", "leave"}));
  childTarget->Calls.clear();
  DragAcceptFiles(Frame, true);
  // Dropped on the document window, the files still go to the frame.
  EXPECT_EQ(ScriptDropFiles(Child, {"/tmp/a.txt", "", "/home/u/Grüße.c"}, {3, 4}),
            DROPEFFECT_COPY);
  EXPECT_TRUE(childTarget->Calls.empty());
  RunPendingMessages();
  THandle drop = 0;
  for (const uitest::TSeen& s : uitest::Seen()) {
    if (s.Message == WM_DROPFILES) {
      EXPECT_EQ(s.Window, Frame);
      drop = static_cast<THandle>(s.WParam);
    }
  }
  ASSERT_NE(drop, 0u);
  ASSERT_EQ(DragQueryFileCount(drop), 2u);
  EXPECT_EQ(DragQueryFile(drop, 0), "/tmp/a.txt");
  EXPECT_EQ(DragQueryFile(drop, 1), "/home/u/Grüße.c");
  EXPECT_EQ(DragQueryFile(drop, 2), "");
  TPoint at;
  ASSERT_TRUE(DragQueryPoint(drop, at));
  EXPECT_EQ(at, (TPoint{13, 24}));  // in the frame's client area
  DragFinish(drop);
  EXPECT_EQ(GlobalSize(drop), 0u);
  EXPECT_EQ(DragQueryFileCount(drop), 0u);

  DragAcceptFiles(Frame, false);
  EXPECT_EQ(ScriptDropFiles(Child, {"/tmp/a.txt"}, {3, 4}), DROPEFFECT_NONE);
}

TEST_F(DragDropTest, BrokenDropBlockGivesWhatIsComplete) {
  THandle block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 26);
  auto* bytes = static_cast<char*>(GlobalLock(block));
  bytes[0] = 20;                         // paths at 20
  std::memcpy(bytes + 20, "ab\0cde", 6);  // the second path lacks its zero
  GlobalUnlock(block);
  EXPECT_EQ(DragQueryFileCount(block), 1u);
  EXPECT_EQ(DragQueryFile(block, 0), "ab");
  bytes = static_cast<char*>(GlobalLock(block));
  bytes[0] = 100;  // offset past the end
  GlobalUnlock(block);
  EXPECT_EQ(DragQueryFileCount(block), 0u);
  DragFinish(block);
  THandle tiny = GlobalAlloc(GMEM_MOVEABLE, 3);
  TPoint p;
  EXPECT_FALSE(DragQueryPoint(tiny, p));
  EXPECT_EQ(DragQueryFileCount(tiny), 0u);
  DragFinish(tiny);
}

TEST_F(DragDropTest, DragFromAWindowPlaysTheScriptedOutcome) {
  TWindow other = CreateWindowEx(0, "Recorder", "O", WS_CHILD | WS_VISIBLE,
                                 TRect{220, 20, 320, 120}, Frame, nullptr);
  auto target = Target(other);
  TTransferData text = TTransferData::FromText("Zeile", false);
  // Nothing scripted: the user let go with Escape.
  EXPECT_EQ(DoDragDrop(Child, text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_NONE);
  ASSERT_TRUE(LastDragData().has_value());
  EXPECT_EQ(LastDragData()->Get(CF_TEXT), "Zeile");

  QueueDragOutcome({TDragOutcome::TKind::Drop, other, {4, 4}, MK_LBUTTON | MK_CONTROL});
  QueueDragOutcome({TDragOutcome::TKind::Cancel, 0, {}, 0});
  QueueDragOutcome({TDragOutcome::TKind::Drop, other, {4, 4}, MK_LBUTTON});
  QueueDragOutcome({TDragOutcome::TKind::Drop, other, {4, 4}, MK_LBUTTON});
  EXPECT_EQ(DoDragDrop(Child, text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
  EXPECT_EQ(target->Dropped, "Zeile");
  target->Calls.clear();
  EXPECT_EQ(DoDragDrop(Child, text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_NONE);
  EXPECT_TRUE(target->Calls.empty());
  EXPECT_EQ(DoDragDrop(Child, text, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  // The target wants a move the source does not allow.
  EXPECT_EQ(DoDragDrop(Child, text, DROPEFFECT_COPY), DROPEFFECT_NONE);
  EXPECT_FALSE(IsDragging());
  EXPECT_EQ(DoDragDrop(Child, TTransferData(), DROPEFFECT_COPY), DROPEFFECT_NONE);
}

}  // namespace
