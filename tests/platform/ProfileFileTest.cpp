#include "platform/profile/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <string>

#include "platform/file/SettingsPath.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TProfileFile;

TEST(ProfileFileTest, LooksUpSectionsAndKeysWithoutRegardToCaseAndAnyLineEnd) {
  TProfileFile f;
  f.Parse("; comment\r\n[Sizes]\r\nWIN_X=12\n  win_y = 34  \r[misc]\nInitDir= C:\\Work \n");
  EXPECT_EQ(f.ReadInt("SIZES", "win_x", 0), 12);
  EXPECT_EQ(f.ReadInt("sizes", "WIN_Y", 0), 34);
  EXPECT_EQ(f.ReadString("Misc", "INITDIR", "x"), "C:\\Work");
  EXPECT_EQ(f.ReadString("Misc", "Missing", "dflt"), "dflt");
  EXPECT_EQ(f.ReadString("Nowhere", "InitDir", "dflt"), "dflt");
  EXPECT_FALSE(f.IsDirty());
}

TEST(ProfileFileTest, FirstOfDuplicateKeysAndSectionsCounts) {
  TProfileFile f;
  f.Parse("[A]\nk=1\nK=2\n[a]\nk=3\nother=4\n");
  EXPECT_EQ(f.ReadInt("A", "k", 0), 1);
  EXPECT_EQ(f.ReadString("A", "other", "none"), "none");
  f.WriteString("a", "K", "9");
  EXPECT_EQ(f.ReadInt("A", "k", 0), 9);
  // Key enumeration keeps the file order and both spellings.
  EXPECT_EQ(f.ReadKeys("A"), (std::vector<std::string>{"k", "K"}));
}

TEST(ProfileFileTest, IntegersAndBooleansReadLikeTheWindowsCalls) {
  TProfileFile f;
  f.Parse("[N]\na=12abc\nb=abc\nc= -5\nd=99999999999\ne=\nf=+7\ng=-\n"
          "[B]\nzero=0\none=1\nword=yes\nempty=\n");
  EXPECT_EQ(f.ReadInt("N", "a", 3), 12);
  EXPECT_EQ(f.ReadInt("N", "b", 3), 3);
  EXPECT_EQ(f.ReadInt("N", "c", 3), -5);
  EXPECT_EQ(f.ReadInt("N", "d", 3), INT_MAX);
  EXPECT_EQ(f.ReadInt("N", "e", 3), 3);
  EXPECT_EQ(f.ReadInt("N", "f", 3), 7);
  EXPECT_EQ(f.ReadInt("N", "g", 3), 3);
  EXPECT_EQ(f.ReadInt("N", "missing", 3), 3);
  EXPECT_FALSE(f.ReadBool("B", "zero", true));
  EXPECT_TRUE(f.ReadBool("B", "one", false));
  EXPECT_TRUE(f.ReadBool("B", "word", false));
  EXPECT_TRUE(f.ReadBool("B", "empty", false));
  EXPECT_TRUE(f.ReadBool("B", "missing", true));
}

TEST(ProfileFileTest, WritingOneKeyKeepsEveryOtherLineAsItWas) {
  TProfileFile f;
  f.Parse("junk before\r\n[One]\r\n; note\r\n  Key = old \r\nnot an entry\r\n\r\n"
          "[Two]\r\nx=1\r\n");
  f.WriteString("one", "KEY", "new");
  f.WriteString("One", "Added", "v");
  f.WriteString("Three", "y", "2");
  EXPECT_TRUE(f.IsDirty());
  EXPECT_EQ(f.Text(),
            "junk before\r\n[One]\r\n; note\r\nKey=new\r\nnot an entry\r\nAdded=v\r\n\r\n"
            "[Two]\r\nx=1\r\n\r\n[Three]\r\ny=2\r\n");
}

