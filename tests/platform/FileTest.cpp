#include "platform/file/File.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/file/FileOps.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TFileAccess;
using platform::TFileShare;

class FileTest : public ::testing::Test {
 protected:
  TTempDir Dir;
};

TEST_F(FileTest, ReadsAtOffsetsAndAtTheCurrentPosition) {
  std::string path = Dir.Write("f", "0123456789");
  int32_t h = platform::FileOpen(path.c_str(), TFileAccess::ReadOnly);
  ASSERT_GE(h, 0);
  char buf[16] = {};
  EXPECT_EQ(platform::FileRead(h, buf, 3, 5), 3);
  EXPECT_EQ(std::string(buf, 3), "567");
  // A read at an offset leaves the current position alone.
  EXPECT_EQ(platform::FileRead(h, buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(platform::FileRead(h, buf, 16), 6);
  EXPECT_EQ(platform::FileRead(h, buf, 16), 0);
  EXPECT_EQ(platform::FileSize(h), 10);
  EXPECT_EQ(platform::FileRead(h, buf, 2), 0);  // size query kept the position at the end
  platform::TFileTime t;
  EXPECT_TRUE(platform::FileGetTime(h, &t));
  EXPECT_GT(t.Seconds, 0);
  EXPECT_EQ(platform::FileClose(h), 0);
  EXPECT_EQ(platform::FileRead(-1, buf, 1), -1);
}

TEST_F(FileTest, CreateTruncatesAndWrites) {
  std::string path = Dir.Write("f", "old content");
  int32_t h = platform::FileCreate(path.c_str());
  ASSERT_GE(h, 0);
  EXPECT_EQ(platform::FileSize(h), 0);
  EXPECT_EQ(platform::FileWrite(h, "new", 3), 3);
  platform::FileClose(h);
  EXPECT_EQ(TTempDir::Read(path), "new");
}

TEST_F(FileTest, OpenFailures) {
  EXPECT_LT(platform::FileOpen(Dir.File("missing").c_str(), TFileAccess::ReadOnly), 0);
  EXPECT_LT(platform::FileOpen(Dir.Path().c_str(), TFileAccess::ReadOnly), 0);
  EXPECT_LT(platform::FileOpen(nullptr, TFileAccess::ReadOnly), 0);
  EXPECT_LT(platform::FileCreate(Dir.File("no/dir").c_str()), 0);
  // A file without write permission is write-protected, for every user.
  std::string path = Dir.Write("ro", "x");
  chmod(path.c_str(), 0444);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadWrite), 0);
  EXPECT_LT(platform::FileCreate(path.c_str()), 0);
  EXPECT_EQ(TTempDir::Read(path), "x");
}

TEST_F(FileTest, DenyWriteKeepsOtherWritersOut) {
  std::string path = Dir.Write("f", "content");
  int32_t lock = platform::FileOpen(path.c_str(), TFileAccess::ReadOnly, TFileShare::DenyWrite);
  ASSERT_GE(lock, 0);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadWrite), 0);
  EXPECT_LT(platform::FileCreate(path.c_str()), 0);
  EXPECT_EQ(TTempDir::Read(path), "content");  // the refused create did not truncate
  int32_t reader = platform::FileOpen(path.c_str(), TFileAccess::ReadOnly);
  EXPECT_GE(reader, 0);
  int32_t second = platform::FileOpen(path.c_str(), TFileAccess::ReadOnly, TFileShare::DenyWrite);
  EXPECT_GE(second, 0);
  platform::FileClose(reader);
  platform::FileClose(second);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadWrite), 0);
  platform::FileClose(lock);
  int32_t writer = platform::FileOpen(path.c_str(), TFileAccess::ReadWrite);
  EXPECT_GE(writer, 0);
  platform::FileClose(writer);
}

TEST_F(FileTest, DenyWriteIsRefusedWhileSomeoneWrites) {
  std::string path = Dir.Write("f", "content");
  int32_t writer = platform::FileOpen(path.c_str(), TFileAccess::ReadWrite);
  ASSERT_GE(writer, 0);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadOnly, TFileShare::DenyWrite), 0);
  int32_t other = platform::FileOpen(path.c_str(), TFileAccess::ReadWrite);
  EXPECT_GE(other, 0);
  platform::FileClose(other);
  platform::FileClose(writer);

  // Writing while denying others: alone with its writes.
  int32_t owner = platform::FileOpen(path.c_str(), TFileAccess::ReadWrite, TFileShare::DenyWrite);
  ASSERT_GE(owner, 0);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadWrite), 0);
  EXPECT_LT(platform::FileOpen(path.c_str(), TFileAccess::ReadOnly, TFileShare::DenyWrite), 0);
  int32_t reader = platform::FileOpen(path.c_str(), TFileAccess::ReadOnly);
  EXPECT_GE(reader, 0);
  platform::FileClose(reader);
  platform::FileClose(owner);
}

TEST_F(FileTest, AttributesAndInfo) {
  std::string path = Dir.Write("f", "12345");
  platform::TFileInfo info;
  ASSERT_TRUE(platform::GetFileInfo(path.c_str(), &info));
  EXPECT_EQ(info.Size, 5);
  EXPECT_EQ(info.Attributes, platform::FILE_ATTRIBUTE_NORMAL);
  chmod(path.c_str(), 0444);
  EXPECT_EQ(platform::GetFileAttributes(path.c_str()), platform::FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(platform::GetFileAttributes(Dir.Path().c_str()) & platform::FILE_ATTRIBUTE_DIRECTORY);
  std::string hidden = Dir.Write(".hidden", "");
  EXPECT_TRUE(platform::GetFileAttributes(hidden.c_str()) & platform::FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(platform::GetFileAttributes(Dir.File("missing").c_str()),
            platform::INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(platform::GetFileInfo(Dir.File("missing").c_str(), &info));
}

TEST_F(FileTest, CopyRenameDelete) {
  std::string a = Dir.Write("a", "alpha");
  std::string b = Dir.Write("b", "beta");
  chmod(a.c_str(), 0640);
  EXPECT_FALSE(platform::CopyFile(a.c_str(), b.c_str(), true));
  EXPECT_EQ(TTempDir::Read(b), "beta");
  ASSERT_TRUE(platform::CopyFile(a.c_str(), Dir.File("c").c_str(), true));
  EXPECT_EQ(TTempDir::Read(Dir.File("c")), "alpha");
  platform::TFileInfo ia, ic;
  platform::GetFileInfo(a.c_str(), &ia);
  platform::GetFileInfo(Dir.File("c").c_str(), &ic);
  EXPECT_EQ(ia.Time, ic.Time);
  struct stat st {};
  stat(Dir.File("c").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_TRUE(platform::CopyFile(a.c_str(), b.c_str(), false));
  EXPECT_EQ(TTempDir::Read(b), "alpha");

  EXPECT_FALSE(platform::RenameFile(a.c_str(), b.c_str()));  // target exists
  ASSERT_TRUE(platform::RenameFile(a.c_str(), Dir.File("d").c_str()));
  EXPECT_FALSE(platform::FileExists(a.c_str()));
  EXPECT_TRUE(platform::DeleteFile(Dir.File("d").c_str()));
  EXPECT_FALSE(platform::DeleteFile(Dir.File("d").c_str()));
  EXPECT_FALSE(platform::DeleteFile(Dir.Path().c_str()));
}

}  // namespace
