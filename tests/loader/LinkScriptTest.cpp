// The link's byte handling against scripted device replies: answer frames, block replies,
// repeats, error limits and identification texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "loader/link/Link.h"
#include "platform/file/File.h"
#include "resources/krladwin32/Strings.h"
#include "tests/loader/RecordingStatus.h"
#include "tests/support/TempDir.h"
#include "tools/termsim/ScriptedPort.h"

using namespace krlad;
using termsim::TScriptedPort;

namespace {

constexpr int kTimeout = -1;  // script marker: the read there times out

std::vector<int> Ints(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

std::vector<int> Answer(std::string_view text) {
  std::vector<int> out{ACK};
  auto frame = MakeAnswerFrame(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  out.insert(out.end(), frame.begin(), frame.end());
  return out;
}

std::array<uint8_t, kBlockData> Filled(uint8_t value) {
  std::array<uint8_t, kBlockData> d;
  d.fill(value);
  return d;
}

class LinkScriptTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Link.OpenAtSpeed(1, kSpeed38400), 0); }

  // How often a block goes out in what the link wrote.
  size_t CountBlock(const TBlock& block) const {
    const auto& w = Port.Written();
    size_t count = 0;
    for (auto it = w.begin(); (it = std::search(it, w.end(), block.begin(), block.end())) != w.end();
         it += kBlockSize)
      ++count;
    return count;
  }
  int32_t OpenForRead(const std::string& bytes) {
    int32_t f = platform::FileOpen(Dir.Write("send.bin", bytes).c_str(), platform::TFileAccess::ReadOnly);
    EXPECT_GE(f, 0);
    return f;
  }

  TTempDir Dir;
  TScriptedPort Port;
  TRecordingStatus Status;
  TLink Link{Port, Status};
};

TEST_F(LinkScriptTest, TransactReadsAcknowledgeAndAnswerFrame) {
  Port.Append(Answer("Cfg:\x02\x80"));
  ASSERT_EQ(Link.Transact(cmdHwConfig, true), 0);
  EXPECT_EQ(std::string(Link.Answer().begin(), Link.Answer().end()), "Cfg:\x02\x80");
  const auto frame = MakeCommandFrame(cmdHwConfig);
  EXPECT_EQ(Port.Written(), std::vector<uint8_t>(frame.begin(), frame.end()));

  Port.Append({ACK, STX, 0x03, 0xFC, 0xFD});  // LEN 3: no data
  EXPECT_EQ(Link.Transact(cmdVelInfo, true), 0);
  EXPECT_TRUE(Link.Answer().empty());
  Port.Append({ACK});
  EXPECT_EQ(Link.Transact(cmdSync, false), 0);
}

TEST_F(LinkScriptTest, TransactRejectsEveryBrokenAnswer) {
  const std::vector<std::vector<int>> broken = {
      {NAK},                                  // not acknowledged
      {kTimeout},                             // no acknowledge
      {ACK, 0x03, 0x03, 0xFC, 0xFD},          // no STX
      {ACK, STX, 0x02, 0xFD, 0xFF},           // LEN too small
      {ACK, STX, 0x03, 0xFB, 0xFD},           // complement wrong
      {ACK, STX, 0x03, 0xFC, 0xFE},           // check byte wrong
      {ACK, STX, 0x05, 0xFA, 'a', kTimeout},  // data missing
  };
  for (const auto& script : broken) {
    TScriptedPort port(script);
    TLink link(port, Status);
    ASSERT_EQ(link.OpenAtSpeed(1, kSpeed38400), 0);
    EXPECT_EQ(link.Transact(cmdDeviceStatus, true), 1);
    EXPECT_TRUE(link.Answer().empty());
  }
}

TEST_F(LinkScriptTest, IdentificationCutsTheFirstTextAndJoinsTheSecond) {
  Port.Append(Answer("KR-Treiber V4.10   an KR200"));
  Port.Append(Answer("KR200\0junk"));
  ASSERT_EQ(Link.QueryIdentification(false, false), 0);
  EXPECT_EQ(Status.Text(sfConnectedTo), "KR-Treiber V4.10/KR200");

  Port.Append(Answer("Driver 2.1 for KR100"));
  Port.Append(Answer("KR100"));
  ASSERT_EQ(Link.QueryIdentification(false, false), 0);
  EXPECT_EQ(Link.DeviceName(), "Driver 2.1/KR100");

  // Too short first answers are asked for three times; the second text decides.
  Port.Append(Answer("1234"));
  Port.Append({NAK});
  Port.Append(Answer("abcd"));
  Port.Append(Answer("xy"));
  EXPECT_EQ(Link.QueryIdentification(false, false), 1);
}

