// Splitter limits, pane places of both layouts and gutter widths.
#include <gtest/gtest.h>

#include "editor/compare/CompareWindow.h"
#include "editor/compare/DiffLayout.h"

using platform::TRect;

TEST(DiffLayoutTest, SplitterLimits) {
  EXPECT_EQ(ClampSplitter(10, 600), 54);
  EXPECT_EQ(ClampSplitter(53, 600), 54);
  EXPECT_EQ(ClampSplitter(54, 600), 54);
  EXPECT_EQ(ClampSplitter(55, 600), 55);
  EXPECT_EQ(ClampSplitter(540, 600), 540);
  EXPECT_EQ(ClampSplitter(541, 600), 540);
  EXPECT_EQ(ClampSplitter(kDiffNoSplitter, 600), 297);
  EXPECT_EQ(ClampSplitter(-5, 600), 54);
  EXPECT_EQ(ClampSplitter(10001, 20000), 54);
  EXPECT_EQ(ClampSplitter(10000, 20000), 10000);
  // A window too small for both limits keeps its first pane.
  EXPECT_EQ(ClampSplitter(kDiffNoSplitter, 80), 54);
}

TEST(DiffLayoutTest, PlacesOfBothLayouts) {
  TDiffPlaces side = DiffPlaces(0, 600, 400, 200);
  EXPECT_EQ(side.Pane[0], (TRect{0, 18, 200, 400}));
  EXPECT_EQ(side.Splitter, (TRect{200, 0, 206, 400}));
  EXPECT_EQ(side.Pane[1], (TRect{206, 18, 600, 400}));
  EXPECT_EQ(side.Caption[0], (TRect{0, 0, 200, 18}));
  EXPECT_EQ(side.Caption[1], (TRect{206, 0, 600, 18}));
  TDiffPlaces above = DiffPlaces(1, 600, 400, 150);
  EXPECT_EQ(above.Caption[0], (TRect{0, 0, 600, 18}));
  EXPECT_EQ(above.Pane[0], (TRect{0, 18, 600, 150}));
  EXPECT_EQ(above.Splitter, (TRect{0, 150, 600, 156}));
  EXPECT_EQ(above.Caption[1], (TRect{0, 156, 600, 174}));
  EXPECT_EQ(above.Pane[1], (TRect{0, 174, 600, 400}));
  EXPECT_EQ(DiffPlaces(1, 600, 400, 5).SplitterPos, 54);
}

TEST(DiffLayoutTest, GutterHoldsTheLargestNumber) {
  EXPECT_EQ(DiffGutterWidth(0, 8, true), 2 * 8 + 4);
  EXPECT_EQ(DiffGutterWidth(98, 8, true), 2 * 8 + 4);
  // Index 99 shows "100".
  EXPECT_EQ(DiffGutterWidth(99, 8, true), 3 * 8 + 4);
  EXPECT_EQ(DiffGutterWidth(9998, 8, true), 4 * 8 + 4);
  EXPECT_EQ(DiffGutterWidth(99999, 8, true), 6 * 8 + 4);
  EXPECT_EQ(DiffGutterWidth(5, 8, false), 2 * 8 + 4 + 12);
}

TEST(DiffLayoutTest, CountTexts) {
  EXPECT_EQ(CompareCountText(0), "Keine Unterschiede gefunden!");
  EXPECT_EQ(CompareCountText(3), "3 unterschiedliche Zeile(n) gefunden");
}
