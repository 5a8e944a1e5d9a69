// The hex window on the headless back end: typing in both parts, caret moves, undo, the
// two modes with the temporary copy, inserting and deleting, saving and the clipboard.
#include <sys/stat.h>
#include <unistd.h>

#include "editor/hex/HexClipData.h"
#include "platform/ui/Clipboard.h"
#include "tests/editor/hex/HexFixture.h"

using namespace platform;
using hextest::HexTest;
using hextest::Log;

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST_F(HexTest, TypingDigitsOverAZeroByteAndCharactersInTheRightPart) {
  std::string path = Dir.Write("z.bin", std::string(20, '\0'));
  TWindow w = Open(path);
  ASSERT_NE(w, 0u);
  THexChildData& d = Hex(w);
  EXPECT_EQ(d.Caret, (TTextPos{10, 0}));
  Type(w, "4");
  EXPECT_EQ(d.ByteAt(0), 0x40);
  EXPECT_EQ(d.Caret.Column, 11);
  Type(w, "1");
  EXPECT_EQ(d.ByteAt(0), 0x41);
  EXPECT_EQ(d.Caret.Column, 13);  // over the separator to the next byte
  Type(w, "g");                   // no hex digit: nothing
  EXPECT_EQ(d.ByteAt(1), 0);
  Type(w, "f");
  EXPECT_EQ(d.ByteAt(1), 0xF0);
  EXPECT_TRUE(d.Modified);
  // The file itself is untouched until saved.
  EXPECT_EQ(TTempDir::Read(path), std::string(20, '\0'));
  Key(w, VK_TAB);
  EXPECT_EQ(d.Caret.Column, 60);
  Type(w, "x");
  EXPECT_EQ(d.ByteAt(1), 'x');
  EXPECT_EQ(d.Caret.Column, 61);
  EXPECT_EQ(Line(w, 0).substr(0, 21), "00000000: 41 78 00 00");
  EXPECT_EQ(Log().Offsets.back(), 2);
  EXPECT_EQ(d.Changes.Count(), 2u);
}

TEST_F(HexTest, CaretMovesWrapBetweenLinesAndStopAtTheDocumentEnds) {
  std::string path = Dir.Write("m.bin", std::string(40, 'a'));
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  Key(w, VK_LEFT);
  EXPECT_EQ(d.Caret, (TTextPos{10, 0}));
  d.SetCaret(56, 0, false, false);
  Key(w, VK_RIGHT);
  EXPECT_EQ(d.Caret, (TTextPos{10, 1}));
  Key(w, VK_LEFT);
  EXPECT_EQ(d.Caret, (TTextPos{56, 0}));
  Key(w, VK_DOWN);
  Key(w, VK_DOWN);
  Key(w, VK_DOWN);
  EXPECT_EQ(d.Caret.Line, 2);  // 40 bytes: lines 0..2
  d.SetCaret(74, 2, false, false);
  EXPECT_EQ(d.StatusOffset(), -1);  // past the end
  EXPECT_EQ(Log().Offsets.back(), -1);
  d.SetCaret(59, 1, false, false);
  EXPECT_EQ(d.StatusOffset(), 16);
  EXPECT_EQ(Log().Bytes.back(), 'a');
  // Shift extends a selection byte by byte.
  d.SetCaret(10, 0, false, false);
  d.MoveCaretBy(2, 0, true);
  d.MoveCaretBy(2, 0, true);
  EXPECT_EQ(d.SelStart, 0);
  EXPECT_EQ(d.SelEnd, 2);
  // A click maps to the nearest digit: cells of CharWidth, no scrolling.
  TTextPos p = d.PixelToPos(12 * d.CharWidth + 1, d.CharHeight + 1);
  EXPECT_EQ(p, (TTextPos{11, 1}));
}

TEST_F(HexTest, UndoOfFiveTypedBytesRestoresAllFiveInOneStep) {
  std::string path = Dir.Write("u.bin", "0123456789");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.SetCaret(59, 0, false, false);
  Type(w, "Z");  // an earlier, separate change at offset 0
  d.SetCaret(62, 0, false, false);
  Type(w, "abcde");
  EXPECT_EQ(d.BytesAt(0, 10), "Z12abcde89");
  ASSERT_TRUE(d.CanUndo());
  d.Undo();
  EXPECT_EQ(d.BytesAt(0, 10), "Z123456789");
  EXPECT_EQ(d.StatusOffset(), 3);
  EXPECT_TRUE(d.Modified);
  d.Undo();
  EXPECT_EQ(d.BytesAt(0, 10), "0123456789");
  EXPECT_FALSE(d.Modified);
  EXPECT_FALSE(d.CanUndo());
}

