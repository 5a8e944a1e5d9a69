// Block preparation from files in plain and record mode.
#include "loader/link/BlockSource.h"

#include <gtest/gtest.h>

#include "platform/file/File.h"
#include "tests/support/TempDir.h"

using namespace krlad;

namespace {

class BlockSourceTest : public ::testing::Test {
 protected:
  std::vector<TBlockData> Blocks(const std::string& bytes, bool recordMode) {
    std::string path = Dir.Write("f.bin", bytes);
    int32_t file = platform::FileOpen(path.c_str(), platform::TFileAccess::ReadOnly);
    EXPECT_GE(file, 0);
    TBlockSource source(file, recordMode);
    std::vector<TBlockData> out;
    TBlockData data;
    while (source.Next(data)) out.push_back(data);
    EXPECT_FALSE(source.Failed());
    (void)platform::FileClose(file);
    return out;
  }
  static std::string Record(uint8_t type, uint8_t fill) {
    std::string r(kRecordSize, static_cast<char>(fill));
    r[0] = static_cast<char>(type);
    r[1] = '\x77';  // ignored
    return r;
  }
  TTempDir Dir;
};

TEST_F(BlockSourceTest, PlainModeSendsTheFileAndPadsTheLastBlock) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>(i));
  auto blocks = Blocks(bytes, false);
  ASSERT_EQ(blocks.size(), 3u);
  std::string joined;
  for (auto& b : blocks) joined.append(b.begin(), b.end());
  EXPECT_EQ(joined.substr(0, 300), bytes);
  EXPECT_EQ(joined.substr(300), std::string(84, '\0'));
  EXPECT_EQ(Blocks(std::string(256, 'x'), false).size(), 2u);
  EXPECT_TRUE(Blocks("", false).empty());
}

TEST_F(BlockSourceTest, RecordModePacksDataRecordsBehindTheHeaderValues) {
  std::string header = Record(kRecordHeader, 0);
  header.replace(124, 4, "HDR!");
  // Order in the file does not matter for the header values; type 2 is skipped.
  std::string file = Record(kRecordData, 'a') + header + Record(2, 'z') + Record(kRecordData, 'b') +
                     Record(kRecordData, 'c');
  auto blocks = Blocks(file, true);
  std::string joined;
  for (auto& b : blocks) joined.append(b.begin(), b.end());
  std::string expected = "HDR!" + std::string(126, 'a') + std::string(126, 'b') + std::string(126, 'c');
  ASSERT_EQ(blocks.size(), (expected.size() + 127) / 128);
  EXPECT_EQ(joined.substr(0, expected.size()), expected);
  EXPECT_EQ(joined.substr(expected.size()), std::string(joined.size() - expected.size(), '\0'));
}

TEST_F(BlockSourceTest, RecordModeAlwaysHasAFirstBlockAndTakesShortRecords) {
  // Only a header: one block with the four values.
  std::string header = Record(kRecordHeader, 0);
  header.replace(124, 4, "\x01\x02\x03\x04");
  auto blocks = Blocks(header, true);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(std::string(blocks[0].begin(), blocks[0].begin() + 5), std::string("\x01\x02\x03\x04\0", 5));
  // No header: four zero bytes reserved; a short last data record gives what it has.
  std::string shortRecord = Record(kRecordData, 'q').substr(0, 10);
  blocks = Blocks(Record(kRecordData, 'p') + shortRecord, true);
  std::string joined;
  for (auto& b : blocks) joined.append(b.begin(), b.end());
  EXPECT_EQ(joined.substr(0, 4 + 126 + 8), std::string(4, '\0') + std::string(126, 'p') + std::string(8, 'q'));
  EXPECT_EQ(blocks.size(), 2u);
}

}  // namespace
