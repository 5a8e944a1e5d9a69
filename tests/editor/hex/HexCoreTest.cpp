// The hex editor's data side: the mapped file (probe, open modes, empty files, the size
// limit, a file cut under the mapping), the change list, the line layout and the clipboard
// block.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "editor/hex/Changes.h"
#include "editor/hex/FastFind.h"
#include "editor/hex/FileCache.h"
#include "editor/hex/HexClipData.h"
#include "editor/hex/HexLayout.h"
#include "tests/support/TempDir.h"

namespace {

class FileCacheTest : public ::testing::Test {
 protected:
  TTempDir Dir;
};

TEST_F(FileCacheTest, OpensReadWriteMapsTheBytesAndWritesThroughTheMapping) {
  std::string path = Dir.Write("a.bin", std::string("AB\0CD", 5));
  TFileCache cache;
  ASSERT_EQ(cache.Open(path), fcOk);
  EXPECT_FALSE(cache.ReadOnly());
  EXPECT_EQ(cache.Size(), 5);
  EXPECT_FALSE(cache.EmptyFile());
  EXPECT_EQ(cache.Data()[3], 'C');
  cache.MutableData()[0] = 'Z';
  EXPECT_TRUE(cache.Flush());
  EXPECT_FALSE(cache.ChangedOnDisk());
  cache.Close();
  EXPECT_EQ(TTempDir::Read(path), std::string("ZB\0CD", 5));
  // The probe leaves nothing behind.
  EXPECT_FALSE(access(Dir.File("ZK~~~~00.CHK").c_str(), F_OK) == 0);
}

TEST_F(FileCacheTest, ProbeSkipsExistingNamesAndAllHundredCountAsWritable) {
  std::string path = Dir.Write("a.bin", "x");
  for (int n = 0; n < 100; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "ZK~~~~%02d.CHK", n);
    Dir.Write(name, "");
  }
  EXPECT_TRUE(ProbeDirectoryWritable(path));
  EXPECT_FALSE(ProbeDirectoryWritable(Dir.File("missing/a.bin")));
}

TEST_F(FileCacheTest, ReadOnlyFileAndForcedReadOnlyGiveAReadOnlyCache) {
  std::string path = Dir.Write("r.bin", "data");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  TFileCache cache;
  ASSERT_EQ(cache.Open(path), fcOk);
  EXPECT_TRUE(cache.ReadOnly());
  EXPECT_EQ(cache.MutableData(), nullptr);
  EXPECT_EQ(cache.Resize(10), fcWrite);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(cache.Open(path, true), fcOk);
  EXPECT_TRUE(cache.ReadOnly());
  EXPECT_EQ(cache.Open(Dir.File("none.bin")), fcCannotOpen);
  EXPECT_EQ(cache.Open(Dir.Path()), fcCannotOpen);
  EXPECT_FALSE(cache.IsOpen());
}

TEST_F(FileCacheTest, EmptyFileStaysEmptyAndGrowsAndShrinksBackToZero) {
  std::string path = Dir.Write("e.bin", "");
  {
    TFileCache cache;
    ASSERT_EQ(cache.Open(path), fcOk);
    EXPECT_TRUE(cache.EmptyFile());
    EXPECT_EQ(cache.Size(), 0);
    EXPECT_EQ(cache.Data()[0], 0);
    ASSERT_EQ(cache.Resize(3), fcOk);
    EXPECT_FALSE(cache.EmptyFile());
    cache.MutableData()[2] = 7;
    ASSERT_EQ(cache.Resize(0), fcOk);
    EXPECT_TRUE(cache.EmptyFile());
  }
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 0);
}

TEST_F(FileCacheTest, LargestFileOpensAndALargerOneIsRefused) {
  std::string path = Dir.File("big.bin");
  std::string bigger = Dir.File("bigger.bin");
  ASSERT_EQ(truncate(Dir.Write("big.bin", "").c_str(), kHexMaxFileSize), 0);
  ASSERT_EQ(truncate(Dir.Write("bigger.bin", "").c_str(), kHexMaxFileSize + 1), 0);
  TFileCache cache;
  ASSERT_EQ(cache.Open(path), fcOk);
  EXPECT_EQ(cache.Size(), kHexMaxFileSize);
  EXPECT_EQ(cache.Data()[kHexMaxFileSize - 1], 0);
  EXPECT_EQ(cache.Resize(kHexMaxFileSize + 1), fcTooLarge);
  EXPECT_EQ(cache.Open(bigger), fcTooLarge);
  EXPECT_FALSE(cache.IsOpen());
}