TEST_F(LinkScriptTest, ConnectNeedsFifteenAcknowledgesInARow) {
  Port.Append({kTimeout});  // input drained
  Port.Append(std::vector<int>(14, ACK));
  Port.Append({NAK});                       // first attempt breaks after 14
  Port.Append(std::vector<int>(15, ACK));   // second attempt succeeds
  Port.Append(Answer("Treiber 1 an X"));
  Port.Append(Answer("KR1"));
  ASSERT_EQ(Link.Connect(1, 0, 0), 0);
  EXPECT_TRUE(Link.Connected());
  const auto sync = MakeCommandFrame(cmdSync);
  size_t syncs = 0;
  const auto& w = Port.Written();
  for (auto it = w.begin(); (it = std::search(it, w.end(), sync.begin(), sync.end())) != w.end(); ++it)
    ++syncs;
  EXPECT_EQ(syncs, 30u);
  EXPECT_EQ(Status.Text(sfAction), LoadResString(idsActConnect));
}

TEST_F(LinkScriptTest, TwoNaksAfterABlockResendItOnce) {
  int32_t file = OpenForRead(std::string(300, 'x'));
  Port.Append({'C', NAK, NAK});                 // start, with noise skipped
  Port.Append({ACK});                           // block 1
  Port.Append({NAK, NAK, kTimeout});            // block 2: one reply of two NAKs
  Port.Append({ACK, ACK});                      // block 2 again, block 3
  Port.Append({ACK});                           // EOT
  ASSERT_EQ(Link.SendFile(file, false), 0);
  std::array<uint8_t, kBlockData> tail{};
  std::fill_n(tail.begin(), 300 - 256, 'x');
  EXPECT_EQ(CountBlock(MakeBlock(1, Filled('x'))), 1u);
  EXPECT_EQ(CountBlock(MakeBlock(2, Filled('x'))), 2u);
  EXPECT_EQ(CountBlock(MakeBlock(3, tail)), 1u);
  EXPECT_EQ(Port.Written().size(), 4 * kBlockSize + 1);
  EXPECT_EQ(Port.Written().back(), EOT);
  EXPECT_TRUE(Status.Showed(FormatText(idsTransferErrors, 1)));
  EXPECT_EQ(Status.Totals(), std::vector<int32_t>{4});  // ceil(300 / 128) + 1
  EXPECT_EQ(Status.Position(), 3);
  EXPECT_FALSE(Status.ProgressShown());
  (void)platform::FileClose(file);
}

// The device asks for the first block with two NAKs; one NAK alone (line noise, a device
// that stopped) must not start the transfer.
TEST_F(LinkScriptTest, OneNakThenSilenceSendsNothing) {
  int32_t file = OpenForRead("data");
  Port.Append({NAK, kTimeout});
  EXPECT_NE(Link.SendFile(file, false), 0);
  EXPECT_TRUE(Port.Written().empty());
  (void)platform::FileClose(file);
}

TEST_F(LinkScriptTest, SendGivesUpAfterTwoHundredErrorsOrASilentDevice) {
  int32_t file = OpenForRead("data");
  Port.Append({NAK, NAK});
  for (int i = 0; i < 201; ++i) Port.Append({'?'});
  EXPECT_EQ(Link.SendFile(file, false), 1);
  EXPECT_EQ(Status.MessageIds(), std::vector<uint32_t>{idsErrTooManyErrors});
  EXPECT_EQ(Port.Written().size(), 201 * kBlockSize);  // the first send and 200 repeats

  TRecordingStatus status;
  TScriptedPort port({NAK, NAK, kTimeout});
  TLink link(port, status);
  ASSERT_EQ(link.OpenAtSpeed(1, kSpeed38400), 0);
  EXPECT_EQ(link.SendFile(file, false), 1);
  EXPECT_EQ(status.MessageIds(), std::vector<uint32_t>{idsErrNoReply});
  (void)platform::FileClose(file);
}

