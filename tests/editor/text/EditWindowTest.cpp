// The editor window: typing, word wrap, auto-indent, deletion keys, undo, read-only rules,
// its file on disk, the clipboard and drops.
#include <unistd.h>

#include <fstream>

#include "editor/text/TextFile.h"
#include "platform/file/File.h"
#include "tests/editor/text/TextViewFixture.h"
#include "tests/support/TempDir.h"

using namespace platform;
using namespace textview;
using TLines = std::vector<std::string>;

TEST_F(TextViewTest, TypingPastTheWrapColumnMovesTheWordOrSplitsALongOne) {
  Params.WordWrap = 1;
  Params.WrapColumn = 10;
  TEditChildData& d = Make({"aaaa bbbb"});
  d.SetCaret(9, 0, false, false);
  Type("bb");
  EXPECT_EQ(Text(d), (TLines{"aaaa ", "bbbbbb"}));
  EXPECT_EQ(d.Caret, (TTextPos{6, 1}));
  SetText(d, {"abcdefghij"});
  d.SetCaret(10, 0, false, false);
  Type("k");
  EXPECT_EQ(Text(d), (TLines{"abcdefghij", "k"}));
  // The break and the character are one undo step.
  Key(VK_BACK, false, false);
  d.Undo();
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"abcdefghij"}));
}

TEST_F(TextViewTest, WrapWithAutoIndentAndAtAHyphen) {
  Params.WordWrap = 1;
  Params.WrapColumn = 12;
  Params.AutoIndent = 1;
  TEditChildData& d = Make({"  ab-cdefghij"});
  d.SetCaret(13, 0, false, false);
  Type("x");
  EXPECT_EQ(Text(d), (TLines{"  ab-", "  cdefghijx"}));
}

TEST_F(TextViewTest, EnterWithAutoIndentCopiesTheIndentationLeftOfTheCaret) {
  Params.AutoIndent = 1;
  TEditChildData& d = Make({"\t  abc"});
  d.SetCaret(6, 0, false, false);
  Key(VK_RETURN);
  EXPECT_EQ(Text(d), (TLines{"\t  abc", "\t  "}));
  EXPECT_EQ(d.Caret, (TTextPos{3, 1}));
  SetText(d, {"\t  abc"});
  d.SetCaret(1, 0, false, false);
  Key(VK_RETURN);
  EXPECT_EQ(Text(d), (TLines{"\t", "\t  abc"}));
  // A caret beyond the end breaks at the end.
  d.FreeCaret = 1;
  SetText(d, {"ab"});
  d.SetCaret(6, 0, false, false);
  Key(VK_RETURN);
  EXPECT_EQ(Text(d), (TLines{"ab", ""}));
}

TEST_F(TextViewTest, TabInsertsSpacesToTheNextStopOrATab) {
  Params.TabInsertsSpaces = 1;
  TEditChildData& d = Make({"abcde"});
  d.SetCaret(5, 0, false, false);
  Type("\t");
  EXPECT_EQ(Text(d), (TLines{"abcde   "}));
  d.TabsAsSpaces = 0;
  Type("\t");
  EXPECT_EQ(Text(d), (TLines{"abcde   \t"}));
}

