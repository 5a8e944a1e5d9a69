#include "platform/file/SafeFileWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/file/File.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TSafeFileWriter;

int CountFiles(const std::string& dir) {
  int n = 0;
  for (auto& e : std::filesystem::directory_iterator(dir)) {
    (void)e;
    ++n;
  }
  return n;
}

class SafeFileWriterTest : public ::testing::Test {
 protected:
  void Write(TSafeFileWriter& w, const std::string& text) {
    ASSERT_EQ(platform::FileWrite(w.Handle(), text.data(), static_cast<int32_t>(text.size())),
              static_cast<int32_t>(text.size()));
  }
  TTempDir Dir;
};

TEST_F(SafeFileWriterTest, NewContentAppearsOnlyWithCommit) {
  std::string path = Dir.Write("f", "old");
  {
    TSafeFileWriter w;
    ASSERT_EQ(w.Open(path.c_str()), 0);
    Write(w, "new");
    EXPECT_EQ(TTempDir::Read(path), "old");
  }  // abandoned
  EXPECT_EQ(TTempDir::Read(path), "old");
  EXPECT_EQ(CountFiles(Dir.Path()), 1);
  TSafeFileWriter w;
  ASSERT_EQ(w.Open(path.c_str()), 0);
  Write(w, "new");
  ASSERT_EQ(w.Commit(), 0);
  EXPECT_EQ(TTempDir::Read(path), "new");
  EXPECT_EQ(CountFiles(Dir.Path()), 1);
}

TEST_F(SafeFileWriterTest, NewFileGetsTheUsualPermissions) {
  mode_t old = umask(027);
  TSafeFileWriter w;
  std::string path = Dir.File("fresh");
  ASSERT_EQ(w.Open(path.c_str()), 0);
  Write(w, "x");
  ASSERT_EQ(w.Commit(), 0);
  umask(old);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SafeFileWriterTest, HardLinkedTargetIsWrittenInPlace) {
  std::string path = Dir.Write("f", "old");
  std::string other = Dir.File("g");
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  TSafeFileWriter w;
  ASSERT_EQ(w.Open(path.c_str()), 0);
  Write(w, "new");
  ASSERT_EQ(w.Commit(), 0);
  EXPECT_EQ(TTempDir::Read(other), "new");
}

TEST_F(SafeFileWriterTest, TargetsThatCannotBeWritten) {
  TSafeFileWriter w;
  EXPECT_EQ(w.Open(Dir.Path().c_str()), -3);
  EXPECT_EQ(w.Open(""), -3);
  EXPECT_EQ(w.Open(Dir.File("missing/dir/f").c_str()), -3);
  std::string ro = Dir.Write("ro", "old");
  chmod(ro.c_str(), 0444);
  EXPECT_EQ(w.Open(ro.c_str()), -3);
  std::string locked = Dir.Write("locked", "old");
  int32_t lock = platform::FileOpen(locked.c_str(), platform::TFileAccess::ReadOnly,
                                    platform::TFileShare::DenyWrite);
  ASSERT_GE(lock, 0);
  EXPECT_EQ(w.Open(locked.c_str()), -3);
  platform::FileClose(lock);
  EXPECT_EQ(w.Open(locked.c_str()), 0);
  w.Abandon();
  EXPECT_EQ(TTempDir::Read(locked), "old");
}

}  // namespace
