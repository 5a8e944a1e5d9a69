// Text layout with tab stops, extents, alignment, clipping; metrics; code pages; MulDiv.
#include <gtest/gtest.h>

#include <array>

#include "platform/ui/CodePages.h"
#include "platform/ui/Paint.h"
#include "tests/platform/ui/UiFixture.h"

using namespace platform;
using namespace uitest;

class CanvasTest : public UiTest {
 protected:
  std::unique_ptr<TCanvas> Canvas() {
    Window = Make(400, 200);
    Backend->Records.clear();
    return GetWindowCanvas(Window);
  }
  TWindow Window = 0;
};

TEST_F(CanvasTest, FixedMetricsOfTheHeadlessFonts) {
  TLogFont fixed;
  fixed.Height = -16;
  fixed.FaceName = "Courier New";
  TFont f = CreateFontIndirect(fixed);
  const TFontInfo* info = GetFontInfo(f);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->FixedPitch());
  EXPECT_EQ(info->Metrics.AveCharWidth, 8);
  EXPECT_EQ(info->Metrics.Height, 16);
  TLogFont prop;
  prop.Height = 16;
  prop.FaceName = "Arial";
  const TFontInfo* p = GetFontInfo(CreateFontIndirect(prop));
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->FixedPitch());
  EXPECT_NE(p->Metrics.PitchAndFamily & TMPF_FIXED_PITCH, 0);
  EXPECT_LT(p->Widths['i'], p->Widths['m']);
  EXPECT_TRUE(DeleteFont(f));
  EXPECT_FALSE(DeleteFont(f));
  EXPECT_FALSE(DeleteFont(GetStockFont()));
}

TEST_F(CanvasTest, TabbedTextOutFollowsTheStopsFromTheOrigin) {
  auto c = Canvas();
  std::array<int32_t, 1> every{32};
  // Stock font: 8 pixels a character. "ab" ends at 10+16, next stop from origin 10 is 42.
  TSize s = c->TabbedTextOut(10, 0, "ab\tc", every, 10);
  EXPECT_EQ(s.Width, 40);
  ASSERT_EQ(Backend->TextsOf(Window).size(), 2u);
  EXPECT_EQ(Backend->Records.back().Rect.Left, 42);
  std::array<int32_t, 3> table{20, 50, 60};
  EXPECT_EQ(c->GetTabbedTextExtent("\t\t\t\t", table).Width, 70);  // then every 10
  EXPECT_EQ(c->GetTabbedTextExtent("\t", {}).Width, 64);             // 8 average widths
  EXPECT_EQ(c->GetTabbedTextExtent("abc", every).Width, 24);
}

TEST_F(CanvasTest, DrawTextAlignsInTheRectangleAndClipsToIt) {
  auto c = Canvas();
  c->DrawText("1", TRect{2, 0, 50, 16}, DT_RIGHT | DT_SINGLELINE);
  ASSERT_EQ(Backend->Records.size(), 1u);
  EXPECT_EQ(Backend->Records[0].Rect.Left, 42);
  c->DrawText("toolong", TRect{0, 100, 4, 116}, DT_LEFT);
  c->TextOut(300, 100, "after");  // the clip of DrawText is gone again
  EXPECT_EQ(Backend->TextsOf(Window).back(), "after");
}

TEST_F(CanvasTest, ExcludedAndIntersectedClipDropHiddenOutput) {
  auto c = Canvas();
  c->ExcludeClipRect(TRect{0, 0, 66, 200});
  c->TextOut(2, 0, "gutter");  // 48 pixels, wholly inside the gutter
  c->TextOut(60, 0, "cross");
  c->SetViewportOrg({-100, 0});
  c->FillRect(TRect{100, 0, 120, 10}, MakeRgb(1, 2, 3));  // device 0..20: excluded
  c->IntersectClipRect(TRect{200, 0, 300, 50});
  c->TextOut(100, 60, "below");
  auto texts = Backend->TextsOf(Window);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "cross");
  EXPECT_EQ(Backend->Records.size(), 1u);
}

TEST_F(CanvasTest, CodePagesMapUmlautsAndTheirControlsBothWays) {
  EXPECT_EQ(Cp1252ToUnicode(0xFC), U'ü');
  EXPECT_EQ(Cp850ToUnicode(0x81), U'ü');
  EXPECT_EQ(Cp850ToUnicode(0xE1), U'ß');
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'€');
  EXPECT_EQ(UnicodeToCp1252(U'€'), 0x80);
  EXPECT_EQ(UnicodeToCp1252(U'ü'), 0xFC);
  EXPECT_EQ(UnicodeToCp1252(U'╬'), -1);
  EXPECT_EQ(CodePageToUtf8("\x84\x94", true), "äö");
  EXPECT_EQ(CodePageToUtf8("\xE4", false), "ä");
  for (int b = 0; b < 256; ++b) {
    char32_t u = Cp1252ToUnicode(static_cast<uint8_t>(b));
    EXPECT_EQ(UnicodeToCp1252(u), b);
  }
}

TEST_F(CanvasTest, MulDivRoundsToNearest) {
  EXPECT_EQ(MulDiv(99999, 32767, 100000), 32767);  // 32766.67
  EXPECT_EQ(MulDiv(1000, 32767, 100000), 328);     // 327.67
  EXPECT_EQ(MulDiv(32766, 100000, 32767), 99997);  // 99996.9
  EXPECT_EQ(MulDiv(32767, 100000, 32767), 100000);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, 4, 1), -1);
}