TEST_F(TextViewTest, TabOverSeveralLinesShiftsAndShiftTabShiftsBack) {
  TEditChildData& d = Make({"a", "b", "c"});
  TTextRange r = MakeTextRange(0, 0, 1, 1);
  d.SetSelection(&r, 0);
  Type("\t");
  EXPECT_EQ(Text(d), (TLines{" a", " b", "c"}));
  EXPECT_EQ(d.Selection, MakeTextRange(0, 0, 2, 0));
  InputKey(VK_SHIFT, true);
  Type("\t");
  InputKey(VK_SHIFT, false);
  RunPendingMessages();
  EXPECT_EQ(Text(d), (TLines{"a", "b", "c"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{" a", " b", "c"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"a", "b", "c"}));
}

TEST_F(TextViewTest, BackspaceJoinsLinesAndOneUndoRestoresThem) {
  TEditChildData& d = Make({"first", "second"});
  d.SetCaret(0, 1, false, false);
  Key(VK_BACK);
  EXPECT_EQ(Text(d), (TLines{"firstsecond"}));
  EXPECT_EQ(d.Caret, (TTextPos{5, 0}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"first", "second"}));
  EXPECT_TRUE(d.Modified);
  // A run of backspaces is one undo step, Ctrl+Backspace takes a word.
  d.SetCaret(6, 1, false, false);
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Text(d)[1], "seco");
  d.Undo();
  EXPECT_EQ(Text(d)[1], "second");
  SetText(d, {"one two"});
  d.SetCaret(7, 0, false, false);
  Key(VK_BACK, false, true);
  EXPECT_EQ(Text(d), (TLines{"one "}));
}

TEST_F(TextViewTest, DeleteKeysJoinAndTakeWords) {
  TEditChildData& d = Make({"one two", "three"});
  d.SetCaret(0, 0, false, false);
  Key(VK_DELETE, false, true);
  EXPECT_EQ(Text(d)[0], "two");
  d.SetCaret(3, 0, false, false);
  Key(VK_DELETE);
  EXPECT_EQ(Text(d), (TLines{"twothree"}));
  Key(VK_DELETE, true);  // Shift+Delete is Cut's, not ours
  EXPECT_EQ(Text(d), (TLines{"twothree"}));
  d.FreeCaret = 1;
  SetText(d, {"ab", "cd"});
  d.SetCaret(4, 0, false, false);
  Key(VK_DELETE);
  EXPECT_EQ(Text(d), (TLines{"ab  cd"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"ab", "cd"}));
}

TEST_F(TextViewTest, CtrlYDeletesTheLineButEmptiesTheLastOne) {
  TEditChildData& d = Make({"a", "b"});
  Type("\x19");
  EXPECT_EQ(Text(d), (TLines{"b"}));
  Type("\x19");
  EXPECT_EQ(Text(d), (TLines{""}));
  Type("\x19");
  EXPECT_EQ(Text(d), (TLines{""}));
}

TEST_F(TextViewTest, OverwriteModeAndInsertKey) {
  TEditChildData& d = Make({"abc"});
  Key(VK_INSERT);
  EXPECT_TRUE(d.Overwrite);
  ASSERT_EQ(Count(cnInsertModeChanged), 1);
  EXPECT_EQ(FrameSeen().back().Value1, 0);
  Type("xyzw");
  EXPECT_EQ(Text(d), (TLines{"xyzw"}));
  d.Undo();  // the character typed behind the end was inserted
  EXPECT_EQ(Text(d), (TLines{"xyz"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"abc"}));
}

TEST_F(TextViewTest, TypingReplacesTheSelectionAsOneStep) {
  Params.TypingReplacesSelection = 1;
  TEditChildData& d = Make({"hello world"});
  TTextRange r = MakeTextRange(0, 0, 0, 5);
  d.SetSelection(&r, 0);
  Type("bye");
  EXPECT_EQ(Text(d), (TLines{"bye world"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"hello world"}));
  d.TypingReplacesSelection = 0;
  d.SetSelection(&r, 0);
  Type("X");
  EXPECT_EQ(Text(d), (TLines{"helloX world"}));
}

TEST_F(TextViewTest, DosModeTypingStoresDosBytes) {
  Params.DosMode = 1;
  TEditChildData& d = Make({""});
  Type("\xE4\xDF");  // ä ß typed in the Windows character set
  EXPECT_EQ(Text(d), (TLines{"\x84\xE1"}));
}

