#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/frame/GrepConfig.h"
#include "editor/frame/IniOptions.h"
#include "editor/text/TextLimits.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TProfileFile;

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetTextBufferSize(0); }

  // Loads settings from the given file content.
  TIniOptions LoadFrom(const std::string& content, TSettingsEnvironment env = {}) {
    std::string path = Dir.Write("ZKEdit32.Ini", content);
    TProfileFile file(path);
    TIniOptions options;
    EXPECT_TRUE(LoadSettings(options, file, env));
    return options;
  }

  TTempDir Dir;
};

TEST_F(SettingsTest, MissingFileGivesTheDefaults) {
  TProfileFile file(Dir.File("ZKEdit32.Ini"));
  TIniOptions o;
  o.TabCols = 3;
  EXPECT_TRUE(LoadSettings(o, file));
  EXPECT_EQ(o.WinW, 600);
  EXPECT_EQ(o.TabCols, 8);
  EXPECT_EQ(o.LineEnds, 4);
  EXPECT_TRUE(o.AutoIndent);
  EXPECT_EQ(o.Fonts[0].FaceName, "Fixedsys");
  EXPECT_EQ(o.PrinterFont.Height, -13);
  EXPECT_EQ(o.DosFont.Height, -15);
  EXPECT_EQ(o.Filters, (std::vector<std::string>{"Alle Dateien|*.*"}));
  EXPECT_EQ(o.KeyColor, platform::MakeRgb(0, 0, 255));
  EXPECT_EQ(TextReadBufferSize(), kDefaultTextBufferSize);
}

TEST_F(SettingsTest, OutOfRangeValuesAreClamped) {
  TIniOptions o = LoadFrom(
      "[Sizes]\nWIN_X=-100\nWIN_Y=5000\nWIN_W=10\nWIN_H=99999\n"
      "[Edit]\nTabCols=1000\nWrapCol=1\n"
      "[Safety]\nEOLs=9\nNonText=0\n"
      "[GrepOpts]\nOUTP=7\n"
      "[PageSetup]\nMLeft=-5\nMTop=6000\nHead=" + std::string(100, 'h') + "\n");
  EXPECT_EQ(o.WinX, 20);
  EXPECT_EQ(o.WinY, 20);
  EXPECT_EQ(o.WinW, 600);
  EXPECT_EQ(o.WinH, 440);
  EXPECT_EQ(o.TabCols, 256);
  EXPECT_EQ(o.WrapCol, 70);
  EXPECT_EQ(o.LineEnds, 1) << "a stored 9 becomes 1, while a missing key gives 4";
  EXPECT_EQ(o.NonText, 3);
  EXPECT_EQ(o.GrepOutput, 2);
  EXPECT_EQ(o.MarginLeft, 0);
  EXPECT_EQ(o.MarginTop, 5000);
  EXPECT_EQ(o.PageHeader.size(), 80u);

  o = LoadFrom("[Edit]\nTabCols=1\nWrapCol=1000\n[Sizes]\nWIN_X=1500\n",
               TSettingsEnvironment{1920, 1080, {}});
  EXPECT_EQ(o.TabCols, 8);
  EXPECT_EQ(o.WrapCol, 256);
  EXPECT_EQ(o.WinX, 1500) << "the clamp follows the screen size";
}

// The vertical position is checked against the screen height, not its width.
TEST_F(SettingsTest, WindowTopFollowsTheScreenHeight) {
  const TSettingsEnvironment screen{1920, 1080, {}};
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=1100\n", screen).WinY, 20);
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=1040\n", screen).WinY, 1040);
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=1041\n", screen).WinY, 20);
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=1000\n", screen).WinY, 1000);
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=-30\n", screen).WinY, -30);
  EXPECT_EQ(LoadFrom("[Sizes]\nWIN_Y=-31\n", screen).WinY, 20);
}

// With 20 filters the last one may be the chosen one; only beyond the list is reset.
TEST_F(SettingsTest, FilterIndexUpToTwentyIsKept) {
  std::string filters = "[Filters]\n";
  for (int i = 0; i < 20; ++i) filters += "FLT" + std::to_string(i) + "=F" + std::to_string(i) + "|*.f" + std::to_string(i) + "\n";
  TIniOptions o = LoadFrom(filters + "IDX=20\n");
  EXPECT_EQ(o.Filters.size(), 20u);
  EXPECT_EQ(o.FilterIndex, 20);
  EXPECT_EQ(LoadFrom(filters + "IDX=21\n").FilterIndex, 1);
  EXPECT_EQ(LoadFrom(filters + "IDX=0\n").FilterIndex, 1);
}