TEST_F(HexTest, SaveWritesTheChangesWithBackupAndTakesTheNewDate) {
  std::string path = Dir.Write("s.dat", "0123456789");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.SetCaret(59 + 8, 0, false, false);
  Type(w, "XY");
  d.SetCaret(59 + 2, 0, false, false);
  Type(w, "Q");
  EXPECT_EQ(ChildSave(w, path, 0, true), 0);
  EXPECT_EQ(TTempDir::Read(path), "01Q34567XY");
  EXPECT_EQ(TTempDir::Read(Dir.File("s.bak")), "0123456789");
  EXPECT_FALSE(d.Modified);
  EXPECT_TRUE(d.Changes.Empty());
  EXPECT_FALSE(d.FileChangedOnDisk());
}

TEST_F(HexTest, SaveFailsWithoutLosingChangesWhenTheFileWasCut) {
  std::string path = Dir.Write("c.dat", std::string(10000, 'k'));
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.GotoOffset(9000, false);
  d.SetCaret(TabColumn(d.Caret.Column), d.Caret.Line, false, false);
  Type(w, "!");
  ASSERT_EQ(truncate(path.c_str(), 10), 0);
  EXPECT_TRUE(d.FileChangedOnDisk());
  // Painting the cut part must not end the program.
  std::string text;
  EXPECT_TRUE(d.GetLineText(9000 / 16 + 1, text));
  EXPECT_EQ(ChildSave(w, path, 0, false), -4);
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(d.ByteAt(9000), '!');
  // After the user's no the question is not asked again; a yes reads the file again.
  EXPECT_EQ(ChildReload(w, false), 0);
  EXPECT_FALSE(d.FileChangedOnDisk());
  EXPECT_EQ(ChildReload(w, true), 0);
  EXPECT_EQ(d.FileSize(), 10);
  EXPECT_FALSE(d.Modified);
}

TEST_F(HexTest, ReadOnlyWindowRefusesTypingAndReadOnlyCacheRefusesTheSave) {
  std::string path = Dir.Write("r.dat", "abc");
  TWindow w = Open(path, nullptr, true);
  THexChildData& d = Hex(w);
  Type(w, "1");
  EXPECT_EQ(d.ByteAt(0), 'a');
  EXPECT_FALSE(d.ToggleMode());
  d.SetReadOnly(false);
  d.Cache.SetReadOnly();
  Type(w, "1");
  EXPECT_EQ(d.ByteAt(0), 0x11);
  EXPECT_EQ(ChildSave(w, path, 0, false), -4);
  EXPECT_TRUE(d.Modified);
}

TEST_F(HexTest, EmptyFileGrowsByThreeBytesAndShrinksBackToNothing) {
  std::string path = Dir.Write("empty.bin", "");
  int32_t status = -99;
  TWindow w = Open(path, &status);
  ASSERT_EQ(status, 0);
  THexChildData& d = Hex(w);
  EXPECT_EQ(d.LineCount(), 1);
  EXPECT_EQ(Line(w, 0), "00000000:" + std::string(66, ' '));
  Type(w, "1");  // nothing to type over
  EXPECT_FALSE(d.Modified);
  ASSERT_TRUE(d.ToggleMode());
  EXPECT_TRUE(d.Extended());
  EXPECT_TRUE(access(Dir.File("empty.~ZK").c_str(), F_OK) == 0);
  ASSERT_TRUE(d.InsertBytes(0, 3, 0x20));
  EXPECT_EQ(d.FileSize(), 3);
  EXPECT_EQ(d.StatusOffset(), -1);  // behind the inserted bytes
  ASSERT_EQ(ChildSave(w, path, 0, false), 0);
  EXPECT_EQ(TTempDir::Read(path), "   ");
  ASSERT_TRUE(d.DeleteBytes(0, 10));
  EXPECT_EQ(d.FileSize(), 0);
  ASSERT_EQ(ChildSave(w, path, 0, false), 0);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 0);
  DestroyWindow(w);
  // The working copy goes with the window.
  EXPECT_FALSE(access(Dir.File("empty.~ZK").c_str(), F_OK) == 0);
}