TEST_F(TextViewTest, ReadOnlyDocumentsRefuseEveryEdit) {
  TTempDir dir;
  std::string name = dir.Write("nul.txt", std::string("a\0b\r\n", 5));
  Params.NulAsSpace = 1;
  Params.FileName = name.c_str();
  TEditChildData& d = Make({});
  ASSERT_EQ(d.LoadFile(), 0);
  EXPECT_TRUE(d.ReadOnly);
  EXPECT_EQ(Text(d)[0], "a b");
  SetClipText("x");
  Type("z");
  d.Paste();
  Key(VK_DELETE);
  Key(VK_BACK);
  Key(VK_RETURN);
  d.SetSelection(nullptr, 0);
  d.Delete();
  d.ShiftBlockRight();
  EXPECT_EQ(Text(d)[0], "a b");
  EXPECT_FALSE(d.CanPaste());
  EXPECT_FALSE(d.CanCut());
  EXPECT_EQ(d.Save("", false, lefWindows, false, true), -4);
  std::string copy = dir.File("copy.txt");
  EXPECT_EQ(d.Save(copy, false, lefWindows, false, true), 0);
  EXPECT_EQ(TTempDir::Read(copy), "a b\r\n");
}

TEST_F(TextViewTest, LoadRecordsTheFileAndNoticesChangesAndDeletion) {
  TTempDir dir;
  std::string name = dir.Write("doc.txt", "one\r\ntwo\r\n");
  Params.FileName = name.c_str();
  TEditChildData& d = Make({});
  ASSERT_EQ(d.LoadFile(), 0);
  EXPECT_EQ(Text(d), (TLines{"one", "two", ""}));
  EXPECT_FALSE(d.FileChangedOnDisk());
  dir.Write("doc.txt", "one\r\ntwo\r\nthree\r\n");
  EXPECT_TRUE(d.FileChangedOnDisk());
  // Saving over somebody else's change needs the user's word.
  Type("x");
  EXPECT_EQ(d.Save("", false, lefWindows, false, true), kSaveChangedOnDisk);
  EXPECT_EQ(TTempDir::Read(name), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(d.Reload(true), 0);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.Lines.Count(), 4);
  EXPECT_FALSE(d.FileChangedOnDisk());
  // An empty file is watched as well.
  dir.Write("doc.txt", "");
  EXPECT_EQ(d.Reload(true), 0);
  dir.Write("doc.txt", "z");
  EXPECT_TRUE(d.FileChangedOnDisk());
  EXPECT_EQ(d.Reload(false), 0);
  EXPECT_FALSE(d.FileChangedOnDisk());
  unlink(name.c_str());
  EXPECT_TRUE(d.FileChangedOnDisk());
  d.OverwriteChangedFile = 1;
  EXPECT_EQ(d.Save("", false, lefUnix, false, true), 0);
  EXPECT_FALSE(d.FileChangedOnDisk());
}

TEST_F(TextViewTest, TrimOnSaveAndKeepLocked) {
  TTempDir dir;
  std::string name = dir.Write("doc.txt", "a  \r\nb\t\r\n");
  Params.FileName = name.c_str();
  Params.KeepLocked = 1;
  Params.RemoveTrailingBlanks = 1;
  TEditChildData& d = Make({});
  ASSERT_EQ(d.LoadFile(), 0);
  EXPECT_GE(d.LockHandle, 0);
  // Other writers are kept out while the window is open.
  EXPECT_LT(FileOpen(name.c_str(), TFileAccess::ReadWrite), 0);
  d.SetCaret(3, 0, false, false);
  ASSERT_EQ(d.Save("", false, lefWindows, false, true), 0);
  EXPECT_EQ(TTempDir::Read(name), "a\r\nb\r\n");
  EXPECT_EQ(d.Caret, (TTextPos{1, 0}));
  EXPECT_GE(d.LockHandle, 0);
  EXPECT_TRUE(d.SetKeepLocked(false));
  int32_t h = FileOpen(name.c_str(), TFileAccess::ReadWrite);
  EXPECT_GE(h, 0);
  FileClose(h);
}

