// The bytes on the wire: command frames, the memory read request, answer frames and blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace krlad {

// Control bytes.
constexpr uint8_t STX = 0x02;
constexpr uint8_t SOH = 0x01;
constexpr uint8_t EOT = 0x04;
constexpr uint8_t ACK = 0x06;
constexpr uint8_t NAK = 0x15;
constexpr uint8_t kFrameEnd = 0xEB;

using TCommandBytes = std::array<uint8_t, 6>;

// 02, code, code/4, code/4 + 1, ~(code/4), EB.
constexpr TCommandBytes MakeCommandFrame(uint8_t code) {
  const uint8_t quarter = static_cast<uint8_t>(code / 4);
  return {STX, code, quarter, static_cast<uint8_t>(quarter + 1), static_cast<uint8_t>(~quarter),
          kFrameEnd};
}

// The command codes the loader sends.
enum TCommandCode : uint8_t {
  cmdSync = 0x00,
  cmdDriverInfo = 0x0C,
  cmdHwConfig = 0x10,
  cmdSoftReset = 0x18,
  cmdLoadRecord = 0x24,
  cmdReadRecord = 0x28,
  cmdSecondId = 0x2C,
  cmdPrepareDriver = 0x30,
  cmdLoadRecipe = 0x34,
  cmdReadRecipe = 0x38,
  cmdLoadTexts = 0x3C,
  cmdDeviceStatus = 0x88,
  cmdReadDiagnostics = 0x8C,
  cmdReadDriver = 0x94,
  cmdLoadVelRecord = 0x98,
  cmdVelInfo = 0xA0,
  cmdReadVideo = 0xA4,
  cmdDeleteVel = 0xC0,
};

struct TCommandFrame {
  TCommandCode Code;
  bool Answer;  // the device sends an answer frame behind the acknowledge
  TCommandBytes Bytes;
  std::string_view Use;
};

// Every frame the loader sends, with its bytes as they go out.
inline constexpr std::array kCommandFrames{
    TCommandFrame{cmdSync, false, {0x02, 0x00, 0x00, 0x01, 0xFF, 0xEB}, "synchronise"},
    TCommandFrame{cmdDriverInfo, true, {0x02, 0x0C, 0x03, 0x04, 0xFC, 0xEB}, "driver information"},
    TCommandFrame{cmdSecondId, true, {0x02, 0x2C, 0x0B, 0x0C, 0xF4, 0xEB}, "second identification"},
    TCommandFrame{cmdHwConfig, true, {0x02, 0x10, 0x04, 0x05, 0xFB, 0xEB}, "hardware configuration"},
    TCommandFrame{cmdDeviceStatus, true, {0x02, 0x88, 0x22, 0x23, 0xDD, 0xEB}, "device status"},
    TCommandFrame{cmdVelInfo, true, {0x02, 0xA0, 0x28, 0x29, 0xD7, 0xEB}, "VEL information"},
    TCommandFrame{cmdSoftReset, false, {0x02, 0x18, 0x06, 0x07, 0xF9, 0xEB}, "software reset"},
    TCommandFrame{cmdDeleteVel, false, {0x02, 0xC0, 0x30, 0x31, 0xCF, 0xEB}, "delete VEL program"},
    TCommandFrame{cmdPrepareDriver, false, {0x02, 0x30, 0x0C, 0x0D, 0xF3, 0xEB}, "prepare driver download"},
    TCommandFrame{cmdLoadRecord, false, {0x02, 0x24, 0x09, 0x0A, 0xF6, 0xEB}, "load data record"},
    TCommandFrame{cmdLoadTexts, false, {0x02, 0x3C, 0x0F, 0x10, 0xF0, 0xEB}, "load ASCII texts"},
    TCommandFrame{cmdLoadVelRecord, false, {0x02, 0x98, 0x26, 0x27, 0xD9, 0xEB}, "load VEL data record"},
    TCommandFrame{cmdLoadRecipe, false, {0x02, 0x34, 0x0D, 0x0E, 0xF2, 0xEB}, "load recipe"},
    TCommandFrame{cmdReadRecord, false, {0x02, 0x28, 0x0A, 0x0B, 0xF5, 0xEB}, "read data record"},
    TCommandFrame{cmdReadRecipe, false, {0x02, 0x38, 0x0E, 0x0F, 0xF1, 0xEB}, "read recipe"},
    TCommandFrame{cmdReadDiagnostics, false, {0x02, 0x8C, 0x23, 0x24, 0xDC, 0xEB}, "read diagnostic data"},
    TCommandFrame{cmdReadVideo, false, {0x02, 0xA4, 0x29, 0x2A, 0xD6, 0xEB}, "read video memory"},
    TCommandFrame{cmdReadDriver, false, {0x02, 0x94, 0x25, 0x26, 0xDA, 0xEB}, "read driver"},
};

constexpr bool FramesFollowTheRule() {
  for (const TCommandFrame& f : kCommandFrames)
    if (f.Bytes != MakeCommandFrame(f.Code)) return false;
  return true;
}
static_assert(FramesFollowTheRule(), "a command frame breaks the frame rule");

// The table entry of a code; null for a code the loader never sends.
const TCommandFrame* FindCommandFrame(uint8_t code);

// True when the six bytes are a well-formed command frame (any code).
bool IsCommandFrame(std::span<const uint8_t> bytes);

// Memory read request: 02 F1 09 01, address (3 bytes), length (2 bytes), S (sum of the
// bytes rotated left by one), X (XOR of the bytes), both over the first nine bytes.
constexpr size_t kMemoryRequestSize = 11;
using TMemoryRequest = std::array<uint8_t, kMemoryRequestSize>;
constexpr std::array<uint8_t, 4> kMemoryRequestHead{0x02, 0xF1, 0x09, 0x01};

constexpr uint8_t RotateLeft1(uint8_t b) { return static_cast<uint8_t>((b << 1) | (b >> 7)); }

TMemoryRequest MakeMemoryReadRequest(uint32_t address, uint16_t length);
// Checks head and both check bytes; on success gives address and length.
bool ParseMemoryReadRequest(std::span<const uint8_t> bytes, uint32_t* address, uint16_t* length);

// Answer frame: 02, LEN, ~LEN, LEN - 3 data bytes, XOR of all bytes before it.
constexpr size_t kMaxAnswer = 255;
uint8_t AnswerCheck(std::span<const uint8_t> frameWithoutCheck);
// Builds the frame for up to 252 data bytes (longer data is cut).
std::vector<uint8_t> MakeAnswerFrame(std::span<const uint8_t> data);

// Block: SOH, number, 255 - number, 128 data bytes, sum of the data.
constexpr size_t kBlockData = 128;
constexpr size_t kBlockSize = 132;
using TBlock = std::array<uint8_t, kBlockSize>;

uint8_t BlockSum(std::span<const uint8_t, kBlockData> data);
TBlock MakeBlock(uint8_t number, std::span<const uint8_t, kBlockData> data);

}  // namespace krlad
