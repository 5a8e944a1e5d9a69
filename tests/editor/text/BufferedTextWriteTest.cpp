#include "editor/text/BufferedTextWrite.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file/File.h"
#include "tests/support/TempDir.h"

namespace {

TEST(BufferedTextWriteTest, AppendsLineEndsOfTheFormatAndHonoursLengths) {
  TTempDir dir;
  std::string path = dir.File("out");
  int32_t h = platform::FileCreate(path.c_str());
  ASSERT_GE(h, 0);
  {
    TBufferedTextWrite w(h, lefWindows);
    EXPECT_EQ(w.Capacity(), 32000);
    EXPECT_EQ(w.WriteLine("abcdef", 3, true), 0);
    EXPECT_EQ(w.WriteLine("xyz", -1, true), 0);
    EXPECT_EQ(w.WriteLine(nullptr, 5, true), 0);
    EXPECT_EQ(w.WriteLine("end", -1, false), 0);
    EXPECT_EQ(w.Fill(), 3 + 2 + 3 + 2 + 2 + 3);
    EXPECT_EQ(w.Flush(), 0);
    EXPECT_EQ(w.Fill(), 0);
  }
  platform::FileClose(h);
  EXPECT_EQ(TTempDir::Read(path), "abc\r\nxyz\r\n\r\nend");
}

TEST(BufferedTextWriteTest, ManyLinesCrossTheBufferAndALongLineGrowsIt) {
  TTempDir dir;
  std::string path = dir.File("out");
  int32_t h = platform::FileCreate(path.c_str());
  std::string expected;
  {
    TBufferedTextWrite w(h, lefUnix);
    for (int i = 0; i < 5000; ++i) {
      std::string line = "line " + std::to_string(i);
      ASSERT_EQ(w.WriteLine(line.c_str(), -1, true), 0);
      expected += line + "\n";
    }
    std::string big(70000, 'L');
    ASSERT_EQ(w.WriteLine(big.c_str(), -1, true), 0);
    expected += big + "\n";
    EXPECT_GE(w.Capacity(), 70001);
    ASSERT_EQ(w.WriteLine("tail", -1, false), 0);
    expected += "tail";
    ASSERT_EQ(w.Flush(), 0);
  }
  platform::FileClose(h);
  EXPECT_EQ(TTempDir::Read(path), expected);
}

TEST(BufferedTextWriteTest, FailedWriteSticks) {
  TTempDir dir;
  std::string path = dir.Write("ro", "");
  int32_t h = platform::FileOpen(path.c_str(), platform::TFileAccess::ReadOnly);
  ASSERT_GE(h, 0);
  TBufferedTextWrite w(h, lefWindows);
  EXPECT_EQ(w.WriteLine("abc", -1, true), 0);  // only buffered so far
  EXPECT_EQ(w.Flush(), -4);
  EXPECT_EQ(w.Error(), -4);
  EXPECT_EQ(w.WriteLine("more", -1, true), -4);
  EXPECT_EQ(w.Flush(), -4);
  platform::FileClose(h);
}

}  // namespace
