// Files over the link as 128-byte blocks, in both directions.
#include <algorithm>
#include <limits>

#include "loader/link/BlockSource.h"
#include "loader/link/Link.h"
#include "platform/file/File.h"
#include "resources/krladwin32/Strings.h"

namespace krlad {
namespace {

constexpr uint32_t kStartNakTimeoutMs = 10000;
constexpr uint32_t kReplyTimeoutMs = 5000;
// Further NAKs of one reply arrive right behind the first; this only bridges their gap.
constexpr uint32_t kExtraNakGapMs = 10;
constexpr int kExtraNaksMax = 4;
constexpr int kSendErrorsMax = 200;
constexpr uint32_t kEotAckMs = 500;
constexpr int kEotTries = 10;
constexpr uint32_t kReceiveTimeoutMs = 5000;
constexpr int kReceiveTimeoutsMax = 6;
constexpr int kReceiveErrorsInRowMax = 100;
constexpr int32_t kDefaultReceiveSteps = 80;

uint32_t U16(std::span<const uint8_t, kBlockData> d, size_t at) {
  return d[at] | (uint32_t{d[at + 1]} << 8);
}

}  // namespace

int32_t BlocksForSize(int64_t bytes) {
  int64_t blocks = (bytes + static_cast<int64_t>(kBlockData) - 1) / static_cast<int64_t>(kBlockData) + 1;
  return static_cast<int32_t>(std::min<int64_t>(blocks, std::numeric_limits<int32_t>::max()));
}

int64_t RefineSizeHint(int32_t hint, std::span<const uint8_t, kBlockData> d) {
  switch (hint) {
    case kHintDataRecord:
      return d[3] | (int64_t{d[4]} << 8) | (int64_t{d[5]} << 16) | (int64_t{d[6]} << 24);
    case kHintRecipe: {
      if (d[0] != 1) return -1;
      const int64_t product = 2 * int64_t{U16(d, 124)} * U16(d, 126);
      return 128 * ((product + 125) / 126) + 256;
    }
    case kHintVideo:
      if (d[0] != 1) return -1;
      return int64_t{U16(d, 1)} / 8 * U16(d, 3) + 5;
    default:
      return -1;
  }
}

// The reply to a block. Several NAKs sent for one block count as one reply.
int32_t TLink::ReadReply() {
  int32_t reply = Port_.ReadByte(Timeout(kReplyTimeoutMs));
  for (int i = 0; reply == NAK && i < kExtraNaksMax; ++i) {
    int32_t next = Port_.ReadByte(kExtraNakGapMs);
    if (next == platform::kPortTimeout) break;
    reply = next;
  }
  return reply;
}

int32_t TLink::SendFile(int32_t file, bool recordMode) {
  const int64_t size = platform::FileSize(file);
  if (size <= 0) return 1;
  const int32_t blocks = BlocksForSize(size);

  TBlockSource source(file, recordMode);
  TBlockData data{};
  if (!source.Next(data)) return 1;
  TBlock current = MakeBlock(1, data);
  uint8_t number = 1;

  for (int naks = 0; naks < 2;) {
    int32_t b = Port_.ReadByte(Timeout(kStartNakTimeoutMs));
    if (b < 0) return 1;
    if (b == NAK) ++naks;
  }

  Show(sfStatus, LoadResString(idsTransfer));
  Status_.ProgressStart(blocks);
  TBlock next{};
  bool haveNext = false;
  bool repeat = false;
  int errors = 0;
  int32_t sent = 0;
  for (;;) {
    if (Port_.Write(current.data(), kBlockSize) != static_cast<int32_t>(kBlockSize)) return 1;
    if (!repeat) {
      haveNext = source.Next(data);
      if (source.Failed()) return 1;
      if (haveNext) next = MakeBlock(static_cast<uint8_t>(number + 1), data);
    }
    if (WaitSent() != platform::kPortOk) return 1;
    const int32_t reply = ReadReply();
    if (reply == platform::kPortCancelled) return 1;
    if (reply == platform::kPortTimeout) {
      ReportError(idsErrNoReply, std::string(LoadResString(idsErrNoReply)));
      return 1;
    }
    if (reply == ACK) {
      Status_.ProgressStep(++sent);
      repeat = false;
      if (!haveNext) break;
      current = next;
      ++number;
      continue;
    }
    if (++errors > kSendErrorsMax) {
      ReportError(idsErrTooManyErrors, std::string(LoadResString(idsErrTooManyErrors)));
      return 1;
    }
    repeat = true;
    Show(sfStatus, FormatText(idsTransferErrors, errors));
  }

  // The device acknowledges the end; without that we cannot tell it took the file.
  bool ended = false;
  for (int i = 0; i < kEotTries && !ended; ++i) {
    if (Port_.WriteByte(EOT) != 1) break;
    int32_t b = Port_.ReadByte(Timeout(kEotAckMs));
    if (b == platform::kPortCancelled) break;
    ended = b == ACK;
  }
  Status_.ProgressHide();
  return ended ? 0 : 1;
}

int32_t TLink::ReceiveFile(int32_t file, int32_t sizeHint) {
  Show(sfStatus, LoadResString(idsTransfer));
  Status_.ProgressStart(sizeHint > 0 ? BlocksForSize(sizeHint) : kDefaultReceiveSteps);

  uint8_t expected = 1;
  uint8_t reply = NAK;
  int timeouts = 0;
  int errorsInRow = 0;
  int32_t stored = 0;
  bool awaitingReply = true;
  for (;;) {
    if (awaitingReply && Port_.WriteByte(reply) != 1) return 1;
    awaitingReply = false;
    const int32_t head = Port_.ReadByte(Timeout(kReceiveTimeoutMs));
    if (head == platform::kPortCancelled) return 1;
    if (head == platform::kPortTimeout) {
      if (++timeouts >= kReceiveTimeoutsMax) break;
      reply = NAK;
      awaitingReply = true;
      continue;
    }
    timeouts = 0;
    if (head == EOT) {
      if (Port_.WriteByte(ACK) != 1) return 1;
      Status_.ProgressHide();
      return 0;
    }
    if (head != SOH) continue;  // line noise between blocks

    std::array<uint8_t, kBlockSize - 1> rest{};
    if (Port_.Read(rest.data(), static_cast<int32_t>(rest.size()), Timeout(kReceiveTimeoutMs)) ==
        platform::kPortCancelled)
      return 1;
    const uint8_t number = rest[0];
    std::span<const uint8_t, kBlockData> data(rest.data() + 2, kBlockData);
    const bool good = rest[1] == static_cast<uint8_t>(255 - number) &&
                      rest[kBlockSize - 2] == BlockSum(data) &&
                      (number == expected || number == static_cast<uint8_t>(expected - 1));
    awaitingReply = true;
    if (!good) {
      ++errorsInRow;
      Show(sfStatus, FormatText(idsTransferErrors, errorsInRow));
      if (errorsInRow > kReceiveErrorsInRowMax) {
        ReportError(idsErrTooManyErrors, std::string(LoadResString(idsErrTooManyErrors)));
        return 1;
      }
      reply = NAK;
      continue;
    }
    errorsInRow = 0;
    reply = ACK;
    if (number != expected) continue;  // a repeat: our acknowledge was lost
    if (platform::FileWrite(file, data.data(), kBlockData) != static_cast<int32_t>(kBlockData))
      return 1;
    if (stored == 0 && sizeHint < 0) {
      const int64_t total = RefineSizeHint(sizeHint, data);
      if (total >= 0) Status_.ProgressStart(BlocksForSize(total));
    }
    ++expected;
    Status_.ProgressStep(++stored);
  }
  Status_.ProgressHide();
  return 1;
}

}  // namespace krlad
