// Drag and drop in the editor's frame: what a text window takes, the insertion point while a
// drag is over it, copy, move and the right button's menu, and files from the file manager.
#include "tests/editor/clipboard/ClipFixture.h"

#include "platform/ui/DragDrop.h"
#include "platform/ui/DragDropScript.h"
#include "platform/ui/Input.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"

using namespace platform;

namespace {

constexpr uint32_t kBoth = DROPEFFECT_COPY | DROPEFFECT_MOVE;

// Client point of a text position (fixed font of the headless back end, no line numbers).
TPoint At(int32_t column, int32_t line) { return {8 * column + 1, 16 * line + 4}; }

}  // namespace

using DragDropTest = ClipFixture;

TEST_F(DragDropTest, RichTextAloneIsTakenAsGivenAndOtherFormatsAreRefused) {
  TWindow w = Open("a.txt", "eins");
  TEditChildData* d = Edit(w);
  ASSERT_TRUE(IsDropTarget(w));
  const std::string rtf = "{\\rtf1\\ansi Gr\\'fc\\'dfe\\par}";
  TTransferData data;
  ASSERT_TRUE(data.Set(RegisterClipboardFormat(kRichTextFormatName), rtf));
  EXPECT_EQ(ScriptDrop(w, data, At(4, 0), MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(Text(d), "eins" + rtf);
  // Plain text wins over rich text when both come.
  data.Text = "plain";
  EXPECT_EQ(ScriptDrop(w, data, At(0, 0), MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(Text(d), "plaineins" + rtf);
  TTransferData other;
  ASSERT_TRUE(other.Set(RegisterClipboardFormat("Something Else"), "x"));
  EXPECT_EQ(ScriptDrop(w, other, At(0, 0), MK_LBUTTON | MK_CONTROL), DROPEFFECT_NONE);
  EXPECT_EQ(Text(d), "plaineins" + rtf);
}

TEST_F(DragDropTest, TheCaretShowsWhereTheDropWouldLandAndReturnsOnLeave) {
  TWindow w = Open("a.txt", "eins zwei\r\ndrei");
  TEditChildData* d = Edit(w);
  SetFocus(w);
  RunPendingMessages();
  d->SetCaret(1, 0, false, false);
  const TPoint home = GetCaretState().Pos;
  EXPECT_EQ(InputDragEnter(w, TTransferData::FromText("neu", false), At(3, 0), MK_LBUTTON, kBoth), DROPEFFECT_MOVE);
  EXPECT_TRUE(d->DropPointShown);
  EXPECT_EQ(d->DropPoint, (TTextPos{3, 0}));
  EXPECT_EQ(GetCaretState().Owner, w);
  EXPECT_EQ(GetCaretState().Pos, (TPoint{24, 0}));
  EXPECT_TRUE(GetCaretState().Visible());
  EXPECT_EQ(InputDragOver(w, At(2, 1), MK_LBUTTON | MK_CONTROL, kBoth), DROPEFFECT_COPY);
  EXPECT_EQ(GetCaretState().Pos, (TPoint{16, d->Scroller->UnitY}));
  EXPECT_EQ(d->Caret, (TTextPos{1, 0}));  // the document's caret stays
  InputDragLeave();
  EXPECT_FALSE(d->DropPointShown);
  EXPECT_EQ(GetCaretState().Owner, w);
  EXPECT_EQ(GetCaretState().Pos, home);
  EXPECT_EQ(Text(d), "eins zwei|drei");
  // A drag over a window without the focus borrows the caret and gives it back.
  TWindow other = Open("b.txt", "B");
  SetFocus(w);
  RunPendingMessages();
  EXPECT_EQ(InputDragEnter(other, TTransferData::FromText("neu", false), At(1, 0), MK_LBUTTON, kBoth), DROPEFFECT_MOVE);
  EXPECT_EQ(GetCaretState().Owner, other);
  InputDragLeave();
  EXPECT_EQ(GetCaretState().Owner, w);
  EXPECT_EQ(GetCaretState().Pos, home);
  EXPECT_TRUE(GetCaretState().Visible());
  // The drop itself puts the caret behind the inserted text.
  EXPECT_EQ(ScriptDrop(w, TTransferData::FromText("X", false), At(4, 0), MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_FALSE(d->DropPointShown);
  EXPECT_EQ(Text(d), "einsX zwei|drei");
}

TEST_F(DragDropTest, ReadOnlyDocumentsAndTheOptionSwitchTheTargetOffAndOn) {
  TWindow w = Open("a.txt", "fest", true);
  TEditChildData* d = Edit(w);
  EXPECT_FALSE(IsDropTarget(w));
  EXPECT_EQ(ScriptDrop(w, TTransferData::FromText("x", false), At(0, 0)), DROPEFFECT_NONE);
  EXPECT_EQ(InputDragEnter(w, TTransferData::FromText("x", false), At(0, 0), MK_LBUTTON, kBoth), DROPEFFECT_NONE);
  EXPECT_FALSE(d->DropPointShown);
  InputDragLeave();
  EXPECT_EQ(Text(d), "fest");
  Frame->Command(204);  // read-only off
  ASSERT_FALSE(d->ReadOnly);
  EXPECT_TRUE(IsDropTarget(w));
  SendMessage(Frame->Window, wm_SettingsChanged, 20, 0);
  EXPECT_FALSE(IsDropTarget(w));
  EXPECT_EQ(ScriptDrop(w, TTransferData::FromText("x", false), At(0, 0)), DROPEFFECT_NONE);
  SendMessage(Frame->Window, wm_SettingsChanged, 20, 1);
  EXPECT_TRUE(IsDropTarget(w));
  Frame->Command(204);  // read-only on again
  EXPECT_FALSE(IsDropTarget(w));
  // A target that is still registered refuses while the document is read-only.
  d->SetDropTarget(true);
  EXPECT_EQ(ScriptDrop(w, TTransferData::FromText("x", false), At(0, 0)), DROPEFFECT_NONE);
  EXPECT_EQ(Text(d), "fest");
}

TEST_F(DragDropTest, CtrlCopiesAPlainDragMovesAndTheRightButtonAsks) {
  TWindow a = Open("a.txt", "eins zwei");
  TWindow b = Open("b.txt", "B");
  TEditChildData* da = Edit(a);
  TEditChildData* db = Edit(b);
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(a), 0);
  auto drag = [&](uint32_t keys) {
    Select(da, 0, 0, 0, 5);
    TDragOutcome outcome;
    outcome.Kind = TDragOutcome::TKind::Drop;
    outcome.Target = b;
    outcome.Client = At(1, 0);
    outcome.KeyState = keys;
    QueueDragOutcome(outcome);
    InputMouse(a, WM_LBUTTONDOWN, At(1, 0));
    InputMouse(a, WM_LBUTTONUP, At(1, 0));
    RunPendingMessages();
  };
  drag(MK_LBUTTON | MK_CONTROL);
  EXPECT_EQ(Text(da), "eins zwei");
  EXPECT_EQ(Text(db), "Beins ");
  drag(MK_LBUTTON);
  EXPECT_EQ(Text(da), "zwei");
  EXPECT_EQ(Text(db), "Beins eins ");
  // The right button: the frame's menu decides.
  QueuePopupChoice(1001);
  EXPECT_EQ(ScriptDrop(b, TTransferData::FromText("K", false), At(0, 0), MK_RBUTTON), DROPEFFECT_COPY);
  QueuePopupChoice(1002);
  EXPECT_EQ(ScriptDrop(b, TTransferData::FromText("V", false), At(0, 0), MK_RBUTTON), DROPEFFECT_MOVE);
  QueuePopupChoice(0);
  EXPECT_EQ(ScriptDrop(b, TTransferData::FromText("C", false), At(0, 0), MK_RBUTTON), DROPEFFECT_NONE);
  EXPECT_EQ(Text(db), "VKBeins eins ");
}

TEST_F(DragDropTest, AMoveInsideOneWindowIsUndoneInOneStep) {
  TWindow w = Open("a.txt", "eins zwei\r\ndrei");
  TEditChildData* d = Edit(w);
  Select(d, 0, 0, 0, 5);
  TDragOutcome outcome;
  outcome.Kind = TDragOutcome::TKind::Drop;
  outcome.Target = w;
  outcome.Client = At(4, 1);
  QueueDragOutcome(outcome);
  InputMouse(w, WM_LBUTTONDOWN, At(1, 0));
  InputMouse(w, WM_LBUTTONUP, At(1, 0));
  RunPendingMessages();
  EXPECT_EQ(Text(d), "zwei|dreieins ");
  Frame->Command(144);
  EXPECT_EQ(Text(d), "eins zwei|drei");
  EXPECT_FALSE(d->CanUndo());
}

TEST_F(DragDropTest, FilesDroppedOntoATextWindowOrTheFrameOpen) {
  TWindow w = Open("a.txt", "eins");
  std::string b = Dir.Write("b.txt", "B");
  std::string c = Dir.Write("c.txt", "C");
  std::string e = Dir.Write("e.txt", "E");
  EXPECT_EQ(ScriptDropFiles(w, {b}, At(0, 0)), DROPEFFECT_COPY);
  RunPendingMessages();
  ASSERT_EQ(Frame->Documents().size(), 2u);
  EXPECT_EQ(ChildFileName(Frame->Active()), b);
  EXPECT_EQ(Text(Edit(w)), "eins");  // no path typed into the window
  // Without drop targets in the windows the frame still takes them, in order.
  SendMessage(Frame->Window, wm_SettingsChanged, 20, 0);
  EXPECT_EQ(ScriptDropFiles(w, {c, e}, At(0, 0)), DROPEFFECT_COPY);
  RunPendingMessages();
  ASSERT_EQ(Frame->Documents().size(), 4u);
  EXPECT_EQ(ChildFileName(Frame->Active()), e);
  EXPECT_NE(Frame->FindDocument(c), 0u);
  EXPECT_EQ(ScriptDropFiles(Frame->Window, {b}, {5, 5}), DROPEFFECT_COPY);
  RunPendingMessages();
  EXPECT_EQ(Frame->Documents().size(), 4u);
  EXPECT_EQ(ChildFileName(Frame->Active()), b);
}
