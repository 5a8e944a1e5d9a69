// The clipboard on the headless back end: text through both code pages, private formats with
// zero bytes, availability, the open/close rules and change notices.
#include <gtest/gtest.h>

#include <cstring>

#include "UiFixture.h"
#include "platform/memory/GlobalMemory.h"
#include "platform/ui/Clipboard.h"

using namespace platform;

namespace {

THandle Block(std::string_view bytes) {
  THandle block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!bytes.empty()) std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string BytesOf(THandle block) {
  std::string bytes(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}

class ClipboardTest : public uitest::UiTest {};

TEST_F(ClipboardTest, UmlautsSurviveBothCodePages) {
  TWindow w = Make();
  // "Grüße Ärger" in Windows-1252 and in DOS 850.
  const std::string win = "Gr\xFC\xDF" "e \xC4rger\r\nx";
  const std::string dos = "Gr\x81\xE1" "e \x8Erger\r\nx";
  ASSERT_TRUE(PutClipboardText(w, win, false));
  EXPECT_EQ(TakeClipboardText(w, false), win);
  EXPECT_EQ(TakeClipboardText(w, true), dos);
  ASSERT_TRUE(PutClipboardText(w, dos, true));
  EXPECT_EQ(TakeClipboardText(w, true), dos);
  EXPECT_EQ(TakeClipboardText(w, false), win);
  // The euro sign has no DOS byte.
  ASSERT_TRUE(PutClipboardText(w, "5 \x80", false));
  EXPECT_EQ(TakeClipboardText(w, true), "5 ?");
  EXPECT_EQ(TakeClipboardText(w, false), "5 \x80");
}

TEST_F(ClipboardTest, TextBlockEndsWithZeroAndStopsAtTheFirst) {
  TWindow w = Make();
  ASSERT_TRUE(OpenClipboard(w));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_TEXT, Block(std::string("AB\0CD", 5))));
  THandle got = GetClipboardData(CF_TEXT);
  ASSERT_NE(got, 0u);
  EXPECT_EQ(BytesOf(got), std::string("AB\0", 3));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, PrivateFormatKeepsZeroBytesBesideText) {
  TWindow w = Make();
  uint32_t hex = RegisterClipboardFormat("ZKEDIT_HEXDATA");
  ASSERT_GE(hex, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("zkedit_hexdata"), hex);
  EXPECT_EQ(GetClipboardFormatName(hex), "ZKEDIT_HEXDATA");
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);

  const std::string record("\x03\x00\x00\x00" "A\x00" "B\x00", 8);
  ASSERT_TRUE(OpenClipboard(w));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(hex, Block(record)));
  ASSERT_TRUE(SetClipboardData(CF_TEXT, Block(std::string("A B\0", 4))));
  ASSERT_TRUE(CloseClipboard());

  EXPECT_TRUE(IsClipboardFormatAvailable(hex));
  EXPECT_EQ(TakeClipboardBytes(w, hex), record);
  EXPECT_EQ(TakeClipboardText(w, false), "A B");
  // A later plain copy replaces every format.
  ASSERT_TRUE(PutClipboardText(w, "neu", false));
  EXPECT_FALSE(IsClipboardFormatAvailable(hex));
  EXPECT_EQ(TakeClipboardBytes(w, hex), std::nullopt);
}

TEST_F(ClipboardTest, AvailabilityFollowsTheContent) {
  TWindow w = Make();
  uint32_t rtf = RegisterClipboardFormat(kRichTextFormatName);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(rtf));
  EXPECT_EQ(TakeClipboardText(w, false), std::nullopt);

  ASSERT_TRUE(PutClipboardBytes(w, rtf, "{\\rtf1 Hallo}"));
  EXPECT_TRUE(IsClipboardFormatAvailable(rtf));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_OEMTEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(0xFFFF));  // never registered
  EXPECT_EQ(TakeClipboardBytes(w, rtf), "{\\rtf1 Hallo}");

  ASSERT_TRUE(PutClipboardText(w, "", false));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
  EXPECT_EQ(TakeClipboardText(w, false), "");
}

TEST_F(ClipboardTest, OpenRulesAndBlockOwnership) {
  TWindow w = Make();
  uint32_t handlesBefore = LiveHandleCount();
  THandle block = Block("x");
  EXPECT_FALSE(SetClipboardData(CF_TEXT, block));  // not open: the caller keeps it
  EXPECT_EQ(GlobalSize(block), 1u);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_TEXT), 0u);
  EXPECT_FALSE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(w));
  EXPECT_FALSE(OpenClipboard(w));
  EmptyClipboard();
  EXPECT_FALSE(SetClipboardData(0xFFFE, block));  // unknown format: still the caller's
  ASSERT_TRUE(SetClipboardData(CF_TEXT, block));
  EXPECT_EQ(GlobalSize(block), 0u);  // taken and freed
  THandle got = GetClipboardData(CF_TEXT);
  ASSERT_NE(got, 0u);
  // Uncommitted work is visible to the opener, not yet to the others.
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GlobalSize(got), 0u);  // the clipboard's block went with the close
  EXPECT_EQ(LiveHandleCount(), handlesBefore);
  EXPECT_EQ(TakeClipboardText(w, false), "x");
}

TEST_F(ClipboardTest, ListenersHearOfChangesOnly) {
  TWindow listener = Make();
  TWindow gone = Make();
  ASSERT_TRUE(AddClipboardFormatListener(listener));
  ASSERT_TRUE(AddClipboardFormatListener(listener));  // twice is once
  ASSERT_TRUE(AddClipboardFormatListener(gone));
  DestroyWindow(gone);

  ASSERT_TRUE(PutClipboardText(listener, "a", false));
  RunPendingMessages();
  EXPECT_EQ(Count(WM_CLIPBOARDUPDATE), 1);
  // Reading changes nothing.
  EXPECT_TRUE(TakeClipboardText(listener, false).has_value());
  RunPendingMessages();
  EXPECT_EQ(Count(WM_CLIPBOARDUPDATE), 1);

  EXPECT_TRUE(RemoveClipboardFormatListener(listener));
  ASSERT_TRUE(PutClipboardText(listener, "b", false));
  RunPendingMessages();
  EXPECT_EQ(Count(WM_CLIPBOARDUPDATE), 1);
}

TEST(ClipboardTextTest, ForeignBytesBecomeQuestionMarks) {
  // A broken sequence, a character neither code page has, then a surrogate in UTF-8.
  EXPECT_EQ(Utf8ToCodePageText("a\xC3" "b\xE2\x82\xAC\xE4\xB8\xAD\xED\xA0\x80", false),
            "a?b\x80????");
  EXPECT_EQ(Utf8ToCodePageText("\xC3\xBC\xE2\x96\x91", true), "\x81\xB0");
  EXPECT_EQ(Utf8ToCodePageText("\xC0\xAF\xE0\x80\xAF", false), "?????");  // overlong "/"
}

}  // namespace
