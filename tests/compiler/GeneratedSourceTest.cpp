// Big generated sources against the sample definition, pinned by checksums of the record,
// the messages and the listing: any change of an output byte shows up here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "bench/compiler/GenerateSource.h"
#include "compiler/core/Compile.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kSamples = std::string(ZK_SOURCE_DIR) + "/samples/vel/";

uint64_t Fnv64(std::string_view bytes) {
  uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  return h;
}

// The generated program with faults sprinkled in: calls of missing labels, a missing comma,
// a wait out of range, a bad string escape, stray braces, CR LF on every other line and a
// block left open at the end.
std::string FaultySource(int lines) {
  const std::string clean = GenerateVelSource(lines);
  std::string out;
  size_t start = 0;
  for (int n = 1; start < clean.size(); ++n) {
    const size_t end = clean.find('\n', start);
    std::string line = clean.substr(start, end - start);
    start = end + 1;
    auto replace = [&line](std::string_view from, std::string_view to) {
      const size_t at = line.find(from);
      if (at != std::string::npos) line.replace(at, from.size(), to);
    };
    if (n % 24 == 0) replace("CALL(L", "CALL(Q");
    if (n % 36 == 5) replace("ADD(R3, 1)", "ADD(R3 1)");
    if (n % 60 == 10) replace("WAIT(500)", "WAIT(0)");
    if (n % 48 == 11) replace("\\0D", "\\4G");
    if (n % 100 == 50) line += " }";
    out += line;
    out += n % 2 != 0 ? "\r\n" : "\n";
  }
  return out + "IF(E1.1) {\n";
}

struct TOutcome {
  int32_t Result = -1;
  std::string Record;
  std::string Messages;  // "type id text" per line
  std::string Listing;
};

TOutcome CompileWithSample(const std::string& source, bool listing) {
  TTempDir dir;
  const std::string src = dir.Write("gen.vel", source);
  const std::string lst = dir.File("gen.lst");
  TMessageList messages;
  TOutcome outcome;
  outcome.Result = VelCompile(src.c_str(), (kSamples + "ZIRE.CFG").c_str(),
                              (kSamples + "ZIRE.DRV").c_str(), listing ? lst.c_str() : nullptr,
                              4096, nullptr, nullptr, dir.File("gen.ved").c_str(), messages);
  outcome.Record = TTempDir::Read(dir.File("gen.ved"));
  for (const auto& m : messages.Items())
    outcome.Messages += std::string(1, m.Type) + " " + std::to_string(m.Id) + " " + m.Text + "\n";
  if (listing) outcome.Listing = TTempDir::Read(lst);
  return outcome;
}

TEST(GeneratedSourceTest, RecordOfAHundredThousandLines) {
  const TOutcome outcome = CompileWithSample(GenerateVelSource(100000), false);
  EXPECT_EQ(outcome.Result, kCompileOk) << outcome.Messages;
  EXPECT_EQ(outcome.Messages, "");
  EXPECT_EQ(outcome.Record.size(), 600028u);
  EXPECT_EQ(Fnv64(outcome.Record), 0x4a6c39b46cc4f0c6ull);
}

TEST(GeneratedSourceTest, ListingOfTwoThousandLines) {
  const TOutcome outcome = CompileWithSample(GenerateVelSource(2000), true);
  EXPECT_EQ(outcome.Result, kCompileOk) << outcome.Messages;
  EXPECT_EQ(outcome.Listing.size(), 188138u);
  EXPECT_EQ(Fnv64(outcome.Listing), 0x13a543e55206ec30ull);
  EXPECT_EQ(Fnv64(outcome.Record), 0xff68554db2c4a747ull);
}

TEST(GeneratedSourceTest, MessagesOfAFaultySource) {
  const TOutcome outcome = CompileWithSample(FaultySource(6000), false);
  EXPECT_EQ(outcome.Result, kCompileFailed);
  EXPECT_EQ(outcome.Record, "");  // a failed compile keeps no record
  // Every kind of fault is in: undefined labels (107), parameters (124), ranges (122),
  // syntax (200), the brace balance (106) and the open block (110).
  for (const char* id : {" 107 ", " 124 ", " 122 ", " 200 ", " 106 ", " 110 "})
    EXPECT_NE(outcome.Messages.find(id), std::string::npos) << id;
  EXPECT_EQ(outcome.Messages.size(), 27008u);
  EXPECT_EQ(Fnv64(outcome.Messages), 0x69ab500ac9c2322aull);
}

}  // namespace
