// Find and replace in a hex window through the operations the find commands use: text with
// its options, hexadecimal bytes, both directions, inside a selection, and replacing in
// both modes.
#include <cstring>

#include "editor/find/WindowSearch.h"
#include "editor/hex/HexWindowSearch.h"
#include "tests/editor/hex/HexFixture.h"

using namespace platform;
using hextest::HexTest;

namespace {

void Reset(TFindState& s, const char* text, bool hex = false) {
  s.Request = TSearchRequest{};
  std::snprintf(s.Request.SearchText, sizeof s.Request.SearchText, "%s", text);
  s.Request.HexInput = hex;
  s.Request.CaseSensitive = true;
  s.Request.FirstSearch = true;
}

class HexSearchTest : public HexTest {
 protected:
  const TWindowSearchOps& Ops = HexWindowSearchOps();
  bool Find(TWindow w, TFindState& s, int64_t* at = nullptr) {
    // As find next does: the window goes on from the hit it shows.
    bool found = Ops.Search(w, s, true, nullptr);
    if (at) *at = found ? Hex(w).SelStart : -1;
    return found;
  }
};

TEST_F(HexSearchTest, HexBytesAndTextForwardAndBackwardWithTheHitSelected) {
  std::string data = "xx\x0A\x01\xFFyy abc ABC abc";
  data += std::string("\0", 1);
  std::string path = Dir.Write("s.bin", data);
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  TFindState s;
  Reset(s, "0A 1 FF", true);
  int64_t at = 0;
  ASSERT_TRUE(Find(w, s, &at));
  EXPECT_EQ(at, 2);
  EXPECT_EQ(d.SelStart, 2);
  EXPECT_EQ(d.SelEnd, 5);
  EXPECT_FALSE(Find(w, s));
  // Text: case-sensitive skips "ABC"; found again from the hit on.
  Reset(s, "abc");
  ASSERT_TRUE(Find(w, s, &at));
  EXPECT_EQ(at, 8);
  ASSERT_TRUE(Ops.Search(w, s, true, nullptr));
  EXPECT_EQ(d.SelStart, 16);
  Reset(s, "abc");
  s.Request.CaseSensitive = false;
  s.Request.Backward = true;
  ASSERT_TRUE(Find(w, s, &at));
  EXPECT_EQ(at, 16);
  ASSERT_TRUE(Ops.Search(w, s, true, nullptr));
  EXPECT_EQ(d.SelStart, 12);
  // Pending changes of normal mode are not searched: the file's bytes are.
  d.GotoOffset(0, false);
  d.SetCaret(59, 0, false, false);
  Type(w, "Q");
  Reset(s, "Q");
  EXPECT_FALSE(Find(w, s));
  Reset(s, "xx");
  EXPECT_TRUE(Find(w, s));
}

TEST_F(HexSearchTest, SelectionOnlyAndFromTheCursor) {
  std::string path = Dir.Write("b.bin", "ab ab ab ab ab");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  d.SelectBytes(4, 10);
  TFindState s;
  Reset(s, "ab");
  s.Request.SelectionOnly = true;
  int64_t at = 0;
  ASSERT_TRUE(Find(w, s, &at));
  EXPECT_EQ(at, 6);
  EXPECT_FALSE(Find(w, s));  // 9..10 straddles the end, 12 is outside
  d.GotoOffset(7, false);
  Reset(s, "ab");
  s.Request.FromCursor = true;
  ASSERT_TRUE(Find(w, s, &at));
  EXPECT_EQ(at, 9);
}

TEST_F(HexSearchTest, ReplaceKeepsLengthsInNormalModeAndResizesInExtendedMode) {
  std::string path = Dir.Write("r.bin", "one two one");
  TWindow w = Open(path);
  THexChildData& d = Hex(w);
  TFindState s;
  Reset(s, "one");
  TFindPosition p;
  ASSERT_TRUE(Ops.Search(w, s, false, &p));
  EXPECT_FALSE(Ops.Replace(w, true, false, "1", p));
  EXPECT_TRUE(Ops.Replace(w, true, false, "ONE", p));
  EXPECT_EQ(d.BytesAt(0, 20), "ONE two one");
  ASSERT_EQ(ChildSave(w, path, 0, false), 0);
  ASSERT_TRUE(d.ToggleMode());
  Reset(s, "one");
  ASSERT_TRUE(Ops.Search(w, s, false, &p));
  EXPECT_EQ(p.Column, 8);
  EXPECT_TRUE(Ops.Replace(w, true, false, "1", p));
  EXPECT_EQ(d.BytesAt(0, 20), "ONE two 1");
  EXPECT_EQ(Ops.SelectionLength(w), 0);
}

}  // namespace