// A file that could not be read at start-up (here: a directory in its place) is never
// overwritten with defaults at the end, even when it has become readable meanwhile; the
// frame then tells the user that the file could not be written.
TEST_F(SettingsTest, UnreadableAtStartIsNotOverwrittenAtTheEnd) {
  const std::string path = Dir.File("ZKEdit32.Ini");
  ASSERT_TRUE(std::filesystem::create_directory(path));
  TProfileFile file(path);
  TIniOptions o;
  EXPECT_FALSE(LoadSettings(o, file));
  std::filesystem::remove(path);
  Dir.Write("ZKEdit32.Ini", "[Edit]\nTabCols=4\n[Mine]\nx=1\n");
  o.TabCols = 6;
  EXPECT_FALSE(SaveSettings(o, file));
  EXPECT_EQ(TTempDir::Read(path), "[Edit]\nTabCols=4\n[Mine]\nx=1\n");
  EXPECT_EQ(SettingsFileMessage("ZKEdit32.Ini", true),
            "Die Initialisierungsdatei ZKEdit32.Ini\nkann nicht geschrieben werden!");
  EXPECT_EQ(SettingsFileMessage("ZKEdit32.Ini", false),
            "Die Initialisierungsdatei ZKEdit32.Ini\nkann nicht gelesen werden!");
  // A good load allows writing again.
  ASSERT_TRUE(LoadSettings(o, file));
  EXPECT_EQ(o.TabCols, 4);
  EXPECT_TRUE(SaveSettings(o, file));
}

TEST_F(SettingsTest, BufSizeReachesTheTextLoader) {
  TIniOptions o = LoadFrom("[Misc]\nBufSize=10\n");
  EXPECT_EQ(o.BufSize, 32);
  EXPECT_EQ(TextReadBufferSize(), 32 * 1024);
  EXPECT_EQ(TextLineLimit(), 32 * 1024 - 100);
  o = LoadFrom("[Misc]\nBufSize=9000\n");
  EXPECT_EQ(o.BufSize, 2048);
  o = LoadFrom("[Misc]\nBufSize=0\n");
  EXPECT_EQ(o.BufSize, 0);
  EXPECT_EQ(TextReadBufferSize(), kDefaultTextBufferSize);
}

TEST_F(SettingsTest, FiltersTakeBarOrAtAndFallBackToTheOldSection) {
  TIniOptions o = LoadFrom(
      "[filters]\nflt0=Texte@*.txt\nFLT1=no separator\nFLT7=C|*.c;*.h\nIDX=30\n");
  EXPECT_EQ(o.Filters, (std::vector<std::string>{"Texte|*.txt", "C|*.c;*.h"}));
  EXPECT_EQ(o.FilterIndex, 1);

  std::string path = Dir.Write("old.ini", "[Filter]\nFLT0=Alt|*.alt\n[Other]\nx=1\n");
  TProfileFile file(path);
  ASSERT_EQ(file.Load(), 0);
  EXPECT_EQ(ReadFilters(file), (std::vector<std::string>{"Alt|*.alt"}));
  EXPECT_FALSE(file.HasSection("Filter")) << "the old section is erased after reading";

  o = LoadFrom("[Filters]\nFLT0=nothing usable\n");
  EXPECT_EQ(o.Filters, (std::vector<std::string>{"Alle Dateien|*.*"}));
}

TEST_F(SettingsTest, HistoriesWriteTheirNewestEntriesOnly) {
  TIniOptions o;
  for (int i = 0; i < 25; ++i) o.SearchTexts.Add("text" + std::to_string(i));
  for (int i = 0; i < 18; ++i) o.Dirs.Add("/dir" + std::to_string(i));
  TProfileFile file(Dir.File("h.ini"));
  ASSERT_TRUE(SaveSettings(o, file));
  TIniOptions back;
  ASSERT_TRUE(LoadSettings(back, file));
  ASSERT_EQ(back.SearchTexts.Size(), 20u);
  EXPECT_EQ(back.SearchTexts[0], "text24");
  EXPECT_EQ(back.SearchTexts[19], "text5");
  EXPECT_EQ(back.Dirs.Size(), 15u);
}

TEST(StringHistoryTest, IdenticalEntryMovesUpAndTheOldestDropsOut) {
  TStringHistory h;
  for (int i = 0; i < 100; ++i) h.Add(std::to_string(i));
  h.Add("50");
  EXPECT_EQ(h.Size(), 100u);
  EXPECT_EQ(h[0], "50");
  EXPECT_EQ(h[1], "99");
  h.Add("new");
  EXPECT_EQ(h.Size(), 100u);
  EXPECT_EQ(h[0], "new");
  EXPECT_EQ(h[99], "1") << "the 101st distinct entry pushes out the oldest";
  h.Add("New");
  EXPECT_EQ(h[1], "new") << "the comparison is exact";
}