TEST_F(HexTest, ExtendedModeEditsTheCopyAndSavesWithoutTouchingTheFileBefore) {
  std::string path = Dir.Write("x.bin", "ABCDEF");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  Type(w, "6");  // a pending change: the mode switch asks first
  Log().SaveAnswer = -1;
  EXPECT_FALSE(d.ToggleMode());
  EXPECT_FALSE(d.Extended());
  Log().SaveAnswer = 0;  // no: the change is dropped
  ASSERT_TRUE(d.ToggleMode());
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.ByteAt(0), 'A');
  EXPECT_FALSE(d.Overwrite);
  EXPECT_EQ(Log().Codes.back(), static_cast<uint32_t>(cnHexCaretMoved));
  d.GotoOffset(2, false);
  ASSERT_TRUE(d.InsertBytes(2, 2, 'x'));
  EXPECT_EQ(d.BytesAt(0, 10), "ABxxCDEF");
  ASSERT_TRUE(d.ReplaceRange(0, 1, "12"));
  EXPECT_EQ(d.BytesAt(0, 10), "12BxxCDEF");
  ASSERT_TRUE(d.ReplaceRange(0, 3, "Q"));
  EXPECT_EQ(d.BytesAt(0, 10), "QxxCDEF");
  EXPECT_EQ(TTempDir::Read(path), "ABCDEF");
  // A save that cannot write leaves the file and the copy as they were.
  ASSERT_EQ(mkdir((path + ".~zksave").c_str(), 0700), 0);
  EXPECT_EQ(ChildSave(w, path, 0, true), -4);
  EXPECT_EQ(TTempDir::Read(path), "ABCDEF");
  EXPECT_TRUE(d.Modified);
  ASSERT_EQ(rmdir((path + ".~zksave").c_str()), 0);
  EXPECT_EQ(ChildSave(w, path, 0, true), 0);
  EXPECT_EQ(TTempDir::Read(path), "QxxCDEF");
  EXPECT_EQ(TTempDir::Read(Dir.File("x.bak")), "ABCDEF");
  // Undo in extended mode goes back to the saved file as a whole.
  ASSERT_TRUE(d.DeleteBytes(0, 3));
  d.GotoOffset(4, false);
  d.Undo();
  EXPECT_EQ(d.BytesAt(0, 10), "QxxCDEF");
  EXPECT_FALSE(d.Modified);
  // Normal mode again: the file itself, a plain overwrite.
  ASSERT_TRUE(d.ToggleMode());
  EXPECT_FALSE(d.InsertBytes(0, 1, 0));
  EXPECT_FALSE(d.ReplaceRange(0, 1, "ab"));
  EXPECT_TRUE(d.ReplaceRange(5, 2, "ab"));
  EXPECT_FALSE(d.ReplaceRange(6, 2, "cd"));  // not beyond the end
  EXPECT_EQ(d.BytesAt(0, 10), "QxxCDab");
}

TEST_F(HexTest, LeftoverCopyIsTakenButNeverThroughALinkOrSomeoneElsesFile) {
  std::string path = Dir.Write("l.bin", "original");
  Dir.Write("l.~ZK", "leftover");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  ASSERT_TRUE(d.ToggleMode());
  EXPECT_EQ(d.BytesAt(0, 20), "leftover");
  ASSERT_TRUE(d.ToggleMode());
  EXPECT_EQ(d.BytesAt(0, 20), "original");
  DestroyWindow(w);
  EXPECT_FALSE(access(Dir.File("l.~ZK").c_str(), F_OK) == 0);

  std::string secret = Dir.Write("secret.txt", "secret");
  ASSERT_EQ(symlink(secret.c_str(), Dir.File("l.~ZK").c_str()), 0);
  w = Open(path);
  EXPECT_FALSE(Hex(w).ToggleMode());
  EXPECT_FALSE(Hex(w).Extended());
  EXPECT_EQ(Hex(w).BytesAt(0, 20), "original");
  DestroyWindow(w);
  EXPECT_EQ(TTempDir::Read(secret), "secret");
  EXPECT_TRUE(access(Dir.File("l.~ZK").c_str(), F_OK) == 0);  // not ours to delete
}