TEST(ProfileFileTest, ValuesReadBackExactly) {
  TProfileFile f;
  const std::string values[] = {" padded ", "\"quoted\"", "a=b", "", "tab\t", "\"", "x;y"};
  for (size_t i = 0; i < std::size(values); ++i)
    f.WriteString("S", "k" + std::to_string(i), values[i]);
  TProfileFile back;
  back.Parse(f.Text());
  for (size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(back.ReadString("S", "k" + std::to_string(i), "?"), values[i]) << i;
}

TEST(ProfileFileTest, LineEndsCannotBreakTheFileStructure) {
  TProfileFile f;
  f.WriteString("S", "k", "first\r\n[Evil]\r\nx=1");
  f.WriteString("S", "a=b", "v");
  TProfileFile back;
  back.Parse(f.Text());
  EXPECT_EQ(back.ReadString("S", "k", ""), "first");
  EXPECT_FALSE(back.HasSection("Evil"));
  EXPECT_EQ(back.ReadString("S", "a", ""), "v");
}

TEST(ProfileFileTest, EraseSectionRemovesEveryCopyAndDeleteKeyOneKey) {
  TProfileFile f;
  f.Parse("[L]\nSTR0=a\n[Keep]\nx=1\n[l]\nSTR1=b\n");
  f.EraseSection("l");
  EXPECT_FALSE(f.HasSection("L"));
  EXPECT_EQ(f.ReadInt("Keep", "x", 0), 1);
  f.WriteString("L", "STR0", "c");
  EXPECT_EQ(f.ReadEntries("L").size(), 1u);
  f.DeleteKey("keep", "X");
  EXPECT_FALSE(f.HasKey("Keep", "x"));
  EXPECT_TRUE(f.HasSection("Keep"));
}

TEST(ProfileFileTest, JunkNulsAndOverlongLinesLoseNoOtherKey) {
  std::string bytes = "[S]\na=1\n";
  bytes += std::string(1 << 20, 'x');
  bytes += "\n";
  static const char kJunk[] = "\0\0=\x01\xFF\n[\n]\n=\n";
  bytes += std::string(kJunk, sizeof kJunk - 1);
  bytes += "[S2]\nb=";
  bytes += std::string(300000, 'y');
  bytes += "\nc=3";  // no line end at the end
  TProfileFile f;
  f.Parse(bytes);
  EXPECT_EQ(f.ReadInt("S", "a", 0), 1);
  EXPECT_EQ(f.ReadString("S2", "b", "").size(), 300000u);
  EXPECT_EQ(f.ReadInt("S2", "c", 0), 3);
}

TEST(ProfileFileTest, LoadAndFlushOnDisk) {
  TTempDir dir;
  TProfileFile missing(dir.File("none.ini"));
  EXPECT_EQ(missing.Load(), 0);
  EXPECT_TRUE(missing.ReadKeys("S").empty());
  EXPECT_EQ(missing.Flush(), 0);  // nothing changed: nothing written
  EXPECT_EQ(TTempDir::Read(dir.File("none.ini")), "");

  std::string path = dir.Write("a.ini", "[S]\nk=1\n");
  TProfileFile f(path);
  ASSERT_EQ(f.Load(), 0);
  f.WriteInt("S", "k", 2);
  ASSERT_EQ(f.Flush(), 0);
  EXPECT_EQ(TTempDir::Read(path), "[S]\r\nk=2\r\n");
  EXPECT_FALSE(f.IsDirty());

  EXPECT_EQ(TProfileFile(dir.Path()).Load(), -1) << "a directory cannot be read as a file";
}

// The read failure is made with a directory in the file's place, so that it also happens for
// root, who reads files whatever their mode.
TEST(ProfileFileTest, AFileThatCouldNotBeReadIsNotOverwritten) {
  TTempDir dir;
  std::string path = dir.File("locked.ini");
  ASSERT_TRUE(std::filesystem::create_directory(path));
  TProfileFile f(path);
  EXPECT_NE(f.Load(), 0);
  std::filesystem::remove(path);
  dir.Write("locked.ini", "[Other]\nkeep=1\n");  // readable again before the end
  f.WriteInt("S", "k", 1);
  EXPECT_EQ(f.Flush(), -3);
  EXPECT_EQ(TTempDir::Read(path), "[Other]\nkeep=1\n");
  ASSERT_EQ(f.Load(), 0);
  f.WriteInt("S", "k", 1);
  EXPECT_EQ(f.Flush(), 0) << "a good load allows writing again";
}

// Quotes around a hand-written value are taken off, so "" is an empty value; writing the
// value a key already has changes nothing, not even the hand formatting.
TEST(ProfileFileTest, EmptyQuotedValueAndUnchangedWrites) {
  TTempDir dir;
  const std::string text = "[S]\r\n  k = \"\" \r\nn=  7 \r\nb=1\r\n";
  const std::string path = dir.Write("hand.ini", text);
  TProfileFile f(path);
  ASSERT_EQ(f.Load(), 0);
  EXPECT_EQ(f.ReadString("S", "k", "default"), "");
  f.WriteString("S", "K", "");
  f.WriteInt("s", "N", 7);
  f.WriteString("S", "b", "1");
  EXPECT_FALSE(f.IsDirty());
  EXPECT_EQ(f.Text(), text);
  EXPECT_EQ(f.Flush(), 0);
  EXPECT_EQ(TTempDir::Read(path), text);
  f.WriteInt("S", "n", 8);
  EXPECT_TRUE(f.IsDirty());
}

TEST(ProfileFileTest, FailedWriteKeepsTheOldFile) {
  TTempDir dir;
  std::string path = dir.Write("ro.ini", "[S]\nk=1\n");
  chmod(path.c_str(), 0444);
  TProfileFile f(path);
  ASSERT_EQ(f.Load(), 0);
  f.WriteInt("S", "k", 2);
  EXPECT_LT(f.Flush(), 0);
  EXPECT_TRUE(f.IsDirty());
  EXPECT_EQ(TTempDir::Read(path), "[S]\nk=1\n");
}

}  // namespace

namespace {

TEST(SettingsPathTest, BesideTheProgramOrInTheUsersConfiguration) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("prog"));
  platform::TSettingsPaths p = platform::ResolveSettingsPaths("ZKEdit32.Ini", dir.File("prog"));
  EXPECT_EQ(p.Read, dir.File("prog/ZKEdit32.Ini"));
  EXPECT_EQ(p.Write, p.Read);

  setenv("XDG_CONFIG_HOME", dir.File("cfg").c_str(), 1);
  p = platform::ResolveSettingsPaths("ZKEdit32.Ini", dir.File("prog"), false);
  EXPECT_EQ(p.Read, dir.File("prog/ZKEdit32.Ini")) << "shipped file until the user has one";
  EXPECT_EQ(p.Write, dir.File("cfg/zkedit32/ZKEdit32.Ini"));
  platform::TProfileFile f(p.Read);
  f.SetWritePath(p.Write);
  f.WriteInt("S", "k", 1);
  ASSERT_EQ(f.Flush(), 0) << "the configuration directory is made on writing";
  p = platform::ResolveSettingsPaths("ZKEdit32.Ini", dir.File("prog"), false);
  EXPECT_EQ(p.Read, dir.File("cfg/zkedit32/ZKEdit32.Ini"));
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