TEST_F(SettingsTest, FullyPopulatedRecordSurvivesWriteAndRead) {
  TIniOptions o;
  o.WinX = 33; o.WinY = 44; o.WinW = 700; o.WinH = 500; o.WinMaximized = true;
  o.ShowExChars = o.ShowLineNumbers = o.HexAllChars = o.HexTextBlockOnly = true;
  o.InitDir = "/home/user/Projekt Ä";
  o.DialogHook = o.NewPaint = false;
  o.BufSize = 64;
  o.SearchCase = o.SearchWord = o.SearchRegEx = o.SearchFromCursor = true;
  o.SearchBackward = o.ReplaceConfirm = o.SearchHex = true;
  o.GrepCase = o.GrepWord = o.GrepRegEx = o.GrepSubdirs = o.GrepInfo = true;
  o.GrepOutput = 1;
  o.ToolBar = o.ToolTips = o.ToolBarFlat = o.StatusBar = false;
  o.ToolBarButtons = "FF0001";
  o.AutoOpen = 3; o.OpenedFiles = 4;
  o.OpenZoomed = o.GotoLastPos = o.DosMode = o.MultipleInstances = true;
  o.ChangeDir = o.RestoreDir = o.Backup = o.Protect = true;
  o.NonText = 2; o.LineEnds = 3; o.TabCols = 4;
  o.TabToSpaces = true; o.CursorBeyondEnd = o.AutoIndent = o.DragDropEdit = false;
  o.ReplaceSelection = false; o.DeleteTrailingBlanks = o.WordWrap = true;
  o.WrapAtWindow = false; o.WrapCol = 72;
  o.PageHeader = " %f  Seite %p "; o.PageFooter = "Fuß";
  o.MarginLeft = 1; o.MarginRight = 2; o.MarginTop = 3; o.MarginBottom = 4;
  o.PrintLineNumbers = o.BreakLines = o.UseFileDate = true; o.UseScreenFont = false;
  o.Fonts[2].FaceName = "DejaVu Sans Mono";
  o.Fonts[2].Height = -12;
  o.Fonts[3].Weight = 700;
  o.Fonts[3].Italic = 1;
  o.PrinterFont.CharSet = 238;
  o.SystemFonts = o.NoDosFont = true;
  o.DosFont.Height = -20;
  o.DosFont.Weight = 700;
  o.Colors[1] = {0x112233, 0x445566, 0x778899};
  o.SystemColors = true;
  o.SyntaxColoring = false;
  o.KeyColor = 0x010203; o.CommentColor = 0xABCDEF; o.StringColor = 0;
  o.Filters = {"Texte|*.txt", "Alle Dateien|*.*"};
  o.FilterIndex = 2;
  o.Dirs.Add("/a"); o.SearchTexts.Add(" blank "); o.ReplaceTexts.Add("");
  o.HelpFiles = {"/h/one.hlp", "/h/two.hlp"};
  o.GrepTexts.Add("Zielmarke"); o.GrepMasks.Add("*.c;*.h"); o.GrepDirs.Add("/src");
  o.GrepHistDirs.Add("/old");
  ASSERT_TRUE(o.Apps.AddFromString("Make|/usr/bin/make|-C %1|/tmp|1"));
  o.MultiReplace.Groups.push_back({"Gruppe", true, false, true, {{"a", "b"}, {"c", ""}}});
  o.CompareLeft.Add("/l.txt"); o.CompareRight.Add("/r.txt");

  TProfileFile file(Dir.File("full.ini"));
  ASSERT_TRUE(SaveSettings(o, file));
  TProfileFile reread(Dir.File("full.ini"));
  TIniOptions b;
  ASSERT_TRUE(LoadSettings(b, reread));

  // Everything but the lists compared through a second write: the texts must match.
  TProfileFile again(Dir.File("again.ini"));
  ASSERT_TRUE(SaveSettings(b, again));
  EXPECT_EQ(TTempDir::Read(Dir.File("full.ini")), TTempDir::Read(Dir.File("again.ini")));
  EXPECT_EQ(b.InitDir, o.InitDir);
  EXPECT_EQ(b.PageHeader, o.PageHeader);
  EXPECT_EQ(b.Fonts[2], o.Fonts[2]);
  EXPECT_EQ(b.Fonts[3], o.Fonts[3]);
  EXPECT_EQ(b.PrinterFont, o.PrinterFont);
  EXPECT_EQ(b.DosFont.Height, -20);
  EXPECT_EQ(b.DosFont.Weight, 700);
  EXPECT_EQ(b.Colors[1], o.Colors[1]);
  EXPECT_EQ(b.CommentColor, 0xABCDEFu);
  EXPECT_EQ(b.Filters, o.Filters);
  EXPECT_EQ(b.FilterIndex, 2);
  EXPECT_EQ(b.SearchTexts.Items(), o.SearchTexts.Items());
  EXPECT_EQ(b.ReplaceTexts.Items(), std::vector<std::string>{""});
  EXPECT_EQ(b.HelpFiles, o.HelpFiles);
  EXPECT_EQ(b.Apps.Items(), o.Apps.Items());
  ASSERT_EQ(b.MultiReplace.Groups.size(), 1u);
  EXPECT_EQ(b.MultiReplace.Groups[0], o.MultiReplace.Groups[0]);
  EXPECT_EQ(b.CompareRight.Items(), o.CompareRight.Items());
  EXPECT_TRUE(b.WinMaximized);
  EXPECT_EQ(b.WrapCol, 72);
  EXPECT_FALSE(b.UseScreenFont);
}

