// Common dialogs answered by script: the file dialog with its extra parts and the checks of
// its answer, filters, folders, fonts with the fixed-pitch filter, colours.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "UiFixture.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/DialogScript.h"

using namespace platform;

namespace {

class CommonDialogsTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Dir = std::filesystem::temp_directory_path() / ("zk_cd_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    std::ofstream(Dir / "main.vel") << "x";
    std::ofstream(Dir / "lib.vel") << "y";
  }
  void TearDown() override {
    std::filesystem::remove_all(Dir);
    UiTest::TearDown();
  }
  std::filesystem::path Dir;
};

TEST(FileFilterTest, ParsesPairsAndRejectsBrokenLists) {
  std::vector<TFileFilter> f;
  ASSERT_TRUE(ParseFileFilter("Textdateien (*.txt)|*.txt; *.asc|Alle Dateien (*.*)|*.*|", f));
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].Patterns, (std::vector<std::string>{"*.txt", "*.asc"}));
  EXPECT_TRUE(MatchesFilter("LIESMICH.TXT", f[0]));
  EXPECT_TRUE(MatchesFilter("a.asc", f[0]));
  EXPECT_FALSE(MatchesFilter("a.txt.bak", f[0]));
  EXPECT_TRUE(MatchesFilter("ohne_punkt", f[1]));
  TFileFilter q{"q", {"a?c*.v"}};
  EXPECT_TRUE(MatchesFilter("abcdef.v", q));
  EXPECT_FALSE(MatchesFilter("ac.v", q));
  // A description without patterns, an empty description, an odd count: no filters.
  EXPECT_FALSE(ParseFileFilter("Text|*.txt|Alle", f));
  EXPECT_FALSE(ParseFileFilter("Text| ; |", f));
  EXPECT_FALSE(ParseFileFilter("|*.txt", f));
}

TEST_F(CommonDialogsTest, OpenDialogOffersItsExtrasAndReturnsTheUsersChoices) {
  TFileDialog d;
  d.Title = "Datei öffnen";
  d.Filter = "VEL-Quellen (*.vel)|*.vel|Alle Dateien (*.*)|*.*";
  d.FilterIndex = 2;
  d.InitialDir = Dir.string();
  d.Flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
  d.HistoryLabel = "&Verzeichnisse:";
  d.History = {"/tmp", Dir.string()};
  d.CheckLabel = "In den HE&X-Editor laden";
  d.FormatLabel = "Zeilenende:";
  d.Formats = {"CR/LF (DOS)", "LF (UNIX)"};
  QueueFileAnswer([](TFileDialog& a) {
    // The user first names a file that is not there: the dialog stays.
    a.Files = {"fehlt.vel"};
    return true;
  });
  QueueFileAnswer([&](TFileDialog& a) {
    EXPECT_EQ(a.History.size(), 2u);
    a.Files = {"main.vel", (Dir / "lib.vel").string()};
    a.FilterIndex = 1;
    a.Checked = true;
    a.Format = 1;
    return true;
  });
  ASSERT_TRUE(GetOpenFileName(d));
  EXPECT_EQ(d.Files, (std::vector<std::string>{(Dir / "main.vel").string(), (Dir / "lib.vel").string()}));
  EXPECT_EQ(d.FileName, (Dir / "main.vel").string());
  EXPECT_EQ(d.FilterIndex, 1);
  EXPECT_TRUE(d.Checked);
  EXPECT_EQ(d.Format, 1);
  ASSERT_EQ(ShownFileDialogs().size(), 1u);
  EXPECT_EQ(ShownFileDialogs()[0].CheckLabel, "In den HE&X-Editor laden");
  EXPECT_EQ(ShownFileDialogs()[0].FilterIndex, 2);

  // Cancelled, or several files where one is allowed: nothing chosen, the request unchanged.
  TFileDialog one = d;
  one.Flags = OFN_FILEMUSTEXIST;
  one.Files.clear();
  QueueFileAnswer([](TFileDialog& a) {
    a.Files = {"main.vel", "lib.vel"};
    return true;
  });
  EXPECT_FALSE(GetOpenFileName(one));
  EXPECT_TRUE(one.Files.empty());
  EXPECT_FALSE(GetOpenFileName(one));  // no answer queued: cancelled
}

