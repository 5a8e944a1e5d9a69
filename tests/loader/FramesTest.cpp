// Frame bytes: the command table, the memory read request, answer frames, blocks, and
// the size a received first block announces.
#include "loader/link/Frames.h"

#include <gtest/gtest.h>

#include <set>

#include "loader/link/Link.h"

using namespace krlad;

namespace {

TEST(FramesTest, CommandTableHasUniqueCodesAndOnlyQueriesAnswer) {
  std::set<uint8_t> codes;
  for (const TCommandFrame& f : kCommandFrames) {
    EXPECT_TRUE(codes.insert(f.Code).second) << int{f.Code};
    EXPECT_TRUE(IsCommandFrame(f.Bytes));
    EXPECT_EQ(FindCommandFrame(f.Code), &f);
  }
  EXPECT_EQ(codes.size(), 18u);
  for (uint8_t code : {cmdDriverInfo, cmdSecondId, cmdHwConfig, cmdDeviceStatus, cmdVelInfo})
    EXPECT_TRUE(FindCommandFrame(code)->Answer);
  EXPECT_FALSE(FindCommandFrame(cmdLoadRecord)->Answer);
  EXPECT_EQ(FindCommandFrame(0x04), nullptr);
}

TEST(FramesTest, CommandFrameRecognitionRejectsEveryBrokenByte) {
  const auto good = MakeCommandFrame(cmdDeviceStatus);
  for (size_t i = 0; i < good.size(); ++i) {
    if (i == 1) continue;  // another code with the same quarter is a frame of its own
    auto bad = good;
    bad[i] ^= 0x01;
    EXPECT_FALSE(IsCommandFrame(bad)) << i;
  }
  EXPECT_FALSE(IsCommandFrame(std::span(good).first(5)));
}

TEST(FramesTest, MemoryRequestCarriesAddressAndLengthLowByteFirst) {
  const TMemoryRequest r = MakeMemoryReadRequest(0x012345, 0x0100);
  const TMemoryRequest expected{0x02, 0xF1, 0x09, 0x01, 0x45, 0x23, 0x01, 0x00, 0x01,
                                0xCF /* sum of rotated bytes */, 0x9D /* XOR of the bytes */};
  EXPECT_EQ(r, expected);

  uint32_t address = 0;
  uint16_t length = 0;
  ASSERT_TRUE(ParseMemoryReadRequest(r, &address, &length));
  EXPECT_EQ(address, 0x012345u);
  EXPECT_EQ(length, 0x0100u);
  for (size_t i = 0; i < r.size(); ++i) {
    auto bad = r;
    bad[i] ^= 0x80;
    EXPECT_FALSE(ParseMemoryReadRequest(bad, &address, &length)) << i;
  }
  // Only three address bytes travel.
  EXPECT_EQ(MakeMemoryReadRequest(0xAB012345, 1)[6], 0x01);
}

TEST(FramesTest, AnswerFrameWithoutDataHasLenThreeAndCheckFD) {
  const std::vector<uint8_t> empty = MakeAnswerFrame({});
  EXPECT_EQ(empty, (std::vector<uint8_t>{0x02, 0x03, 0xFC, 0xFD}));
  const uint8_t data[] = {'C', 'f', 'g'};
  const std::vector<uint8_t> frame = MakeAnswerFrame(data);
  ASSERT_EQ(frame.size(), 7u);
  EXPECT_EQ(frame[1], 6);
  EXPECT_EQ(frame[2], 0xF9);
  EXPECT_EQ(frame[6], 0x02 ^ 0x06 ^ 0xF9 ^ 'C' ^ 'f' ^ 'g');
  // LEN is one byte: at most 252 data bytes fit.
  EXPECT_EQ(MakeAnswerFrame(std::vector<uint8_t>(400, 1)).size(), 256u);
}

TEST(FramesTest, BlockHasNumberComplementDataAndSum) {
  std::array<uint8_t, kBlockData> data{};
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 3);
  const TBlock block = MakeBlock(0xFE, data);
  EXPECT_EQ(block[0], SOH);
  EXPECT_EQ(block[1], 0xFE);
  EXPECT_EQ(block[2], 0x01);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), block.begin() + 3));
  unsigned sum = 0;
  for (uint8_t b : data) sum += b;
  EXPECT_EQ(block[131], static_cast<uint8_t>(sum));
}

TEST(SizeHintTest, FirstBlockRefinesTheThreeNegativeHints) {
  std::array<uint8_t, kBlockData> d{};
  // Data record: its own 32-bit length at offset 3.
  d[3] = 0x78;
  d[4] = 0x56;
  d[5] = 0x34;
  d[6] = 0x12;
  EXPECT_EQ(RefineSizeHint(kHintDataRecord, d), 0x12345678);
  // Recipe: 128 * ceil(2ab / 126) + 256, only with type byte 1.
  d = {};
  d[124] = 100;  // a = 100
  d[126] = 0x2C;
  d[127] = 0x01;  // b = 300
  EXPECT_EQ(RefineSizeHint(kHintRecipe, d), -1);
  d[0] = 1;
  EXPECT_EQ(RefineSizeHint(kHintRecipe, d), 128 * 477 + 256);  // 60000 / 126 = 476.2
  d[124] = 63;
  d[126] = 1;
  d[127] = 0;  // 2ab = 126 exactly: one record
  EXPECT_EQ(RefineSizeHint(kHintRecipe, d), 128 + 256);
  // Video memory: width / 8 * height + 5, only with type byte 1.
  d = {};
  d[1] = 0x40;
  d[2] = 0x01;  // 320
  d[3] = 0xF0;  // 240
  EXPECT_EQ(RefineSizeHint(kHintVideo, d), -1);
  d[0] = 1;
  EXPECT_EQ(RefineSizeHint(kHintVideo, d), 320 / 8 * 240 + 5);
  EXPECT_EQ(RefineSizeHint(1000, d), -1);

  EXPECT_EQ(BlocksForSize(1), 2);
  EXPECT_EQ(BlocksForSize(128), 2);
  EXPECT_EQ(BlocksForSize(129), 3);
  EXPECT_EQ(BlocksForSize(int64_t{1} << 40), INT32_MAX);
}

}  // namespace
