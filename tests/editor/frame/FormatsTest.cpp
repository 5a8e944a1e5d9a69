#include <gtest/gtest.h>

#include "editor/frame/AppsList.h"
#include "editor/frame/FontFormat.h"
#include "editor/frame/MultiReplace.h"
#include "editor/frame/ToolBarLayout.h"

namespace {

using platform::TLogFont;
using platform::TProfileFile;

TEST(FontFormatTest, DefaultStringGivesTheDefaultFields) {
  TLogFont f = ParseFontString("15,8,0,0,400,0,0,513,12545,Fixedsys", TLogFont{});
  EXPECT_EQ(f, DefaultWindowFont());
  EXPECT_EQ(f.OutPrecision, 1);
  EXPECT_EQ(f.ClipPrecision, 2);
  EXPECT_EQ(f.Quality, 1);
  EXPECT_EQ(f.PitchAndFamily, 0x31);
  EXPECT_EQ(FormatFontString(f), "15,8,0,0,400,0,0,513,12545,Fixedsys");
  EXPECT_EQ(FormatFontString(DefaultPrinterFont()), "-13,0,0,0,400,0,0,513,12545,Courier New");
}

TEST(FontFormatTest, ClampsAndRejectedStrings) {
  TLogFont f = ParseFontString("15,8,0,0,9999,0,0,513,12545,123Font", DefaultWindowFont());
  EXPECT_EQ(f.Weight, 400);
  EXPECT_EQ(f.FaceName, "FixedSys");
  f = ParseFontString("-200,300,0,0,400,1,0,513,12545,Mono", DefaultWindowFont());
  EXPECT_EQ(f.Height, 15);
  EXPECT_EQ(f.Width, 8);
  EXPECT_EQ(f.Italic, 1);

  TLogFont base = DefaultPrinterFont();
  EXPECT_EQ(ParseFontString("12,7,0,0,700,0,0,513,Mono", base), base) << "eight commas";
  EXPECT_EQ(ParseFontString("12,7,x,0,700,0,0,513,12545,Mono", base), base) << "not a number";
  EXPECT_EQ(ParseFontString("", base), base);

  // Only 80 characters are read, and the face keeps what the font record can hold.
  std::string padded = "1,2,0,0,400,0,0,513," + std::string(70, ' ') + "12545,Mono";
  EXPECT_EQ(ParseFontString(padded, base), base);
  f = ParseFontString("1,2,0,0,400,0,0,513,12545," + std::string(100, 'A'), base);
  EXPECT_EQ(f.FaceName.size(), platform::kFaceNameMax - 1);
  // A face name with commas keeps them.
  EXPECT_EQ(ParseFontString("1,2,0,0,400,0,0,513,12545,A,B", base).FaceName, "A,B");
}

TEST(FontFormatTest, DosFontAndColours) {
  TLogFont dos = ParseDosFontString("-18,1,0");
  EXPECT_EQ(dos.Height, -18);
  EXPECT_EQ(dos.Weight, 700);
  EXPECT_EQ(dos.Italic, 0);
  EXPECT_EQ(dos.FaceName, "MS LineDraw");
  EXPECT_EQ(dos.CharSet, platform::kSymbolCharset);
  EXPECT_EQ(FormatDosFontString(dos), "-18,1,0");
  EXPECT_EQ(ParseDosFontString("big,0,1").Height, -13);
  EXPECT_EQ(ParseDosFontString("big,0,1").Italic, 1);

  TSystemColors sys;
  sys.ButtonFace = 0xC0C0C0;
  TKindColors c = ParseColorString("000000FF, 00FFFFFF ,zz", TColorKind::Text, sys);
  EXPECT_EQ(c.Text, 0xFFu);
  EXPECT_EQ(c.Back, 0xFFFFFFu);
  EXPECT_EQ(c.Highlight, sys.WindowText) << "unparsable value takes the system colour";
  EXPECT_EQ(FormatColorString(c), "000000FF,00FFFFFF,00000000");
  TKindColors grep = ParseColorString("", TColorKind::Grep, sys);
  EXPECT_EQ(grep.Back, 0xC0C0C0u);
  EXPECT_EQ(grep.Highlight, 0xFFFFFFu);
  // On a near-white face white hits would vanish: they are red there.
  sys.ButtonFace = 0xF0F0F0;
  EXPECT_EQ(ParseColorString("", TColorKind::Grep, sys).Highlight, platform::MakeRgb(255, 0, 0));
  EXPECT_EQ(ParseColorString(",,00FFFFFF", TColorKind::Grep, sys).Highlight, 0xFFFFFFu);

  platform::TColorRef rgb;
  ASSERT_TRUE(ParseRgbHex6("FF0000", &rgb));
  EXPECT_EQ(rgb, platform::MakeRgb(0, 0, 255)) << "blue first from the left";
  EXPECT_EQ(FormatRgbHex6(platform::MakeRgb(255, 0, 255)), "FF00FF");
  EXPECT_FALSE(ParseRgbHex6("1234567", &rgb));
}

TEST(MultiReplaceTest, GroupsFollowTheStoredRules) {
  TProfileFile f;
  f.Parse(
      "[MultiReplace]\n"
      "NAME0=Umlaute|1\nSRCH0=||ae|oe||ue\nREPL0=ä|ö|x|ü|rest\n"
      "NAME1=NoSearch|111\nSRCH1=\nREPL1=x\n"
      "NAME2=Plain\nSRCH2=a\n"
      "NAME3=Bar|In|Name|010\nSRCH3=q\nREPL3=r\n");
  TMulRepList list = ReadMulRepList(f);
  ASSERT_EQ(list.Groups.size(), 3u);
  const TMulRepItems& g = list.Groups[0];
  EXPECT_EQ(g.Name, "Umlaute");
  EXPECT_TRUE(g.CaseSensitive);
  EXPECT_FALSE(g.WholeWords || g.RegularExpression) << "flags padded with 0";
  // Pairs in parallel; the empty search text in the middle is skipped.
  ASSERT_EQ(g.Pairs.size(), 3u);
  EXPECT_EQ(g.Pairs[0], (TMulRepPair{"ae", "ä"}));
  EXPECT_EQ(g.Pairs[1], (TMulRepPair{"oe", "ö"}));
  EXPECT_EQ(g.Pairs[2], (TMulRepPair{"ue", "ü"}));
  EXPECT_EQ(list.Groups[1].Name, "Plain");
  EXPECT_EQ(list.Groups[1].Pairs[0], (TMulRepPair{"a", ""}));
  EXPECT_EQ(list.Groups[2].Name, "Bar|In|Name");
  EXPECT_TRUE(list.Groups[2].WholeWords);
}

TEST(MultiReplaceTest, EmptyReplacementRoundTrips) {
  TMulRepList list;
  list.Groups.push_back({"G", true, false, false, {{"weg", ""}}});
  TProfileFile f;
  WriteMulRepList(f, list);
  EXPECT_EQ(f.ReadString("MultiReplace", "NAME0", ""), "G|100");
  EXPECT_TRUE(f.HasKey("MultiReplace", "REPL0"));
  EXPECT_EQ(f.ReadString("MultiReplace", "REPL0", "x"), "");
  TMulRepList back = ReadMulRepList(f);
  ASSERT_EQ(back.Groups.size(), 1u);
  EXPECT_EQ(back.Groups[0], list.Groups[0]);
}

TEST(AppsListTest, StoredFormAndLimits) {
  TAppsList apps;
  ASSERT_TRUE(apps.AddFromString("Grep| /bin/grep|  -n %S| /tmp |1"));
  EXPECT_EQ(apps[0].Program, "/bin/grep");
  EXPECT_EQ(apps[0].Arguments, "-n %S");
  EXPECT_EQ(apps[0].WorkingDirectory, "/tmp ");
  EXPECT_TRUE(apps[0].AskForArguments);
  EXPECT_EQ(apps.FullString(0), "Grep|/bin/grep|-n %S|/tmp |1");
  EXPECT_FALSE(apps.AddFromString("NoProgram||args||0"));
  EXPECT_FALSE(apps.AddFromString("|prog"));
  EXPECT_TRUE(apps.AddFromString("Short|prog"));
  EXPECT_FALSE(apps[1].AskForArguments);
  while (apps.Size() < TAppsList::kMaxApps) ASSERT_TRUE(apps.AddFromString("X|y"));
  EXPECT_FALSE(apps.AddFromString("One|too many"));
}

TEST(ToolBarLayoutTest, ShortLayoutGivesTheDefault) {
  EXPECT_EQ(ParseToolBarLayout("F"), ParseToolBarLayout(kDefaultToolBarLayout));
  EXPECT_EQ(FormatToolBarLayout(ParseToolBarLayout("")), kDefaultToolBarLayout);
  EXPECT_EQ(ParseToolBarLayout("0aZZ1"), (std::vector<uint8_t>{0x0A, kToolBarSeparator}));
  EXPECT_EQ(FormatToolBarLayout({0x0A, 0xFF}), "0AFF");
}

}  // namespace