TEST_F(FileCacheTest, FileCutByAnotherProgramReadsZerosAndCountsAsChanged) {
  std::string path = Dir.Write("cut.bin", std::string(64 * 1024, 'x'));
  TFileCache cache;
  ASSERT_EQ(cache.Open(path), fcOk);
  EXPECT_EQ(cache.Data()[60000], 'x');
  ASSERT_EQ(truncate(path.c_str(), 100), 0);
  // The page beyond the new end would end the program with a bus error.
  EXPECT_EQ(cache.Data()[60000], 0);
  EXPECT_EQ(cache.Data()[50], 'x');
  EXPECT_TRUE(cache.Faulted());
  EXPECT_TRUE(cache.ChangedOnDisk());
  EXPECT_FALSE(cache.Flush());
  // A second cache on another file is not affected.
  std::string other = Dir.Write("other.bin", std::string(8192, 'y'));
  TFileCache second;
  ASSERT_EQ(second.Open(other), fcOk);
  EXPECT_EQ(second.Data()[8000], 'y');
  EXPECT_FALSE(second.Faulted());
  // Opening again starts afresh.
  ASSERT_EQ(cache.Open(path), fcOk);
  EXPECT_FALSE(cache.Faulted());
  EXPECT_EQ(cache.Size(), 100);
}

TEST(ChangesTest, SortedOneRecordPerOffsetAndUndoOrder) {
  TChanges changes;
  changes.Set(10, 1);
  changes.Set(5, 2);
  changes.Set(20, 3);
  changes.Set(5, 4);  // replaces, and is now the most recent
  ASSERT_EQ(changes.Count(), 3u);
  EXPECT_EQ(changes.Records()[0].Offset, 5);
  EXPECT_EQ(changes.Records()[0].Value, 4);
  EXPECT_EQ(changes.Records()[2].Offset, 20);
  uint8_t v = 0;
  EXPECT_TRUE(changes.Get(10, &v));
  EXPECT_EQ(v, 1);
  EXPECT_FALSE(changes.Get(11, &v));
  EXPECT_EQ(changes.LowerBound(11), 2u);
  int64_t offset = 0;
  ASSERT_TRUE(changes.RemoveLast(&offset));
  EXPECT_EQ(offset, 5);
  ASSERT_TRUE(changes.RemoveLast(&offset));
  EXPECT_EQ(offset, 20);
  EXPECT_EQ(changes.LastOffset(), 10);
  ASSERT_TRUE(changes.RemoveLast(&offset));
  EXPECT_FALSE(changes.RemoveLast(&offset));
  EXPECT_EQ(changes.LastOffset(), -1);
}

TEST(HexLayoutTest, LinesOfBothViewsWithShortLastLine) {
  std::string bytes = "AB\x01\x80";
  bytes += std::string("\0", 1);
  EXPECT_EQ(FormatHexLine(0x1F0, bytes, hvHexAndChars, false),
            "000001F0: 41 42 01 80 00" + std::string(33, ' ') + "  AB..." + std::string(11, ' '));
  EXPECT_EQ(FormatHexLine(0, bytes, hvHexAndChars, true).substr(59, 5), "AB\x01\x80.");
  std::string full(16, 'a');
  std::string line = FormatHexLine(16, full, hvHexAndChars, false);
  ASSERT_EQ(line.size(), 75u);
  EXPECT_EQ(line[9 + 3 * 8], '-');
  EXPECT_EQ(line[9], ' ');
  EXPECT_EQ(line.substr(57, 2), "  ");
  std::string text = FormatHexLine(64, "hi", hvCharsOnly, false);
  EXPECT_EQ(text, "00000040: hi" + std::string(62, ' '));
}

