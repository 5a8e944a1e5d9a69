#include "editor/frame/FileList.h"

#include <gtest/gtest.h>

namespace {

using platform::TProfileFile;

TEST(FileListTest, NamesAreUniqueWithoutRegardToCase) {
  TFileList list;
  EXPECT_TRUE(list.Add("/a/Datei.txt", {3, 4, false}));
  EXPECT_FALSE(list.Add("/A/DATEI.TXT", {}));
  EXPECT_FALSE(list.Insert(0, "", {}));
  EXPECT_EQ(list.Size(), 1u);
  list.Add("/b", {});
  list.MoveToTop("/a/datei.txt", {9, 1, false});
  list.MoveToTop("/a/datei.txt", {10, 2, false});
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(list[0].Position, (TFilePosition{10, 2, false})) << "one entry, latest position";
  EXPECT_EQ(list.IndexOf("/B"), 1);
}

TEST(FileListTest, StoredEntriesWithMissingOrBadParts) {
  TFileListEntry e = ParseFileListEntry("/x.txt;12");
  EXPECT_EQ(e.Name, "/x.txt");
  EXPECT_EQ(e.Position, (TFilePosition{12, 1, false}));
  e = ParseFileListEntry("/x.bin;abc;5;1");
  EXPECT_EQ(e.Position, (TFilePosition{1, 5, true}));
  e = ParseFileListEntry("/only");
  EXPECT_EQ(e.Position, (TFilePosition{1, 1, false}));
  // Names with ";" come back whole when we wrote all three numbers.
  TFileListEntry semi{"/dir;v2/a;b.c", {7, 8, true}};
  EXPECT_EQ(FormatFileListEntry(semi), "/dir;v2/a;b.c;7;8;1");
  e = ParseFileListEntry(FormatFileListEntry(semi));
  EXPECT_EQ(e.Name, semi.Name);
  EXPECT_EQ(e.Position, semi.Position);
}

TEST(FileListTest, SectionsReadFileKeysOnlyAndWriteTwenty) {
  TProfileFile f;
  f.Parse("[Files]\nfile3=/c;2;3;0\nOther=/no\nFILE0=/a\nfile9=/A\n");
  TFileList list;
  ReadFileList(f, "Files", list);
  ASSERT_EQ(list.Size(), 2u) << "file order, duplicates refused";
  EXPECT_EQ(list[0].Name, "/c");
  EXPECT_EQ(list[1].Name, "/a");

  TFileList many;
  for (int i = 0; i < 25; ++i) many.Add("/f" + std::to_string(i), {i, 1, false});
  WriteFileList(f, "Files", many);
  EXPECT_EQ(f.ReadKeys("Files").size(), 20u);
  EXPECT_EQ(f.ReadString("Files", "FILE19", ""), "/f19;19;1;0");
  ReadFileList(f, "Files", list);
  EXPECT_EQ(list.Size(), 20u);
}

TEST(FileListTest, HandWrittenSectionWithTwentyFiveKeysReadsTwenty) {
  TProfileFile f;
  std::string text = "[Files]\n";
  for (int i = 0; i < 25; ++i) text += "FILE" + std::to_string(i) + "=/f" + std::to_string(i) + "\n";
  f.Parse(text);
  TFileList list;
  ReadFileList(f, "Files", list);
  ASSERT_EQ(list.Size(), 20u);
  EXPECT_EQ(list[0].Name, "/f0");
  EXPECT_EQ(list[19].Name, "/f19");
}

TEST(FileListTest, GroupsNeedANameAndStaleSectionsAreErased) {
  TProfileFile f;
  f.Parse("[FGroup0]\nNAME=Projekt\nFILE0=/p/a.vel;5;2;0\n"
          "[FGroup1]\nFILE0=/nameless\n"
          "[FGroup2]\nNAME=Leer\n"
          "[FGroup7]\nNAME=Spät\nFILE0=/late\n");
  TFileGroups groups;
  ReadFileGroups(f, groups);
  ASSERT_EQ(groups.Size(), 3u);
  EXPECT_EQ(groups[0].Name, "Projekt");
  EXPECT_EQ(groups[0].Files[0].Position, (TFilePosition{5, 2, false}));
  EXPECT_EQ(groups[2].Name, "Spät");

  groups.Delete(1);
  for (int i = 0; i < 21; ++i) groups[0].Files.Add("/g" + std::to_string(i), {});
  WriteFileGroups(f, groups);
  EXPECT_FALSE(f.HasSection("FGroup7"));
  EXPECT_FALSE(f.HasSection("FGroup2"));
  EXPECT_EQ(f.ReadString("FGroup1", "NAME", ""), "Spät");
  EXPECT_EQ(f.ReadKeys("FGroup0").size(), 21u) << "NAME and the first 20 files";
  EXPECT_EQ(f.ReadKeys("FGroup0").front(), "NAME");

  EXPECT_FALSE(groups.Add(""));
  while (groups.Size() < TFileGroups::kMaxGroups) ASSERT_TRUE(groups.Add("G"));
  EXPECT_FALSE(groups.Add("one too many"));
  EXPECT_EQ(groups.IndexOf("spät"), 1);
}

}  // namespace
