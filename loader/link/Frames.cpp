// Building and checking the link's frames and blocks.
#include "loader/link/Frames.h"

#include <algorithm>

namespace krlad {

const TCommandFrame* FindCommandFrame(uint8_t code) {
  for (const TCommandFrame& f : kCommandFrames)
    if (f.Code == code) return &f;
  return nullptr;
}

bool IsCommandFrame(std::span<const uint8_t> bytes) {
  if (bytes.size() != 6) return false;
  TCommandBytes expected = MakeCommandFrame(bytes[1]);
  return std::equal(expected.begin(), expected.end(), bytes.begin());
}

namespace {

// The request's check pair is read the way the record header defines the same pair: X is
// the exclusive OR of the bytes as they are, S the sum of the bytes rotated left by one.
// The request's own wording could also mean the XOR of the rotated bytes; we chose the
// header's reading so that one rule holds for both places, and the simulator checks the
// request with this same function.
void MemoryChecks(std::span<const uint8_t> head9, uint8_t* sum, uint8_t* xorValue) {
  uint8_t s = 0;
  uint8_t x = 0;
  for (uint8_t b : head9) {
    s = static_cast<uint8_t>(s + RotateLeft1(b));
    x = static_cast<uint8_t>(x ^ b);
  }
  *sum = s;
  *xorValue = x;
}

}  // namespace

TMemoryRequest MakeMemoryReadRequest(uint32_t address, uint16_t length) {
  TMemoryRequest r{kMemoryRequestHead[0],
                   kMemoryRequestHead[1],
                   kMemoryRequestHead[2],
                   kMemoryRequestHead[3],
                   static_cast<uint8_t>(address),
                   static_cast<uint8_t>(address >> 8),
                   static_cast<uint8_t>(address >> 16),
                   static_cast<uint8_t>(length),
                   static_cast<uint8_t>(length >> 8),
                   0,
                   0};
  MemoryChecks(std::span(r).first(9), &r[9], &r[10]);
  return r;
}

bool ParseMemoryReadRequest(std::span<const uint8_t> bytes, uint32_t* address, uint16_t* length) {
  if (bytes.size() != kMemoryRequestSize) return false;
  if (!std::equal(kMemoryRequestHead.begin(), kMemoryRequestHead.end(), bytes.begin()))
    return false;
  uint8_t sum = 0;
  uint8_t x = 0;
  MemoryChecks(bytes.first(9), &sum, &x);
  if (sum != bytes[9] || x != bytes[10]) return false;
  *address = bytes[4] | (uint32_t{bytes[5]} << 8) | (uint32_t{bytes[6]} << 16);
  *length = static_cast<uint16_t>(bytes[7] | (bytes[8] << 8));
  return true;
}

uint8_t AnswerCheck(std::span<const uint8_t> frameWithoutCheck) {
  uint8_t x = 0;
  for (uint8_t b : frameWithoutCheck) x = static_cast<uint8_t>(x ^ b);
  return x;
}

std::vector<uint8_t> MakeAnswerFrame(std::span<const uint8_t> data) {
  size_t count = std::min(data.size(), kMaxAnswer - 3);
  const auto len = static_cast<uint8_t>(count + 3);
  std::vector<uint8_t> frame(count + 4);
  frame[0] = STX;
  frame[1] = len;
  frame[2] = static_cast<uint8_t>(~len);
  std::copy_n(data.begin(), count, frame.begin() + 3);
  frame[count + 3] = AnswerCheck(std::span(frame).first(count + 3));
  return frame;
}

uint8_t BlockSum(std::span<const uint8_t, kBlockData> data) {
  uint8_t sum = 0;
  for (uint8_t b : data) sum = static_cast<uint8_t>(sum + b);
  return sum;
}

TBlock MakeBlock(uint8_t number, std::span<const uint8_t, kBlockData> data) {
  TBlock block{};
  block[0] = SOH;
  block[1] = number;
  block[2] = static_cast<uint8_t>(255 - number);
  std::copy(data.begin(), data.end(), block.begin() + 3);
  block[kBlockSize - 1] = BlockSum(data);
  return block;
}

}  // namespace krlad