TEST(HexLayoutTest, ColumnsTabStepsAndMouse) {
  TColumnInfo info;
  ASSERT_TRUE(ColumnToByte(hvHexAndChars, 14, &info));
  EXPECT_TRUE(info.HexPart);
  EXPECT_EQ(info.Index, 1);
  EXPECT_EQ(info.Digit, 1);
  EXPECT_FALSE(ColumnToByte(hvHexAndChars, 12, &info));
  ASSERT_TRUE(ColumnToByte(hvHexAndChars, 74, &info));
  EXPECT_EQ(info.Index, 15);
  EXPECT_FALSE(ColumnToByte(hvCharsOnly, 74, &info));
  EXPECT_EQ(TabColumn(14), 60);
  EXPECT_EQ(TabColumn(60), 13);
  int32_t c = 11, l = 3;
  StepColumn(hvHexAndChars, 1, &c, &l);
  EXPECT_EQ(c, 13);  // over the separator at 12
  StepColumn(hvHexAndChars, -1, &c, &l);
  EXPECT_EQ(c, 11);
  c = 10;
  StepColumn(hvHexAndChars, -1, &c, &l);
  EXPECT_EQ(c, 56);
  EXPECT_EQ(l, 2);
  StepColumn(hvHexAndChars, 1, &c, &l);
  EXPECT_EQ(c, 10);
  EXPECT_EQ(l, 3);
  c = 59;
  StepColumn(hvHexAndChars, -1, &c, &l);
  EXPECT_EQ(c, 74);
  EXPECT_EQ(l, 2);
  c = 73;
  StepColumn(hvCharsOnly, 1, &c, &l);
  EXPECT_EQ(c, 10);
  EXPECT_EQ(l, 3);
  // Cells of 8 pixels: column 12 is a separator, its halves go left and right.
  EXPECT_EQ(NearestColumn(hvHexAndChars, 12 * 8 + 2, 8), 11);
  EXPECT_EQ(NearestColumn(hvHexAndChars, 12 * 8 + 6, 8), 13);
  EXPECT_EQ(NearestColumn(hvHexAndChars, 3, 8), 10);
  EXPECT_EQ(NearestColumn(hvHexAndChars, 900, 8), 74);
  EXPECT_EQ(NearestColumn(hvHexAndChars, 58 * 8, 8), 59);
  EXPECT_EQ(NearestColumn(hvCharsOnly, 900, 8), 73);
}

TEST(HexClipDataTest, BlockRoundTripAndShortBlocksRefused) {
  std::string block = MakeHexClipData(std::string("A\0B", 3));
  EXPECT_EQ(block, std::string("\x03\0\0\0A\0B\0", 8));
  std::string bytes;
  ASSERT_TRUE(ParseHexClipData(block, &bytes));
  EXPECT_EQ(bytes, std::string("A\0B", 3));
  EXPECT_FALSE(ParseHexClipData(std::string("\x09\0\0\0AB", 6), &bytes));
  EXPECT_FALSE(ParseHexClipData(std::string("\x03\0\0\0AB", 6), &bytes));  // one short
  ASSERT_TRUE(ParseHexClipData(std::string("\x02\0\0\0AB", 6), &bytes));  // without its zero
  EXPECT_EQ(bytes, "AB");
  EXPECT_FALSE(ParseHexClipData(std::string("\xFF\xFF\xFF\xFF", 4), &bytes));
  EXPECT_FALSE(ParseHexClipData("ab", &bytes));
}

}  // namespace

namespace {

TEST(FastFindTest, AgreesWithAPlainScanAtEveryPlaceAndBound) {
  std::string data;
  uint32_t seed = 99;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    data += "abcab"[(seed >> 16) % 5];
  }
  auto plain = [&](int64_t from, int64_t to, const std::string& p) -> int64_t {
    for (int64_t i = std::max<int64_t>(from, 0); i + static_cast<int64_t>(p.size()) <= to; ++i) {
      if (data.compare(static_cast<size_t>(i), p.size(), p) == 0) return i;
    }
    return -1;
  };
  for (const std::string p : {"a", "ab", "cab", "abcab", "bbbbbb", "cabacbcab", "abcabcabcabcabcabca"}) {
    for (int64_t from : {0, 1, 15, 16, 17, 999}) {
      for (int64_t to : {int64_t{0}, int64_t{5}, int64_t{40}, int64_t{1000}, static_cast<int64_t>(data.size())}) {
        ASSERT_EQ(FastFindForward(data.data(), from, to, p), from > to ? -1 : plain(from, to, p))
            << p << " " << from << " " << to;
      }
    }
  }
  EXPECT_EQ(FastFindForward(data.data(), 0, 10, ""), -1);
  EXPECT_TRUE(PlainSearchIsExact("Zeile", true, false, false));
  EXPECT_FALSE(PlainSearchIsExact("Zeile", false, false, false));
  EXPECT_FALSE(PlainSearchIsExact("\xE4", true, false, false));
  EXPECT_FALSE(PlainSearchIsExact("a", true, true, false));
}

}  // namespace