TEST_F(TextViewTest, CutCopyPasteUseCrLfBetweenLines) {
  TEditChildData& d = Make({"abc", "def"});
  TTextRange r = MakeTextRange(0, 1, 1, 2);
  d.SetSelection(&r, 0);
  d.Cut();
  EXPECT_EQ(ClipText(), "bc\r\nde");
  EXPECT_EQ(Text(d), (TLines{"af"}));
  EXPECT_TRUE(d.CanPaste());
  d.SetCaret(2, 0, false, false);
  d.Paste();
  EXPECT_EQ(Text(d), (TLines{"afbc", "de"}));
  EXPECT_EQ(d.Caret, (TTextPos{2, 1}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"af"}));
  ClearClip();
  EXPECT_FALSE(d.CanPaste());
  d.Paste();
  EXPECT_EQ(Text(d), (TLines{"af"}));
}

TEST_F(TextViewTest, InsertFileKeepsCrLfPairsWholeAcrossChunksAndIsOneUndoStep) {
  TTempDir dir;
  std::string name = dir.Write("ins.txt", "ab\r\ncd\re\nf\r\n");
  TEditChildData& d = Make({"<>"});
  d.SetCaret(1, 0, false, false);
  for (int32_t chunk : {2, 3, 4, 5, 32000}) {
    EXPECT_EQ(d.InsertFile(name.c_str(), chunk), 0) << chunk;
    EXPECT_EQ(Text(d), (TLines{"<ab", "cd\re\nf", ">"})) << chunk;
    EXPECT_EQ(d.Caret, (TTextPos{0, 2}));
    d.Undo();
    EXPECT_EQ(Text(d), (TLines{"<>"})) << chunk;
    d.SetCaret(1, 0, false, false);
  }
  std::string bad = dir.Write("bad.txt", std::string("xy\0z", 4));
  EXPECT_EQ(d.InsertFile(bad.c_str(), 2), tfsNotText);
  EXPECT_EQ(Text(d), (TLines{"<xy>"}));  // the chunk before the NUL stays, as one step
  EXPECT_EQ(d.InsertFile(dir.File("missing").c_str()), tfsCannotOpen);
}

TEST_F(TextViewTest, RemoveEmptyLinesIsOneUndoStepOfItsOwn) {
  TEditChildData& d = Make({"a", "", "b", "", "", "c", ""});
  d.SetCaret(1, 0, false, false);
  Type("x");
  d.SetSelection(nullptr, 0);
  d.RemoveEmptyLines();
  EXPECT_EQ(Text(d), (TLines{"ax", "b", "c", ""}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"ax", "", "b", "", "", "c", ""}));  // the typing stays
}

TEST_F(TextViewTest, DropMovesInsideTheWindowAsOneStep) {
  TEditChildData& d = Make({"one two three"});
  TTextRange r = MakeTextRange(0, 0, 0, 4);
  d.SetSelection(&r, 0);
  EXPECT_FALSE(d.DragStarting(8 * 2, 4));  // DragDrop is off
  d.DragDrop = 1;
  EXPECT_TRUE(d.DragStarting(8 * 2, 4));
  EXPECT_FALSE(d.DragStarting(8 * 6, 4));
  // Dropped into its own selection: cancelled.
  EXPECT_EQ(d.DropText(8 * 2, 4, "one ", false, true, true), 0);
  EXPECT_EQ(d.DropText(8 * 13, 4, "one ", false, true, true), 3);
  EXPECT_EQ(Text(d), (TLines{"two threeone "}));
  EXPECT_EQ(d.Selection, MakeTextRange(0, 9, 0, 13));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"one two three"}));
  // Moved to the front, and the choice of the frame.
  r = MakeTextRange(0, 8, 0, 13);
  d.SetSelection(&r, 0);
  DropAnswer() = 2;
  EXPECT_EQ(d.DropText(0, 4, "three", true, false, true), 3);
  EXPECT_EQ(Text(d), (TLines{"threeone two "}));
  DropAnswer() = 0;
  EXPECT_EQ(d.DropText(0, 4, "zzz", true, false, false), 0);
  EXPECT_EQ(d.DropText(0, 4, "zzz", false, false, false), 1);
  EXPECT_EQ(Text(d), (TLines{"zzzthreeone two "}));
}