TEST_F(SettingsTest, HandWrittenFileWithOddCaseBlanksAndDuplicates) {
  TIniOptions o = LoadFrom(
      "[ EDIT ]\r\n  tabcols = 4 \r\ntabcols=6\r\nAUTOIND=0\r\n"
      "[fonts]\r\ntxt=12,7,0,0,700,0,0,513,12545,Liberation Mono\r\n"
      "[syntaxcoloring]\r\nkeycolor=00ff00\r\nCmtColor=xyz\r\n");
  EXPECT_EQ(o.TabCols, 4);
  EXPECT_FALSE(o.AutoIndent);
  EXPECT_EQ(o.Fonts[0].FaceName, "Liberation Mono");
  EXPECT_EQ(o.Fonts[0].Weight, 700);
  EXPECT_EQ(o.KeyColor, 0x00FF00u);
  EXPECT_EQ(o.CommentColor, platform::MakeRgb(0, 128, 0)) << "unparsable colour keeps default";
}

TEST_F(SettingsTest, SavingKeepsForeignSectionsAndFailsWithoutLosingTheFile) {
  std::string path = Dir.Write("ZKEdit32.Ini", "[GrepCfg3]\nSSTR=keep me\n[Mine]\nx=1\n");
  TProfileFile file(path);
  TIniOptions o;
  ASSERT_TRUE(LoadSettings(o, file));
  ASSERT_TRUE(SaveSettings(o, file));
  TGrepConfig cfg;
  ASSERT_TRUE(ReadGrepConfig(file, 3, cfg));
  EXPECT_EQ(cfg.SearchText, "keep me");
  EXPECT_NE(TTempDir::Read(path).find("[Mine]\r\nx=1\r\n"), std::string::npos);

  TProfileFile inDirectory(Dir.Path());  // a directory cannot be replaced by a file
  EXPECT_FALSE(LoadSettings(o, inDirectory));
  EXPECT_EQ(o.TabCols, 8) << "defaults stay";
  EXPECT_FALSE(SaveSettings(o, inDirectory));
}

TEST(GrepConfigTest, StoredConfigurationsRoundTripAndClamp) {
  TProfileFile file;
  TGrepConfig c;
  c.SearchText = std::string(90, 's');
  c.FileMasks = "*.vel";
  c.CaseSensitive = c.Subdirectories = true;
  c.Output = 2;
  for (int i = 0; i < 17; ++i) c.Dirs.push_back("/d" + std::to_string(i));
  ASSERT_TRUE(WriteGrepConfig(file, 9, c));
  EXPECT_FALSE(WriteGrepConfig(file, 10, c));
  TGrepConfig back;
  ASSERT_TRUE(ReadGrepConfig(file, 9, back));
  EXPECT_EQ(back.SearchText.size(), 80u);
  EXPECT_EQ(back.Dirs.size(), 15u);
  EXPECT_TRUE(back.CaseSensitive && back.Subdirectories && !back.WholeWords);
  EXPECT_FALSE(ReadGrepConfig(file, 0, back));

  file.Parse("[grepcfg1]\nOUTP=5\n");
  ASSERT_TRUE(ReadGrepConfig(file, 1, back));
  EXPECT_EQ(back.Output, 2);
}

}  // namespace