TEST_F(LinkScriptTest, SendEndsWithEotRepeatedUntilAcknowledged) {
  int32_t file = OpenForRead("data");
  Port.Append({NAK, NAK, ACK, kTimeout, NAK, ACK});
  EXPECT_EQ(Link.SendFile(file, false), 0);
  EXPECT_EQ(std::count(Port.Written().begin(), Port.Written().end(), EOT), 3);

  // Ten unanswered EOTs: the device never confirmed the file.
  TRecordingStatus status;
  TScriptedPort port({NAK, NAK, ACK});
  TLink link(port, status);
  ASSERT_EQ(link.OpenAtSpeed(1, kSpeed38400), 0);
  EXPECT_EQ(link.SendFile(file, false), 1);
  EXPECT_EQ(std::count(port.Written().begin(), port.Written().end(), EOT), 10);
  (void)platform::FileClose(file);

  // An empty file is not sent at all.
  file = OpenForRead("");
  EXPECT_EQ(Link.SendFile(file, false), 1);
  (void)platform::FileClose(file);
}

class LinkReceiveTest : public LinkScriptTest {
 protected:
  std::string Receive(int32_t hint, int32_t* result) {
    std::string path = Dir.File("received.bin");
    int32_t file = platform::FileCreate(path.c_str());
    EXPECT_GE(file, 0);
    *result = Link.ReceiveFile(file, hint);
    (void)platform::FileClose(file);
    return TTempDir::Read(path);
  }
  void AppendBlock(uint8_t number, const std::array<uint8_t, kBlockData>& data) {
    Port.Append(Ints(MakeBlock(number, data)));
  }
};

TEST_F(LinkReceiveTest, RepeatedBlockIsAcknowledgedAndNotWrittenTwice) {
  AppendBlock(1, Filled('a'));
  AppendBlock(1, Filled('a'));  // our ACK got lost
  AppendBlock(2, Filled('b'));
  Port.Append({EOT});
  int32_t result = -1;
  std::string got = Receive(300, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(got, std::string(128, 'a') + std::string(128, 'b'));
  EXPECT_EQ(Port.Written(), (std::vector<uint8_t>{NAK, ACK, ACK, ACK, ACK}));
  EXPECT_EQ(Status.Totals(), std::vector<int32_t>{4});
}

TEST_F(LinkReceiveTest, BadBlocksAreAnsweredWithNakAndNotStored) {
  TBlock spoilt = MakeBlock(1, Filled('a'));
  spoilt[50] ^= 1;
  Port.Append(Ints(spoilt));
  TBlock badComplement = MakeBlock(1, Filled('a'));
  badComplement[2] = 0;
  Port.Append(Ints(badComplement));
  AppendBlock(3, Filled('c'));  // out of sequence
  Port.Append({'z'});            // noise between blocks is skipped
  AppendBlock(1, Filled('a'));
  // A short block: the missing bytes count as zeros, which here makes it good.
  Port.Append({SOH, 2, 253, 0, 0, kTimeout});
  Port.Append({EOT});
  int32_t result = -1;
  std::string got = Receive(0, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(got, std::string(128, 'a') + std::string(128, '\0'));
  EXPECT_EQ(Port.Written(), (std::vector<uint8_t>{NAK, NAK, NAK, NAK, ACK, ACK, ACK}));
  EXPECT_TRUE(Status.Showed(FormatText(idsTransferErrors, 3)));
  EXPECT_EQ(Status.Totals(), std::vector<int32_t>{80});
}

TEST_F(LinkReceiveTest, SixTimeOutsInARowOrTooManyErrorsFail) {
  Port.Append({kTimeout, kTimeout, kTimeout, kTimeout, kTimeout});
  AppendBlock(1, Filled('a'));
  Port.Append({kTimeout, kTimeout, kTimeout, kTimeout, kTimeout, kTimeout});
  int32_t result = -1;
  EXPECT_EQ(Receive(0, &result), std::string(128, 'a'));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Port.Written(), (std::vector<uint8_t>{NAK, NAK, NAK, NAK, NAK, NAK, ACK, NAK, NAK, NAK, NAK, NAK}));

  TBlock spoilt = MakeBlock(1, Filled('a'));
  spoilt[100] ^= 1;
  for (int i = 0; i < 101; ++i) Port.Append(Ints(spoilt));
  AppendBlock(1, Filled('a'));
  Receive(0, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Status.Messages().back().Id, idsErrTooManyErrors);
}

TEST_F(LinkReceiveTest, FirstBlockRefinesTheProgressRange) {
  auto data = Filled(0);
  data[3] = 0x00;
  data[4] = 0x04;  // a data record of 1024 bytes
  AppendBlock(1, data);
  Port.Append({EOT});
  int32_t result = -1;
  Receive(kHintDataRecord, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Status.Totals(), (std::vector<int32_t>{80, 9}));
}

}  // namespace