TEST_F(TextViewTest, UndoRepaintsFromTheFirstChangedLine) {
  TEditChildData& d = Make({"a", "b", "c", "d"});
  d.SetCaret(1, 2, false, false);
  Type("x");
  RunPendingMessages();
  d.Undo();
  TRect update = GetUpdateRect(Window);
  EXPECT_EQ(update.Top, 32);
  EXPECT_EQ(update.Bottom, 48);
  EXPECT_FALSE(d.CanUndo());
  EXPECT_TRUE(d.CanRedo());
  d.Redo();
  EXPECT_EQ(Text(d)[2], "cx");
  EXPECT_EQ(d.Caret.Line, 2);
}

TEST_F(TextViewTest, DragAndDropThroughTheWindowLayer) {
  Params.DragDrop = 1;
  TEditChildData& d = Make({"one two three"});
  EXPECT_TRUE(IsDropTarget(Window));
  // Text from elsewhere is copied in at the drop point.
  EXPECT_EQ(ScriptDrop(Window, TTransferData::FromText("new ", false), {0, 4}, MK_LBUTTON | MK_CONTROL),
            DROPEFFECT_COPY);
  EXPECT_EQ(Text(d), (TLines{"new one two three"}));
  // A drag of the selection onto the line's end moves it; one undo restores the line.
  TTextRange r = MakeTextRange(0, 0, 0, 4);
  d.SetSelection(&r, 0);
  TDragOutcome outcome;
  outcome.Kind = TDragOutcome::TKind::Drop;
  outcome.Target = Window;
  outcome.Client = {8 * 17 + 2, 4};
  QueueDragOutcome(outcome);
  InputMouse(Window, WM_LBUTTONDOWN, {8 * 1, 4});
  InputMouse(Window, WM_LBUTTONUP, {8 * 1, 4});
  RunPendingMessages();
  ASSERT_TRUE(LastDragData().has_value());
  EXPECT_EQ(Text(d), (TLines{"one two threenew "}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"new one two three"}));
  // Read-only documents take no drops.
  d.SetReadOnly(true);
  EXPECT_FALSE(IsDropTarget(Window));
  d.SetReadOnly(false);
  EXPECT_TRUE(IsDropTarget(Window));
}

TEST_F(TextViewTest, AFailedReloadKeepsTheText) {
  TTempDir dir;
  std::string name = dir.Write("doc.txt", "one\r\ntwo");
  Params.FileName = name.c_str();
  TEditChildData& d = Make({});
  ASSERT_EQ(d.LoadFile(), 0);
  d.SetCaret(3, 1, false, false);
  Type("!");
  unlink(name.c_str());
  EXPECT_TRUE(d.FileChangedOnDisk());
  EXPECT_EQ(d.Reload(true), tfsCannotOpen);
  EXPECT_EQ(Text(d), (TLines{"one", "two!"}));
  EXPECT_TRUE(d.Modified);
  EXPECT_TRUE(d.CanUndo());
}

TEST_F(TextViewTest, CutKeepsTheTextWhenTheClipboardRefusesIt) {
  TEditChildData& d = Make({"keep me"});
  d.SetSelection(nullptr, 0);
  ASSERT_TRUE(OpenClipboard(FrameWindow));  // somebody else holds the clipboard open
  d.Cut();
  CloseClipboard();
  EXPECT_EQ(Text(d), (TLines{"keep me"}));
  EXPECT_EQ(Backend->Beeps.size(), 1u);
  d.Cut();
  EXPECT_EQ(Text(d), (TLines{""}));
  EXPECT_EQ(ClipText(), "keep me");
}