TEST_F(HexTest, CopyWithZeroBytesGivesBothFormatsAndPasteInsertsThem) {
  std::string path = Dir.Write("p.bin", Bytes({0x41, 0x00, 0x42, 0x43}));
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.SelectBytes(0, 3);
  ChildCopy(w);
  uint32_t hex = RegisterClipboardFormat("ZKEDIT_HEXDATA");
  auto block = TakeClipboardBytes(w, hex);
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(*block, std::string("\x03\0\0\0A\0B\0", 8));
  EXPECT_EQ(TakeClipboardText(w, false).value_or(""), "A B");
  EXPECT_FALSE(d.CanPaste());  // normal mode
  ASSERT_TRUE(d.ToggleMode());
  ASSERT_TRUE(d.CanPaste());
  d.GotoOffset(4, false);  // one past the last byte
  ChildPaste(w);
  EXPECT_EQ(d.BytesAt(0, 10), Bytes({0x41, 0, 0x42, 0x43, 0x41, 0, 0x42}));
  // Text without zeros goes as text only.
  d.SelectBytes(2, 4);
  ChildCopy(w);
  EXPECT_FALSE(TakeClipboardBytes(w, hex).has_value());
  EXPECT_EQ(TakeClipboardText(w, false).value_or(""), "BC");
  // Cut deletes the selection and leaves the caret at its start.
  ChildCut(w);
  EXPECT_EQ(d.BytesAt(0, 10), Bytes({0x41, 0, 0x41, 0, 0x42}));
  EXPECT_EQ(d.StatusOffset(), 2);
  EXPECT_EQ(TakeClipboardText(w, false).value_or(""), "BC");
}

TEST_F(HexTest, LargestSparseFileOpensAndScrollsToItsEnd) {
  std::string path = Dir.Write("huge.bin", "");
  ASSERT_EQ(truncate(path.c_str(), kHexMaxFileSize), 0);
  int32_t status = -99;
  TWindow w = Open(path, &status);
  ASSERT_EQ(status, 0);
  THexChildData& d = Hex(w);
  SendMessage(w, WM_KEYDOWN, VK_END, 0);
  d.MoveCaretTo(VK_END, 3, false);
  EXPECT_EQ(d.Caret.Line, static_cast<int32_t>(kHexMaxFileSize / 16));
  EXPECT_GE(d.Caret.Line, d.Scroller->PosY);
  EXPECT_LE(d.Caret.Line, d.Scroller->PosY + d.Scroller->PageStepY);
  std::string last = Line(w, d.Caret.Line - 1);
  EXPECT_EQ(last.substr(0, 9), "7FFFFFE0:");
  EXPECT_EQ(Line(w, d.Caret.Line).substr(0, 12), "7FFFFFF0: 00");
  d.GotoOffset(kHexMaxFileSize - 1, false);
  EXPECT_EQ(Log().Offsets.back(), 0x7FFFFFFE);
}

TEST_F(HexTest, LargerFileIsRefusedWithAClearMessage) {
  std::string path = Dir.Write("toolarge.bin", "");
  ASSERT_EQ(truncate(path.c_str(), kHexMaxFileSize + 1), 0);
  int32_t status = 0;
  Open(path, &status);
  EXPECT_EQ(status, kHexTooLarge);
  EXPECT_NE(HexTooLargeMessage(path).find("2.147.483.647 Byte"), std::string::npos);
}

TEST_F(HexTest, SaveAsAndBlockSave) {
  std::string path = Dir.Write("a.bin", "abcdef");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.SetCaret(59, 0, false, false);
  Type(w, "X");
  std::string other = Dir.File("b.bin");
  ASSERT_EQ(ChildSave(w, other, 0, false), 0);
  EXPECT_EQ(TTempDir::Read(other), "Xbcdef");
  EXPECT_EQ(TTempDir::Read(path), "abcdef");
  EXPECT_EQ(ChildFileName(w), other);
  EXPECT_EQ(GetWindowText(w), other);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(ChildSaveSelection(w, Dir.File("block.bin"), 0), -3);  // no selection
  d.SelectBytes(1, 4);
  ASSERT_EQ(ChildSaveSelection(w, Dir.File("block.bin"), 0), 0);
  EXPECT_EQ(TTempDir::Read(Dir.File("block.bin")), "bcd");
  EXPECT_EQ(ChildSaveSelection(w, Dir.File("nodir/block.bin"), 0), -3);
}

}  // namespace