TEST_F(CommonDialogsTest, SaveDialogAddsTheDefaultExtensionAndBadFiltersShowNothing) {
  TFileDialog d;
  d.InitialDir = Dir.string();
  d.DefExt = "vel";
  d.Filter = "VEL|*.vel";
  QueueFileAnswer([](TFileDialog& a) {
    EXPECT_TRUE(a.Save);
    a.Files = {"neu"};
    return true;
  });
  ASSERT_TRUE(GetSaveFileName(d));
  EXPECT_EQ(d.FileName, (Dir / "neu.vel").string());
  // A name with an extension keeps it.
  QueueFileAnswer([](TFileDialog& a) {
    a.Files = {"neu.txt"};
    return true;
  });
  ASSERT_TRUE(GetSaveFileName(d));
  EXPECT_EQ(d.FileName, (Dir / "neu.txt").string());
  size_t shown = ShownFileDialogs().size();
  d.Filter = "Nur eine Beschreibung";
  QueueFileAnswer([](TFileDialog& a) {
    a.Files = {"x"};
    return true;
  });
  EXPECT_FALSE(GetSaveFileName(d));
  EXPECT_EQ(ShownFileDialogs().size(), shown);
}

TEST_F(CommonDialogsTest, FontColourAndFolderAnswers) {
  TFontDialog f;
  f.Font.FaceName = "Courier New";
  f.Font.Height = -16;
  f.Font.CharSet = kOemCharset;
  f.Flags = CF_FIXEDPITCHONLY;
  QueueFontAnswer([](TFontDialog& a) {
    a.Font.FaceName = "Arial";  // a proportional face where only fixed pitch was offered
    return true;
  });
  EXPECT_FALSE(ChooseFont(f));
  QueueFontAnswer([](TFontDialog& a) {
    a.Font.FaceName = "Lucida Console";
    a.Font.Height = -20;
    a.Font.Weight = kFontWeightBold;
    a.Font.PitchAndFamily = kFixedPitch | kFamilyModern;
    a.Font.CharSet = kAnsiCharset;
    return true;
  });
  ASSERT_TRUE(ChooseFont(f));
  EXPECT_EQ(f.Font.FaceName, "Lucida Console");
  EXPECT_EQ(f.Font.Weight, kFontWeightBold);
  EXPECT_EQ(f.Font.CharSet, kOemCharset);  // the program's code page stays
  EXPECT_EQ(f.PointSize, 150);             // 20 pixels at 96 dots per inch
  EXPECT_EQ(ShownFontDialogs().back().Flags & CF_FIXEDPITCHONLY, CF_FIXEDPITCHONLY);

  TColorDialog c;
  c.Color = MakeRgb(1, 2, 3);
  QueueColorAnswer([](TColorDialog& a) {
    EXPECT_EQ(a.Color, MakeRgb(1, 2, 3));
    a.Color = 0xFF00FF00;
    return true;
  });
  ASSERT_TRUE(ChooseColor(c));
  EXPECT_EQ(c.Color, MakeRgb(0, 255, 0));

  TFolderDialog folder;
  QueueFolderAnswer([](TFolderDialog& a) {
    a.Path = "/gibt/es/nicht";
    return true;
  });
  EXPECT_FALSE(BrowseForFolder(folder));
  QueueFolderAnswer([&](TFolderDialog& a) {
    a.Path = Dir.string();
    return true;
  });
  ASSERT_TRUE(BrowseForFolder(folder));
  EXPECT_EQ(folder.Path, Dir.string());
}

}  // namespace
